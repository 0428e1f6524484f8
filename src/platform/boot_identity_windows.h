#pragma once
// Which boot of the machine this is, on Windows (Boot_Identity, from
// boot_identity.h, gives the same and reads no file).

#include <string>

namespace velmaric {

// The boot counter the system keeps when it can be read (Windows 8 and
// later), else the instant of the boot as the kernel keeps it; empty when
// neither can be had. Hexadecimal digits and dashes, as on Linux.
std::string Windows_Boot_Identity();

}  // namespace velmaric
