#include "game/model/PlayerList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/core/DataStream.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"
#include "tests/game/model/PlayerFolderTest.h"

namespace {

class PlayerListTest : public PlayerFolderTest {
protected:
    struct RawEntry {
        int32_t id;
        const char* name;
    };

    // A list record with a valid trailer, whatever its contents say.
    static std::vector<uint8_t> Record(int32_t magic, int32_t version, int32_t current, int32_t count,
                                       std::vector<RawEntry> entries)
    {
        DataStream stream;
        stream.OpenWriteMemory();
        stream.TransferShort(&magic);
        stream.TransferChar(&version);
        stream.TransferShort(&current);
        stream.TransferShort(&count);
        for (RawEntry& entry : entries) {
            String name = entry.name;
            stream.TransferShort(&entry.id);
            stream.TransferString(&name);
        }
        stream.Finish();
        return {stream.Written().begin(), stream.Written().end()};
    }

    static std::vector<int32_t> Ids(const PlayerList& list)
    {
        std::vector<int32_t> ids;
        for (int i = 0; i < list.Count(); ++i)
            ids.push_back(list.At(i).id);
        return ids;
    }

    void SaveProfile(int32_t id, const char* name)
    {
        PlayerProfile p(id);
        p.name = name;
        p.storyLevelsDone = id;
        ASSERT_TRUE(p.Save());
    }
};

TEST_F(PlayerListTest, AddTakesTheLowestFreeIdAndSetsChanged)
{
    PlayerList list;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("b"), 1);
    EXPECT_EQ(list.Add("c"), 2);
    EXPECT_TRUE(list.IsChanged());
    list.Remove(1);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(list.Add("d"), 1);  // ids {0, 2} give 1
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 2, 1}));

    PlayerList other;
    other.Add("x");
    other.Add("y");
    other.Remove(0);
    EXPECT_EQ(other.Add("z"), 0);
    EXPECT_EQ(Ids(other), (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(other.Add("w"), 2);  // ids {1, 0} give 2
}

TEST_F(PlayerListTest, AFullListRefusesAnotherPlayer)
{
    PlayerList list;
    for (int i = 0; i < PlayerList::kMaxPlayers; ++i)
        ASSERT_EQ(list.Add("p"), i);
    list.SetChanged(false);
    EXPECT_EQ(list.Add("one too many"), -1);
    EXPECT_EQ(list.Count(), PlayerList::kMaxPlayers);
    EXPECT_FALSE(list.IsChanged());
}

TEST_F(PlayerListTest, LookupsOnAbsentIdsAndPositions)
{
    PlayerList list;
    EXPECT_STREQ(list.NameOf(0).CStr(), "Player 1");
    EXPECT_EQ(list.IndexOfCurrent(), 0);
    EXPECT_EQ(list.SelectIndex(0), -1);
    list.Add("Ann");
    list.Add("Bo");
    list.Add("Cy");
    EXPECT_STREQ(list.NameOf(1).CStr(), "Bo");
    EXPECT_STREQ(list.NameOf(7).CStr(), "Player 1");
    EXPECT_EQ(list.SelectIndex(2), 2);
    EXPECT_EQ(list.IndexOfCurrent(), 2);
    list.Remove(0);  // later entries move up
    EXPECT_EQ(list.IndexOfCurrent(), 1);
    EXPECT_STREQ(list.At(0).name.CStr(), "Bo");
    EXPECT_EQ(list.SelectIndex(2), -1);
    EXPECT_EQ(list.CurrentId(), -1);
    EXPECT_EQ(list.SelectIndex(-1), -1);
    list.Remove(42);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(PlayerListTest, SaveAndLoadKeepOrderNamesAndCurrent)
{
    PlayerList list;
    list.Add("Ann");
    list.Add("Bo");
    list.Add("Cy");
    list.Remove(0);
    list.Add("Di");  // id 0 again, last in order
    list.SelectIndex(1);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(ReadBytes(Path("list.usr")),
              Record(0x4C49, 1, 2, 3, {{1, "Bo"}, {2, "Cy"}, {0, "Di"}}));

    PlayerList loaded;
    EXPECT_TRUE(loaded.Load());
    EXPECT_EQ(Ids(loaded), (std::vector<int32_t>{1, 2, 0}));
    EXPECT_STREQ(loaded.NameOf(0).CStr(), "Di");
    EXPECT_EQ(loaded.CurrentId(), 2);
    EXPECT_FALSE(loaded.IsChanged());
}

TEST_F(PlayerListTest, ACurrentIdNotInTheListGivesWayToTheFirstPlayer)
{
    for (int32_t current : {77, -5}) {
        SCOPED_TRACE(current);
        WriteBytes(Path("list.usr"), Record(0x4C49, 1, current, 2, {{4, "Ann"}, {1, "Bo"}}));
        PlayerList list;
        EXPECT_TRUE(list.Load());
        EXPECT_EQ(list.CurrentId(), 4);
    }
    WriteBytes(Path("list.usr"), Record(0x4C49, 1, 3, 0, {}));
    PlayerList empty;
    EXPECT_TRUE(empty.Load());
    EXPECT_EQ(empty.CurrentId(), -1);
}

TEST_F(PlayerListTest, NamesLongerThanTheNewPlayerBoxTakesAreCutWhenRead)
{
    const std::string longName(PlayerList::kMaxNameLength + 50, 'w');
    const std::vector<uint8_t> bytes = Record(0x4C49, 1, 0, 2, {{0, longName.c_str()}, {1, "Bo"}});
    PlayerList list;
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    list.SerializeState(&stream);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(std::string(list.NameOf(0).CStr()), longName.substr(0, PlayerList::kMaxNameLength));
    EXPECT_STREQ(list.NameOf(1).CStr(), "Bo");

    SaveProfile(0, longName.c_str());
    PlayerProfile loaded;
    ASSERT_TRUE(loaded.Load(0, String()));
    EXPECT_EQ(loaded.name.Length(), PlayerList::kMaxNameLength);
}

TEST_F(PlayerListTest, FirstStartHasNoPlayers)
{
    PlayerList list;
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CurrentId(), -1);
}

TEST_F(PlayerListTest, UnsoundRecordsAreRefused)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"magic", Record(0x4C48, 1, 0, 1, {{0, "A"}})},
        {"version", Record(0x4C49, 2, 0, 1, {{0, "A"}})},
        {"negative count", Record(0x4C49, 1, 0, -1, {})},
        {"count beyond the data", Record(0x4C49, 1, 0, 30000, {{0, "A"}})},
        {"count above the limit", Record(0x4C49, 1, 0, 1001, {})},
        {"duplicate ids", Record(0x4C49, 1, 0, 2, {{3, "A"}, {3, "B"}})},
        {"negative id", Record(0x4C49, 1, -1, 1, {{-1, "A"}})},
        {"one entry short", Record(0x4C49, 1, 0, 2, {{0, "A"}})},
        {"one entry short of longer names", Record(0x4C49, 1, 0, 3, {{0, "Anna"}, {1, "Bert"}})},
    };
    // A refused read leaves a list that already holds players alone.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlayerList list;
        list.Add("kept");
        list.SetCurrentId(0);
        DataStream stream;
        stream.OpenMemory(c.bytes.data(), c.bytes.size());
        list.SerializeState(&stream);
        EXPECT_EQ(Ids(list), std::vector<int32_t>{0});
        EXPECT_STREQ(list.At(0).name.CStr(), "kept");
        EXPECT_EQ(list.CurrentId(), 0);
    }
}

TEST_F(PlayerListTest, DamagedListIsRebuiltFromTheProfiles)
{
    SaveProfile(7, "Seven");
    SaveProfile(3, "Three");
    SaveProfile(11, "Eleven");
    std::filesystem::copy_file(Path("3.usr"), Path("4.usr"));  // stored id 3: not player 4
    WriteBytes(Path("20.usr"), {1, 2, 3});
    WriteBytes(Path("x1.usr"), {1, 2, 3});
    PlayerList list;
    list.Add("Three");
    list.Add("Seven");
    ASSERT_TRUE(list.Save());
    auto bytes = ReadBytes(Path("list.usr"));
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        WriteBytes(Path("list.usr"), {bytes.begin(), bytes.begin() + static_cast<long>(cut)});
        PlayerList loaded;
        ASSERT_FALSE(loaded.Load()) << cut;
        ASSERT_EQ(Ids(loaded), (std::vector<int32_t>{3, 7, 11})) << cut;
        ASSERT_STREQ(loaded.NameOf(11).CStr(), "Eleven");
        ASSERT_EQ(loaded.CurrentId(), 3);
    }
    bytes[6] ^= 0x20;
    WriteBytes(Path("list.usr"), bytes);
    PlayerList flipped;
    EXPECT_FALSE(flipped.Load());
    EXPECT_EQ(Ids(flipped), (std::vector<int32_t>{3, 7, 11}));
}

TEST_F(PlayerListTest, AListThatCannotBeReadIsLeftAsItIsAndNoNewPlayerTakesAnUnreadableProfile)
{
    // Refused to root as to anyone, yet a rename would replace them, as it would another user's file.
    ASSERT_EQ(mkfifo(Path("list.usr").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(Path("0.usr").c_str(), 0600), 0);
    SaveProfile(1, "One");
    PlayerList list;
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(Ids(list), std::vector<int32_t>{1});
    EXPECT_TRUE(list.TakeUnreadableNotice());
    EXPECT_FALSE(list.TakeUnreadableNotice());
    EXPECT_EQ(list.Add("New"), 2);
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(std::filesystem::is_fifo(Path("list.usr")));
}

TEST_F(PlayerListTest, ProfilesWrittenByAnotherInstallationAreRecovered)
{
    SaveProfile(2, "Two");
    PlayerFolders::Set((scratch_->Path().string() + "/").c_str(), "/elsewhere/");
    WriteBytes(Path("list.usr"), {0x4C});
    PlayerList list;
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(Ids(list), std::vector<int32_t>{2});
    EXPECT_EQ(list.CurrentId(), 2);
}

TEST_F(PlayerListTest, AFailedSaveKeepsThePreviousFileAndIsToldOf)
{
    PlayerList list;
    list.Add("Ann");
    ASSERT_TRUE(list.Save());
    const auto before = ReadBytes(Path("list.usr"));
    list.Add("Bo");
    PlayerFolders::Set((scratch_->Path().string() + "/missing/").c_str(), kProgramFolder);
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(ReadBytes(Path("list.usr")), before);
    EXPECT_TRUE(PlayerFilesNotice().Take());
}

}  // namespace
