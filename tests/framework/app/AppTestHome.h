#pragma once
// A private QUILLOMAR_HOME for each test, removed afterwards, with the globals reset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/app/AppGlobals.h"

class AppTestHome : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::temp_directory_path() /
            ("qm_app_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_);
    setenv("QUILLOMAR_HOME", home_.c_str(), 1);
    Globals() = AppGlobals();
    Globals().title = "Quillomar";
    Globals().companyKey = "Fennlow";
  }
  void TearDown() override {
    unsetenv("QUILLOMAR_HOME");
    Globals() = AppGlobals();
    std::filesystem::remove_all(home_);
  }

  std::filesystem::path UserFile() const { return home_ / "config/Fennlow/Quillomar/settings.ini"; }
  std::filesystem::path MachineFile() const { return home_ / "machine/Fennlow/Quillomar/settings.ini"; }

  static void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path home_;
};
