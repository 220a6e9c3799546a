// The unit (mils, mm) and coordinate mode (absolute, relative) options. Each
// shows where the component is in the design, never the texts: the location
// read at start-up, or after a move the one it wrote. While the boxes hold a
// placement file's row, they show that row instead.
#include "dialog/dialog.h"

namespace dialog {

void Dialog::Option3_Click() {
    showStoredLocation(units::UnitFactor::PerMil, state_.milsFormat);
}

void Dialog::Option4_Click() {
    showStoredLocation(units::UnitFactor::PerMm, state_.mmFormat);
}

void Dialog::Option1_Click() {
    if (form_.isSelected(ControlId::Option4)) {
        Option4_Click();
    } else {
        Option3_Click();
    }
}

void Dialog::Option2_Click() {
    Option1_Click();
}

void Dialog::showStoredLocation(units::UnitFactor factor, const std::string& pattern) {
    state_.locationBoxes.setUnitFactor(factor);
    // A row whose numbers give no location in the mode now chosen cannot be
    // kept whole: all of it ends, with a beep.
    if (state_.filledRow && !showFilledRow(pattern)) {
        beeper_.beep();
        endFill();
    }
    if (!state_.filledRow) {
        showLocation(state_.locationInDesign, pattern);
    }
}

}  // namespace dialog
