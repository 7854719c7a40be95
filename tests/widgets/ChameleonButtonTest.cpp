// The real control on a display: painting, shape, mouse and keyboard through the toolkit.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <memory>

#include "support/Wait.h"
#include "widgets/ChameleonButton.h"
#include "widgets/RasterCanvas.h"

namespace widgets::testing {
namespace {

using namespace std::chrono_literals;

const wxColour kParentColour(0, 128, 255);

class ChameleonButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxPoint(40, 40), wxSize(420, 260));
        panel = new wxPanel(frame);
        panel->SetBackgroundColour(kParentColour.GetAsString(wxC2S_CSS_SYNTAX));
        button = chameleonButton::CreateStored(panel, "&Go", wxPoint(30, 30), wxSize(75, 25));
        other = chameleonButton::CreateStored(panel, "Next", wxPoint(30, 80), wxSize(75, 25));
        button->Click = [this] { ++clicks; };
        panel->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
            ++parentPresses;
            e.Skip();
        });
        frame->Show();
        ASSERT_TRUE(testsupport::WaitUntil([this] { return button->IsShownOnScreen(); }));
        testsupport::PumpFor(300ms);
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::PumpFor(50ms);
    }

    // Moves the pointer onto a client pixel of the button and clicks there.
    void ClickAt(int x, int y) {
        wxUIActionSimulator sim;
        sim.MouseMove(button->ClientToScreen(wxPoint(x, y)));
        testsupport::PumpFor(50ms);
        sim.MouseClick();
    }

    // What the screen shows at a client pixel of the button, as "rgb(r, g, b)".
    wxString ScreenAt(int x, int y) {
        const wxPoint at = button->ClientToScreen(wxPoint(x, y));
        wxBitmap grab(1, 1, 24);
        {
            wxMemoryDC mem(grab);
            wxScreenDC screen;
            mem.Blit(0, 0, 1, 1, &screen, at.x, at.y);
        }
        const wxImage image = grab.ConvertToImage();
        return wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0))
            .GetAsString(wxC2S_CSS_SYNTAX);
    }

    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    chameleonButton* button = nullptr;
    chameleonButton* other = nullptr;
    int clicks = 0;
    int parentPresses = 0;
};

TEST_F(ChameleonButtonTest, StoredButtonCarriesTheWindowsDefaults) {
    EXPECT_EQ(button->ButtonType(), SoftRounded);
    EXPECT_EQ(button->ColorScheme(), SystemColors);
    EXPECT_TRUE(button->ShowFocusRect());
    EXPECT_EQ(button->BackColor(), 0xD8E9ECu);
    EXPECT_EQ(button->ForeColor(), 0u);
    EXPECT_EQ(button->Caption(), "&Go");
    EXPECT_NEAR(button->GetFont().GetFractionalPointSize(), 8.25, 0.01);
    EXPECT_EQ(button->GetFont().GetWeight(), wxFONTWEIGHT_NORMAL);
    button->SetToolTipText("http://example.org");
    EXPECT_EQ(button->ToolTipText(), "http://example.org");
    button->SetEnabled(false);
    EXPECT_FALSE(button->IsEnabled());
    button->Enable();
    EXPECT_TRUE(button->Enabled());
}

TEST_F(ChameleonButtonTest, SyntheticLeftClickRaisesClickOnce) {
    ClickAt(37, 12);
    EXPECT_TRUE(testsupport::WaitUntil([this] { return clicks >= 1; }));
    // A second click would have come before the other button's.
    int otherClicks = 0;
    other->Click = [&] { ++otherClicks; };
    wxUIActionSimulator sim;
    sim.MouseMove(other->ClientToScreen(wxPoint(37, 12)));
    ASSERT_TRUE(
        testsupport::WaitUntil([&] { return wxFindWindowAtPoint(wxGetMousePosition()) == other; }));
    sim.MouseClick();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return otherClicks == 1; }));
    other->Click = nullptr;
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->Model().LastState(), kNormal);
}

TEST_F(ChameleonButtonTest, CutCornerTakesNoPressAfterStyleChange) {
    ClickAt(0, 0);
    ASSERT_TRUE(testsupport::WaitUntil([this] { return parentPresses == 1; }))
        << "a stored button is shaped from the start; the press falls through to the parent";

    button->SetButtonType(ClassicRaised);
    testsupport::PumpFor(100ms);
    ClickAt(0, 0);
    ASSERT_TRUE(testsupport::WaitUntil([this] { return clicks == 1; }))
        << "the full rectangle of style 2 takes the corner";

    button->SetButtonType(SoftRounded);
    testsupport::PumpFor(100ms);
    ClickAt(0, 0);
    EXPECT_TRUE(testsupport::WaitUntil([this] { return parentPresses == 2; }));
    EXPECT_EQ(clicks, 1);
    ClickAt(3, 3);
    EXPECT_TRUE(testsupport::WaitUntil([this] { return clicks == 2; }));
}

// A picture lies inside the border at the left and the caption moves beside it; taken away, the
// button is what it was, pixel for pixel.
TEST_F(ChameleonButtonTest, APictureSitsInsideTheBorderAndGoesWithoutATrace) {
    button->SetSize(wxSize(150, 50));
    ASSERT_TRUE(testsupport::Settle());
    const wxBitmap before = RenderButton(button->Model(), button->GetFont());
    wxImage red(64, 64);
    red.SetRGB(wxRect(0, 0, 64, 64), 255, 0, 0);
    button->SetPicture(red);
    testsupport::PumpFor(300ms);  // painted by then, as the other pixel checks here
    EXPECT_EQ(ScreenAt(25, 25), "rgb(255, 0, 0)");
    EXPECT_EQ(ScreenAt(5, 25), "rgb(255, 0, 0)");   // inside the 4-pixel border
    EXPECT_NE(ScreenAt(2, 25), "rgb(255, 0, 0)");   // the border itself
    EXPECT_NE(ScreenAt(47, 25), "rgb(255, 0, 0)");  // as wide as it is tall, no wider
    EXPECT_EQ(button->Model().Height() - 8, 42);
    button->SetPicture(wxImage());
    const wxImage after = RenderButton(button->Model(), button->GetFont()).ConvertToImage();
    const wxImage first = before.ConvertToImage();
    ASSERT_EQ(after.GetSize(), first.GetSize());
    EXPECT_TRUE(std::equal(first.GetData(),
                           first.GetData() + first.GetWidth() * first.GetHeight() * 3,
                           after.GetData()));
    EXPECT_FALSE(button->HasPicture());
}

TEST_F(ChameleonButtonTest, PaintsPixelExactAndCutPixelsShowTheParent) {
    button->SetColorScheme(FixedGrey);
    button->SetCaption("");
    testsupport::PumpFor(300ms);
    EXPECT_EQ(ScreenAt(0, 0), kParentColour.GetAsString(wxC2S_CSS_SYNTAX));
    EXPECT_EQ(ScreenAt(1, 0), kParentColour.GetAsString(wxC2S_CSS_SYNTAX));
    EXPECT_EQ(ScreenAt(74, 24), kParentColour.GetAsString(wxC2S_CSS_SYNTAX));
    EXPECT_EQ(ScreenAt(2, 0), "rgb(0, 0, 0)");
    EXPECT_EQ(ScreenAt(1, 1), "rgb(0, 0, 0)");
    EXPECT_EQ(ScreenAt(2, 2), "rgb(255, 255, 255)");
    EXPECT_EQ(ScreenAt(37, 12), "rgb(223, 223, 223)");
    EXPECT_EQ(ScreenAt(73, 12), "rgb(128, 128, 128)");
}

TEST_F(ChameleonButtonTest, KeyboardSpaceClicksAndArrowsMoveFocus) {
    button->SetFocus();
    ASSERT_TRUE(testsupport::WaitUntil([this] { return button->Model().HasFocus(); }));
    std::vector<int> order;
    button->KeyDown = [&](std::int16_t&, std::int16_t&) { order.push_back(1); };
    button->MouseDown = [&](std::int16_t&, std::int16_t&, float&, float&) { order.push_back(2); };
    button->KeyUp = [&](std::int16_t&, std::int16_t&) { order.push_back(3); };
    button->MouseUp = [&](std::int16_t&, std::int16_t&, float&, float&) { order.push_back(4); };
    button->Click = [&] { order.push_back(5); };
    wxUIActionSimulator sim;
    sim.Char(' ');
    ASSERT_TRUE(testsupport::WaitUntil([&] { return order.size() >= 5; }));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));

    sim.Char(WXK_DOWN);
    EXPECT_TRUE(testsupport::WaitUntil([this] { return other->Model().HasFocus(); }));
    EXPECT_FALSE(button->Model().HasFocus());
    other->KeyDown = [](std::int16_t&, std::int16_t&) {};
    sim.Char(WXK_UP);
    EXPECT_TRUE(testsupport::WaitUntil([this] { return button->Model().HasFocus(); }));

    order.clear();
    sim.Char('g', wxMOD_ALT);
    EXPECT_TRUE(testsupport::WaitUntil([&] {
        return std::find(order.begin(), order.end(), 5) != order.end();
    })) << "Alt with the access key clicks";
}

// The toolkit canvas must set exactly the pixels the recording canvas sets, for every look.
// The recording canvas draws no glyphs, so the middle where the caption lies is left out.
TEST(ButtonRenderTest, ToolkitCanvasMatchesRecordedPixels) {
    FakeHost host;
    ButtonEvents events;
    const wxFont font = ToWxFont(FontDesc{"MS Sans Serif", 8.25});
    for (std::int32_t type = 1; type <= 7; ++type) {
        for (int look = 0; look < 3; ++look) {
            for (bool focus : {false, true}) {
                if (type == BoldFlat && focus) {
                    continue;  // its caption frame depends on real text extents
                }
                ButtonModel model(host, events);
                model.InitNew();
                model.SetCaption("&Go");
                model.SetColorScheme(FixedGrey);
                model.Resize(75, 25);
                model.SetButtonType(type);
                if (focus) {
                    model.FocusGained();
                }
                if (look == 1) {
                    model.DrawButton(kPressed, false);
                } else if (look == 2) {
                    model.SetEnabled(false);
                }
                RasterCanvas expected(75, 25);
                model.Paint(expected);
                const wxImage actual = RenderButton(model, font).ConvertToImage();
                int wrong = 0;
                for (int y = 0; y < 25; ++y) {
                    for (int x = 0; x < 75; ++x) {
                        if (x >= 20 && x < 55 && y >= 3 && y < 22) {
                            continue;
                        }
                        const Color want = expected.At(x, y);
                        const Color got =
                            Rgb(actual.GetRed(x, y), actual.GetGreen(x, y), actual.GetBlue(x, y));
                        if (want != got && wrong++ < 3) {
                            ADD_FAILURE() << "type " << type << " look " << look << " focus "
                                          << focus << " at (" << x << ", " << y << "): " << std::hex
                                          << got << " instead of " << want;
                        }
                    }
                }
            }
        }
    }
}

// Every style in every look, with and without focus, in one picture for a person to check.
TEST(ButtonRenderTest, GalleryImage) {
    FakeHost host;
    ButtonEvents events;
    const wxFont font = ToWxFont(FontDesc{"MS Sans Serif", 8.25});
    constexpr int kCellW = 95, kCellH = 40, kScale = 2;
    wxImage gallery(6 * kCellW, 7 * kCellH);
    gallery.SetRGB(wxRect(0, 0, gallery.GetWidth(), gallery.GetHeight()), 0, 128, 255);
    for (std::int32_t type = 1; type <= 7; ++type) {
        for (int look = 0; look < 3; ++look) {
            for (bool focus : {false, true}) {
                ButtonModel model(host, events);
                model.ReadProperties(StoredButtonSet("&Save"));
                model.SetColorScheme(FixedGrey);
                model.Resize(75, 25);
                model.SetButtonType(type);
                if (focus) {
                    model.FocusGained();
                }
                if (look == 1) {
                    model.DrawButton(kPressed, false);
                } else if (look == 2) {
                    model.SetEnabled(false);
                }
                const wxImage image = RenderButton(model, font).ConvertToImage();
                const ButtonRegion shape = model.MakeRegion();
                const int left = (look * 2 + (focus ? 1 : 0)) * kCellW + 10;
                const int top = (type - 1) * kCellH + 8;
                for (int y = 0; y < 25; ++y) {
                    for (int x = 0; x < 75; ++x) {
                        if (shape.Contains(x, y)) {
                            gallery.SetRGB(left + x, top + y, image.GetRed(x, y),
                                           image.GetGreen(x, y), image.GetBlue(x, y));
                        }
                    }
                }
            }
        }
    }
    const wxString path = wxString(LANTERNWICK_BUILD_DIR) + "/button_gallery.png";
    wxImage::AddHandler(new wxPNGHandler);
    ASSERT_TRUE(gallery.Scale(gallery.GetWidth() * kScale, gallery.GetHeight() * kScale)
                    .SaveFile(path, wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(wxImage(path, wxBITMAP_TYPE_PNG).IsOk());
}

}  // namespace
}  // namespace widgets::testing
