#include "framework/core/String.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

TEST(StringTest, EmptyStringsShareOneStaticBuffer) {
  String a;
  String b(a);
  String c("");
  String d(static_cast<const char*>(nullptr));
  String e('x', 0);
  EXPECT_EQ(a.CStr(), b.CStr());
  EXPECT_EQ(a.CStr(), c.CStr());
  EXPECT_EQ(a.CStr(), d.CStr());
  EXPECT_EQ(a.CStr(), e.CStr());
  EXPECT_EQ(a.Length(), 0);
  EXPECT_STREQ(a.CStr(), "");
}

TEST(StringTest, CopiesShareUntilOneIsWritten) {
  String a("hello");
  String b = a;
  EXPECT_EQ(a.CStr(), b.CStr());
  b += '!';
  EXPECT_NE(a.CStr(), b.CStr());
  EXPECT_STREQ(a.CStr(), "hello");
  EXPECT_STREQ(b.CStr(), "hello!");
  String c = a;
  c.MakeReverse();
  EXPECT_STREQ(a.CStr(), "hello");
  EXPECT_STREQ(c.CStr(), "olleh");
  a = a;
  EXPECT_STREQ(a.CStr(), "hello");
}

TEST(StringTest, AppendAndConcatenate) {
  String a("ab");
  a += a;
  EXPECT_STREQ(a.CStr(), "abab");
  a.Append(2, "xyz");
  EXPECT_STREQ(a.CStr(), "ababxy");
  String b = a + "1" + String("2");
  EXPECT_STREQ(b.CStr(), "ababxy12");
  EXPECT_EQ(b.Length(), 8);
  String held;
  held.Assign("x\0y", 3);
  const String joined = String("ab") + held;
  EXPECT_EQ(std::string(joined.CStr(), joined.Length()), std::string("abx\0y", 5));
  String c('-', 3);
  EXPECT_STREQ(c.CStr(), "---");
}

TEST(StringTest, MidLeftAndFind) {
  String s("abcdefg");
  EXPECT_STREQ(s.MidCount(5, 10).CStr(), "fg");
  EXPECT_STREQ(s.MidCount(9, 1).CStr(), "");
  EXPECT_STREQ(s.MidCount(-3, 2).CStr(), "ab");
  EXPECT_STREQ(s.Mid(4).CStr(), "efg");
  EXPECT_STREQ(s.Left(3).CStr(), "abc");
  EXPECT_STREQ(s.Left(99).CStr(), "abcdefg");
  EXPECT_STREQ(s.Left(-1).CStr(), "");
  EXPECT_EQ(s.Find(0, "dc"), 2);
  EXPECT_EQ(s.Find(3, "dc"), 3);
  EXPECT_EQ(s.Find(4, "dc"), -1);
  EXPECT_EQ(s.Find(-1, "a"), -1);
  EXPECT_EQ(s.Find(7, "g"), -1);
}

TEST(StringTest, TokenizeYieldsEmptyTokensBetweenSeparators) {
  String s("a  b");
  int position = 0;
  EXPECT_STREQ(s.Tokenize(' ', &position).CStr(), "a");
  EXPECT_EQ(position, 2);
  EXPECT_STREQ(s.Tokenize(' ', &position).CStr(), "");
  EXPECT_STREQ(s.Tokenize(' ', &position).CStr(), "b");
  EXPECT_EQ(position, 4);
  EXPECT_STREQ(s.Tokenize(' ', &position).CStr(), "");
  EXPECT_EQ(position, 4);
}

TEST(StringTest, EditingOperations) {
  String s("held");
  String shared = s;
  EXPECT_EQ(s.InsertChar(3, 'l'), 5);
  EXPECT_STREQ(s.CStr(), "helld");
  EXPECT_STREQ(shared.CStr(), "held");
  s.InsertChar(99, '!');
  s.InsertChar(-5, '<');
  EXPECT_STREQ(s.CStr(), "<helld!");
  s.Insert(1, "oh ");
  EXPECT_STREQ(s.CStr(), "<oh helld!");
  s.Insert(0, nullptr);
  s.Delete(4, 2);
  EXPECT_STREQ(s.CStr(), "<oh lld!");
  s.Delete(6, 100);
  EXPECT_STREQ(s.CStr(), "<oh ll");
  s.Delete(10, 1);
  s.Delete(0, 0);
  EXPECT_STREQ(s.CStr(), "<oh ll");
  String t("  \t padded \n ");
  t.TrimRight();
  EXPECT_STREQ(t.CStr(), "  \t padded");
  t.TrimLeft();
  EXPECT_STREQ(t.CStr(), "padded");
  String blank("   ");
  blank.TrimRight();
  EXPECT_TRUE(blank.IsEmpty());
}

TEST(StringTest, BufferAccess) {
  String s("abc");
  String shared = s;
  char* buffer = s.GetBuffer(10);
  std::snprintf(buffer, 11, "0123456789");
  s.ReleaseBuffer();
  EXPECT_STREQ(s.CStr(), "0123456789");
  EXPECT_STREQ(shared.CStr(), "abc");
  s.GetBuffer(0);
  s.ReleaseBuffer(4);
  EXPECT_STREQ(s.CStr(), "0123");
}

TEST(StringTest, NumbersFromText) {
  EXPECT_EQ(String("0x1F").ToInt(), 31);
  EXPECT_EQ(String("12").ToInt(), 12);
  EXPECT_EQ(String("x").ToInt(), 0);
  // Beyond 32 bits the conversion holds at the nearest limit.
  EXPECT_EQ(String("0xFFFFFFFF").ToInt(), 2147483647);
  EXPECT_EQ(String("-99999999999").ToInt(), -2147483647 - 1);
  EXPECT_EQ(String("-42abc").ToLong(), -42);
  EXPECT_EQ(String("4000000000").ToULong(), 4000000000ul);
}

TEST(StringTest, FormatMeasuresExactly) {
  String s;
  s.Format("%d-%s", 7, "seven");
  EXPECT_STREQ(s.CStr(), "7-seven");
  // A huge %f once overflowed an estimated buffer.
  s.Format("%f", 1e300);
  char expected[400];
  std::snprintf(expected, sizeof expected, "%f", 1e300);
  EXPECT_STREQ(s.CStr(), expected);
  EXPECT_EQ(s.Length(), static_cast<int>(std::string(expected).size()));
  s.Format("%*d|%.3s", 600, 1, "abcdef");
  EXPECT_EQ(s.Length(), 604);
  EXPECT_STREQ(s.CStr() + 599, "1|abc");
}

TEST(StringTest, TimesAndNumbers) {
  String s;
  s.FormatSeconds(3725);
  EXPECT_STREQ(s.CStr(), "1:02:05");
  s.FormatSeconds(35999);
  EXPECT_STREQ(s.CStr(), "9:59:59");
  s.FormatSeconds(0);
  EXPECT_STREQ(s.CStr(), "0:00:00");
  // Numbers group by the environment's locale; "C" groups nothing.
  const char* all = std::getenv("LC_ALL");
  const std::string savedAll = all ? all : "";
  setenv("LC_ALL", "C", 1);
  s.FormatNumber(-1234567);
  EXPECT_STREQ(s.CStr(), "-1234567");
  if (all) setenv("LC_ALL", savedAll.c_str(), 1);
  else unsetenv("LC_ALL");
}

TEST(StringTest, WideConversion) {
  String s;
  s.AssignWide(u"caf\u00e9 \u20ac");
  EXPECT_STREQ(s.CStr(), "caf\xE9 \x80");
  s.AssignWide(u"abcdef", 3);
  EXPECT_STREQ(s.CStr(), "abc");
  s.AssignWide(u"ab", 10);
  EXPECT_STREQ(s.CStr(), "ab");
  char buffer[4];
  EXPECT_EQ(WideToAnsi(buffer, u"abcdef", 4), 4);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(WideToAnsi(buffer, u"abc", 0), 0);
}

TEST(StringTest, LoadsFromTheStringTables) {
  MemoryResources exe;
  MemoryResources pack;
  exe.AddString(64, "Title");
  pack.AddString(0xFFFF, "last id");
  pack.AddString(12, "%d points");
  SetExeModule(&exe);
  SetAssetModule(&pack);
  String s;
  EXPECT_TRUE(s.LoadExeString(64));
  EXPECT_STREQ(s.CStr(), "Title");
  EXPECT_FALSE(s.LoadExeString(65));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_STREQ(String(0xFFFF).CStr(), "last id");
  EXPECT_TRUE(String(0x10000).IsEmpty());
  s.FormatResString(12, 500);
  EXPECT_STREQ(s.CStr(), "500 points");
  SetExeModule(nullptr);
  SetAssetModule(nullptr);
  EXPECT_FALSE(s.LoadResString(12));
}

TEST(StringTest, CompareIgnoringCase) {
  EXPECT_TRUE(String("-ScreenWidth").EqualsNoCase("-screenwidth"));
  EXPECT_FALSE(String("-ScreenWidth").EqualsNoCase("-screenwidt"));
  EXPECT_TRUE(String("a") == "a");
  EXPECT_FALSE(String("a") == String("ab"));
}

}  // namespace
