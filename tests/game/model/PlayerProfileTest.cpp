#include "game/model/PlayerProfile.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "framework/core/Crc32.h"
#include "framework/core/DataStream.h"
#include "game/model/PlayerList.h"
#include "game/model/SaveFailureNotice.h"
#include "tests/game/model/PlayerFolderTest.h"

// Set: renames that must not replace answer EINVAL, as on file systems without such a rename.
static bool refuseNoReplace = false;

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) noexcept
{
    if (refuseNoReplace && (flags & RENAME_NOREPLACE)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(syscall(SYS_renameat2, fromDir, from, toDir, to, flags));
}

namespace {

class PlayerProfileTest : public PlayerFolderTest {
protected:
    // A profile whose every field differs from its default.
    static PlayerProfile Played(int32_t id)
    {
        PlayerProfile p(id);
        p.name = "Mei Lin";
        p.autoHint = false;
        p.veil = false;
        p.currentLayout = 77;
        p.dealPercent = 85;
        p.freeTileSet = 4;
        p.background = 13;
        p.firstGameTip = true;
        for (int i = 0; i < PlayerProfile::kLayoutSlots; ++i) {
            p.bestTimes[i] = 100 + i;
            p.bestScores[i] = 70000 * i - 5;
        }
        p.storyLevelsDone = 17;
        p.storyTileSet = 5;
        for (int i = 0; i < PlayerProfile::kStoryLevels; ++i) {
            p.storyTimes[i] = 35999 - i;
            p.storyScores[i] = 123456 + i;
        }
        p.showLeaveNotice = false;
        return p;
    }

    static void ExpectSameRecord(const PlayerProfile& a, const PlayerProfile& b)
    {
        EXPECT_EQ(a.id, b.id);
        EXPECT_STREQ(a.name.CStr(), b.name.CStr());
        EXPECT_EQ(a.autoHint, b.autoHint);
        EXPECT_EQ(a.veil, b.veil);
        EXPECT_EQ(a.currentLayout, b.currentLayout);
        EXPECT_EQ(a.dealPercent, b.dealPercent);
        EXPECT_EQ(a.freeTileSet, b.freeTileSet);
        EXPECT_EQ(a.background, b.background);
        EXPECT_EQ(a.firstGameTip, b.firstGameTip);
        EXPECT_EQ(a.bestTimes, b.bestTimes);
        EXPECT_EQ(a.bestScores, b.bestScores);
        EXPECT_EQ(a.storyLevelsDone, b.storyLevelsDone);
        EXPECT_EQ(a.storyTileSet, b.storyTileSet);
        EXPECT_EQ(a.storyTimes, b.storyTimes);
        EXPECT_EQ(a.storyScores, b.storyScores);
        EXPECT_EQ(a.showLeaveNotice, b.showLeaveNotice);
    }

    static uint32_t Trailer(const std::vector<uint8_t>& bytes)
    {
        const size_t n = bytes.size();
        return static_cast<uint32_t>(bytes[n - 4] << 24 | bytes[n - 3] << 16 | bytes[n - 2] << 8 | bytes[n - 1]);
    }

    static void ExpectDefaults(const PlayerProfile& p, int32_t id, const char* name)
    {
        PlayerProfile fresh(id);
        fresh.name = name;
        ExpectSameRecord(p, fresh);
    }
};

TEST_F(PlayerProfileTest, DefaultsOfAResetProfile)
{
    PlayerProfile p = Played(3);
    p.Reset(9);
    EXPECT_EQ(p.id, 9);
    EXPECT_STREQ(p.name.CStr(), "Mei Lin");  // the reset keeps the name
    EXPECT_TRUE(p.autoHint);
    EXPECT_TRUE(p.veil);
    EXPECT_EQ(p.currentLayout, 0);
    EXPECT_EQ(p.dealPercent, 25);
    EXPECT_EQ(p.freeTileSet, 1);
    EXPECT_EQ(p.background, -1);
    EXPECT_FALSE(p.firstGameTip);
    EXPECT_EQ(p.storyLevelsDone, 0);
    EXPECT_EQ(p.storyTileSet, 0);
    EXPECT_TRUE(p.showLeaveNotice);
    for (int i = 0; i < PlayerProfile::kLayoutSlots; ++i)
        ASSERT_TRUE(p.bestTimes[i] == 36000 && p.bestScores[i] == 0) << i;
    for (int i = 0; i < PlayerProfile::kStoryLevels; ++i)
        ASSERT_TRUE(p.storyTimes[i] == 36000 && p.storyScores[i] == 0) << i;
    EXPECT_EQ(CurrentProfile().id, -1);
}

TEST_F(PlayerProfileTest, SavedFileLayoutAndTrailerOverTheBytesAlone)
{
    PlayerProfile p = Played(12);
    ASSERT_TRUE(p.Save());
    const auto bytes = ReadBytes(Path("12.usr"));
    const size_t nameBytes = strlen("Mei Lin") + 1;
    ASSERT_EQ(bytes.size(), 2u + 1 + 2 + nameBytes + 2 + 4 + 2 + 1 + 150 * 6 + 2 + 1 + 52 * 6 + 1 + 4);
    EXPECT_EQ(bytes[0], 0x51);
    EXPECT_EQ(bytes[1], 0x52);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes[4], 12);
    EXPECT_EQ(0, memcmp(&bytes[5], "Mei Lin", nameBytes));
    size_t at = 5 + nameBytes;
    EXPECT_EQ(bytes[at], 0);      // auto hint off
    EXPECT_EQ(bytes[at + 2], 0);  // current layout 77, big-endian
    EXPECT_EQ(bytes[at + 3], 77);
    EXPECT_EQ(bytes[at + 7], 13);  // background
    at += 9;
    // Layout 1: time 101, score 69995.
    EXPECT_EQ(bytes[at + 6], 0);
    EXPECT_EQ(bytes[at + 7], 101);
    EXPECT_EQ((bytes[at + 8] << 24 | bytes[at + 9] << 16 | bytes[at + 10] << 8 | bytes[at + 11]), 69995);

    EXPECT_EQ(Trailer(bytes), Crc32(bytes.data(), bytes.size() - 4));
}

TEST_F(PlayerProfileTest, RoundTripKeepsEveryField)
{
    const PlayerProfile saved = Played(4);
    PlayerProfile copy = saved;
    ASSERT_TRUE(copy.Save());
    PlayerProfile loaded;
    EXPECT_TRUE(loaded.Load(4, "ignored"));
    ExpectSameRecord(loaded, saved);
    EXPECT_EQ(loaded.magic, PlayerProfile::kMagic);
    EXPECT_EQ(loaded.version, PlayerProfile::kVersion);
}

TEST_F(PlayerProfileTest, InvalidFilesGiveDefaultsWithTheGivenName)
{
    PlayerProfile written = Played(2);
    ASSERT_TRUE(written.Save());
    const auto good = ReadBytes(Path("2.usr"));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto flipped = good;
    flipped[5 + 8 + 9 + 6 * 40 + 3] ^= 0x01;  // one byte of a best score
    cases.push_back({"score byte changed", flipped});
    cases.push_back({"empty", {}});
    auto wrongMagic = good;
    wrongMagic[0] = 0x52;
    cases.push_back({"magic", wrongMagic});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(Path("2.usr"), c.bytes);
        PlayerProfile p = Played(7);
        EXPECT_FALSE(p.Load(2, "Given"));
        ExpectDefaults(p, 2, "Given");
    }
}

TEST_F(PlayerProfileTest, AFileThatFailsItsCheckIsKeptAsideBeforeItIsReplaced)
{
    PlayerProfile written = Played(2);
    ASSERT_TRUE(written.Save());
    auto damaged = ReadBytes(Path("2.usr"));
    damaged[40] ^= 0x10;
    WriteBytes(Path("2.usr"), damaged);
    PlayerProfile p;
    EXPECT_FALSE(p.Load(2, "Given"));
    EXPECT_EQ(ReadBytes(Path("2.usr")), damaged);  // reading changes nothing
    ASSERT_TRUE(p.Save());
    EXPECT_EQ(ReadBytes(Path("2.usr.bad")), damaged);
    PlayerProfile again;
    EXPECT_TRUE(again.Load(2, "Other"));
    ExpectDefaults(again, 2, "Given");

    // A file damaged again is kept beside the first copy, not over it, also where the file
    // system takes a link for want of a rename that cannot replace.
    auto second = ReadBytes(Path("2.usr"));
    second[40] ^= 0x10;
    WriteBytes(Path("2.usr"), second);
    EXPECT_FALSE(again.Load(2, "Given"));
    refuseNoReplace = true;
    const bool kept = again.Save();
    refuseNoReplace = false;
    ASSERT_TRUE(kept);
    EXPECT_EQ(ReadBytes(Path("2.usr.bad")), damaged);
    EXPECT_EQ(ReadBytes(Path("2.usr.bad1")), second);

    // A file gone before its save leaves nothing to keep; with every name taken the damaged
    // file stays where it is.
    WriteBytes(Path("2.usr"), damaged);
    EXPECT_FALSE(again.Load(2, "Given"));
    std::filesystem::remove(Path("2.usr"));
    EXPECT_TRUE(again.Save());
    for (int copy = 2; copy < PlayerProfile::kKeptCopies; ++copy)
        WriteBytes(PlayerProfile::MakeKeptCopyName(2, copy).CStr(), {1});
    WriteBytes(Path("2.usr"), damaged);
    EXPECT_FALSE(again.Load(2, "Given"));
    EXPECT_FALSE(again.Save());
    EXPECT_EQ(ReadBytes(Path("2.usr")), damaged);
}

TEST_F(PlayerProfileTest, AFileThatCannotBeReadIsNeitherMovedAsideNorWrittenOver)
{
    // A regular file too large to be a profile is refused to root as to anyone, yet a rename
    // would replace it as it would another user's file.
    std::ofstream(Path("2.usr")) << "kept";
    std::filesystem::resize_file(Path("2.usr"), DataStream::kMaxFileBytes + 1);
    PlayerProfile p;
    EXPECT_FALSE(p.Load(2, "Given"));
    ExpectDefaults(p, 2, "Given");
    EXPECT_TRUE(p.TakeUnreadableNotice());
    EXPECT_FALSE(p.TakeUnreadableNotice());
    EXPECT_FALSE(p.Save());
    EXPECT_EQ(std::filesystem::file_size(Path("2.usr")), DataStream::kMaxFileBytes + 1);
    EXPECT_FALSE(std::filesystem::exists(Path("2.usr.bad")));
}

TEST_F(PlayerProfileTest, EveryTruncationIsRefused)
{
    PlayerProfile written = Played(5);
    ASSERT_TRUE(written.Save());
    const auto good = ReadBytes(Path("5.usr"));
    for (size_t length = 0; length < good.size(); ++length) {
        WriteBytes(Path("5.usr"), {good.begin(), good.begin() + static_cast<long>(length)});
        PlayerProfile p;
        ASSERT_FALSE(p.Load(5, "Cut")) << length;
        ASSERT_EQ(p.bestScores[1], 0) << length;
        ASSERT_STREQ(p.name.CStr(), "Cut") << length;
    }
}

TEST_F(PlayerProfileTest, ForeignIdIsReset)
{
    PlayerProfile other = Played(1);
    ASSERT_TRUE(other.Save());
    std::filesystem::copy_file(Path("1.usr"), Path("8.usr"));
    PlayerProfile p;
    EXPECT_FALSE(p.Load(8, "Copied"));
    ExpectDefaults(p, 8, "Copied");
}

TEST_F(PlayerProfileTest, TheProfileSurvivesAnotherProgramFolder)
{
    const String userData = scratch_->Folder();
    PlayerProfile played = Played(1);
    ASSERT_TRUE(played.Save());
    PlayerFolders::Set(userData, "/home/elsewhere/quillomar/");
    PlayerProfile moved;
    EXPECT_TRUE(moved.Load(1, "Moved"));
    ExpectSameRecord(moved, played);

    // A file whose CRC also ran over the folder of the copy that wrote it is read there, and
    // rewritten so that it no longer depends on that folder.
    auto older = ReadBytes(Path("1.usr"));
    uint32_t crc = Crc32(older.data(), older.size() - 4);
    for (const char* c = kProgramFolder; *c; ++c)
        Crc32UpdateByte(static_cast<uint8_t>(*c), &crc);
    for (int i = 0; i < 4; ++i)
        older[older.size() - 4 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    WriteBytes(Path("1.usr"), older);
    PlayerFolders::Set(userData, kProgramFolder);
    PlayerProfile original;
    EXPECT_TRUE(original.Load(1, "Original"));
    ExpectSameRecord(original, played);
    PlayerFolders::Set(userData, "/usr/local/games/quillomar/");
    PlayerProfile installed;
    EXPECT_TRUE(installed.Load(1, "Installed"));
    ExpectSameRecord(installed, played);
}

TEST_F(PlayerProfileTest, MissingFileGivesDefaults)
{
    PlayerProfile p = Played(3);
    EXPECT_FALSE(p.Load(3, "New"));
    ExpectDefaults(p, 3, "New");
}

TEST_F(PlayerProfileTest, OddValuesOfAValidFileAreBroughtIntoRange)
{
    PlayerProfile odd = Played(6);
    odd.currentLayout = 140;
    odd.dealPercent = 300;
    odd.freeTileSet = 9;
    odd.storyTileSet = -3;
    odd.background = 15;
    odd.storyLevelsDone = 60;
    odd.bestTimes[3] = 60000;
    odd.storyTimes[51] = 40000;
    ASSERT_TRUE(odd.Save());
    PlayerProfile p;
    ASSERT_TRUE(p.Load(6, "x"));
    EXPECT_EQ(p.currentLayout, 0);
    EXPECT_EQ(p.dealPercent, 100);
    EXPECT_EQ(p.freeTileSet, 1);
    EXPECT_EQ(p.storyTileSet, 0);
    EXPECT_EQ(p.background, -1);
    EXPECT_EQ(p.storyLevelsDone, 52);
    EXPECT_EQ(p.bestTimes[3], 36000);
    EXPECT_EQ(p.storyTimes[51], 36000);
    EXPECT_EQ(p.bestTimes[4], 104);  // values in range stay
    EXPECT_EQ(p.storyTimes[50], 35999 - 50);
}

TEST_F(PlayerProfileTest, SaveWritesOnlyItsOwnFileAndKeepsTheOldOneOnFailure)
{
    PlayerProfile nobody;
    EXPECT_FALSE(nobody.Save());
    EXPECT_TRUE(std::filesystem::is_empty(scratch_->Path()));

    PlayerProfile p = Played(3);
    ASSERT_TRUE(p.Save());
    const auto before = ReadBytes(Path("3.usr"));
    PlayerFolders::Set((scratch_->Path().string() + "/missing/").c_str(), kProgramFolder);
    p.name = "Changed";
    EXPECT_FALSE(p.Save());
    EXPECT_EQ(ReadBytes(Path("3.usr")), before);
}

TEST_F(PlayerProfileTest, FailedSavesOfTheProfileAndTheListAreToldOncePerStreak)
{
    PlayerProfile p = Played(3);
    PlayerList& list = ThePlayerList();
    SaveFailureNotice& notice = PlayerFilesNotice();
    const auto fail = [&] { PlayerFolders::Set(scratch_->Folder() + "missing/", kProgramFolder); };
    const auto mend = [&] { PlayerFolders::Set(scratch_->Folder(), kProgramFolder); };
    fail();
    // A story win saves more than once before its box opens, which still tells of it.
    EXPECT_FALSE(p.Save());
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(notice.Take());
    EXPECT_FALSE(notice.Take());
    mend();
    ASSERT_TRUE(list.Save());
    fail();
    EXPECT_FALSE(p.Save());  // the profile was never written again: the same streak
    EXPECT_FALSE(notice.Take());
    // Both written, a new streak is told; the list, written only when the players change, is
    // tried again by the next profile save, which ends that streak.
    mend();
    ASSERT_TRUE(p.Save());
    list.Add("Bo");
    fail();
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(notice.Take());
    mend();
    ASSERT_TRUE(p.Save());
    PlayerList read;
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.Count(), 1);
    fail();
    EXPECT_FALSE(p.Save());
    EXPECT_TRUE(notice.Take());
}

TEST_F(PlayerProfileTest, OneFileOfAStreakNeitherEndsNorRestartsItForTheOther)
{
    SaveFailureNotice notice;
    notice.Note(SaveFailureNotice::kProfile, false, "3.usr");
    notice.Note(SaveFailureNotice::kList, true, "list.usr");
    EXPECT_TRUE(notice.Take()) << "the profile still fails: the notice stays due";
    notice.Note(SaveFailureNotice::kList, false, "list.usr");
    EXPECT_FALSE(notice.Take()) << "the list failing too is the same streak";
}

TEST_F(PlayerProfileTest, FileNamesOfPlayerTwelve)
{
    const std::string folder = scratch_->Path().string() + "/";
    PlayerProfile p(12);
    EXPECT_EQ(std::string(PlayerProfile::MakeProfileFileName(12).CStr()), folder + "12.usr");
    EXPECT_EQ(std::string(p.MakeSaveFileName(5).CStr()), folder + "12_5.sav");
    EXPECT_EQ(std::string(p.MakeSaveFileNameD(5).CStr()), folder + "12_5_D.sav");
    String maskFolder;
    EXPECT_EQ(std::string(PlayerProfile::MakeSaveMaskName(12, &maskFolder).CStr()), folder + "12_*.sav");
    EXPECT_EQ(std::string(maskFolder.CStr()), folder);
}

}  // namespace
