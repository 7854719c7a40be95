#include <gtest/gtest.h>

#include <string>

#include "widgets/RasterCanvas.h"

namespace widgets::testing {
namespace {

// Records every event raised, with its arguments, in order.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto mouse = [this](const char* name) {
            return [this, name](std::int16_t& b, std::int16_t& s, float& x, float& y) {
                raised.push_back(std::string(name) + "(" + std::to_string(b) + "," +
                                 std::to_string(s) + "," + std::to_string(int(x)) + "," +
                                 std::to_string(int(y)) + ")");
            };
        };
        events.Click = [this] { raised.push_back("Click"); };
        events.MouseDown = mouse("MouseDown");
        events.MouseMove = mouse("MouseMove");
        events.MouseUp = mouse("MouseUp");
        events.KeyPress = [this](std::int16_t& k) {
            raised.push_back("KeyPress(" + std::to_string(k) + ")");
        };
        events.KeyDown = [this](std::int16_t& k, std::int16_t&) {
            raised.push_back("KeyDown(" + std::to_string(k) + ")");
        };
        events.KeyUp = [this](std::int16_t& k, std::int16_t&) {
            raised.push_back("KeyUp(" + std::to_string(k) + ")");
        };
        model.ReadProperties(StoredButtonSet("&Save"));
        model.Resize(75, 25);
    }

    int Clicks() const {
        return static_cast<int>(std::count(raised.begin(), raised.end(), "Click"));
    }

    FakeHost host;
    ButtonEvents events;
    ButtonModel model{host, events};
    std::vector<std::string> raised;
};

TEST_F(InputTest, SpaceDownAndUpClicks) {
    model.KeyDown(32, 0);
    EXPECT_EQ(model.LastState(), kPressed);
    model.KeyUp(32, 0);
    EXPECT_EQ(model.LastState(), kNormal);
    EXPECT_EQ(raised, (std::vector<std::string>{"KeyDown(32)", "MouseDown(1,1,1,1)", "KeyUp(32)",
                                                "MouseUp(1,1,1,1)", "Click"}));
    raised.clear();
    model.KeyUp(32, 0);
    EXPECT_EQ(raised, std::vector<std::string>{"KeyUp(32)"}) << "one press, one click";
}

TEST_F(InputTest, SpaceUpWithoutDownRaisesOnlyKeyUp) {
    model.KeyDown(65, 0);
    raised.clear();
    model.KeyUp(32, 0);
    EXPECT_EQ(raised, std::vector<std::string>{"KeyUp(32)"});
}

TEST_F(InputTest, KeyDownHandlerMayChangeTheKey) {
    events.KeyDown = [this](std::int16_t& k, std::int16_t&) {
        raised.push_back("KeyDown");
        k = 32;
    };
    model.KeyDown(13, 0);  // Enter has no handling of its own unless the host makes it a space
    EXPECT_EQ(model.LastState(), kPressed);
    model.KeyUp(32, 0);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(InputTest, LeftPressAndReleaseInsideClicksOnce) {
    model.PointerDown(kLeftButton, 0, 10, 10);
    EXPECT_EQ(model.LastState(), kPressed);
    model.PointerUp(kLeftButton, 0, 12, 11);
    EXPECT_EQ(model.LastState(), kNormal);
    EXPECT_EQ(raised,
              (std::vector<std::string>{"MouseDown(1,0,10,10)", "MouseUp(1,0,12,11)", "Click"}));
    EXPECT_EQ(host.log, (std::vector<std::string>{"enable", "update"}))
        << "the click paint is made visible before Click runs";
}

TEST_F(InputTest, LeavingWhilePressedAndReleasingOutsideDoesNotClick) {
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.MouseMove(kLeftButton, 0, 75, 25);  // the far edge still counts as inside
    EXPECT_EQ(model.LastState(), kPressed);
    model.MouseMove(kLeftButton, 0, 76, 12);
    EXPECT_EQ(model.LastState(), kNormal);
    model.MouseMove(kLeftButton, 0, 30, 12);
    EXPECT_EQ(model.LastState(), kPressed);
    model.MouseMove(kLeftButton, 0, 30, -1);
    EXPECT_EQ(model.LastState(), kNormal);
    model.PointerUp(kLeftButton, 0, 30, -1);
    EXPECT_EQ(model.LastState(), kNormal);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(InputTest, RightPressNeverClicksAndBlocksAccessKey) {
    model.PointerDown(kRightButton, 0, 10, 10);
    EXPECT_EQ(model.LastState(), kNormal) << "no pressed look for the right button";
    model.PointerUp(kRightButton, 0, 10, 10);
    model.AccessKeyPressed();
    EXPECT_EQ(Clicks(), 0);
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.PointerUp(kLeftButton, 0, 10, 10);
    model.AccessKeyPressed();
    EXPECT_EQ(Clicks(), 2);
}

TEST_F(InputTest, MiddlePressShowsPressedButNeverClicks) {
    model.PointerDown(kMiddleButton, 0, 10, 10);
    EXPECT_EQ(model.LastState(), kPressed);
    model.MouseMove(kMiddleButton, 0, 100, 100);
    EXPECT_EQ(model.LastState(), kPressed) << "only left-button moves change the look";
    model.PointerUp(kMiddleButton, 0, 10, 10);
    EXPECT_EQ(model.LastState(), kNormal);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(InputTest, DisabledButtonNeverClicks) {
    model.SetEnabled(false);
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.PointerUp(kLeftButton, 0, 10, 10);
    model.KeyDown(32, 0);
    model.KeyUp(32, 0);
    model.AccessKeyPressed();
    model.ClickNotification();
    model.DoubleClick();
    model.PointerUp(kLeftButton, 0, 10, 10);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(InputTest, SecondPressOfDoubleClickDoesNotClick) {
    // As a toolkit reporting the double click instead of the second press does it.
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.PointerUp(kLeftButton, 0, 10, 10);
    model.PointerDoubleClick();
    EXPECT_EQ(model.LastState(), kPressed);
    model.PointerUp(kLeftButton, 0, 10, 10);
    EXPECT_EQ(raised,
              (std::vector<std::string>{"MouseDown(1,0,10,10)", "MouseUp(1,0,10,10)", "Click",
                                        "MouseDown(1,1,1,1)", "MouseUp(1,0,10,10)"}));
    // As one reporting the second press and then the double click (GTK) does it.
    raised.clear();
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.PointerDoubleClick();
    model.PointerUp(kLeftButton, 0, 10, 10);
    EXPECT_EQ(raised, (std::vector<std::string>{"MouseDown(1,0,10,10)", "MouseUp(1,0,10,10)"}));
}

TEST_F(InputTest, ArrowsMoveFocus) {
    host.log.clear();
    for (std::int16_t key : {39, 40, 37, 38, 9}) {
        model.KeyDown(key, 0);
    }
    EXPECT_EQ(host.log, (std::vector<std::string>{"next", "next", "previous", "previous"}));
    EXPECT_EQ(raised.size(), 5u);
    EXPECT_EQ(model.LastState(), kNormal);
}

TEST_F(InputTest, FocusRepaintsInTheLastStateAndRedundantRequestsCostNothing) {
    model.DrawButton(kNormal, false);
    const int before = host.invalidations;
    model.MouseMove(0, 0, 10, 10);
    model.MouseMove(0, 0, 100, 10);
    model.DrawButton(kNormal, false);
    EXPECT_EQ(host.invalidations, before);
    model.PointerDown(kLeftButton, 0, 10, 10);
    model.FocusGained();
    EXPECT_TRUE(model.HasFocus());
    EXPECT_EQ(model.LastState(), kPressed);
    EXPECT_EQ(host.invalidations, before + 2);
    model.FocusLost();
    EXPECT_FALSE(model.HasFocus());
    EXPECT_EQ(host.invalidations, before + 3);
}

}  // namespace
}  // namespace widgets::testing
