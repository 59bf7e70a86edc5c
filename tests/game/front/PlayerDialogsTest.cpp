#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <fstream>

#include "framework/ui/EditBox.h"
#include "framework/ui/ListBox.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/PlayerSelectDialog.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "game/play/TextButton.h"
#include "tests/game/model/ScratchPlayerFolder.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class PlayerDialogsTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        h.display.AddImage(293, 112, 28);
        h.display.AddImage(294, 112, 28);
        resources.AddString(163, "delete %s?");
        scratch_ = std::make_unique<ScratchPlayerFolder>("qm_playerdialogs");
    }

    void TearDown() override
    {
        scratch_.reset();
        DialogTest::TearDown();
    }

    // Players with profile files on disk; the first is current.
    void MakePlayers(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const int32_t id = ThePlayerList().Add(name);
            PlayerProfile p(id);
            p.name = name;
            p.storyLevelsDone = id + 1;
            ASSERT_TRUE(p.Save());
        }
        ThePlayerList().SelectIndex(0);
        ThePlayerList().SetChanged(false);
        CurrentProfile().Load(ThePlayerList().CurrentId(), ThePlayerList().NameOf(ThePlayerList().CurrentId()));
    }

    void Touch(const std::string& name) { std::ofstream(scratch_->Path() / name) << "x"; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(scratch_->Path() / name); }

    template <class T>
    T* Open(T* dialog)
    {
        h.manager.PushScreen(dialog, true, true, false);
        h.Frames(2);
        return dialog;
    }

    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            h.manager.OnChar(static_cast<unsigned char>(*c), 1, 0);
    }

    std::vector<int32_t> ButtonCommands(Screen* screen) const
    {
        std::vector<int32_t> ids;
        for (Widget* w : screen->GetWidgets())
            if (auto* b = dynamic_cast<TextButton*>(w))
                ids.push_back(b->GetCommandId());
        return ids;
    }

    std::unique_ptr<ScratchPlayerFolder> scratch_;
};

TEST_F(PlayerDialogsTest, FirstPlayerFormTakesANameAndMakesItCurrent)
{
    auto* dialog = Open(new NewPlayerDialog(true));
    EXPECT_EQ(ButtonCommands(dialog), std::vector<int32_t>{1});  // no Cancel
    EXPECT_FALSE(dialog->OnCommand(2));
    dialog->OnCommand(1);
    EXPECT_TRUE(dialog->GetPanel()->IsTimedTextShown());
    EXPECT_EQ(ThePlayerList().Count(), 0);

    Type("mei lin");  // the test font has small letters only
    dialog->OnEditEnter(dialog->GetEditBox());
    dialog->OnCommand(1);  // a second answer while it closes adds nobody
    ASSERT_EQ(ThePlayerList().Count(), 1);
    EXPECT_STREQ(ThePlayerList().At(0).name.CStr(), "mei lin");
    EXPECT_EQ(ThePlayerList().CurrentId(), 0);
    EXPECT_TRUE(ThePlayerList().IsChanged());
    EXPECT_EQ(CurrentProfile().id, 0);
    EXPECT_STREQ(CurrentProfile().name.CStr(), "mei lin");
    PlayerList onDisk;
    ASSERT_TRUE(onDisk.Load());
    EXPECT_EQ(onDisk.CurrentId(), 0);
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), nullptr);
}

TEST_F(PlayerDialogsTest, ListFormAddsWithoutChangingTheCurrentPlayerAndCancels)
{
    MakePlayers({"Ann", "Bo"});
    auto* dialog = Open(new NewPlayerDialog(false));
    EXPECT_EQ(ButtonCommands(dialog), (std::vector<int32_t>{1, 2}));
    dialog->OnCommand(2);
    EXPECT_EQ(ThePlayerList().Count(), 2);
    h.Frames(30);

    dialog = Open(new NewPlayerDialog(false));
    Type("Cy");
    dialog->OnCommand(1);
    EXPECT_EQ(ThePlayerList().Count(), 3);
    EXPECT_EQ(ThePlayerList().CurrentId(), 0);
    EXPECT_STREQ(CurrentProfile().name.CStr(), "Ann");
}

TEST_F(PlayerDialogsTest, AFullListKeepsTheNameBoxOpenAndSaysSo)
{
    for (int i = 0; i < PlayerList::kMaxPlayers; ++i)
        ThePlayerList().Add("p");
    auto* dialog = Open(new NewPlayerDialog(false));
    Type("Cy");
    dialog->OnCommand(1);
    EXPECT_TRUE(dialog->GetPanel()->IsTimedTextShown());
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);
    EXPECT_EQ(ThePlayerList().Count(), PlayerList::kMaxPlayers);
}

TEST_F(PlayerDialogsTest, ListShowsTheAddRowThenThePlayersWithTheCurrentSelected)
{
    MakePlayers({"Ann", "Bo", "Cy"});
    ThePlayerList().SelectIndex(1);
    auto* dialog = Open(new PlayerSelectDialog());
    ListBox* list = dialog->GetList();
    ASSERT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(list->GetItemData(0), 0xFFFF);
    EXPECT_STREQ(list->GetItemText(2).CStr(), "Bo");
    EXPECT_EQ(list->GetItemData(3), 2);
    EXPECT_EQ(list->GetSelection(), 2);
    EXPECT_EQ(ButtonCommands(dialog), (std::vector<int32_t>{3, 1, 2}));

    list->Select(3);
    dialog->OnCommand(4);
    dialog->OnCommand(1);
    EXPECT_EQ(ThePlayerList().CurrentId(), 2);
    EXPECT_EQ(CurrentProfile().id, 2);
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 3);  // read from Cy's file
    PlayerList onDisk;
    ASSERT_TRUE(onDisk.Load());
    EXPECT_EQ(onDisk.CurrentId(), 2);
}

TEST_F(PlayerDialogsTest, OkKeepsTheRecordOfThePlayerChosenAgainAndWritesTheOneLeft)
{
    MakePlayers({"Ann", "Bo"});
    CurrentProfile().storyLevelsDone = 9;
    PlayerFolders::Set(scratch_->Folder() + "missing/", ScratchPlayerFolder::kProgramFolder);
    auto* dialog = Open(new PlayerSelectDialog());
    dialog->OnCommand(1);
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 9);
    h.Frames(30);
    PlayerFolders::Set(scratch_->Folder(), ScratchPlayerFolder::kProgramFolder);
    dialog = Open(new PlayerSelectDialog());
    dialog->GetList()->Select(2);
    dialog->OnCommand(4);
    dialog->OnCommand(1);
    EXPECT_STREQ(CurrentProfile().name.CStr(), "Bo");
    PlayerProfile ann;
    ASSERT_TRUE(ann.Load(0, "Ann"));
    EXPECT_EQ(ann.storyLevelsDone, 9);
}

TEST_F(PlayerDialogsTest, OkAndCloseWithoutPlayersShowTheNoticeAndStay)
{
    auto* dialog = Open(new PlayerSelectDialog());
    dialog->OnCommand(1);
    EXPECT_TRUE(dialog->GetPanel()->IsTimedTextShown());
    h.Frames(100);
    EXPECT_FALSE(dialog->GetPanel()->IsTimedTextShown());
    dialog->OnCommand(2);
    EXPECT_TRUE(dialog->GetPanel()->IsTimedTextShown());
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);
}

TEST_F(PlayerDialogsTest, PickingTheAddRowOpensTheNameBoxAndSelectsTheNewPlayerAfter)
{
    MakePlayers({"Ann", "Bo"});
    auto* dialog = Open(new PlayerSelectDialog());
    ListBox* list = dialog->GetList();
    list->Select(0);
    dialog->OnCommand(4);
    EXPECT_EQ(list->GetSelection(), 1);  // back on the last row chosen
    auto* add = dynamic_cast<NewPlayerDialog*>(h.manager.GetTopScreen());
    ASSERT_NE(add, nullptr);
    EXPECT_FALSE(add->IsFirstPlayerForm());
    h.Frames(2);
    Type("Cy");
    add->OnCommand(1);
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);
    ASSERT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(list->GetSelection(), 3);
    EXPECT_FALSE(ThePlayerList().IsChanged());

    // Delete with the add row selected asks nothing.
    list->Select(0);
    dialog->OnCommand(3);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);
}

TEST_F(PlayerDialogsTest, DeletingAPlayerRemovesOnlyTheirFiles)
{
    MakePlayers({"p0", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p9", "p10", "p11"});
    ThePlayerList().SelectIndex(1);
    CurrentProfile().Load(1, "p1");
    for (const char* name : {"1_5.sav", "1_5_D.sav", "1.usr.bad", "1.usr.bad1", "11_5.sav", "11_2_D.sav",
                             "11.usr.bad", "10.usr.bad1", "2_1.sav"})
        Touch(name);
    auto* dialog = Open(new PlayerSelectDialog());
    ListBox* list = dialog->GetList();
    ASSERT_EQ(list->GetSelection(), 2);
    dialog->OnCommand(3);
    auto* question = dynamic_cast<MessageDialog*>(h.manager.GetTopScreen());
    ASSERT_NE(question, nullptr);
    int32_t x = 0, y = 0;
    question->GetOrigin(x, y);
    EXPECT_EQ(x, 212);
    EXPECT_EQ(y, 180);
    EXPECT_STREQ(question->GetPanel()->Line(0).text.CStr(), "delete p1?");
    h.Frames(2);
    question->OnCommand(1);
    for (const char* gone : {"1.usr", "1_5.sav", "1_5_D.sav", "1.usr.bad", "1.usr.bad1"})
        EXPECT_FALSE(Exists(gone)) << gone;
    for (const char* kept : {"0.usr", "11.usr", "11_5.sav", "11_2_D.sav", "11.usr.bad", "10.usr.bad1", "2_1.sav"})
        EXPECT_TRUE(Exists(kept)) << kept;
    EXPECT_EQ(ThePlayerList().Count(), 11);
    EXPECT_STREQ(ThePlayerList().NameOf(1).CStr(), "Player 1");
    // The deleted player was current: the first remaining one is, with their own profile.
    EXPECT_EQ(ThePlayerList().CurrentId(), 0);
    EXPECT_EQ(CurrentProfile().id, 0);
    EXPECT_STREQ(CurrentProfile().name.CStr(), "p0");
    EXPECT_EQ(list->GetItemCount(), 12);
    PlayerList onDisk;
    ASSERT_TRUE(onDisk.Load());
    EXPECT_EQ(onDisk.Count(), 11);
}

TEST_F(PlayerDialogsTest, DeletingTheLastPlayerLeavesNoProfileToWriteBack)
{
    MakePlayers({"Solo"});
    auto* dialog = Open(new PlayerSelectDialog());
    dialog->OnDelete();
    EXPECT_EQ(ThePlayerList().Count(), 0);
    EXPECT_EQ(ThePlayerList().CurrentId(), -1);
    EXPECT_EQ(CurrentProfile().id, -1);
    EXPECT_FALSE(CurrentProfile().Save());
    EXPECT_FALSE(Exists("0.usr"));
}

}  // namespace
