// The clipboard as a way in: mechanical positions often come as a few
// spreadsheet rows or lines in a message, copied rather than saved. The
// clipboard's text is read as a placement file's bytes and fills the dialog
// as a file does; two numbers pasted into X fill X and Y.
#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog.h"
#include "placement/placement_file.h"

namespace dialog {
namespace {

// As much text as the largest placement file holds in UTF-16.
constexpr std::size_t kMaxUnits = placement::kMaxFileBytes / 2;

// The text as a file saved in UTF-16LE holds it, byte order mark first: the
// reader decodes that to the host's single-byte text.
std::string utf16LeBytes(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(bytes.size() + 2 * text.size());
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string whyNotRead(ClipboardProblem problem) {
    if (problem == ClipboardProblem::InUse) {
        return "The clipboard is in use by another program: try again";
    }
    if (problem == ClipboardProblem::NoText) {
        return "The clipboard holds no text: copy the rows of a placement file or a spreadsheet "
               "first";
    }
    return "The clipboard's text is larger than " +
           std::to_string(placement::kMaxFileBytes / (1024 * 1024)) +
           " MB, too large for a placement file: it was not read";
}

std::string_view trimmed(std::string_view text, std::string_view blanks = " ") {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// `text` cut where `separator` stands, once, both sides trimmed (so that
// blanks around it, or a run of them as the separator, count as one);
// nothing when it stands there not exactly once or leaves a side empty.
std::optional<BoxTexts> cutInTwo(std::string_view text, std::string_view separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = trimmed(text.substr(at + separator.size()));
    if (rest.find(separator) != std::string_view::npos) {
        return std::nullopt;
    }
    BoxTexts texts{std::string(trimmed(text.substr(0, at))), std::string(rest)};
    if (texts.x.empty() || texts.y.empty()) {
        return std::nullopt;
    }
    return texts;
}

}  // namespace

void Dialog::Form_PlaceFromClipboard() {
    if (!form_.offersPlaceFromFile()) {
        return;  // after a move: only "Undo" and "&Exit"
    }
    ClipboardText held = clipboard_.text(kMaxUnits);
    if (held.problem == ClipboardProblem::None && held.text.empty()) {
        held.problem = ClipboardProblem::NoText;
    }
    if (held.problem != ClipboardProblem::None || held.text.size() > kMaxUnits) {
        form_.tellUser(whyNotRead(held.problem));
        return;
    }
    placeFromBytes(utf16LeBytes(held.text), kClipboardName);
}

bool Dialog::Text1_Paste(const std::string& text) {
    // Two numbers as a spreadsheet's two adjacent cells copy (a tab between
    // them), or written "12.5; 30", "12.5, 30" or "12.5 30". One number is
    // the box's own paste, and so is "12,5": a decimal comma, perhaps.
    const std::string_view pasted = trimmed(text, " \t\r\n");
    const auto isNumber = [this](const std::string& box) {
        return typedCoordinate(box, state_.locationBoxes.unitFactor(), locale_).has_value();
    };
    if (pasted.empty() || isNumber(std::string(pasted))) {
        return false;
    }
    for (const std::string_view separator : {"\t", ";", ", ", " "}) {
        const std::optional<BoxTexts> texts = cutInTwo(pasted, separator);
        if (texts && isNumber(texts->x) && isNumber(texts->y)) {
            form_.setText(ControlId::Text1, texts->x);
            form_.setText(ControlId::Text2, texts->y);
            return true;
        }
    }
    return false;
}

}  // namespace dialog
