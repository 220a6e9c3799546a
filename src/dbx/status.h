// What the host functions return and what the connection's calls report.
#pragma once

#include <cstdint>

namespace dbx {

// The status a host function returns: 0 is success, any other value means
// the call failed.
using HostStatus = std::int32_t;

// A call's status as the program sees it: the host's own, widened, or
// kNotBound, which lies outside every value a host can return.
using Status = std::int64_t;
inline constexpr Status kSuccess = 0;

// Returned without calling anything when the library or the function is missing.
inline constexpr Status kNotBound = std::int64_t{INT32_MIN} - 1;

}  // namespace dbx
