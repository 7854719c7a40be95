#include <gtest/gtest.h>

#include "widgets/RasterCanvas.h"

namespace widgets::testing {
namespace {

class PropertiesTest : public ::testing::Test {
protected:
    FakeHost host;
    ButtonEvents events;
    ButtonModel model{host, events};
};

TEST_F(PropertiesTest, NewButtonDefaultsWithoutPainting) {
    model.InitNew();
    model.Resize(0, 0);  // no size yet: nothing may be painted
    EXPECT_EQ(model.ButtonType(), ClassicRaised);
    EXPECT_EQ(model.ColorScheme(), SystemColors);
    EXPECT_TRUE(model.Caption().empty());
    EXPECT_TRUE(model.Enabled());
    EXPECT_TRUE(model.ShowFocusRect());
    EXPECT_EQ(model.BackColor(), FakeHost::kSystem.face);
    EXPECT_EQ(model.ForeColor(), FakeHost::kSystem.text);
    EXPECT_EQ(model.Font(), host.windowFont);
    EXPECT_EQ(model.Colors(), FakeHost::kSystem);
    EXPECT_EQ(model.LastMouseButton(), kLeftButton);
    EXPECT_EQ(host.invalidations, 0);
}

TEST_F(PropertiesTest, EmptyStoredSetGivesNewButtonValuesAndRepaints) {
    model.Resize(75, 25);
    host.invalidations = 0;
    model.ReadProperties(PropertyBag{});
    EXPECT_EQ(model.ButtonType(), ClassicRaised);
    EXPECT_EQ(model.ColorScheme(), SystemColors);
    EXPECT_TRUE(model.Caption().empty());
    EXPECT_TRUE(model.Enabled());
    EXPECT_TRUE(model.ShowFocusRect());
    EXPECT_EQ(model.BackColor(), FakeHost::kSystem.face);
    EXPECT_EQ(model.ForeColor(), FakeHost::kSystem.text);
    EXPECT_EQ(model.Font(), host.windowFont);
    EXPECT_EQ(host.invalidations, 1);
    EXPECT_EQ(host.log, std::vector<std::string>{"enable"});
    ASSERT_EQ(host.appliedFonts.size(), 1u);
}

TEST_F(PropertiesTest, WindowsStoredSetReadsCaseBlind) {
    PropertyBag bag;
    bag.Write("_extentx", std::int32_t{1984});
    bag.Write("BType", std::int32_t{SoftRounded});
    bag.Write("TX", wxString("&Open"));
    bag.Write("enab", false);
    bag.Write("Font", FontDesc{"MS Sans Serif", 8.25});
    bag.Write("COLTYPE", std::int32_t{CustomColors});
    bag.Write("focusr", false);
    bag.Write("bCol", std::int32_t{0x0000FF});
    bag.Write("fcol", std::int32_t{0x00FF00});
    model.ReadProperties(bag);
    EXPECT_EQ(model.ButtonType(), SoftRounded);
    EXPECT_EQ(model.Caption(), "&Open");
    EXPECT_EQ(model.AccessKey(), 'o');
    EXPECT_FALSE(model.Enabled());
    EXPECT_EQ(model.Font().face, "MS Sans Serif");
    EXPECT_FALSE(model.ShowFocusRect());
    // Custom scheme: face BackColor, shades moved by +31, +47, -64, -192, text ForeColor.
    EXPECT_EQ(model.Colors(),
              (Palette{0x0000FF, 0x1F1FFF, 0x2F2FFF, 0x0000BF, 0x00003F, 0x00FF00}));
    EXPECT_EQ(host.log, std::vector<std::string>{"disable"});
}

TEST_F(PropertiesTest, WrittenSetHasEveryKeyInOrderAndReadsBack) {
    model.InitNew();
    model.SetButtonType(BoldFlat);
    model.SetCaption("Go");
    model.SetColorScheme(FixedGrey);
    model.SetBackColor(0x123456);
    PropertyBag bag;
    model.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries()) {
        keys.push_back(entry.first);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"btype", "tx", "enab", "font", "coltype", "focusr",
                                              "bcol", "fcol"}));
    EXPECT_EQ(bag.ReadInt("BCOL", 0), 0x123456);

    FakeHost otherHost;
    ButtonEvents otherEvents;
    ButtonModel copy(otherHost, otherEvents);
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.ButtonType(), BoldFlat);
    EXPECT_EQ(copy.Caption(), "Go");
    EXPECT_EQ(copy.ColorScheme(), FixedGrey);
    EXPECT_EQ(copy.BackColor(), 0x123456u);
    EXPECT_EQ(copy.ForeColor(), FakeHost::kSystem.text);
    EXPECT_EQ(copy.Font(), host.windowFont);
    EXPECT_TRUE(copy.Enabled());
}

TEST_F(PropertiesTest, StoredButtonSetHoldsTheWindowsDefaults) {
    model.ReadProperties(StoredButtonSet("VISIT A SITE"));
    EXPECT_EQ(model.ButtonType(), SoftRounded);
    EXPECT_EQ(model.ColorScheme(), SystemColors);
    EXPECT_TRUE(model.ShowFocusRect());
    EXPECT_EQ(model.BackColor(), 0xD8E9ECu);
    EXPECT_EQ(model.ForeColor(), 0x000000u);
    EXPECT_EQ(model.Font(), (FontDesc{"MS Sans Serif", 8.25}));
    EXPECT_EQ(model.Caption(), "VISIT A SITE");
    EXPECT_TRUE(model.Enabled());
    model.ReadProperties(StoredButtonSet("x", false));
    EXPECT_FALSE(model.Enabled());
}

TEST_F(PropertiesTest, BackColorShowsOnlyUnderCustomColors) {
    model.InitNew();
    model.SetBackColor(0x0000FF);
    EXPECT_EQ(model.Colors(), FakeHost::kSystem);
    model.SetColorScheme(CustomColors);
    EXPECT_EQ(model.Colors().face, 0x0000FFu);
    EXPECT_EQ(model.Colors().shadow, 0x0000BFu);
    model.SetColorScheme(42);
    EXPECT_EQ(model.Colors(), FakeHost::kSystem);
}

TEST_F(PropertiesTest, EachAssignmentRepaintsAndReportsItsKey) {
    model.InitNew();
    model.Resize(75, 25);
    host.invalidations = 0;
    model.SetBackColor(1);
    model.SetForeColor(2);
    model.SetButtonType(SoftRounded);
    model.SetCaption("&Go");
    model.SetEnabled(false);
    model.SetFont(FontDesc{"Sans", 10});
    model.SetColorScheme(FixedGrey);
    model.SetShowFocusRect(false);
    EXPECT_EQ(host.changed, (std::vector<std::string>{"bcol", "fcol", "btype", "tx", "enab", "font",
                                                      "coltype", "focusr"}));
    EXPECT_GE(host.invalidations, 8);
    EXPECT_EQ(model.AccessKey(), 'g');
    EXPECT_EQ(host.log, std::vector<std::string>{"disable"});
    EXPECT_EQ(host.appliedFonts.back().face, "Sans");
}

TEST_F(PropertiesTest, PropertySetMatchesKeysCaseBlindAndKeepsOrder) {
    PropertyBag bag;
    bag.Write("TX", wxString("a"));
    bag.Write("enab", true);
    bag.Write("tx", wxString("b"));
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].first, "TX");
    EXPECT_EQ(bag.ReadString("Tx", ""), "b");
    EXPECT_EQ(bag.ReadInt("enab", 7), 7) << "a value of another kind reads as the default";
    EXPECT_FALSE(bag.ReadBool("missing", false));
}

// Window shapes: the pixels each style cuts from its rectangle.
TEST_F(PropertiesTest, RegionCutsPerStyle) {
    model.InitNew();
    model.Resize(75, 25);
    const std::vector<Point> corners3 = {{0, 0},  {1, 0},  {0, 1},  {0, 24},  {1, 24},  {0, 23},
                                         {74, 0}, {73, 0}, {74, 1}, {74, 24}, {73, 24}, {74, 23}};
    const std::pair<std::int32_t, std::vector<Point>> cases[] = {
        {OutlinedRaised, {{0, 0}, {0, 24}, {74, 0}, {74, 24}}},
        {ClassicRaised, {}},
        {GradientRounded, corners3},
        {SoftRounded, corners3},
        {BoldFlat, {{0, 24}, {74, 0}}},
        {DoubleEdge, {}},
        {SingleEdge, {}},
        {9, {}},
    };
    for (const auto& [type, cut] : cases) {
        SCOPED_TRACE(type);
        host.shapes.clear();
        model.SetButtonType(type);
        ASSERT_EQ(host.shapes.size(), 1u) << "a type change reshapes the window at once";
        const ButtonRegion& region = host.shapes[0];
        EXPECT_EQ(region.width, 75);
        EXPECT_EQ(region.height, 25);
        int outside = 0;
        for (int x = 0; x < 75; ++x) {
            for (int y = 0; y < 25; ++y) {
                const bool isCut = std::find(cut.begin(), cut.end(), Point{x, y}) != cut.end();
                EXPECT_EQ(region.Contains(x, y), !isCut) << x << "," << y;
                outside += region.Contains(x, y) ? 0 : 1;
            }
        }
        EXPECT_EQ(outside, static_cast<int>(cut.size()));
    }
}

}  // namespace
}  // namespace widgets::testing
