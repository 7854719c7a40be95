#include <gtest/gtest.h>

#include "widgets/ButtonModel.h"

namespace widgets {
namespace {

struct ShiftCase {
    Color color;
    int offset;
    bool scaled;
    Color expected;
};

TEST(ShiftColorTest, PlainAndScaledShifts) {
    const ShiftCase cases[] = {
        {0xD8E9EC, -64, false, 0x98A9AC},
        {0x404040, 48, true, 0x507070},
        {0xFFFFFF, 1, false, 0xFFFFFF},    // clamps at 255
        {0x000000, -1, false, 0x000000},   // clamps at 0
        {0x10F005, -20, false, 0x00DC00},  // each channel clamps on its own
        {0x6400FA, 10, false, 0x6E0AFF},
        {0x640000, -1, true, 0x640000},    // 100 * -1 / 192 truncates to 0, not -1
        {0xC80000, -1, true, 0xC70000},    // 200 * -1 / 192 = -1.04 -> -1
        {0xF00000, -100, true, 0x730000},  // 240 - 125 = 115
        {0xC00000, 200, true, 0xFFC8C8},   // blue 192 + 200 clamps; red and green move plainly
    };
    for (const ShiftCase& c : cases) {
        EXPECT_EQ(ShiftColor(c.color, c.offset, c.scaled), c.expected)
            << std::hex << c.color << " by " << std::dec << c.offset << (c.scaled ? " scaled" : "");
    }
}

TEST(AccessKeyTest, FirstUsableAmpersandWithinTwo) {
    const std::pair<const char*, wxUniChar> cases[] = {
        {"&Save", 's'},  {"Save &&Go", 0}, {"A&&B&c", 'c'}, {"&", 0},  {"Go&", 0},
        {"", 0},         {"x", 0},         {"E&XIT", 'x'},  {"&&", 0}, {"&&&x", 'x'},
        {"&&a&&b&c", 0}, {"a&b&c", 'b'},   {"No key", 0},
    };
    for (const auto& [caption, key] : cases) {
        EXPECT_EQ(AccessKeyOf(caption), key) << caption;
    }
}

TEST(CaptionTextTest, AmpersandMarkupIsRemovedForDisplay) {
    int accel = 0;
    EXPECT_EQ(StripMnemonics("&OK", &accel), "OK");
    EXPECT_EQ(accel, 0);
    EXPECT_EQ(StripMnemonics("&&", &accel), "&");
    EXPECT_EQ(accel, -1);
    EXPECT_EQ(StripMnemonics("Save &&Go &now", &accel), "Save &Go now");
    EXPECT_EQ(accel, 9);
    EXPECT_EQ(StripMnemonics("Go&", &accel), "Go");
}

}  // namespace
}  // namespace widgets
