#include "dialog/dialog.h"

#include <utility>

#include "dialog/coordinate_text.h"

namespace dialog {

Dialog::Dialog(FormModel& form, dbx::Connection& dbx, Beeper& beeper, numtext::Locale locale)
    : form_(form), dbx_(dbx), beeper_(beeper), locale_(std::move(locale)) {
    form_.onClick(ControlId::Option1, [this] { Option1_Click(); });
    form_.onClick(ControlId::Option2, [this] { Option2_Click(); });
    form_.onClick(ControlId::Option3, [this] { Option3_Click(); });
    form_.onClick(ControlId::Option4, [this] { Option4_Click(); });
    form_.onClick(ControlId::Command1, [this] { Command1_Click(); });
    form_.onClick(ControlId::Command2, [this] { Command2_Click(); });
    form_.onClick(ControlId::Command3, [this] { Command3_Click(); });
    form_.onClick(ControlId::Command4, [this] { Command4_Click(); });
    form_.onChange(ControlId::Text3, [this] { Text3_Change(); });
    form_.onCloseRequest([this] { Form_CloseRequest(); });
}

std::optional<double> Dialog::readCoordinate(ControlId box,
                                             const std::optional<ShownCoordinate>& shown) const {
    const std::string& text = form_.text(box);
    if (shown && shown->text == text) {
        return static_cast<double>(shown->exactDb);
    }
    return coordinateFromText(text, state_.unitFactor, locale_);
}

void Dialog::writeCoordinate(ControlId box, std::int64_t exactDb, const std::string& pattern,
                             std::optional<ShownCoordinate>& shown) {
    form_.setText(box, coordinateToText(exactDb, state_.unitFactor, pattern, locale_));
    shown = ShownCoordinate{form_.text(box), exactDb};
}

std::optional<double> Dialog::readAngle() const {
    // The dialog writes angles with "." whatever the user's format, so that
    // form is read first; then the user's own.
    const std::string& text = form_.text(ControlId::Text3);
    if (auto value = numtext::parseStrict(text, numtext::Locale{".", ""})) {
        return value;
    }
    return numtext::parseStrict(text, locale_);
}

}  // namespace dialog
