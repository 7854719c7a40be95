// A window with every button style in several colourings, for looking at the real control on
// a display (for instance under Xvfb with a screenshot). The optional argument is the number of
// seconds after which the window closes itself; the pressed look is shown by holding the
// middle button down on the style 3 button of the fixed-grey column.
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "widgets/ChameleonButton.h"

namespace {

using widgets::chameleonButton;

class ShowcaseApp : public wxApp {
public:
    bool OnInit() override {
        long seconds = 0;
        if (argc > 1) {
            argv[1].ToLong(&seconds);
        }
        auto* frame =
            new wxFrame(nullptr, wxID_ANY, "Button styles", wxPoint(0, 0), wxSize(560, 420));
        auto* panel = new wxPanel(frame);
        panel->SetBackgroundColour(wxColour(0, 128, 255));
        const wxString titles[] = {"stored", "grey", "custom", "disabled", "focused"};
        for (int column = 0; column < 5; ++column) {
            new wxStaticText(panel, wxID_ANY, titles[column], wxPoint(40 + column * 100, 8));
        }
        chameleonButton* toPress = nullptr;
        chameleonButton* toFocus = nullptr;
        for (int type = 1; type <= 7; ++type) {
            new wxStaticText(panel, wxID_ANY, wxString::Format("%d", type),
                             wxPoint(12, 36 + (type - 1) * 50));
            for (int column = 0; column < 5; ++column) {
                auto* button = chameleonButton::CreateStored(
                    panel, "&Save", wxPoint(30 + column * 100, 30 + (type - 1) * 50),
                    wxSize(75, 25));
                button->SetButtonType(type);
                if (column == 1 || column == 4) {
                    button->SetColorScheme(widgets::FixedGrey);
                }
                if (column == 2) {
                    button->SetBackColor(0x60A0F0);
                    button->SetForeColor(0x400000);
                    button->SetColorScheme(widgets::CustomColors);
                }
                if (column == 3) {
                    button->SetEnabled(false);
                }
                if (column == 1 && type == 3) {
                    toPress = button;
                }
                if (column == 4 && type == 1) {
                    toFocus = button;
                }
            }
        }
        frame->Show();
        toFocus->SetFocus();
        CallAfter([toPress] {
            wxUIActionSimulator sim;
            sim.MouseMove(toPress->ClientToScreen(wxPoint(37, 12)));
            sim.MouseDown(wxMOUSE_BTN_MIDDLE);  // the middle button presses without taking focus
        });
        if (seconds > 0) {
            closer_.Bind(wxEVT_TIMER, [frame](wxTimerEvent&) { frame->Destroy(); });
            closer_.StartOnce(static_cast<int>(seconds * 1000));
        }
        return true;
    }

private:
    wxTimer closer_;
};

}  // namespace

wxIMPLEMENT_APP(ShowcaseApp);
