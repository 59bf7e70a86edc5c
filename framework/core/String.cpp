#include "framework/core/String.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "framework/core/ResourceModules.h"
#include "platform/CodePage.h"
#include "platform/NumberFormat.h"

namespace {

// The shared empty representation: never counted, never freed.
struct EmptyRep {
  int32_t refs = -1;
  int32_t length = 0;
  int32_t capacity = 0;
  char nul = '\0';
};
EmptyRep g_empty;

char* EmptyChars() { return &g_empty.nul; }

int ClampLength(size_t n) {
  return n > static_cast<size_t>(std::numeric_limits<int>::max() - 64) ? std::numeric_limits<int>::max() - 64
                                                                       : static_cast<int>(n);
}

}  // namespace

char* String::Allocate(int capacity) {
  if (capacity < 1) return EmptyChars();
  auto* header = static_cast<Header*>(::operator new(sizeof(Header) + static_cast<size_t>(capacity) + 1));
  header->refs = 1;
  header->length = 0;
  header->capacity = capacity;
  char* chars = reinterpret_cast<char*>(header + 1);
  chars[0] = '\0';
  return chars;
}

void String::Release(char* chars) {
  if (chars == EmptyChars()) return;
  Header* header = reinterpret_cast<Header*>(chars) - 1;
  if (header->refs < 0) return;
  if (__atomic_sub_fetch(&header->refs, 1, __ATOMIC_ACQ_REL) < 1) ::operator delete(header);
}

bool String::IsShared() const { return Rep()->refs > 1; }

void String::SetLength(int length) {
  Rep()->length = length;
  chars_[length] = '\0';
}

void String::CopyBeforeWrite() {
  if (Rep()->refs <= 1) return;
  const int length = Length();
  char* fresh = Allocate(length);
  std::memcpy(fresh, chars_, static_cast<size_t>(length));
  Release(chars_);
  chars_ = fresh;
  if (length > 0) SetLength(length);
}

void String::AllocBeforeWrite(int n) {
  if (Rep()->refs <= 1 && Rep()->refs >= 0 && n <= Rep()->capacity) return;
  Release(chars_);
  chars_ = Allocate(n);
}

String::String() noexcept : chars_(EmptyChars()) {}

String::String(const String& other) noexcept : chars_(EmptyChars()) {
  if (other.Rep()->refs >= 0) {
    chars_ = other.chars_;
    __atomic_add_fetch(&Rep()->refs, 1, __ATOMIC_RELAXED);
  } else if (other.Length() > 0) {
    Assign(other.chars_, other.Length());
  }
}

String::String(String&& other) noexcept : chars_(other.chars_) { other.chars_ = EmptyChars(); }

String::String(const char* text) : chars_(EmptyChars()) {
  if (text) Assign(text, ClampLength(std::strlen(text)));
}

String::String(int id) : chars_(EmptyChars()) {
  if (id >= 0 && id < 0x10000) LoadResString(id);
}

String::String(char c, int count) : chars_(EmptyChars()) {
  if (count < 1) return;
  chars_ = Allocate(count);
  std::memset(chars_, c, static_cast<size_t>(count));
  SetLength(count);
}

String::~String() { Release(chars_); }

String& String::operator=(const String& other) noexcept {
  if (chars_ == other.chars_) return *this;
  const bool ownNegative = Rep()->refs < 0 && chars_ != EmptyChars();
  if (ownNegative || other.Rep()->refs < 0) {
    Assign(other.chars_, other.Length());
  } else {
    __atomic_add_fetch(&other.Rep()->refs, 1, __ATOMIC_RELAXED);
    Release(chars_);
    chars_ = other.chars_;
  }
  return *this;
}

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    Release(chars_);
    chars_ = other.chars_;
    other.chars_ = EmptyChars();
  }
  return *this;
}

String& String::operator=(const char* text) {
  if (!text) {
    Empty();
  } else {
    Assign(text, ClampLength(std::strlen(text)));
  }
  return *this;
}

void String::Assign(const char* text, int n) {
  if (n < 1 || !text) {
    Empty();
    return;
  }
  // The source may lie inside this string's own buffer, which a reallocation would free.
  if (text >= chars_ && text <= chars_ + Length()) {
    const std::string copy(text, static_cast<size_t>(n));
    Assign(copy.data(), n);
    return;
  }
  AllocBeforeWrite(n);
  std::memcpy(chars_, text, static_cast<size_t>(n));
  SetLength(n);
}

void String::AssignWide(const char16_t* text) {
  if (!text) {
    Empty();
    return;
  }
  const std::string converted = Utf16ToCp1252(std::u16string_view(text));
  *this = converted.c_str();
}

void String::AssignWide(const char16_t* text, int n) {
  if (!text || n < 1) {
    Empty();
    return;
  }
  const std::u16string_view whole(text);
  const std::string converted = Utf16ToCp1252(whole.substr(0, std::min<size_t>(static_cast<size_t>(n), whole.size())));
  Assign(converted.data(), ClampLength(converted.size()));
}

int WideToAnsi(char* destination, const char16_t* text, int size) {
  if (!destination || size < 1) return 0;
  const std::string converted = text ? Utf16ToCp1252(std::u16string_view(text)) : std::string();
  const size_t n = std::min(converted.size(), static_cast<size_t>(size - 1));
  std::memcpy(destination, converted.data(), n);
  destination[n] = '\0';
  return static_cast<int>(n + 1);
}

bool String::operator==(const String& other) const {
  return Length() == other.Length() && std::memcmp(chars_, other.chars_, static_cast<size_t>(Length())) == 0;
}

bool String::operator==(const char* text) const { return text && std::strcmp(chars_, text) == 0; }

bool String::EqualsNoCase(const char* text) const {
  if (!text) return false;
  const char* a = chars_;
  for (; *a && *text; ++a, ++text) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*text))) return false;
  }
  return *a == *text;
}

// A String's length counts every byte it holds, NULs within it included, so both parts are
// copied by their lengths, never by a scan for the first NUL.
String String::Concat(const String& a, const char* b, int lengthB) {
  String result;
  const int total = a.Length() + lengthB;
  if (total < 1) return result;
  result.chars_ = Allocate(total);
  std::memcpy(result.chars_, a.chars_, static_cast<size_t>(a.Length()));
  if (lengthB > 0) std::memcpy(result.chars_ + a.Length(), b, static_cast<size_t>(lengthB));
  result.SetLength(total);
  return result;
}

String operator+(const String& a, const String& b) {
  return String::Concat(a, b.chars_, b.Length());
}

String operator+(const String& a, const char* b) {
  return String::Concat(a, b, b ? ClampLength(std::strlen(b)) : 0);
}

void String::Append(int n, const char* text) {
  if (n < 1 || !text) return;
  const int length = Length();
  if (Rep()->refs >= 0 && Rep()->refs < 2 && length + n <= Rep()->capacity) {
    std::memmove(chars_ + length, text, static_cast<size_t>(n));
    SetLength(length + n);
    return;
  }
  char* fresh = Allocate(length + n);
  std::memcpy(fresh, chars_, static_cast<size_t>(length));
  std::memcpy(fresh + length, text, static_cast<size_t>(n));
  Release(chars_);
  chars_ = fresh;
  SetLength(length + n);
}

String& String::operator+=(const char* text) {
  if (text) Append(ClampLength(std::strlen(text)), text);
  return *this;
}

String& String::operator+=(char c) {
  Append(1, &c);
  return *this;
}

String& String::operator+=(const String& other) {
  // Appending a string to itself reads the old characters before any reallocation frees them.
  const String keep(other);
  Append(keep.Length(), keep.chars_);
  return *this;
}

char* String::GetBuffer(int minimumLength) {
  const int length = Length();
  if (Rep()->refs >= 0 && Rep()->refs < 2 && minimumLength <= Rep()->capacity) return chars_;
  const int capacity = std::max(minimumLength, length);
  if (capacity < 1) return chars_;  // the empty representation's single NUL
  char* fresh = Allocate(capacity);
  std::memcpy(fresh, chars_, static_cast<size_t>(length) + 1);
  Release(chars_);
  chars_ = fresh;
  Rep()->length = length;
  return chars_;
}

void String::ReleaseBuffer(int newLength) {
  CopyBeforeWrite();
  if (chars_ == EmptyChars()) return;
  if (newLength < 0) newLength = ClampLength(strnlen(chars_, static_cast<size_t>(Rep()->capacity)));
  newLength = std::min(newLength, Rep()->capacity);
  SetLength(newLength);
}

String String::Mid(int position) const { return MidCount(position, Length() - position); }

String String::MidCount(int position, int count) const {
  position = std::max(position, 0);
  count = std::max(count, 0);
  String result;
  if (position >= Length()) return result;
  count = std::min(count, Length() - position);
  if (position == 0 && count == Length()) return *this;
  result.Assign(chars_ + position, count);
  return result;
}

String String::Left(int n) const { return MidCount(0, std::clamp(n, 0, Length())); }

int String::Find(int position, const char* characters) const {
  if (position < 0 || position >= Length() || !characters) return -1;
  for (int i = position; i < Length(); ++i) {
    if (std::strchr(characters, chars_[i]) && chars_[i] != '\0') return i;
  }
  return -1;
}

String String::Tokenize(char separator, int* position) const {
  String token;
  if (!position || *position < 0 || *position >= Length()) return token;
  const char* start = chars_ + *position;
  const void* found = std::memchr(start, separator, static_cast<size_t>(Length() - *position));
  if (!found) {
    token.Assign(start, Length() - *position);
    *position = Length();
  } else {
    const int end = static_cast<int>(static_cast<const char*>(found) - chars_);
    token.Assign(start, end - *position);
    *position = end + 1;
  }
  return token;
}

void String::MakeReverse() {
  if (Length() < 2) return;
  CopyBeforeWrite();
  std::reverse(chars_, chars_ + Length());
}

int String::InsertChar(int position, char c) {
  InsertBytes(position, &c, 1);
  return Length();
}

void String::Insert(int position, const char* text) {
  if (!text || !*text) return;
  const std::string copy(text);  // the text may lie inside this string
  InsertBytes(position, copy.data(), ClampLength(copy.size()));
}

void String::InsertBytes(int position, const char* data, int n) {
  const int length = Length();
  position = std::clamp(position, 0, length);
  if (Rep()->refs >= 0 && Rep()->refs < 2 && length + n <= Rep()->capacity) {
    std::memmove(chars_ + position + n, chars_ + position, static_cast<size_t>(length - position));
    std::memcpy(chars_ + position, data, static_cast<size_t>(n));
    SetLength(length + n);
    return;
  }
  char* fresh = Allocate(length + n);
  std::memcpy(fresh, chars_, static_cast<size_t>(position));
  std::memcpy(fresh + position, data, static_cast<size_t>(n));
  std::memcpy(fresh + position + n, chars_ + position, static_cast<size_t>(length - position));
  Release(chars_);
  chars_ = fresh;
  SetLength(length + n);
}

void String::Delete(int position, int count) {
  position = std::max(position, 0);
  if (count < 1 || position >= Length()) return;
  CopyBeforeWrite();
  const int length = Length();
  count = std::min(count, length - position);
  std::memmove(chars_ + position, chars_ + position + count, static_cast<size_t>(length - position - count));
  SetLength(length - count);
}

void String::TrimRight() {
  int end = Length();
  while (end > 0 && std::isspace(static_cast<unsigned char>(chars_[end - 1]))) --end;
  if (end == Length()) return;
  if (end == 0) {
    Empty();
    return;
  }
  CopyBeforeWrite();
  SetLength(end);
}

void String::TrimLeft() {
  int start = 0;
  while (start < Length() && std::isspace(static_cast<unsigned char>(chars_[start]))) ++start;
  if (start > 0) Delete(0, start);
  if (Length() == 0) Empty();
}

void String::Empty() {
  Release(chars_);
  chars_ = EmptyChars();
}

// A value beyond 32 bits clamps to the nearest 32-bit limit, as a 32-bit strtol answers, rather
// than wrapping round to an unrelated number.
int String::ToInt() const {
  const char* x = chars_;
  while (*x && *x != 'x' && *x != 'X') ++x;
  const long long value = *x ? std::strtoll(x + 1, nullptr, 16) : std::strtoll(chars_, nullptr, 10);
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max()));
}

long String::ToLong() const { return std::strtol(chars_, nullptr, 10); }

unsigned long String::ToULong() const { return std::strtoul(chars_, nullptr, 10); }

namespace {

bool LoadFrom(const ResourceModule* module, int id, String* out) {
  out->Empty();
  if (!module || id < 0 || id > 0xFFFF) return false;
  const ResourceModule::Bytes entry = module->Find(kStringTableType, static_cast<uint32_t>(id));
  if (entry.empty()) return false;
  const char* text = reinterpret_cast<const char*>(entry.data());
  const size_t length = strnlen(text, entry.size());
  out->Assign(text, ClampLength(length));
  return !out->IsEmpty();
}

}  // namespace

bool String::LoadExeString(int id) { return LoadFrom(ExeModule(), id, this); }

bool String::LoadResString(int id) { return LoadFrom(AssetModule(), id, this); }

void String::FormatV(const char* format, va_list args) {
  if (!format) {
    Empty();
    return;
  }
  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (needed < 1) {
    Empty();
    return;
  }
  String result;
  result.chars_ = Allocate(needed);
  std::vsnprintf(result.chars_, static_cast<size_t>(needed) + 1, format, args);
  result.SetLength(ClampLength(std::strlen(result.chars_)));
  *this = std::move(result);
}

void String::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void String::FormatExeString(int id, ...) {
  String format;
  format.LoadExeString(id);
  va_list args;
  va_start(args, id);
  FormatV(format.CStr(), args);
  va_end(args);
}

void String::FormatResString(int id, ...) {
  String format;
  format.LoadResString(id);
  va_list args;
  va_start(args, id);
  FormatV(format.CStr(), args);
  va_end(args);
}

void String::FormatNumber(int value) { *this = FormatLocaleInteger(value).c_str(); }

void String::FormatTime(int hours, int minutes, int seconds) {
  Format("%d:%02d:%02d", std::max(hours, 0), std::clamp(minutes, 0, 59), std::clamp(seconds, 0, 59));
}

void String::FormatSeconds(int seconds) {
  seconds = std::max(seconds, 0);
  const int remainder = seconds % 3600;
  FormatTime(seconds / 3600, remainder / 60, remainder % 60);
}
