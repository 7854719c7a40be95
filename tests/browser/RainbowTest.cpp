#include <gtest/gtest.h>

#include <vector>

#include "browser/Layout.h"
#include "browser/Rainbow.h"

using browser::RainbowColour;
using browser::RainbowLine;

TEST(Rainbow, ScaleRoundsHalvesToEven) {
    struct Case {
        int width;
        int n;
        int k;
    };
    const Case cases[] = {
        {6285, 1047, 4},  // step about 4.108
        {765, 127, 0},    // step 0.5 exactly
        {766, 127, 1},    // just above a half
        {1530, 255, 1},   // step 1
        {2294, 382, 1},   // just below 1.5
        {2295, 382, 2},   // step 1.5
        {3825, 637, 2},   // step 2.5
        {5355, 892, 4},   // step 3.5
        {0, 0, 0},        // no window
        {-1530, 0, 0},    // no window
    };
    for (const Case& c : cases) {
        const auto scale = browser::RainbowScaleFor(c.width);
        EXPECT_EQ(scale.linesPerBand, c.n) << c.width;
        EXPECT_EQ(scale.divisor, c.k) << c.width;
    }
}

TEST(Rainbow, SitesWindowWidthGivesSixBandsWithCarriedCounters) {
    const int n = 1047;
    const std::vector<RainbowLine> lines = browser::RainbowLines(6285, 3570);
    ASSERT_EQ(lines.size(), 6283u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].x, static_cast<int>(i));
        ASSERT_EQ(lines[i].top, 0);
        ASSERT_EQ(lines[i].bottom, 3570);
    }

    struct Boundary {
        int index;
        RainbowColour colour;
    };
    // clang-format off
    const Boundary boundaries[] = {
        {0,         {255, 0, 1}},      // band 1: red to yellow, blue stays 1
        {400,       {255, 100, 1}},    // g = 401, 401 div 4
        {n - 1,     {255, 255, 1}},    // 1047 div 4 = 261, shown as 255
        {n,         {255, 255, 1}},    // band 2: yellow to green
        {n + 500,   {136, 255, 1}},    // r = 547
        {2 * n - 1, {0, 255, 1}},
        {2 * n,     {0, 255, 0}},      // band 3 starts at b = 0 ...
        {3 * n,     {0, 255, 255}},    // ... and has n + 1 lines
        {3 * n + 1, {0, 255, 255}},    // band 4: cyan to blue
        {4 * n,     {0, 0, 255}},
        {4 * n + 1, {0, 0, 255}},      // band 5: blue to magenta
        {5 * n,     {255, 0, 255}},
        {5 * n + 1, {255, 0, 255}},    // band 6: magenta to red
        {6 * n,     {255, 0, 0}},
    };
    // clang-format on
    for (const Boundary& b : boundaries) {
        EXPECT_EQ(lines[b.index].colour, b.colour) << "line " << b.index;
    }
    EXPECT_EQ(lines[0].colour.Packed(), 0x000100FFu);
    EXPECT_EQ((RainbowColour{1, 2, 3}.Packed()), 0x00030201u);
}

TEST(Rainbow, NarrowWindowKeepsCarriedValuesBelow255) {
    // n = 127, k = 1: the carried counter n + 1 = 128 is drawn as it is, not as full intensity.
    const std::vector<RainbowLine> lines = browser::RainbowLines(766, 100);
    const int n = 127;
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(6 * n + 1));
    EXPECT_EQ(lines[n - 1].colour, (RainbowColour{255, 127, 1}));
    EXPECT_EQ(lines[n].colour, (RainbowColour{127, 128, 1}));
    EXPECT_EQ(lines[2 * n].colour, (RainbowColour{0, 128, 0}));
    EXPECT_EQ(lines[3 * n + 1].colour, (RainbowColour{0, 127, 128}));
    EXPECT_EQ(lines[5 * n + 1].colour, (RainbowColour{128, 0, 127}));
    EXPECT_EQ(lines.back().colour, (RainbowColour{128, 0, 1}));
}

TEST(Rainbow, DivisorFollowsTheRoundedStep) {
    // Step 2.5 rounds to 2, not 3: green climbs by one every second line.
    const std::vector<RainbowLine> lines = browser::RainbowLines(3825, 10);
    ASSERT_EQ(lines.size(), 6u * 637 + 1);
    EXPECT_EQ(lines[299].colour, (RainbowColour{255, 150, 1}));
    EXPECT_EQ(lines[636].colour, (RainbowColour{255, 255, 1}));
}

TEST(Rainbow, NothingIsDrawnWhenTheDivisorIsZero) {
    for (int width : {765, 500, 1, 0, -20}) {
        EXPECT_TRUE(browser::RainbowLines(width, 3570).empty()) << width;
    }
    EXPECT_FALSE(browser::RainbowLines(766, 3570).empty());
}

// The window on screens of every size: kept whole where it fits, moved in and then made smaller
// where it does not, never below its smallest size.
TEST(BrowserPlace, TheWindowIsKeptOnTheScreen) {
    using browser::ScreenRect;
    const struct {
        ScreenRect window, area, placed;
    } cases[] = {
        {{121, 132, 773, 541}, {0, 0, 1600, 1200}, {121, 132, 773, 541}},
        {{121, 132, 773, 541}, {0, 0, 1024, 600}, {121, 59, 773, 541}},
        {{121, 132, 773, 541}, {0, 30, 800, 480}, {27, 30, 773, 480}},
        {{121, 132, 773, 541}, {0, 0, 300, 100}, {0, 0, 400, 200}},
        {{-50, -20, 773, 541}, {0, 0, 1024, 768}, {0, 0, 773, 541}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(browser::KeepOnScreen(c.window, c.area, 400, 200), c.placed)
            << c.area.width << "x" << c.area.height;
    }
}
