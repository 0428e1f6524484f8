#pragma once
// An editor that records the files it was asked to open.

#include <string>
#include <vector>

#include "platform/editor.h"

namespace velmaric::testing {

class Recording_Editor final : public Editor {
 public:
  bool Available() const override { return available; }
  void Start(const std::string& file) override { started.push_back(file); }

  bool available = true;
  std::vector<std::string> started;
};

}  // namespace velmaric::testing
