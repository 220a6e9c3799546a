#include "dialog/coordinate_text.h"

#include <cmath>

namespace dialog {

std::optional<double> coordinateFromText(std::string_view text, units::UnitFactor unitFactor,
                                         const numtext::Locale& locale) {
    const std::optional<double> typed = numtext::parseStrict(text, locale);
    if (!typed) {
        return std::nullopt;
    }
    const double product = numtext::roundTo15Digits(units::dbUnitsFrom(*typed, unitFactor));
    if (!std::isfinite(product)) {
        return std::nullopt;
    }
    return product;
}

std::string coordinateToText(std::int64_t db, units::UnitFactor unitFactor,
                             std::string_view pattern, const numtext::Locale& locale) {
    const double quotient = numtext::roundTo15Digits(units::displayUnitsFrom(db, unitFactor));
    return numtext::formatWithPattern(quotient, pattern, locale);
}

}  // namespace dialog
