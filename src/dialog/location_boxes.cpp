#include "dialog/location_boxes.h"

#include <cmath>
#include <utility>

#include "numtext/length_text.h"

namespace dialog {
namespace {

// The one rounding of a location read from the boxes: to whole database
// units, halves to even; nothing outside the host's 32-bit range.
std::optional<units::DbCoord> toDbCoord(double db) {
    const std::optional<std::int32_t> rounded = numtext::roundToInt32(db);
    if (!rounded) {
        return std::nullopt;
    }
    return units::DbCoord{*rounded};
}

// "-12.7" as the user writes it: the user's decimal separator for the
// point. Nothing unless the text is an optional sign, digits and at most one
// point with digits on one side of it at least.
std::optional<std::string> inUsersFormat(std::string_view decimal, const numtext::Locale& locale) {
    std::string text;
    bool point = false;
    bool digits = false;
    for (std::size_t i = 0; i < decimal.size(); ++i) {
        const char c = decimal[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            text += c;
        } else if (c == '.' && !point) {
            point = true;
            text += locale.decimalSeparator;
        } else if ((c == '-' || c == '+') && i == 0) {
            text += c;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

std::string coordinateText(std::int64_t db, units::UnitFactor unitFactor, std::string_view pattern,
                           const numtext::Locale& locale) {
    const double quotient = numtext::roundTo15Digits(units::displayUnitsFrom(db, unitFactor));
    return numtext::formatWithPattern(quotient, pattern, locale);
}

std::optional<double> typedCoordinate(std::string_view text, units::UnitFactor unitFactor,
                                      const numtext::Locale& locale) {
    // A unit named after the number is the number's; the box's otherwise.
    const numtext::LengthText split = numtext::splitLengthUnit(text);
    const std::optional<double> typed = numtext::parseStrict(split.number, locale);
    if (!typed) {
        return std::nullopt;
    }
    // The unit's shift moves the point (centimetres are ten millimetres); 15
    // significant digits take off the noise of the multiplications.
    const numtext::LengthUnit unit =
        split.unit.value_or(numtext::LengthUnit{.boxUnit = unitFactor});
    const double product = numtext::roundTo15Digits(units::dbUnitsFrom(*typed, unit.boxUnit) *
                                                    std::pow(10.0, unit.shift));
    if (!std::isfinite(product)) {
        return std::nullopt;
    }
    return product;
}

BoxTexts LocationBoxes::show(units::DbPoint location, std::string_view pattern) {
    // In 64 bits the true difference shows even near the 32-bit ends.
    shownX_ = boxedFrom(location.x.value, origin_.x.value);
    shownY_ = boxedFrom(location.y.value, origin_.y.value);
    shown_ = BoxTexts{coordinateText(shownX_, unitFactor_, pattern, locale_),
                      coordinateText(shownY_, unitFactor_, pattern, locale_)};
    hasShown_ = true;
    return shown_;
}

std::optional<BoxTexts> LocationBoxes::enter(std::string_view x, std::string_view y) {
    std::optional<std::string> typedX = inUsersFormat(x, locale_);
    std::optional<std::string> typedY = inUsersFormat(y, locale_);
    if (!typedX || !typedY) {
        return std::nullopt;
    }
    hasShown_ = false;
    return BoxTexts{std::move(*typedX), std::move(*typedY)};
}

BoxesReading LocationBoxes::read(const BoxTexts& texts) const {
    return locationOf(boxValue(texts.x, shown_.x, shownX_), boxValue(texts.y, shown_.y, shownY_));
}

BoxesReading LocationBoxes::locate(std::string_view x, std::string_view y,
                                   units::UnitFactor unit) const {
    const numtext::Locale decimalText{".", ""};
    return locationOf(typedCoordinate(x, unit, decimalText), typedCoordinate(y, unit, decimalText));
}

BoxesReading LocationBoxes::locationOf(std::optional<double> x, std::optional<double> y) const {
    if (!x || !y) {
        return BoxesReading::refused(BoxesRefusal::NotANumber);
    }
    if (*x >= kRangeLimit || *y >= kRangeLimit) {
        return BoxesReading::refused(BoxesRefusal::BeyondRangeLimit);
    }
    const std::optional<units::DbCoord> absoluteX = toDbCoord(absoluteFrom(*x, origin_.x.value));
    const std::optional<units::DbCoord> absoluteY = toDbCoord(absoluteFrom(*y, origin_.y.value));
    if (!absoluteX || !absoluteY) {
        return BoxesReading::refused(BoxesRefusal::OutsideDbRange);
    }
    return BoxesReading::of(units::DbPoint{*absoluteX, *absoluteY});
}

std::optional<double> LocationBoxes::boxValue(const std::string& text, const std::string& shownText,
                                              std::int64_t shownDb) const {
    if (hasShown_ && text == shownText) {
        return static_cast<double>(shownDb);
    }
    return typedCoordinate(text, unitFactor_, locale_);
}

std::int64_t LocationBoxes::boxedFrom(std::int32_t absolute, std::int32_t origin) const {
    const std::int64_t offset = mode_ == CoordinateMode::Relative ? origin : 0;
    return std::int64_t{absolute} - offset;
}

double LocationBoxes::absoluteFrom(double boxed, std::int32_t origin) const {
    const std::int32_t offset = mode_ == CoordinateMode::Relative ? origin : 0;
    return boxed + static_cast<double>(offset);
}

}  // namespace dialog
