// The status every host function returns, and the one value of it the
// program relies on: 0 is success. Any other value means the call failed.
#pragma once

#include <cstdint>

namespace dbx {

using Status = std::int32_t;
inline constexpr Status kSuccess = 0;

}  // namespace dbx
