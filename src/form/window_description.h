// What Form1 looks like: every control with its name, kind, container,
// caption, position and size (twips, within its container's client area),
// tab order, initial state and font. The model starts from it and the
// window draws it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace form {

enum class ControlId : std::uint8_t {
    Frame1,
    Text1,
    Text2,
    Label1,
    Label2,
    Check1,
    Check2,
    Command1,
    Command2,
    Text3,
    Command3,
    Frame2,
    Option1,
    Option2,
    Frame3,
    Option4,
    Option3,
    Label3,
    Label4,
    Command4,
    Label5,
    Label6,
};
inline constexpr std::size_t kControlCount = 22;
// The window numbers its controls from this id in ControlId order (Frame1 is
// 1000, Label6 1021); test drivers find them by these ids.
inline constexpr int kFirstControlId = 1000;

enum class ControlKind : std::uint8_t {
    Frame,
    TextBox,
    Label,
    CheckBox,
    CommandButton,
    OptionButton
};
enum class FontKind : std::uint8_t { WindowFont, Normal };

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlDescription {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::optional<ControlId> container;  // none: the window itself
    std::string_view caption;
    Twips place;
    int tabIndex;
    bool initiallyVisible;
    bool initiallyOn;  // option selected / box checked
    FontKind font;
};

struct FontDescription {
    std::string_view face;
    double points;
    int weight;
    int charset;
};

struct FormDescription {
    std::string_view caption;
    int clientWidthTwips;
    int clientHeightTwips;
    FontDescription windowFont;
    FontDescription normalFont;
};

const FormDescription& formDescription();
// In tab order, which is also the order of the ControlId values.
std::span<const ControlDescription, kControlCount> controlDescriptions();
const ControlDescription& describe(ControlId id);
// The other option button of the same container; `option` itself when it has
// none (or is no option button).
ControlId partnerOf(ControlId option);

}  // namespace form
