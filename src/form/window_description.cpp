#include "form/window_description.h"

#include <array>

namespace form {
namespace {

using enum ControlId;
using enum ControlKind;
using enum FontKind;

constexpr FormDescription kForm{
    .caption = "CompPlace",
    .clientWidthTwips = 5160,
    .clientHeightTwips = 2544,
    .windowFont = {"MS Sans Serif", 7.8, 700, 177},
    .normalFont = {"MS Sans Serif", 7.8, 400, 177},
};

// A designer may have nothing but the exe: the credit line names the
// version and the licence, the other line what the program needs to work.
// Both stay short enough to end before the "&Move" button.
constexpr std::string_view kCreditLine = "CompPlace " COMPPLACE_VERSION " (MIT licence)";
constexpr std::string_view kContactLine = "Run it beside the host's dbx32.dll";

// clang-format off
constexpr std::array<ControlDescription, kControlCount> kControls{{
    {Frame1,   "Frame1",   Frame,         std::nullopt, "Location",  {120, 0, 4932, 2412},   0, true,  false, WindowFont},
    {Text1,    "Text1",    TextBox,       Frame1,       "",          {360, 240, 1572, 288},  1, true,  false, WindowFont},
    {Text2,    "Text2",    TextBox,       Frame1,       "",          {360, 600, 1572, 288},  2, true,  false, WindowFont},
    {Label1,   "Label1",   Label,         Frame1,       "X:",        {120, 240, 252, 252},   3, true,  false, WindowFont},
    {Label2,   "Label2",   Label,         Frame1,       "Y:",        {120, 600, 252, 252},   4, true,  false, WindowFont},
    {Check1,   "Check1",   CheckBox,      Frame1,       "Flipped",   {2040, 240, 1092, 252}, 5, true,  false, Normal},
    {Check2,   "Check2",   CheckBox,      Frame1,       "Fixed",     {3480, 240, 1092, 252}, 6, true,  false, Normal},
    {Command1, "Command1", CommandButton, Frame1,       "&Move",     {3120, 1800, 732, 372}, 7, true,  false, Normal},
    {Command2, "Command2", CommandButton, Frame1,       "&Exit",     {3960, 1800, 732, 372}, 8, true,  false, Normal},
    {Text3,    "Text3",    TextBox,       Frame1,       "",          {1440, 960, 492, 288},  9, true,  false, WindowFont},
    {Command3, "Command3", CommandButton, Frame1,       "&Rotation", {360, 960, 972, 252},  10, true,  false, Normal},
    {Frame2,   "Frame2",   Frame,         Frame1,       "Mode",      {2040, 480, 1332, 852},11, true,  false, Normal},
    {Option1,  "Option1",  OptionButton,  Frame2,       "Absolute",  {120, 240, 1092, 192}, 12, true,  true,  Normal},
    {Option2,  "Option2",  OptionButton,  Frame2,       "Relative",  {120, 480, 1092, 252}, 13, true,  false, Normal},
    {Frame3,   "Frame3",   Frame,         Frame1,       "Unit",      {3480, 480, 1332, 852},14, true,  false, Normal},
    {Option4,  "Option4",  OptionButton,  Frame3,       "mm",        {120, 480, 732, 312},  15, true,  false, Normal},
    {Option3,  "Option3",  OptionButton,  Frame3,       "mils",      {120, 240, 732, 192},  16, true,  true,  Normal},
    {Label3,   "Label3",   Label,         Frame1,       kCreditLine, {120, 1800, 2652, 252}, 17, true, false, Normal},
    {Label4,   "Label4",   Label,         Frame1,       kContactLine, {120, 2040, 3132, 252}, 18, true, false, Normal},
    {Command4, "Command4", CommandButton, Frame1,       "Undo",      {3120, 1800, 732, 372},19, false, false, Normal},
    {Label5,   "Label5",   Label,         Frame1,       "",          {120, 1320, 1812, 252},20, true,  false, WindowFont},
    {Label6,   "Label6",   Label,         Frame1,       "",          {120, 1560, 2172, 252},21, true,  false, Normal},
}};
// clang-format on

constexpr bool idsFollowTabOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (static_cast<std::size_t>(kControls[i].id) != i ||
            kControls[i].tabIndex != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(idsFollowTabOrder(), "the table is indexed by ControlId");

}  // namespace

const FormDescription& formDescription() {
    return kForm;
}

std::span<const ControlDescription, kControlCount> controlDescriptions() {
    return kControls;
}

const ControlDescription& describe(ControlId id) {
    return kControls[static_cast<std::size_t>(id)];
}

ControlId partnerOf(ControlId option) {
    const ControlDescription& self = describe(option);
    if (self.kind != OptionButton) {
        return option;
    }
    for (const ControlDescription& other : kControls) {
        if (other.kind == OptionButton && other.id != option && other.container == self.container) {
            return other.id;
        }
    }
    return option;
}

}  // namespace form
