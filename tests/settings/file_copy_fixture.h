#pragma once
// The copy's tests: real files in a folder of their own, and the boxes the
// copy shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "core/command_error.h"
#include "core/time_text.h"
#include "platform/file_probe.h"
#include "platform/paths.h"
#include "settings/file_copy.h"
#include "support/error_of.h"
#include "support/file_fixtures.h"

namespace velmaric {

using namespace velmaric::testing;

inline File_System& files = Real_File_System();

class Recording_Boxes : public Message_Box {
 public:
  void Information(const std::string& text) override { shown.push_back(text); }
  bool Warning_Yes_No(const std::string& text) override { return Error(text), false; }
  std::optional<std::size_t> Warning_Choice(const std::string& text,
                                            const std::vector<std::string>&) override {
    Error(text);
    return std::nullopt;
  }
  void Error(const std::string& text) override { ADD_FAILURE() << "unexpected box: " << text; }
  void Answer_At_Once() override {}
  std::vector<std::string> shown;
};

class File_Copy : public ::testing::Test {
 protected:
  std::string Copy(const std::string& source, const std::string& target, bool check = true) {
    std::string error_text = "stale";
    Copy_File_With_Date(files, source, target, true, check, error_text, boxes);
    return error_text;
  }
  Temp_Folder folder;
  Recording_Boxes boxes;
};

}  // namespace velmaric
