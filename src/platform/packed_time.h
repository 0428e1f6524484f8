#pragma once
// Last-write times in the MS-DOS packed form, which counts local time: the
// conversion between an instant and the local calendar is the system's.

#include <cstdint>
#include <optional>

namespace velmaric {

// The instant (nanoseconds since 1970-01-01 00:00 UTC, whole seconds taken
// rounded down) in the packed form of its local time; nothing when its year
// lies outside 1980..2107 or the system cannot tell its local time.
std::optional<std::int32_t> Pack_Local_Time(std::int64_t utc_ns);

// The instant a packed stamp's local time names, in nanoseconds since 1970;
// the stamp's fields are valid (Unpack_Date_Stamp gave them). Nothing when
// the system cannot place that local time.
std::optional<std::int64_t> Unpack_Local_Time(std::int32_t stamp);

}  // namespace velmaric
