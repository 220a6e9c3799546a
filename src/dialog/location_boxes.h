// The X and Y boxes bound to a location in database units: the unit they
// show, the mode (absolute, or counted from the design's relative origin),
// the user's regional format, and the exact value behind each text the
// dialog wrote, so that a box the user did not touch reads back exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "numtext/number_text.h"
#include "units/units.h"

namespace dialog {

enum class CoordinateMode { Absolute, Relative };

// The texts of the X and Y boxes.
struct BoxTexts {
    std::string x;
    std::string y;
};

// Why the boxes give no location to write.
enum class BoxesRefusal {
    NotANumber,        // a box holds no number in the user's format
    BeyondRangeLimit,  // a box shows 200000000 database units or more
    OutsideDbRange,    // the location does not fit the host's 32-bit coordinates
};

// A location read from the boxes, or why there is none.
struct BoxesReading {
    static BoxesReading of(units::DbPoint location) { return {location, {}}; }
    static BoxesReading refused(BoxesRefusal why) { return {std::nullopt, why}; }

    std::optional<units::DbPoint> location;
    BoxesRefusal refusal{};  // why there is no location
};

class LocationBoxes {
  public:
    // A box that shows this many database units or more, before any origin
    // is added, is beyond the range the host accepts.
    static constexpr double kRangeLimit = 200000000.0;

    explicit LocationBoxes(numtext::Locale locale = {}) : locale_(std::move(locale)) {}

    units::UnitFactor unitFactor() const { return unitFactor_; }
    void setUnitFactor(units::UnitFactor factor) { unitFactor_ = factor; }
    void setMode(CoordinateMode mode) { mode_ = mode; }
    void setRelativeOrigin(units::DbPoint origin) { origin_ = origin; }

    // The texts that show `location` with a display pattern such as
    // "###0.000", in the mode and unit set now. Remembers the exact value
    // behind each text.
    BoxTexts show(units::DbPoint location, std::string_view pattern);

    // Numbers put into the boxes as a user would type them: `x` and `y` are
    // decimal texts with "." and no grouping ("-12.7", "2875") in the unit
    // set now, and come back in the user's format ("-12,7"). The exact
    // values behind what was shown are forgotten, so that the texts are
    // read as typed even where they look like the shown ones. Nothing, and
    // nothing forgotten, when a text is not such a number.
    std::optional<BoxTexts> enter(std::string_view x, std::string_view y);

    // The location the texts give, in database units. A text the dialog
    // wrote and the user left alone gives its exact value; a typed one is
    // read in the user's format and rounded once.
    BoxesReading read(const BoxTexts& texts) const;

    // Where decimal texts such as enter() takes, in `unit`, would put the
    // part: what read() would give once they were entered there. The boxes
    // stay as they are.
    BoxesReading locate(std::string_view x, std::string_view y, units::UnitFactor unit) const;

  private:
    // The location of two box values, before any origin is added.
    BoxesReading locationOf(std::optional<double> x, std::optional<double> y) const;
    // One box's value in database units, before any origin is added.
    std::optional<double> boxValue(const std::string& text, const std::string& shownText,
                                   std::int64_t shownDb) const;
    // The relative origin's rule: what a box shows is counted from the origin
    // in relative mode, and the origin is added back when it is read.
    std::int64_t boxedFrom(std::int32_t absolute, std::int32_t origin) const;
    double absoluteFrom(double boxed, std::int32_t origin) const;

    numtext::Locale locale_;
    units::UnitFactor unitFactor_ = units::UnitFactor::PerMil;
    CoordinateMode mode_ = CoordinateMode::Absolute;
    units::DbPoint origin_;
    // What the dialog last wrote into each box, and the exact value, before
    // any origin is added, that the text was made from.
    BoxTexts shown_;
    std::int64_t shownX_ = 0;
    std::int64_t shownY_ = 0;
    bool hasShown_ = false;
};

// A coordinate as a box shows it: database units in display units with a
// pattern such as "###0.000", rounded to 15 significant digits, then to the
// pattern's decimals.
std::string coordinateText(std::int64_t db, units::UnitFactor unitFactor, std::string_view pattern,
                           const numtext::Locale& locale);

// A typed coordinate in database units, before any origin is added: the
// whole text as one number in the user's format times the unit factor,
// rounded to 15 significant digits so that 1.234 mm is exactly 123400. A
// number may name its own unit after it (see numtext::lengthUnitNamed):
// "25.4mm" and "2.54 cm" are 2540000 in a mils box too.
// Nothing when the text is not a number or the product is not finite.
std::optional<double> typedCoordinate(std::string_view text, units::UnitFactor unitFactor,
                                      const numtext::Locale& locale);

}  // namespace dialog
