// The X and Y boxes: database units to text and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dbx/units.h"
#include "dialog/number_text.h"

namespace dialog {

// A typed coordinate in database units (before any origin is added): the
// whole text as one number in the user's format, times the unit factor,
// rounded to 15 significant digits so that 1.234 mm is exactly 123400.
// Nothing when the text is not a number or the product is not finite.
std::optional<double> coordinateFromText(std::string_view text, units::UnitFactor unitFactor,
                                         const numtext::Locale& locale);

// A location in database units shown in display units with a pattern such
// as "###0.000": the quotient rounded to 15 significant digits, then to the
// pattern's decimals.
std::string coordinateToText(std::int64_t db, units::UnitFactor unitFactor,
                             std::string_view pattern, const numtext::Locale& locale);

}  // namespace dialog
