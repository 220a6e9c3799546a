// A length as people write it: a number, then perhaps its unit, "25.4mm",
// "2910 mil", "1.5 inch", "0.75\"", "12,5 cm". The one place that knows the
// names of length units, for the X and Y boxes and placement files alike.
#pragma once

#include <optional>
#include <string_view>

#include "units/units.h"

namespace numtext {

// A unit that converts into a box's unit by moving the decimal point.
struct LengthUnit {
    // The unit the dialog shows such lengths in: millimetres or mils.
    units::UnitFactor boxUnit = units::UnitFactor::PerMm;
    // Places the point moves to the right on the way into the box's unit:
    // 1 for centimetres, 3 for inches, -3 for micrometres, -1 for tenths of
    // a mil.
    int shift = 0;
    // How a caption names it: "mm", "cm", "um", "in", "mil", "0.1 mil".
    std::string_view name = "mm";

    bool operator==(const LengthUnit&) const = default;
};

// The unit a word names, in any case, blanks around and inside ignored:
// mm, millimetre(s), millimeter(s); cm, centimetre(s), centimeter(s); um,
// "\xB5m", micron(s), micrometre(s), micrometer(s); in, inch, inches, ";
// mil, mils, th, thou; 0.1 mil, 1/10 mil, tenths of a mil, dmil. Nothing
// for any other word.
std::optional<LengthUnit> lengthUnitNamed(std::string_view word);

struct LengthText {
    // The text before the unit, blanks before the unit taken off; not read.
    std::string_view number;
    // The unit the text names, or nothing when it names none.
    std::optional<LengthUnit> unit;
};

// Splits a unit off the end of `text`: the letters (or the inch mark) that
// end it, blanks before and after allowed, when they name a unit as a whole.
// A text that ends in no unit name is all number.
LengthText splitLengthUnit(std::string_view text);

// A rotation without the degree sign or word after it: "90\xB0", "90 deg",
// "-45 degrees" give "90", "90", "-45". Any other text comes back whole.
std::string_view withoutDegrees(std::string_view text);

}  // namespace numtext
