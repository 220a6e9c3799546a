// "Undo" puts the component back where the last move found it; "&Exit" and
// the close box end the program.
#include <string>

#include "dialog/dialog.h"

namespace dialog {

void Dialog::Command4_Click() {
    // 1. Nothing is sent over a connection that did not open; the user may
    // try again or leave.
    if (dbx_.openDesign() != dbx::kSuccess) {
        dbx_.closeDesign();
        beeper_.beep();
        return;
    }

    // 2.
    dbx_.getFirstSelectedItem(state_.selectedItem);

    // 3-4. Whole database units go back as they were saved.
    state_.targetLocation = units::DbPoint{state_.undoX, state_.undoY};
    state_.workComponent.location = state_.targetLocation;

    // 5. Runs Text3_Change.
    form_.setText(ControlId::Text3, std::to_string(state_.undoAngle.value));

    // 6. A refused modify keeps "Undo" on offer.
    if (dbx_.modifyComponent(state_.workComponent) != dbx::kSuccess) {
        dbx_.closeDesign();
        beeper_.beep();
        return;
    }

    // 7-9.
    Rotcomp();
    dbx_.closeDesign();
    form_.endProgram();
}

void Dialog::Command2_Click() {
    dbx_.closeDesign();
    form_.endProgram();
}

void Dialog::Form_CloseRequest() {
    Command2_Click();
}

}  // namespace dialog
