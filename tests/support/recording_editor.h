#pragma once
// An editor that records the files it was asked to open, and fails to start
// with error_text when that is set.

#include <string>
#include <vector>

#include "platform/editor.h"

namespace velmaric::testing {

class Recording_Editor final : public Editor {
 public:
  bool Available() const override { return available; }
  bool Start(const std::string& file, std::string& error_text) override {
    started.push_back(file);
    error_text = failure;
    return failure.empty();
  }

  bool available = true;
  std::string failure;
  std::vector<std::string> started;
};

}  // namespace velmaric::testing
