#pragma once
// A fresh folder in the Windows temporary folder, removed with everything in
// it when the test ends.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace velmaric::testing {

class Windows_Temp_Folder {
 public:
  Windows_Temp_Folder() {
    char temp[MAX_PATH + 1] = {};
    EXPECT_NE(GetTempPathA(sizeof temp, temp), 0U);
    root_ = std::string(temp) + "velmaric test " + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount64());
    std::filesystem::create_directories(root_);
  }
  ~Windows_Temp_Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::string Path(const std::string& name) const { return root_ + "\\" + name; }

 private:
  std::string root_;
};

}  // namespace velmaric::testing
