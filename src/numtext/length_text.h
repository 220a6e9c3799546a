// A number followed by the name of its length unit, as placement files write
// them and as a user may type them into the X and Y boxes: "25.4mm",
// "2910 mil", "1.5in", "0.75\"". The one place that tells a unit from a text.
#pragma once

#include <optional>
#include <string_view>

#include "units/units.h"

namespace numtext {

struct LengthText {
    // The text before the unit, blanks before the unit taken off; not read.
    std::string_view number;
    // The unit the text names, or nothing when it names none.
    std::optional<units::UnitFactor> unit;
};

// Splits a unit name off the end of `text`: mm, mil, mils, th, thou, in or ",
// in any case, with blanks before and after it allowed. A text that ends in
// none of them is all number.
LengthText splitLengthUnit(std::string_view text);

}  // namespace numtext
