// Link buttons: the address they open, the maker's link from the executable, and when they are
// disabled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlScene.h"
#include "FakeUiHost.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/ui/LinkButton.h"

namespace {

constexpr int32_t kLogo = 0xFF03;

class RecordingLink : public LinkButton {
public:
    using LinkButton::LinkButton;
    std::vector<std::string> opened;

protected:
    void OpenAddress(const String& address) override { opened.emplace_back(address.CStr()); }
};

struct LinkScene : ControlScene {
    RecordingLink* link;
    explicit LinkScene(RecordingLink* l) : link(l) {
        h.display.AddImage(kLogo, 50, 40);
        h.display.AddImage(LinkButton::kMakerLinkImageId, 60, 20);
        Show([l](ProbeScreen& s) { s.AddWidget(l, 10, 10); });
    }
};

}  // namespace

TEST(LinkButtonClicks, OpensItsAddressAndSendsNoCommand) {
    FakeUiHost host;
    LinkScene c(new RecordingLink(kLogo, "https://example.org/quillomar"));
    EXPECT_TRUE(c.link->IsEnabled());
    EXPECT_EQ(c.link->GetFrameWidth(), 50);
    c.Click(20, 20);
    ASSERT_EQ(c.link->opened.size(), 1u);
    EXPECT_EQ(c.link->opened[0], "https://example.org/quillomar");
    EXPECT_EQ(c.Commands(kLogo), 0);
    EXPECT_EQ(c.Sounds(Button::kClickSoundId), 1);
}

TEST(LinkButtonEnabling, EmptyAddressIsDisabled) {
    FakeUiHost host;
    LinkScene none(new RecordingLink(kLogo, nullptr));
    EXPECT_FALSE(none.link->IsEnabled());
    none.Click(20, 20);
    EXPECT_TRUE(none.link->opened.empty());
    LinkScene empty(new RecordingLink(kLogo, ""));
    EXPECT_FALSE(empty.link->IsEnabled());
}

TEST(LinkButtonEnabling, LinksSwitchDisablesOnlyTheMakersLink) {
    MemoryResources exe;
    exe.AddString(LinkButton::kMakerAddressId, "https://maker.example/");
    SetExeModule(&exe);
    FakeUiHost host;
    host.links = false;
    LinkScene maker(new RecordingLink(LinkButton::kMakerLinkImageId, "https://ignored.example/"));
    EXPECT_STREQ(maker.link->GetAddress().CStr(), "https://maker.example/");
    EXPECT_FALSE(maker.link->IsEnabled());
    LinkScene other(new RecordingLink(kLogo, "https://example.org/"));
    EXPECT_TRUE(other.link->IsEnabled());

    host.links = true;
    LinkScene on(new RecordingLink(LinkButton::kMakerLinkImageId, nullptr));
    EXPECT_TRUE(on.link->IsEnabled());
    EXPECT_EQ(on.link->GetFrameWidth(), 60);
    on.Click(15, 15);
    ASSERT_EQ(on.link->opened.size(), 1u);
    EXPECT_EQ(on.link->opened[0], "https://maker.example/");
    SetExeModule(nullptr);
}

TEST(LinkButtonEnabling, MakersLinkWithoutItsTextIsDisabled) {
    MemoryResources exe;
    SetExeModule(&exe);
    FakeUiHost host;
    LinkScene maker(new RecordingLink(LinkButton::kMakerLinkImageId, "https://ignored.example/"));
    EXPECT_TRUE(maker.link->GetAddress().IsEmpty());
    EXPECT_FALSE(maker.link->IsEnabled());
    SetExeModule(nullptr);
}
