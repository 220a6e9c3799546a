// Placing the selected component from a placement file: the file's row
// fills the boxes as a user would type them, and nothing is written before
// "&Move". A refusal is one message and leaves the dialog as it was.
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialog/dialog.h"
#include "placement/placement_file.h"

namespace dialog {
namespace {

constexpr double kFullTurnDegrees = units::degreesOf(units::kFullTurn);
constexpr std::uint64_t kMegabyte = 1024 * 1024;

// The pieces of a message in one text.
std::string joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

// The file's name without its folder, as the caption and the reader's
// messages name it.
std::string_view nameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view whyNotRead(FileProblem problem) {
    switch (problem) {
        case FileProblem::Missing:
            return " is not there: no such file";
        case FileProblem::Unreadable:
            return " cannot be read";
        case FileProblem::TooLarge:
        case FileProblem::None:
            break;
    }
    return " is larger than ";  // the limit follows
}

// The rotation as the angle box keeps it: within one turn, 0 <= a < 360,
// to the 15 digits the box shows.
double withinOneTurn(double degrees) {
    double turned = numtext::roundTo15Digits(std::fmod(degrees, kFullTurnDegrees));
    if (turned < 0) {
        turned = numtext::roundTo15Digits(turned + kFullTurnDegrees);
    }
    return turned >= kFullTurnDegrees || turned == 0 ? 0.0 : turned;
}

}  // namespace

void Dialog::Form_FilesGiven(const std::vector<form::GivenFile>& files) {
    if (files.size() > 1) {
        form_.tellUser(joined({"One placement file at a time, please: ",
                               std::to_string(files.size()), " were given"}));
    } else if (!files.empty()) {
        placeFromFile(files.front());
    }
}

bool Dialog::placeFromFile(const form::GivenFile& file) {
    if (!form_.offersPlaceFromFile()) {
        return false;  // after a move: only "Undo" and "&Exit"
    }
    const FileBytes bytes = files_.read(file.path, placement::kMaxFileBytes);
    if (bytes.problem != FileProblem::None) {
        const bool tooLarge = bytes.problem == FileProblem::TooLarge;
        const std::string limit = std::to_string(placement::kMaxFileBytes / kMegabyte);
        form_.tellUser(
            joined({file.shownPath, whyNotRead(bytes.problem), tooLarge ? limit : "",
                    tooLarge ? " MB, too large for a placement file: it was not read" : ""}));
        return false;
    }
    const std::string_view name = nameOf(file.shownPath);
    const std::string refDes = state_.selectedItem.itemComponent.refDes.str();
    const placement::Lookup lookup = placement::findRow(bytes.bytes, name, refDes);
    if (!lookup.row) {
        form_.tellUser(lookup.refusal);
        return false;
    }
    const placement::PlacementRow& row = *lookup.row;
    const std::string line = std::to_string(row.line);
    const bool mm = row.boxUnit == units::UnitFactor::PerMm;
    const bool relative = form_.isSelected(ControlId::Option2);

    // What "&Move" would read from the boxes, found before anything changes.
    LocationBoxes trial = state_.locationBoxes;
    trial.setUnitFactor(row.boxUnit);
    trial.setMode(relative ? CoordinateMode::Relative : CoordinateMode::Absolute);
    const std::optional<BoxTexts> typed = trial.enter(row.x, row.y);
    const BoxesReading reading =
        typed ? trial.read(*typed) : BoxesReading::refused(BoxesRefusal::NotANumber);
    std::string_view problem;
    if (!mm && row.boxUnit != units::UnitFactor::PerMil) {
        problem = " is in a unit the boxes do not show";
    } else if (row.rotationDegrees && !std::isfinite(*row.rotationDegrees)) {
        problem = " has a rotation that is no number";
    } else if (!reading.location && reading.refusal == BoxesRefusal::NotANumber) {
        problem = " cannot be read as numbers";
    } else if (!reading.location) {
        problem = relative ? " from the relative origin is outside the design's range"
                           : " is outside the design's range";
    }
    if (!problem.empty()) {
        form_.tellUser(joined(
            {name, ", line ", line, ": X ", row.x, ", Y ", row.y, " ", row.fileUnit, problem}));
        return false;
    }

    // The unit's option runs its handler as a click does; then the numbers
    // go in as typed, in the mode shown.
    form_.select(mm ? ControlId::Option4 : ControlId::Option3);
    if (const std::optional<BoxTexts> texts = boxesInSelectedMode().enter(row.x, row.y)) {
        form_.setText(ControlId::Text1, texts->x);
        form_.setText(ControlId::Text2, texts->y);
    }
    if (row.rotationDegrees) {
        form_.setText(ControlId::Text3,
                      numtext::signedNumberText(withinOneTurn(*row.rotationDegrees)));
    }
    if (row.side != placement::Side::NotGiven) {
        form_.setCheckValue(ControlId::Check1, row.side == placement::Side::Bottom
                                                   ? CheckValue::Checked
                                                   : CheckValue::Unchecked);
    }
    form_.setFormCaption(form::FormCaption{
        joined({form::formDescription().caption, " - "}), joined({refDes, " from "}),
        std::string(name),
        joined({", line ", line, " (", row.fileUnit, row.unitAssumed ? ", assumed)" : ")"})});
    return true;
}

bool Dialog::moveFromFile(const form::GivenFile& file) {
    const std::string_view name = nameOf(file.shownPath);
    if (form_.hasEnded()) {
        form_.tellUser(
            joined({"Nothing was placed from ", name,
                    ": the host gave no selected component (select one component in the PCB editor "
                    "first)"}));
        return false;
    }
    if (!placeFromFile(file)) {
        Command2_Click();
        return false;
    }
    const std::string refDes = state_.selectedItem.itemComponent.refDes.str();
    const MoveOutcome outcome = move();
    if (outcome == MoveOutcome::Done) {
        form_.endProgram();
        return true;
    }
    if (outcome == MoveOutcome::WrittenNotTurned) {
        form_.tellUser(joined({refDes, " was moved to the location in ", name,
                               ", but the host did not turn it: its angle is not the file's"}));
        form_.endProgram();
        return false;
    }
    form_.tellUser(joined(
        {"The host did not take the move of ", refDes, " from ", name, ": nothing was written"}));
    Command2_Click();
    return false;
}

}  // namespace dialog
