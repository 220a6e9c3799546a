// The angle box, the "&Rotation" button and the turn sent to the host.
#include <cmath>

#include "dialog/angle_text.h"
#include "dialog/dialog.h"

namespace dialog {
namespace {

constexpr double kStepDegrees = 90.0;
constexpr double kFullTurnDegrees = units::degreesOf(units::kFullTurn);
constexpr double kRefusedFromDegrees = units::degreesOf(kAngleBoxRefusesFrom);
constexpr std::int64_t kFullTurnTenths = units::kFullTurn.value;

bool fitsInt32(std::int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

void Dialog::Command3_Click() {
    // A box that holds no number is left as it is.
    const std::optional<double> angle = readAngle();
    if (!angle) {
        return;
    }
    const double stepped = *angle + kStepDegrees;
    if (!std::isfinite(stepped)) {
        return;
    }
    form_.setText(ControlId::Text3, numtext::signedNumberText(stepped));

    const std::optional<double> shown = readAngle();
    if (shown && *shown >= kFullTurnDegrees) {
        form_.setText(ControlId::Text3, numtext::signedNumberText(0.0));
    }
}

void Dialog::Text3_Change() {
    // Half-typed text ("", "-", letters) is left alone until it is a number.
    const std::optional<double> typed = readAngle();
    if (!typed) {
        return;
    }
    if (*typed >= kRefusedFromDegrees) {
        form_.setText(ControlId::Text3, signedAngleText(state_.undoAngle));
    }
    const std::optional<double> shown = readAngle();
    if (shown && *shown == kFullTurnDegrees) {
        form_.setText(ControlId::Text3, numtext::signedNumberText(0.0));
    }
}

bool Dialog::Rotcomp() {
    const dbx::ComponentRecord& work = state_.workComponent;
    // Read as the box's own handlers read it, so that "90,5" in a "," locale
    // turns to 90.5; only a text they refuse falls back to its leading
    // number ("90abc" turns to 90, an empty box to 0).
    const double boxDegrees =
        readAngle().value_or(numtext::parseLeading(form_.text(ControlId::Text3)));
    const double boxTenths = units::tenthsFromDegrees(boxDegrees);

    // The turn from the component's angle to the box's, the other way round
    // when flipped, plus a full turn so it is not negative within 0..360.
    const bool flipped = work.isFlipped != 0;
    const std::int64_t base =
        flipped ? work.angle.value + kFullTurnTenths : kFullTurnTenths - work.angle.value;
    if (!fitsInt32(base)) {
        beeper_.beep();
        return false;
    }
    const double rotation =
        flipped ? static_cast<double>(base) - boxTenths : boxTenths + static_cast<double>(base);

    state_.rotationCenter = units::DbPoint{units::DbCoord{-1}, units::DbCoord{-1}};
    const std::optional<std::int32_t> turn = numtext::roundToInt32(rotation);
    if (!turn) {
        beeper_.beep();
        return false;
    }
    // A turn the host refuses is not a success: the beep tells the user the
    // angle is not what the box says.
    if (dbx_.rotateComponent(units::TenthsOfDegree{*turn}, state_.rotationCenter,
                             state_.workComponent) != dbx::kSuccess) {
        beeper_.beep();
        return false;
    }
    return true;
}

}  // namespace dialog
