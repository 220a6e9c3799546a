#include "dialog/dialog.h"

#include <utility>

namespace dialog {

Dialog::Dialog(FormModel& form, dbx::Connection& dbx, Beeper& beeper, FileReader& files,
               Clipboard& clipboard, numtext::Locale locale)
    : form_(form),
      dbx_(dbx),
      beeper_(beeper),
      files_(files),
      clipboard_(clipboard),
      locale_(std::move(locale)) {
    state_.locationBoxes = LocationBoxes(locale_);
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
    form_.onFilesGiven(
        [this](const std::vector<form::GivenFile>& given) { Form_FilesGiven(given); });
    form_.onPlaceFromClipboard([this] { Form_PlaceFromClipboard(); });
    form_.onPaste(ControlId::Text1, [this](const std::string& text) { return Text1_Paste(text); });
}

LocationBoxes& Dialog::boxesInSelectedMode() {
    const bool relative = form_.isSelected(ControlId::Option2);
    state_.locationBoxes.setMode(relative ? CoordinateMode::Relative : CoordinateMode::Absolute);
    return state_.locationBoxes;
}

void Dialog::showLocation(units::DbPoint location, const std::string& pattern) {
    // What a file put into the boxes is gone, and so is the caption naming it.
    form_.setFormCaption(std::string(form::formDescription().caption));
    const BoxTexts texts = boxesInSelectedMode().show(location, pattern);
    form_.setText(ControlId::Text1, texts.x);
    form_.setText(ControlId::Text2, texts.y);
}

BoxTexts Dialog::boxTexts() const {
    return BoxTexts{form_.text(ControlId::Text1), form_.text(ControlId::Text2)};
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
