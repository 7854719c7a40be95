// Pixels of every look under the fixed grey scheme: face C0, light DF, highlight FF,
// shadow 80, dark shadow and text 00. Expected values are worked out by hand from the layout
// of each style on a 75 x 25 button.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "widgets/RasterCanvas.h"

namespace widgets::testing {
namespace {

enum class Look { Normal, Pressed, Disabled };

constexpr Color F = 0xC0C0C0, L = 0xDFDFDF, Hi = 0xFFFFFF, S = 0x808080, D = 0x000000;
constexpr Color FocusOnFace = 0x3F3F3F;  // face with its bits inverted by the focus rectangle

class LooksTest : public ::testing::Test {
protected:
    RasterCanvas Paint(std::int32_t type, Look look, bool focus = false,
                       const wxString& caption = "Save", int width = 75, int height = 25) {
        model_ = std::make_unique<ButtonModel>(host, events);
        ButtonModel& model = *model_;
        model.InitNew();
        model.SetColorScheme(FixedGrey);
        model.SetCaption(caption);
        model.Resize(width, height);
        model.SetButtonType(type);
        if (focus) {
            model.FocusGained();
        }
        if (look == Look::Pressed) {
            model.DrawButton(kPressed, false);
        }
        if (look == Look::Disabled) {
            model.SetEnabled(false);
        }
        RasterCanvas canvas(width, height);
        model.Paint(canvas);
        return canvas;
    }

    ButtonModel& model() { return *model_; }

    FakeHost host;
    ButtonEvents events;
    std::unique_ptr<ButtonModel> model_ = std::make_unique<ButtonModel>(host, events);
};

struct PixelAt {
    int x;
    int y;
    Color expected;
};

struct LookCase {
    std::int32_t type;
    Look look;
    std::vector<PixelAt> pixels;
};

// Borders, corners, lines stopping one short of their end point, and the face.
// clang-format off
const LookCase kLooks[] = {
    // OutlinedRaised
    {1, Look::Normal, {{0, 0, F}, {74, 0, F}, {0, 24, F}, {74, 24, F}, {1, 0, D}, {73, 0, D},
        {0, 23, D}, {74, 1, D}, {73, 24, D}, {1, 1, Hi}, {2, 2, Hi}, {3, 3, F}, {72, 1, Hi},
        {73, 1, S}, {72, 2, S}, {71, 12, F}, {1, 22, Hi}, {2, 22, S}, {1, 23, S}, {37, 12, F}}},
    {1, Look::Pressed, {{1, 0, D}, {1, 1, S}, {2, 2, S}, {73, 1, Hi}, {72, 2, Hi}, {37, 23, Hi},
        {37, 22, Hi}, {1, 22, S}}},
    {1, Look::Disabled, {{1, 0, D}, {1, 1, Hi}, {73, 1, S}, {37, 23, S}}},
    // ClassicRaised: the plain look, since no host here reports a default button
    {2, Look::Normal, {{0, 0, Hi}, {73, 0, Hi}, {74, 0, D}, {0, 23, Hi}, {0, 24, D}, {74, 24, D},
        {1, 1, L}, {1, 12, L}, {73, 12, S}, {74, 12, D}, {37, 23, S}, {73, 23, S}, {37, 24, D},
        {2, 2, F}}},
    {2, Look::Pressed, {{0, 0, D}, {74, 24, D}, {1, 1, S}, {73, 23, S}, {2, 2, F}}},
    {2, Look::Disabled, {{0, 0, Hi}, {74, 0, D}, {73, 12, S}, {1, 1, L}}},
    // GradientRounded: B = scaled(face, +48) = F0F0F0, gradient row i is scaled(B, -i)
    {3, Look::Normal, {{0, 0, F}, {1, 0, F}, {2, 0, 0x733C00}, {72, 0, 0x733C00}, {0, 2, 0x733C00},
        {0, 22, 0x733C00}, {74, 2, 0x733C00}, {2, 24, 0x733C00}, {1, 1, 0x7B4D10},
        {1, 23, 0x7B4D10}, {73, 1, 0x7B4D10}, {73, 23, 0x7B4D10}, {37, 5, 0xEAEBEB},
        {37, 12, 0xE1E4E4}, {37, 23, 0xB4C0C0}, {37, 22, 0xC8D0D0}, {73, 12, 0xC3CCCC},
        {72, 12, 0xD2D8D8}, {37, 1, 0xFFFFFF}, {37, 2, 0xFCFAFA}, {1, 12, 0xEAEBEB},
        {1, 2, 0xEAEBEB}, {2, 12, 0xE4E6E6}}},
    // pressed: P = scaled(B, -32) = C8D0D0
    {3, Look::Pressed, {{37, 12, 0xC0C8C8}, {37, 23, 0xD8E0E0}, {37, 22, 0xD2DADA},
        {73, 12, 0xCDD5D5}, {72, 12, 0xC8D0D0}, {37, 1, 0xA7B0B0}, {37, 2, 0xAFB8B8},
        {1, 12, 0xA7B0B0}, {2, 2, 0xB2BABA}, {2, 12, 0xB2BABA}, {2, 0, 0x733C00}, {1, 1, 0x7B4D10}}},
    {3, Look::Disabled, {{37, 12, 0xD2D8D8}, {0, 0, 0xD2D8D8}, {37, 0, 0x879C9C}, {0, 12, 0x879C9C},
        {1, 1, 0x96A8A8}, {73, 23, 0x96A8A8}}},
    // SoftRounded
    {4, Look::Normal, {{0, 0, F}, {2, 0, D}, {72, 0, D}, {73, 0, F}, {0, 12, D}, {74, 12, D},
        {37, 24, D}, {1, 1, D}, {1, 23, D}, {73, 1, D}, {73, 23, D}, {2, 1, F}, {1, 2, F},
        {3, 1, L}, {37, 1, L}, {2, 2, Hi}, {37, 2, Hi}, {2, 12, Hi}, {3, 3, Hi}, {4, 4, L},
        {37, 12, L}, {72, 1, F}, {72, 12, F}, {71, 21, F}, {37, 22, F}, {1, 22, F}, {72, 22, S},
        {73, 12, S}, {37, 23, S}, {2, 23, F}, {2, 22, L}, {73, 2, F}, {72, 2, L}}},
    {4, Look::Pressed, {{1, 1, D}, {73, 1, D}, {2, 0, D}, {37, 1, 0x404040}, {1, 12, 0x404040},
        {2, 2, 0x404040}, {37, 2, 0x606060}, {2, 12, 0x606060}, {3, 3, 0x606060}, {4, 4, 0x707070},
        {37, 12, 0x707070}, {72, 12, S}, {37, 22, S}, {73, 12, 0x707070}, {37, 23, 0x707070},
        {73, 22, 0x606060}, {72, 23, 0x606060}, {2, 23, 0x606060}, {2, 22, 0x707070},
        {1, 22, 0x707070}, {73, 2, 0x606060}, {72, 2, 0x707070}, {72, 1, 0x707070}}},
    {4, Look::Disabled, {{1, 1, D}, {37, 12, L}, {2, 12, Hi}, {73, 12, S}, {72, 2, L}}},
    // BoldFlat
    {5, Look::Normal, {{0, 0, 0x666666}, {73, 0, 0x666666}, {74, 0, F}, {0, 24, F}, {74, 24, Hi},
        {1, 24, Hi}, {74, 12, Hi}, {73, 12, 0x666666}, {0, 12, 0x666666}, {37, 23, 0x666666},
        {37, 24, Hi}, {1, 1, Hi}, {1, 12, Hi}, {2, 2, 0xCCCCCC}, {37, 12, 0xCCCCCC},
        {1, 23, 0x9A9A9A}, {73, 1, 0x9A9A9A}}},
    {5, Look::Pressed, {{0, 0, 0x666666}, {73, 23, 0x666666}, {37, 12, 0x909090}, {1, 1, 0x909090},
        {74, 12, Hi}, {74, 0, F}, {37, 24, Hi}, {0, 24, F}, {74, 24, Hi}}},
    {5, Look::Disabled, {{0, 0, S}, {74, 24, S}, {37, 12, F}, {1, 1, F}}},
    // DoubleEdge: E = plain(light, +8) = E7
    {6, Look::Normal, {{0, 0, 0xE7E7E7}, {1, 1, 0xE7E7E7}, {73, 0, 0xE7E7E7}, {1, 12, 0xE7E7E7},
        {74, 0, S}, {73, 1, S}, {37, 24, S}, {37, 23, S}, {0, 24, S}, {1, 23, S}, {74, 24, S},
        {2, 2, F}}},
    {6, Look::Pressed, {{0, 0, S}, {1, 1, S}, {73, 0, S}, {74, 0, 0xE7E7E7}, {73, 12, 0xE7E7E7},
        {37, 24, 0xE7E7E7}, {1, 23, 0xE7E7E7}}},
    {6, Look::Disabled, {{0, 0, 0xE7E7E7}, {74, 0, S}, {37, 24, S}}},
    // SingleEdge
    {7, Look::Normal, {{0, 0, Hi}, {73, 0, Hi}, {74, 0, S}, {0, 23, Hi}, {0, 24, S}, {74, 24, S},
        {1, 1, F}}},
    {7, Look::Pressed, {{0, 0, S}, {0, 23, S}, {74, 0, Hi}, {0, 24, Hi}, {73, 24, Hi}, {74, 24, Hi}}},
    {7, Look::Disabled, {{0, 0, Hi}, {74, 0, S}, {0, 24, S}, {73, 24, S}, {74, 24, S}}},
};
// clang-format on

TEST_F(LooksTest, PixelsOfEveryStyleAndLook) {
    for (const LookCase& c : kLooks) {
        const RasterCanvas canvas = Paint(c.type, c.look);
        for (const PixelAt& p : c.pixels) {
            EXPECT_EQ(canvas.At(p.x, p.y), p.expected)
                << "type " << c.type << " look " << static_cast<int>(c.look) << " at (" << p.x
                << ", " << p.y << ")";
        }
    }
}

// Where each style puts its focus indicator, with the focus flag set.
struct FocusCase {
    std::int32_t type;
    Look look;
    bool focusRect;
};

const FocusCase kFocus[] = {
    {1, Look::Normal, true},  {1, Look::Pressed, true},  {1, Look::Disabled, false},
    {2, Look::Normal, false}, {2, Look::Pressed, true},  {2, Look::Disabled, false},
    {3, Look::Normal, false}, {3, Look::Pressed, false}, {3, Look::Disabled, false},
    {4, Look::Normal, false}, {4, Look::Pressed, false}, {4, Look::Disabled, false},
    {5, Look::Normal, false}, {5, Look::Pressed, false}, {5, Look::Disabled, false},
    {6, Look::Normal, true},  {6, Look::Pressed, true},  {6, Look::Disabled, false},
    {7, Look::Normal, true},  {7, Look::Pressed, true},  {7, Look::Disabled, false},
};

TEST_F(LooksTest, FocusRectangleOnlyWhereTheStyleHasOne) {
    for (const FocusCase& c : kFocus) {
        const RasterCanvas focused = Paint(c.type, c.look, true);
        const RasterCanvas plain = Paint(c.type, c.look, false);
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " look " << int(c.look));
        EXPECT_EQ(focused.FocusRects(), c.focusRect ? 1 : 0);
        if (c.focusRect) {
            // Dotted: every other pixel of the (4, 4, 71, 21) border is inverted.
            EXPECT_EQ(focused.At(4, 4), FocusOnFace);
            EXPECT_EQ(focused.At(5, 4), F);
            EXPECT_EQ(focused.At(70, 20), FocusOnFace);
            EXPECT_EQ(focused.At(37, 13), F);
        } else if (c.type != 3 && c.type != 5) {
            for (int x = 0; x < 75; ++x) {
                for (int y = 0; y < 25; ++y) {
                    ASSERT_EQ(focused.At(x, y), plain.At(x, y)) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(LooksTest, FocusRectangleNeedsShowFocusRect) {
    model().SetShowFocusRect(false);
    const RasterCanvas canvas = [&] {
        model().SetColorScheme(FixedGrey);
        model().Resize(75, 25);
        model().SetButtonType(SingleEdge);
        model().FocusGained();
        RasterCanvas c(75, 25);
        model().Paint(c);
        return c;
    }();
    EXPECT_EQ(canvas.FocusRects(), 0);
    EXPECT_EQ(canvas.At(4, 4), F);
}

TEST_F(LooksTest, GradientStyleHotFrameFollowsFocus) {
    const RasterCanvas hot = Paint(GradientRounded, Look::Normal, true);
    EXPECT_EQ(hot.At(1, 12), 0xE7AE8Cu);
    EXPECT_EQ(hot.At(73, 12), 0xE7AE8Cu);
    EXPECT_EQ(hot.At(37, 22), 0xE7AE8Cu);
    EXPECT_EQ(hot.At(37, 23), 0xEF826Bu);
    EXPECT_EQ(hot.At(37, 1), 0xFFE7CEu);
    EXPECT_EQ(hot.At(37, 2), 0xF7D7BDu);
    EXPECT_EQ(hot.At(73, 2), 0xF7D7BDu);  // the second-row line covers the frame's side
    EXPECT_EQ(hot.At(74, 2), 0x733C00u);  // but stops short of the border
    EXPECT_EQ(hot.At(2, 12), 0xF0D1B5u);
    EXPECT_EQ(hot.At(72, 12), 0xF0D1B5u);
    EXPECT_EQ(hot.At(37, 12), 0xE1E4E4u);
}

TEST_F(LooksTest, BoldFlatCaptionFrameAndBoldness) {
    const RasterCanvas focused = Paint(BoldFlat, Look::Normal, true, "Sa&ve");
    // "Save" in bold is 28 x 13: x = (75 - 28) / 2 - 3 = 20, y = (25 - 13) / 2 - 1 = 5.
    EXPECT_EQ(focused.At(20, 5), 0xCC9999u);
    EXPECT_EQ(focused.At(53, 5), 0xCC9999u);
    EXPECT_EQ(focused.At(20, 19), 0xCC9999u);
    EXPECT_EQ(focused.At(53, 19), 0xCC9999u);
    EXPECT_EQ(focused.At(54, 5), 0xCCCCCCu);
    EXPECT_EQ(focused.At(21, 6), 0xCCCCCCu);
    ASSERT_EQ(focused.Texts().size(), 1u);
    EXPECT_TRUE(focused.Texts()[0].bold);
    EXPECT_FALSE(focused.Bold()) << "bold goes back to the font's own setting";

    host.windowFont.bold = true;
    for (Look look : {Look::Pressed, Look::Disabled}) {
        const RasterCanvas canvas = Paint(BoldFlat, look, true);
        EXPECT_TRUE(canvas.Texts().at(0).bold);
        EXPECT_TRUE(canvas.Bold());
        EXPECT_EQ(canvas.At(20, 5), look == Look::Pressed ? 0xCC9999u : F);
    }
}

// Which box and colour each caption is drawn in.
TEST_F(LooksTest, CaptionBoxesAndColours) {
    const Rect whole{0, 0, 75, 25};
    const Rect pressedBox{2, 2, 75, 25};
    for (std::int32_t type : {1, 2, 4, 6, 7}) {
        SCOPED_TRACE(type);
        const RasterCanvas normal = Paint(type, Look::Normal);
        ASSERT_EQ(normal.Texts().size(), 1u);
        EXPECT_EQ(normal.Texts()[0].box, whole);
        const RasterCanvas pressed = Paint(type, Look::Pressed);
        ASSERT_EQ(pressed.Texts().size(), 1u);
        EXPECT_EQ(pressed.Texts()[0].box, pressedBox);
        EXPECT_EQ(pressed.Texts()[0].color, type == 4 ? L : D);
    }
    for (std::int32_t type : {1, 2, 4, 7}) {
        const RasterCanvas disabled = Paint(type, Look::Disabled);
        ASSERT_EQ(disabled.Texts().size(), 2u) << type;
        EXPECT_EQ(disabled.Texts()[0].color, Hi);
        EXPECT_EQ(disabled.Texts()[0].box, pressedBox);
        EXPECT_EQ(disabled.Texts()[1].color, S);
        EXPECT_EQ(disabled.Texts()[1].box, whole);
    }
    EXPECT_EQ(Paint(3, Look::Disabled).Texts().at(0).color, 0x6E8888u);
    EXPECT_EQ(Paint(5, Look::Pressed).Texts().at(0).box, whole);
    EXPECT_EQ(Paint(6, Look::Disabled).Texts().at(0).color, S);
}

TEST_F(LooksTest, FaceOnlyWhenTypeOrStateIsUnknown) {
    for (const RasterCanvas& canvas : {Paint(9, Look::Normal), Paint(0, Look::Disabled)}) {
        EXPECT_TRUE(canvas.Texts().empty());
        EXPECT_EQ(canvas.At(0, 0), F);
        EXPECT_EQ(canvas.At(74, 24), F);
        EXPECT_EQ(canvas.At(37, 12), F);
    }
    Paint(SoftRounded, Look::Normal);
    model().DrawButton(1, true);
    RasterCanvas odd(75, 25);
    model().Paint(odd);
    EXPECT_TRUE(odd.Texts().empty());
    EXPECT_EQ(odd.At(2, 0), F);
}

TEST_F(LooksTest, ZeroHeightPaintsNothing) {
    model().Resize(75, 0);
    RasterCanvas canvas(75, 1);
    model().Paint(canvas);
    EXPECT_TRUE(canvas.Untouched());
    EXPECT_EQ(canvas.At(0, 0), RasterCanvas::kUnpainted);
}

// The gradient darkens by exactly one unit per row when 25 rows share 25 units (normal) and
// 15 rows share 15 (pressed); read on the red channel, which moves by the plain offset.
TEST_F(LooksTest, GradientStepsOneUnitPerRow) {
    const RasterCanvas normal = Paint(GradientRounded, Look::Normal, false, "", 75, 25);
    for (int y = 3; y <= 21; ++y) {
        EXPECT_EQ(RedOf(normal.At(37, y)), 240 - y) << y;
    }
    const RasterCanvas pressed = Paint(GradientRounded, Look::Pressed, false, "", 75, 15);
    for (int y = 3; y <= 11; ++y) {
        EXPECT_EQ(RedOf(pressed.At(37, y)), 208 - (15 - y)) << y;
    }
}

TEST_F(LooksTest, GradientOffsetsRoundHalvesToEven) {
    // At 50 rows the step is 0.5: row 3 is offset -1.5 -> -2, row 5 -2.5 -> -2, row 7 -3.5 -> -4.
    const RasterCanvas canvas = Paint(GradientRounded, Look::Normal, false, "", 75, 50);
    const std::pair<int, int> rows[] = {{3, 238}, {4, 238}, {5, 238}, {6, 237}, {7, 236}, {9, 236}};
    for (auto [y, red] : rows) {
        EXPECT_EQ(RedOf(canvas.At(37, y)), red) << y;
    }
}

}  // namespace
}  // namespace widgets::testing
