// The simulated host's design: one selected item and the design settings the
// program reads, kept in a small line-based text file (format: sim/README.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "units/units.h"

namespace sim {

struct Design {
    std::int32_t unitCode = 0;    // "units": 2 = millimetres
    std::int32_t originMode = 0;  // 0 = the dialog starts in relative mode
    units::DbPoint relativeOrigin;
    std::int32_t itemType = 0;  // 9 = a component is selected
    std::int32_t compId = 0;
    std::string refDes;
    units::DbPoint location;
    units::TenthsOfDegree angle;
    std::int32_t flipped = 0;
    std::int32_t fixed = 0;
    std::string text1;
    std::string text2;
    std::string longText;
    std::string text3;
    std::int32_t trailer = 0;
    bool operator==(const Design&) const = default;
};

// Either a design or the reason there is none ("line 3: unknown key ...").
struct DesignResult {
    std::optional<Design> design;
    std::string error;
};

DesignResult parseDesign(std::string_view text);
// Every key, one per line, in the documented order; parseDesign reads it back
// to the same design.
std::string formatDesign(const Design& design);

DesignResult loadDesign(const std::string& path);
// False when the file cannot be written completely.
bool saveDesign(const std::string& path, const Design& design);

}  // namespace sim
