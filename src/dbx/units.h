// Units that cross the host boundary. Each is its own type so that a
// database-unit coordinate can never be passed where an angle is expected.
#pragma once

#include <compare>
#include <cstdint>

namespace units {

// Database units per display unit.
inline constexpr std::int32_t kDbPerMil = 2540;
inline constexpr std::int32_t kDbPerMm = 100000;

// One coordinate of the host design, in database units.
struct DbCoord {
    std::int32_t value = 0;
    auto operator<=>(const DbCoord&) const = default;
};

// A location of the host design: x then y.
struct DbPoint {
    DbCoord x;
    DbCoord y;
    auto operator<=>(const DbPoint&) const = default;
};

// A rotation as the host stores it: tenths of a degree.
struct TenthsOfDegree {
    std::int32_t value = 0;
    auto operator<=>(const TenthsOfDegree&) const = default;
};

}  // namespace units
