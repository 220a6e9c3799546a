#include "form/window_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace form {
namespace {

using enum ControlId;

// Each control's place on the client area in twips, its frames' offsets
// added by hand: Frame1 sits at (120, 0), Frame2 at (2040, 480) and Frame3
// at (3480, 480) inside Frame1.
struct AbsoluteTwips {
    ControlId id;
    int left, top, width, height;
};

constexpr AbsoluteTwips kPlaces[] = {
    {Frame1, 120, 0, 4932, 2412},     {Text1, 480, 240, 1572, 288},
    {Text2, 480, 600, 1572, 288},     {Label1, 240, 240, 252, 252},
    {Label2, 240, 600, 252, 252},     {Check1, 2160, 240, 1092, 252},
    {Check2, 3600, 240, 1092, 252},   {Command1, 3240, 1800, 732, 372},
    {Command2, 4080, 1800, 732, 372}, {Text3, 1560, 960, 492, 288},
    {Command3, 480, 960, 972, 252},   {Frame2, 2160, 480, 1332, 852},
    {Option1, 2280, 720, 1092, 192},  {Option2, 2280, 960, 1092, 252},
    {Frame3, 3600, 480, 1332, 852},   {Option4, 3720, 960, 732, 312},
    {Option3, 3720, 720, 732, 192},   {Label3, 240, 1800, 2652, 252},
    {Label4, 240, 2040, 3132, 252},   {Command4, 3240, 1800, 732, 372},
    {Label5, 240, 1320, 1812, 252},   {Label6, 240, 1560, 2172, 252},
};

// twips * dpi / 1440 to the nearest pixel, for the non-negative twips here.
int pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

class LayoutAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(LayoutAtDpi, EveryControlSitsAtItsTwipsScaledEdgeByEdge) {
    const int dpi = GetParam();
    const auto layout = layoutAt(dpi);
    for (const AbsoluteTwips& p : kPlaces) {
        const int x = pixels(p.left, dpi);
        const int y = pixels(p.top, dpi);
        const PixelRect expected{x, y, pixels(p.left + p.width, dpi) - x,
                                 pixels(p.top + p.height, dpi) - y};
        EXPECT_EQ(layout[static_cast<std::size_t>(p.id)].rect, expected) << describe(p.id).name;
    }
}

TEST_P(LayoutAtDpi, ClientAreaIs5160By2544Twips) {
    const int dpi = GetParam();
    EXPECT_EQ(clientSizeAt(dpi), (PixelSize{pixels(5160, dpi), pixels(2544, dpi)}));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutAtDpi, ::testing::Values(96, 120, 144));

TEST(Layout, FontsAre7Point8AtEveryResolution) {
    // 7.8 pt is 78/720 inch: 10.4, 13 and 15.6 pixels.
    const auto at96 = layoutAt(96);
    const auto at144 = layoutAt(144);
    EXPECT_EQ(at96[static_cast<std::size_t>(Text1)].fontHeight, -10);
    EXPECT_EQ(layoutAt(120)[static_cast<std::size_t>(Check1)].fontHeight, -13);
    EXPECT_EQ(at144[static_cast<std::size_t>(Label6)].fontHeight, -16);
}

TEST(Layout, OptionButtonsPairByTheirFrame) {
    EXPECT_EQ(partnerOf(Option1), Option2);
    EXPECT_EQ(partnerOf(Option2), Option1);
    EXPECT_EQ(partnerOf(Option3), Option4);
    EXPECT_EQ(partnerOf(Option4), Option3);
    EXPECT_EQ(partnerOf(Check1), Check1);
    // Each frame's first option in tab order opens its radio group.
    EXPECT_TRUE(startsRadioGroup(Option1));
    EXPECT_FALSE(startsRadioGroup(Option2));
    EXPECT_TRUE(startsRadioGroup(Option4));
    EXPECT_FALSE(startsRadioGroup(Option3));
}

// Tab index order, labels and frames left out.
const std::vector<ControlId> kTabOrder{Text1,    Text2,   Check1,   Check2,  Command1,
                                       Command2, Text3,   Command3, Option1, Option2,
                                       Option4,  Option3, Command4};

TEST(Layout, TabVisitsTheFocusTakingControlsInTheirTabIndexOrder) {
    EXPECT_EQ(tabOrder(), kTabOrder);
}

TEST(Layout, StackingPutsFocusTakingControlsOverLabelsOverFrames) {
    const auto order = stackingOrder();
    const std::vector<ControlId> top(order.begin(), order.begin() + 13);
    const std::vector<ControlId> bottom(order.begin() + 13, order.end());
    const std::vector<ControlId> expected{Label6, Label5, Label4, Label3, Label2,
                                          Label1, Frame3, Frame2, Frame1};
    EXPECT_EQ(top, kTabOrder);
    EXPECT_EQ(bottom, expected);
}

}  // namespace
}  // namespace form
