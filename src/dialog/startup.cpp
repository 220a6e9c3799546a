// Start-up: open the connection, read the selection and the design's
// settings, and fill the form before it is first shown.
#include <cmath>
#include <string>

#include "dialog/dialog.h"

namespace dialog {
namespace {

constexpr const char* kVersionCaption = "P-CAD2001 DBX V";

// undoAngle holds 16 bits. An angle beyond that is taken by whole turns to
// the same orientation instead of wrapping to an unrelated one.
units::WholeDegrees toWholeDegrees(double degrees) {
    std::optional<std::int32_t> whole = numtext::roundToInt32(degrees);
    if (!whole || *whole < INT16_MIN || *whole > INT16_MAX) {
        // A whole turn is an even number of degrees: a half still rounds to
        // the same neighbour after it is taken off.
        whole = numtext::roundToInt32(std::fmod(degrees, 360.0));
    }
    return units::WholeDegrees{static_cast<std::int16_t>(whole.value_or(0))};
}

CheckValue checkValueOf(std::int32_t hostFlag) {
    // Any non-zero host flag is set; a narrowing to 16 bits could clear it.
    return hostFlag != 0 ? CheckValue::Checked : CheckValue::Unchecked;
}

}  // namespace

void Dialog::Form_Load() {
    // 1.
    form_.setVisible(ControlId::Command4, false);
    form_.setVisible(ControlId::Command1, true);

    // 2.
    state_.undoX = units::DbCoord{0};
    state_.undoY = units::DbCoord{0};
    state_.undoAngle = units::WholeDegrees{0};

    // 3. A failed open is closed again; the selection read then decides.
    if (dbx_.openDesign() != dbx::kSuccess) {
        dbx_.closeDesign();
    }

    // 4.
    form_.setCaption(ControlId::Label6, kVersionCaption + std::to_string(dbx::kInterfaceVersion));

    // 5. Not tested: a failed read leaves the item type as it was.
    dbx_.getFirstSelectedItem(state_.selectedItem);

    // 6. Only a component can be placed.
    if (state_.selectedItem.itemType != dbx::kItemTypeComponent) {
        dbx_.closeDesign();
        form_.endProgram();
        return;
    }

    // 7. Not tested: a failed read leaves the zero design (mils, relative).
    dbx_.getDesignInfo(state_.designInfo);

    // 8.
    state_.mmFormat = kMmFormat;
    state_.milsFormat = kMilsFormat;

    // 9. Unit.
    if (state_.designInfo.units == 2) {
        form_.select(ControlId::Option4);
        state_.unitFactor = units::kDbPerMm;
        state_.displayFormat = state_.mmFormat;
    } else {
        state_.unitFactor = units::kDbPerMil;
        state_.displayFormat = state_.milsFormat;
    }

    // 10. Coordinate mode. In relative mode Option2's handler fills X and Y.
    const dbx::ComponentRecord& component = state_.selectedItem.itemComponent;
    if (state_.designInfo.originMode != 0) {
        form_.select(ControlId::Option1);
        showLocation(component.location, state_.displayFormat);
    } else {
        form_.select(ControlId::Option2);
    }

    // 11.
    form_.setCaption(ControlId::Label5, "RefDes: " + component.refDes.str());

    // 12.
    form_.setCheckValue(ControlId::Check2, checkValueOf(component.isFixed));
    form_.setCheckValue(ControlId::Check1, checkValueOf(component.isFlipped));

    // 13. Runs Text3_Change, which may rewrite the text.
    form_.setText(ControlId::Text3,
                  numtext::signedNumberText(static_cast<double>(component.angle.value) / 10.0));

    // 14. The angle Undo puts back, as start-up leaves it in the box.
    state_.undoAngle = toWholeDegrees(readAngle().value_or(0.0));
}

}  // namespace dialog
