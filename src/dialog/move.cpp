// "&Move": write the location, the flags and the angle into the design.
#include "dialog/dialog.h"

namespace dialog {
namespace {

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
    move();
}

Dialog::MoveOutcome Dialog::move() {
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

    // A location beyond the host's range is refused with a beep, but the move
    // goes on with the saved location, which the boxes then show exactly, so
    // that it still sets the flags and the angle. Not those of a file's row:
    // half of a row is not written.
    BoxesReading target = boxesInSelectedMode().read(boxTexts());
    if (!target.location && target.refusal == BoxesRefusal::BeyondRangeLimit && !state_.filledRow) {
        beeper_.beep();
        restoreSavedLocation();
        target = BoxesReading::of(units::DbPoint{state_.undoX, state_.undoY});
    }

    // The host writes the component as it now holds it back into the
    // record; Rotcomp turns it from that angle.
    if (target.location) {
        state_.targetLocation = *target.location;
        work.location = state_.targetLocation;
    }
    // A box without a number, a location outside the host's coordinates or
    // a refused modify: nothing has changed in the design, the saved
    // location is shown again, with the rest of a file's row undone, and
    // the user may try again.
    if (!target.location || dbx_.modifyComponent(work) != dbx::kSuccess) {
        beeper_.beep();
        restoreSavedLocation();
        endFill();
        return MoveOutcome::NotWritten;
    }

    // The location is written: even when the turn fails (Rotcomp beeps),
    // the move is done and only Undo can take it back. No file is placed
    // after it.
    state_.locationInDesign = state_.targetLocation;
    state_.filledRow.reset();  // the design holds the row now
    const bool turned = Rotcomp();
    form_.setVisible(ControlId::Command4, true);
    form_.setVisible(ControlId::Command1, false);
    form_.setPlaceFromFileOffered(false);
    dbx_.closeDesign();
    return turned ? MoveOutcome::Done : MoveOutcome::WrittenNotTurned;
}

void Dialog::restoreSavedLocation() {
    // The texts show the saved location in the mode that is selected, so
    // that reading them back and adding the origin gives it again.
    showLocation(units::DbPoint{state_.undoX, state_.undoY}, state_.displayFormat);
}

}  // namespace dialog
