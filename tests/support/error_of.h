#pragma once
// The description a call fails with, so that a test compares it as a text.

#include <functional>
#include <string>

#include "core/command_error.h"

namespace velmaric::testing {

// What the Command_Error the call throws says, or "(no error)".
inline std::string Error_Of(const std::function<void()>& call) {
  try {
    call();
  } catch (const Command_Error& error) {
    return error.what();
  }
  return "(no error)";
}

}  // namespace velmaric::testing
