// The unit (mils, mm) and coordinate mode (absolute, relative) options. Each
// shows where the component is in the design, never the texts: the location
// read at start-up, or after a move the one it wrote.
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
    state_.unitFactor = factor;
    showLocation(state_.locationInDesign, pattern);
}

void Dialog::showLocation(units::DbPoint location, const std::string& pattern) {
    std::int64_t x = location.x.value;
    std::int64_t y = location.y.value;
    if (form_.isSelected(ControlId::Option2)) {
        // In 64 bits the true difference shows even near the 32-bit ends.
        x -= state_.designInfo.relativeOrigin.x.value;
        y -= state_.designInfo.relativeOrigin.y.value;
    }
    writeCoordinate(ControlId::Text1, x, pattern, state_.shownX);
    writeCoordinate(ControlId::Text2, y, pattern, state_.shownY);
}

}  // namespace dialog
