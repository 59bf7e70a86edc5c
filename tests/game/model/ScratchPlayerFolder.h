#pragma once
// A folder of its own for the players' files of one test case, with no player in the list, a
// default profile and no failed save; removed, and the folders and players reset, when it goes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"

class ScratchPlayerFolder {
public:
    static constexpr const char* kProgramFolder = "/opt/quillomar/";

    explicit ScratchPlayerFolder(const std::string& prefix)
        : path_(std::filesystem::temp_directory_path() /
                (prefix + "_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        PlayerFolders::Set((path_.string() + "/").c_str(), kProgramFolder);
        ResetPlayers();
    }
    ~ScratchPlayerFolder()
    {
        ResetPlayers();
        PlayerFolders::Set(String(), String());
        std::filesystem::remove_all(path_);
    }
    ScratchPlayerFolder(const ScratchPlayerFolder&) = delete;
    ScratchPlayerFolder& operator=(const ScratchPlayerFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // With a separator at the end, as the game's folders are kept.
    String Folder() const { return (path_.string() + "/").c_str(); }

    static void ResetPlayers()
    {
        ThePlayerList().Clear();
        ThePlayerList().SetCurrentId(-1);
        ThePlayerList().SetChanged(false);
        CurrentProfile() = PlayerProfile();
        PlayerFilesNotice() = SaveFailureNotice();
    }

private:
    std::filesystem::path path_;
};
