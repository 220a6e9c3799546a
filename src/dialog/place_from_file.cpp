// Placing the selected component from a placement file: the file's row
// fills the boxes as a user would type them, and nothing is written before
// "&Move". A refusal is one message and leaves the dialog as it was.
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialog/angle_text.h"
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

// The rotation as "&Move" will write it: within one turn, in whole tenths of
// a degree rounded as the move rounds the angle box, halves to even.
units::TenthsOfDegree asWritten(double degrees) {
    const double tenths = units::tenthsFromDegrees(withinOneTurn(degrees));
    const std::int32_t rounded = numtext::roundToInt32(tenths).value_or(0);
    return units::TenthsOfDegree{rounded % units::kFullTurn.value};
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
    return placeFromBytes(bytes.bytes, nameOf(file.shownPath));
}

bool Dialog::placeFromBytes(std::string_view bytes, std::string_view name) {
    const std::string refDes = state_.selectedItem.itemComponent.refDes.str();
    const placement::Lookup lookup = placement::findRow(bytes, name, refDes);
    if (!lookup.row) {
        // A message that starts with the source's name keeps a file's name
        // as it is, but "the clipboard" starts it with a capital.
        std::string refusal = lookup.refusal;
        if (name == kClipboardName && refusal.starts_with(name)) {
            refusal[0] = 'T';
        }
        form_.tellUser(refusal);
        return false;
    }
    const placement::PlacementRow& row = *lookup.row;
    const std::string line = std::to_string(row.line);
    const bool mm = row.boxUnit == units::UnitFactor::PerMm;
    const bool relative = form_.isSelected(ControlId::Option2);

    // A row the host cannot take is refused before anything changes.
    const BoxesReading reading = boxesInSelectedMode().locate(row.x, row.y, row.boxUnit);
    if (!reading.location) {
        form_.tellUser(
            joined({name, ", line ", line, ": X ", row.x, ", Y ", row.y, " ", row.fileUnit,
                    relative ? " from the relative origin is outside the design's range"
                             : " is outside the design's range"}));
        return false;
    }

    // The row replaces all of an earlier one. The unit's option runs its
    // handler as a click does, which puts the numbers in as typed, in the
    // mode shown.
    endFill();
    state_.filledRow = FilledRow{row.x, row.y, row.boxUnit};
    form_.select(mm ? ControlId::Option4 : ControlId::Option3);
    if (row.rotationDegrees) {
        form_.setText(ControlId::Text3, signedAngleText(asWritten(*row.rotationDegrees)));
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

void Dialog::tellNothingPlacedFrom(std::string_view name) {
    const dbx::Status status = state_.openStatus;
    if (status == dbx::kSuccess) {
        form_.tellUser(
            joined({"Nothing was placed from ", name,
                    ": the host gave no selected component (select one component in the PCB editor "
                    "first)"}));
    } else {
        form_.tellUser(
            joined({"Nothing was placed from ", name, ": the host could not open the design (",
                    status == dbx::kNotBound ? "its library has no TOpenDesign"
                                             : "status " + std::to_string(status),
                    ")"}));
    }
}

bool Dialog::fillAtStart(const form::GivenFile& file) {
    if (form_.hasEnded()) {
        tellNothingPlacedFrom(nameOf(file.shownPath));
        return false;
    }
    form_.userGivesFiles({file});
    return true;
}

bool Dialog::moveFromFile(const form::GivenFile& file) {
    const std::string_view name = nameOf(file.shownPath);
    if (form_.hasEnded()) {
        tellNothingPlacedFrom(name);
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
