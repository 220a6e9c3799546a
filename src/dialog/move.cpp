// "&Move": write the location, the flags and the angle into the design.
#include <cmath>

#include "dialog/dialog.h"

namespace dialog {
namespace {

// A target at or beyond this, on either axis, is refused and the saved
// location is written back instead.
constexpr double kRangeLimit = 200000000.0;

void copyIdentity(const dbx::ComponentRecord& from, dbx::ComponentRecord& to) {
    to.compId = from.compId;
    to.refDes = from.refDes;
    to.compText1 = from.compText1;
    to.compText2 = from.compText2;
    to.compLongText = from.compLongText;
    to.compText3 = from.compText3;
    to.compTrailer = from.compTrailer;
}

std::int32_t flagOf(CheckValue value) {
    return static_cast<std::int32_t>(value);
}

}  // namespace

void Dialog::Command1_Click() {
    const dbx::ComponentRecord& selected = state_.selectedItem.itemComponent;
    dbx::ComponentRecord& work = state_.workComponent;

    // Identity from the selection, flags from the boxes; every other field
    // keeps what the host last wrote into it.
    copyIdentity(selected, work);
    work.isFixed = flagOf(form_.checkValue(ControlId::Check2));
    work.isFlipped = flagOf(form_.checkValue(ControlId::Check1));

    // What Undo puts back: the component as it was read, not the texts.
    state_.undoX = selected.location.x;
    state_.undoY = selected.location.y;
    state_.undoFlipped = selected.isFlipped;
    state_.undoFixed = selected.isFixed;

    // A box that holds no number refuses the move.
    std::optional<double> x = readCoordinate(ControlId::Text1, state_.shownX);
    std::optional<double> y = readCoordinate(ControlId::Text2, state_.shownY);
    if (!x || !y) {
        beeper_.beep();
        restoreSavedLocation();
        return;
    }

    // Out of range: the saved location is shown and written back, so the
    // move still sets the flags and the angle.
    if (*x >= kRangeLimit || *y >= kRangeLimit) {
        beeper_.beep();
        restoreSavedLocation();
        x = readCoordinate(ControlId::Text1, state_.shownX);
        y = readCoordinate(ControlId::Text2, state_.shownY);
        if (!x || !y) {
            return;
        }
    }

    // Relative texts are counted from the origin; then to whole database
    // units, halves to even. Below the 32-bit range there is nothing to send.
    if (form_.isSelected(ControlId::Option2)) {
        *x += static_cast<double>(state_.designInfo.relativeOrigin.x.value);
        *y += static_cast<double>(state_.designInfo.relativeOrigin.y.value);
    }
    const std::optional<std::int32_t> targetX = numtext::roundToInt32(*x);
    const std::optional<std::int32_t> targetY = numtext::roundToInt32(*y);
    if (!targetX || !targetY) {
        beeper_.beep();
        restoreSavedLocation();
        return;
    }
    state_.targetLocation = units::DbPoint{units::DbCoord{*targetX}, units::DbCoord{*targetY}};

    // The host writes the component as it now holds it back into the
    // record; Rotcomp turns it from that angle.
    work.location = state_.targetLocation;
    if (dbx_.modifyComponent(work) != dbx::kSuccess) {
        // Nothing has changed in the design; the user may try again.
        beeper_.beep();
        restoreSavedLocation();
        return;
    }

    // The location is written: even when the turn fails (Rotcomp beeps),
    // the move is done and only Undo can take it back.
    state_.locationInDesign = state_.targetLocation;
    Rotcomp();
    form_.setVisible(ControlId::Command4, true);
    form_.setVisible(ControlId::Command1, false);
    dbx_.closeDesign();
}

void Dialog::restoreSavedLocation() {
    // The texts show the saved location in the mode that is selected, so
    // that reading them back and adding the origin gives it again.
    showLocation(units::DbPoint{state_.undoX, state_.undoY}, state_.displayFormat);
}

}  // namespace dialog
