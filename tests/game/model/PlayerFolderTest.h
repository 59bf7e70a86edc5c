#pragma once
// A scratch player folder for each test, removed afterwards, with the folders reset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/model/PlayerFolders.h"

class PlayerFolderTest : public ::testing::Test {
protected:
    static constexpr const char* kProgramFolder = "/opt/quillomar/";

    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("qm_players_" + std::to_string(getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        PlayerFolders::Set((folder_.string() + "/").c_str(), kProgramFolder);
    }

    void TearDown() override
    {
        PlayerFolders::Set(String(), String());
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

    static std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::filesystem::path folder_;
};
