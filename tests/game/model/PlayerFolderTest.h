#pragma once
// A scratch player folder for each test, removed afterwards, with the folders reset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/game/model/ScratchPlayerFolder.h"

class PlayerFolderTest : public ::testing::Test {
protected:
    static constexpr const char* kProgramFolder = ScratchPlayerFolder::kProgramFolder;

    void SetUp() override { scratch_ = std::make_unique<ScratchPlayerFolder>("qm_players"); }
    void TearDown() override { scratch_.reset(); }

    std::filesystem::path Path(const std::string& name) const { return scratch_->Path() / name; }

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

    std::unique_ptr<ScratchPlayerFolder> scratch_;
};
