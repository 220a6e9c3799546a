// "Undo" puts the component back as the last move found it; "&Exit" and the
// close box end the program.
#include "dialog/angle_text.h"
#include "dialog/dialog.h"

namespace dialog {

void Dialog::Command4_Click() {
    // What the design holds while nothing of the undo has reached it.
    const dbx::ComponentRecord moved = state_.workComponent;

    // Nothing is sent over a connection that did not open; the user may try
    // again or leave.
    if (dbx_.openDesign() != dbx::kSuccess) {
        dbx_.closeDesign();
        beeper_.beep();
        showWhatTheDesignHolds(moved);
        return;
    }

    // Status not checked: the selection is not used by what follows.
    dbx_.getFirstSelectedItem(state_.selectedItem);

    // The record still holds what the host returned from the move; the
    // location and flags the component had before it go back in.
    state_.targetLocation = units::DbPoint{state_.undoX, state_.undoY};
    state_.workComponent.location = state_.targetLocation;
    state_.workComponent.isFlipped = state_.undoFlipped;
    state_.workComponent.isFixed = state_.undoFixed;

    // The start-up angle, exactly; Rotcomp turns to what the box shows.
    form_.setText(ControlId::Text3, plainAngleText(state_.undoAngle));

    // A refused modify keeps "Undo" on offer.
    if (dbx_.modifyComponent(state_.workComponent) != dbx::kSuccess) {
        dbx_.closeDesign();
        beeper_.beep();
        showWhatTheDesignHolds(moved);
        return;
    }
    state_.locationInDesign = state_.targetLocation;

    // Rotcomp counts the turn with the restored flag, now in the record. A
    // failed turn (Rotcomp beeps) leaves the component at the moved angle:
    // "Undo" stays on offer, and a second one writes the location again.
    if (!Rotcomp()) {
        dbx_.closeDesign();
        showWhatTheDesignHolds(state_.workComponent);
        return;
    }
    dbx_.closeDesign();
    form_.endProgram();
}

void Dialog::showWhatTheDesignHolds(const dbx::ComponentRecord& held) {
    // X and Y as a unit switch shows them: the location in the design.
    Option1_Click();
    showFlagsAndAngle(held);
}

void Dialog::Command2_Click() {
    dbx_.closeDesign();
    form_.endProgram();
}

void Dialog::Form_CloseRequest() {
    Command2_Click();
}

}  // namespace dialog
