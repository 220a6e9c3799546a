// A placement file's header: which field holds the designator, X, Y, the
// rotation and the side, found by the names files give them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "units/units.h"

namespace placement {

struct Columns {
    // The header's number of fields.
    std::size_t count = 0;
    std::size_t designator = 0;
    // The reference point where the file has one, else the centre.
    std::size_t x = 0;
    std::size_t y = 0;
    std::optional<std::size_t> rotation;
    std::optional<std::size_t> side;
    // The unit a column name carries: "X (in)", "Center-X(mil)".
    std::optional<units::UnitFactor> xUnit;
    std::optional<units::UnitFactor> yUnit;
};

// The columns of a header record, or nothing when it has no column for the
// designator, X and Y. A header may be a comment: "#" before the first name
// is left out, and so is a first field that is only "#" when `hashField`.
std::optional<Columns> headerColumns(const std::vector<std::string>& fields, bool hashField);

}  // namespace placement
