#include "dialog/coordinate_text.h"

#include <cmath>

namespace dialog {

std::optional<double> coordinateFromText(std::string_view text, std::int32_t unitFactor,
                                         const numtext::Locale& locale) {
    const std::optional<double> typed = numtext::parseStrict(text, locale);
    if (!typed) {
        return std::nullopt;
    }
    const double product = numtext::roundTo15Digits(*typed * static_cast<double>(unitFactor));
    if (!std::isfinite(product)) {
        return std::nullopt;
    }
    return product;
}

std::string coordinateToText(std::int64_t db, std::int32_t unitFactor, std::string_view pattern,
                             const numtext::Locale& locale) {
    const double quotient = static_cast<double>(db) / static_cast<double>(unitFactor);
    return numtext::formatWithPattern(numtext::roundTo15Digits(quotient), pattern, locale);
}

}  // namespace dialog
