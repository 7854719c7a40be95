#include "browser/frmBrowser.h"

#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "app/Forms.h"
#include "browser/Layout.h"

namespace browser {

frmBrowser::frmBrowser(app::Forms& forms)
    : wxFrame(nullptr, wxID_ANY, "Lanternwick"), forms_(forms) {
    SetPosition(FromDIP(wxPoint(TwipsToPixels(kBrowserLeft), TwipsToPixels(kBrowserTop))));
    SetClientSize(
        FromDIP(wxSize(TwipsToPixels(kBrowserClientWidth), TwipsToPixels(kBrowserClientHeight))));

    imgbackground = new wxPanel(this);
    imgbackground->SetBackgroundColour(wxColour(0x3a, 0x7b, 0xd5));
    Place(imgbackground, kBandRect.left, kBandRect.top, kBandRect.width, kBandRect.height);

    Text3 = new wxPanel(this);
    Text3->SetBackgroundColour(wxColour(0xff, 0xf4, 0xc2));
    Place(Text3, kStripRect.left, kStripRect.top, kStripRect.width, kStripRect.height);

    web_ = forms_.Machine().webViews.Create(this);
    web_->Control()->Hide();
    Place(web_->Control(), kViewRect.left, kViewRect.top, kViewRect.width, kViewRect.height);
    web_->SetEvents({
        .beforeNavigate = [this](
                              const std::string& url, bool mainFrame,
                              bool& cancel) { brwbrowser_BeforeNavigate2(url, mainFrame, cancel); },
        .downloadComplete = [this] { brwbrowser_DownloadComplete(); },
        .navigateComplete = [this] { brwbrowser_NavigateComplete2(); },
        .newWindow = [this](const std::string& url) { brwbrowser_NewWindow2(url); },
    });

    // The address box, the start address and the request flag are never shown: they are how
    // the other windows and the timers hand addresses to the filter.
    cboURL = new wxComboBox(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0, nullptr,
                            wxCB_DROPDOWN | wxTE_PROCESS_ENTER);
    cboURL->Hide();
    Text4 = new wxTextCtrl(this, wxID_ANY, "about:blank");
    Text4->Hide();
    txtchecksites = new wxTextCtrl(this, wxID_ANY, "0");
    txtchecksites->Hide();

    cboURL->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { cboURL_Click(); });
    cboURL->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
        cboURL_KeyPress(event.GetKeyCode());
        event.Skip();
    });

    tmrcheck.SetOwner(this, wxWindow::NewControlId());
    timBrowser.SetOwner(this, wxWindow::NewControlId());
    TmrIntro.SetOwner(this, wxWindow::NewControlId());
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { tmrcheck_Timer(); }, tmrcheck.GetId());
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { timBrowser_Timer(); }, timBrowser.GetId());
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { TmrIntro_Timer(); }, TmrIntro.GetId());
    tmrcheck.Start(1000);
    TmrIntro.StartOnce(3000);

    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Form_Resize();
        event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Form_Unload(); });
}

frmBrowser::~frmBrowser() {
    tmrcheck.Stop();
    timBrowser.Stop();
    TmrIntro.Stop();
}

void frmBrowser::Place(wxWindow* control, int left, int top, int width, int height) {
    control->SetSize(wxRect(FromDIP(wxPoint(TwipsToPixels(left), TwipsToPixels(top))),
                            FromDIP(wxSize(TwipsToPixels(width), TwipsToPixels(height)))));
}

void frmBrowser::Form_Resize() {
    const wxSize outer = ToDIP(GetSize());
    const BrowserLayout l = LayoutFor(PixelsToTwips(outer.x), PixelsToTwips(outer.y));
    Place(imgbackground, kBandRect.left, kBandRect.top, l.bandWidth, kBandRect.height);
    Place(web_->Control(), kViewRect.left, kViewRect.top, l.viewWidth, l.viewHeight);
    Place(Text3, kStripRect.left, kStripRect.top, l.stripWidth, kStripRect.height);
}

void frmBrowser::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(busy ? wxCursor(wxCURSOR_WAIT) : wxNullCursor);
}

}  // namespace browser
