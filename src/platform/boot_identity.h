#pragma once
// Which boot of the machine this is: two monotonic readings compare only
// when they were taken on the same boot.

#include <string>

#include "platform/file_system.h"

namespace velmaric {

// The boot's identity as the system names it; empty when it cannot be told.
std::string Boot_Identity(File_System& files);

}  // namespace velmaric
