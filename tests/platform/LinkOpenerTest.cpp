#include "platform/LinkOpener.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LinkOpenerTest, OnlyPlainWebAddressesAreOpenable) {
  EXPECT_TRUE(IsOpenableLink("http://example.org"));
  EXPECT_TRUE(IsOpenableLink("HTTPS://example.org/a?b=c#d"));
  EXPECT_FALSE(IsOpenableLink(""));
  EXPECT_FALSE(IsOpenableLink("https://"));
  EXPECT_FALSE(IsOpenableLink("https:///path"));
  EXPECT_FALSE(IsOpenableLink("file:///etc/passwd"));
  EXPECT_FALSE(IsOpenableLink("javascript:alert(1)"));
  EXPECT_FALSE(IsOpenableLink("-https://example.org"));
  EXPECT_FALSE(IsOpenableLink("http://example.org/a b"));
  EXPECT_FALSE(IsOpenableLink("http://example.org/$(reboot)`x`"));
  EXPECT_FALSE(IsOpenableLink("http://example.org/\"q\""));
  EXPECT_FALSE(IsOpenableLink("http://example.org/\n"));
  EXPECT_FALSE(IsOpenableLink("http://exampl\xE9.org"));
  EXPECT_FALSE(IsOpenableLink("http://example.org/" + std::string(2100, 'a')));
}

TEST(LinkOpenerTest, RefusedLinksAreNeverHandedOn) {
  EXPECT_FALSE(OpenLinkInBrowser("ftp://example.org"));
  EXPECT_FALSE(OpenLinkInBrowser("http://a b"));
}

}  // namespace
