// Units that cross the host boundary. Each is its own type so that a
// database-unit coordinate can never be passed where an angle is expected.
#pragma once

#include <compare>
#include <cstdint>

namespace units {

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

// Database units per length unit, each a whole number. The dialog shows
// locations in mils or in millimetres; inches come only from texts that name
// them (a placement file, a unit typed after a number).
enum class UnitFactor : std::int32_t { PerMil = 2540, PerMm = 100000, PerInch = 2540000 };

constexpr std::int32_t dbUnitsPer(UnitFactor factor) {
    return static_cast<std::int32_t>(factor);
}

// Display units (mils or millimetres) in database units, in double precision
// and not rounded: the caller rounds once, as its rule says.
constexpr double dbUnitsFrom(double displayUnits, UnitFactor factor) {
    return displayUnits * static_cast<double>(dbUnitsPer(factor));
}

// Database units in display units, in double precision.
constexpr double displayUnitsFrom(std::int64_t db, UnitFactor factor) {
    return static_cast<double>(db) / static_cast<double>(dbUnitsPer(factor));
}

// A rotation as the host stores it: tenths of a degree.
struct TenthsOfDegree {
    std::int32_t value = 0;
    auto operator<=>(const TenthsOfDegree&) const = default;
};

inline constexpr TenthsOfDegree kFullTurn{3600};

// An angle in degrees, as the angle box shows it.
constexpr double degreesOf(TenthsOfDegree angle) {
    return static_cast<double>(angle.value) / 10.0;
}

// Degrees in tenths, in double precision and not rounded: the caller rounds
// once, as its rule says.
constexpr double tenthsFromDegrees(double degrees) {
    return degrees * 10.0;
}

}  // namespace units
