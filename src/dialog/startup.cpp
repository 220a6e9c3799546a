// Start-up: open the connection, read the selection and the design's
// settings, and fill the form before it is first shown.
#include <string>

#include "dialog/angle_text.h"
#include "dialog/dialog.h"

namespace dialog {
namespace {

constexpr const char* kVersionCaption = "P-CAD2001 DBX V";

CheckValue checkValueOf(std::int32_t hostFlag) {
    // Any non-zero host flag is set; a narrowing to 16 bits could clear it.
    return hostFlag != 0 ? CheckValue::Checked : CheckValue::Unchecked;
}

}  // namespace

void Dialog::Form_Load() {
    // Nothing has been moved yet: only "&Move" is offered.
    form_.setVisible(ControlId::Command4, false);
    form_.setVisible(ControlId::Command1, true);
    state_.undoX = units::DbCoord{0};
    state_.undoY = units::DbCoord{0};
    state_.undoAngle = units::TenthsOfDegree{0};

    // A failed open is closed again; the selection read then decides.
    state_.openStatus = dbx_.openDesign();
    if (state_.openStatus != dbx::kSuccess) {
        dbx_.closeDesign();
    }

    form_.setCaption(ControlId::Label6, kVersionCaption + std::to_string(dbx::kInterfaceVersion));

    // Status not checked: a failed read leaves the item type zero, which
    // ends the program below like any selection that is not a component.
    dbx_.getFirstSelectedItem(state_.selectedItem);
    if (state_.selectedItem.itemType != dbx::kItemTypeComponent) {
        dbx_.closeDesign();
        form_.endProgram();
        return;
    }

    // Status not checked: a failed read leaves the zero design (mils,
    // relative mode, origin at 0, 0).
    dbx_.getDesignInfo(state_.designInfo);
    state_.locationBoxes.setRelativeOrigin(state_.designInfo.relativeOrigin);

    state_.mmFormat = kMmFormat;
    state_.milsFormat = kMilsFormat;

    // Unit 2 is millimetres; anything else mils, which the form starts with.
    if (state_.designInfo.units == 2) {
        form_.select(ControlId::Option4);
        state_.locationBoxes.setUnitFactor(units::UnitFactor::PerMm);
        state_.displayFormat = state_.mmFormat;
    } else {
        state_.locationBoxes.setUnitFactor(units::UnitFactor::PerMil);
        state_.displayFormat = state_.milsFormat;
    }

    // Coordinate mode. In relative mode Option2's handler fills X and Y.
    const dbx::ComponentRecord& component = state_.selectedItem.itemComponent;
    state_.locationInDesign = component.location;
    if (state_.designInfo.originMode != 0) {
        form_.select(ControlId::Option1);
        showLocation(component.location, state_.displayFormat);
    } else {
        form_.select(ControlId::Option2);
    }

    form_.setCaption(ControlId::Label5, "RefDes: " + component.refDes.str());
    showFlagsAndAngle(component);

    // The angle Undo puts back, exactly as start-up leaves it in the box.
    const double shownDegrees = readAngle().value_or(0.0);
    state_.undoAngle = units::TenthsOfDegree{
        numtext::roundToInt32(units::tenthsFromDegrees(shownDegrees)).value_or(0)};
}

void Dialog::showFlagsAndAngle(const dbx::ComponentRecord& component) {
    form_.setCheckValue(ControlId::Check2, checkValueOf(component.isFixed));
    showFlippedAndAngle(component);
}

void Dialog::showFlippedAndAngle(const dbx::ComponentRecord& component) {
    form_.setCheckValue(ControlId::Check1, checkValueOf(component.isFlipped));
    // Runs Text3_Change, which turns a full 360 degrees into 0.
    form_.setText(ControlId::Text3, signedAngleText(shownInAngleBox(component.angle)));
}

}  // namespace dialog
