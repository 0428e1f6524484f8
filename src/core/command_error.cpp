#include "core/command_error.h"

namespace velmaric {

Command_Error Invalid_Integer_Error(const std::string& text) {
  return Command_Error("'" + text + "' is not a valid integer value");
}

}  // namespace velmaric
