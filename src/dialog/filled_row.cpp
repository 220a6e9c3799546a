// A placement file's row in the boxes is one whole: a unit or mode switch
// shows the same row again, and what ends it ends all of it.
#include "dialog/dialog.h"

namespace dialog {

bool Dialog::showFilledRow(const std::string& pattern) {
    const FilledRow& row = *state_.filledRow;
    LocationBoxes& boxes = boxesInSelectedMode();

    // Where the file's numbers lie in the mode selected now.
    const std::optional<units::DbPoint> location = boxes.locate(row.x, row.y, row.unit).location;
    if (!location) {
        return false;
    }

    // In the file's unit its own numbers, as typed; in the other unit that
    // location, with the exact value behind the texts.
    const BoxTexts texts = boxes.unitFactor() == row.unit ? *boxes.enter(row.x, row.y)
                                                          : boxes.show(*location, pattern);
    form_.setText(ControlId::Text1, texts.x);
    form_.setText(ControlId::Text2, texts.y);
    return true;
}

void Dialog::endFill() {
    if (!state_.filledRow) {
        return;
    }
    state_.filledRow.reset();
    showFlippedAndAngle(state_.selectedItem.itemComponent);
    form_.setFormCaption(std::string(form::formDescription().caption));
}

}  // namespace dialog
