#include "browser/frmBrowser.h"

#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "browser/PictureBox.h"
#include "browser/ToolbarArt.h"
#include "context/WindowContext.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace browser {

frmBrowser::frmBrowser(context::WindowContext& context)
    : wxFrame(nullptr, wxID_ANY, "Lanternwick"),
      context_(context),
      words_(context.Family().BlockedWordsFile(),
             [&context] { return context.Family().BlockedWordsForFilter(); }) {
    scale_ = TwipScale(GetDPI().y);
    SetPosition(wxPoint(scale_.ToPixels(kBrowserLeft), scale_.ToPixels(kBrowserTop)));
    SetClientSize(scale_.ToPixels(kBrowserClientWidth), scale_.ToPixels(kBrowserClientHeight));
    SetMinSize(wxSize(scale_.ToPixels(kMinOuterWidth) + 1, scale_.ToPixels(kMinOuterHeight) + 1));
    // On a small screen (a netbook's 600 lines) the page's lower part, with the buttons of the
    // program's own pages, would lie below the edge: the window moves in and, if it must, shrinks.
    const wxRect area = wxDisplay(this).GetClientArea();
    const wxRect now = GetRect();
    const ScreenRect placed =
        KeepOnScreen({now.x, now.y, now.width, now.height},
                     {area.x, area.y, area.width, area.height}, GetMinSize().x, GetMinSize().y);
    SetSize(placed.x, placed.y, placed.width, placed.height);

    // Creation order is stacking order: each group lies over the ones made before it.
    CreateToolbar();

    Text3 = new wxPanel(this);
    Text3->SetBackgroundColour(wxColour(0xff, 0xf4, 0xc2));
    Place(Text3, kStripRect);
    Text3->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        Text3_MouseMove();
        event.Skip();
    });
    cmdvisit = widgets::chameleonButton::CreateStored(Text3, "VISIT A SITE");
    Place(cmdvisit, kVisitRect);
    cmdvisit->Click = [this] { cmdvisit_Click(); };
    widgets::NameControls({LW_NAMED(Text3), LW_NAMED(cmdvisit)});

    Imglogo = new PictureBox(this, LogoPicture(scale_, GetBackgroundColour()));
    Place(Imglogo, kLogoRect);
    Imglogo->Hide();
    Imglink = new PictureBox(this, BannerPicture(scale_, GetBackgroundColour()));
    Place(Imglink, kBannerRect);
    Imglink->Hide();

    // Made after the intro pictures, so the page covers them once the intro is over.
    web_ = context_.Machine().webViews.Create(this, words_.Path());
    web_->Control()->Hide();
    Place(web_->Control(), kViewRect);
    web_->SetEvents({
        .beforeNavigate = [this](const std::string& url, filter::Kind kind,
                                 bool& cancel) { brwbrowser_BeforeNavigate2(url, kind, cancel); },
        .pageRefused = [this](const std::string& url) { brwbrowser_PageRefused(url); },
        .loadFailed = [this](const std::string& url) { return brwbrowser_LoadFailed(url); },
        .downloadComplete = [this] { brwbrowser_DownloadComplete(); },
        .navigateComplete = [this] { brwbrowser_NavigateComplete2(); },
        .newWindow = [this](const std::string& url) { brwbrowser_NewWindow2(url); },
        .contentGone = [this] { brwbrowser_ContentGone(); },
        .programPage = [this](const std::string& url) { return ProgramPage(url); },
    });

    CreateSitePanel();
    CreateTimeControls();  // last, so its cover lies over the page and the site panel

    // The address box and the start address are never shown: the address box is where every
    // address the window opens passes the filter.
    cboURL = new wxComboBox(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0, nullptr,
                            wxCB_DROPDOWN | wxTE_PROCESS_ENTER);
    cboURL->Hide();
    Text4 = new wxTextCtrl(this, wxID_ANY, "about:blank");
    Text4->Hide();
    cboURL->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { cboURL_Click(); });
    cboURL->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
        cboURL_KeyPress(event.GetKeyCode());
        event.Skip();
    });

    tmrcheck.SetOwner(this, wxWindow::NewControlId());
    timBrowser.SetOwner(this, wxWindow::NewControlId());
    TmrIntro.SetOwner(this, wxWindow::NewControlId());
    logSave_.SetOwner(this, wxWindow::NewControlId());
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { SaveVisitLogNow(); }, logSave_.GetId());
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
    context_.Family().Observe(
        [this](family::FamilyModel::Change change) { OnFamilyChange(change); });
}

void frmBrowser::OnFamilyChange(family::FamilyModel::Change change) {
    using Change = family::FamilyModel::Change;
    switch (change) {
        case Change::Sites:
            // The child's panel may be open behind the parent's: a deleted site leaves it at once.
            if (!loading_) {
                ShowWorkingSites();
            }
            break;
        case Change::StartPage:
            Text4->SetValue(wxString::FromUTF8(context_.Family().StartAddress()));
            break;
        case Change::VisitLog:
            SaveVisitLogSoon();
            break;
        case Change::Limits:
        case Change::UsedTime:
            if (context_.Family().Budget() != nullptr || context_.Family().TimeIsUp()) {
                ShowTimeState();
            }
            break;
        case Change::SitePictures:
            // An open site panel takes the switch at once, as it takes a deleted site.
            if (!loading_) {
                ShowWorkingSites();
            }
            break;
        case Change::AllowedSitesOnly:
            break;
    }
    if (change == Change::Sites || change == Change::StartPage ||
        change == Change::AllowedSitesOnly) {
        web_->UseFilterSettings(FilterSettings());
    }
}

frmBrowser::~frmBrowser() {
    tmrcheck.Stop();
    timBrowser.Stop();
    TmrIntro.Stop();
    logSave_.Stop();
}

void frmBrowser::CreateToolbar() {
    imgbackground = new PictureBox(this, BandPicture(scale_), true);
    Place(imgbackground, kBandRect);
    imgbackground->MouseMove = [this] { imgbackground_MouseMove(); };

    // The pictures lie on the band, so the band's own mouse moves mean "off every button".
    auto pair = [this](ToolbarSymbol symbol, const ToolbarPair& places, PictureBox*& normal,
                       PictureBox*& twin) {
        normal =
            new PictureBox(imgbackground, ToolbarPicture(symbol, false, places.normal, scale_));
        Place(normal, places.normal);
        twin = new PictureBox(imgbackground, ToolbarPicture(symbol, true, places.twin, scale_));
        Place(twin, places.twin);
        twin->Hide();
    };
    pair(ToolbarSymbol::Back, kBackPictures, PicPrev, PicPrev2);
    pair(ToolbarSymbol::Forward, kForwardPictures, PicNext, PicNext2);
    pair(ToolbarSymbol::Refresh, kRefreshPictures, PicRefresh, Picrefresh2);
    pair(ToolbarSymbol::Stop, kStopPictures, PicStop, Picstop2);
    pair(ToolbarSymbol::Home, kHomePictures, PicHome, PicHome2);
    pair(ToolbarSymbol::Parent, kParentPictures, Picparent, Picparent2);

    PicPrev->MouseMove = [this] { PicPrev_MouseMove(); };
    PicNext->MouseMove = [this] { PicNext_MouseMove(); };
    PicRefresh->MouseMove = [this] { PicRefresh_MouseMove(); };
    PicStop->MouseMove = [this] { PicStop_MouseMove(); };
    PicHome->MouseMove = [this] { PicHome_MouseMove(); };
    Picparent->MouseMove = [this] { Picparent_MouseMove(); };
    PicPrev2->MouseDown = [this] { PicPrev2_MouseDown(); };
    PicPrev2->Click = [this] { PicPrev2_Click(); };
    PicNext2->Click = [this] { PicNext2_Click(); };
    Picrefresh2->Click = [this] { Picrefresh2_Click(); };
    Picstop2->Click = [this] { Picstop2_Click(); };
    PicHome2->Click = [this] { PicHome2_Click(); };
    Picparent2->Click = [this] { Picparent2_Click(); };
    // A tap on a touch screen, or a click straight after the pointer jumped onto a picture,
    // reaches the plain picture before its lit twin is shown, or just as it is: the press
    // lights the twin, if it comes at all, and the click is the twin's.
    for (PictureBox* plain : {PicPrev, PicNext, PicRefresh, PicStop, PicHome, Picparent}) {
        plain->MouseDown = plain->MouseMove;
        plain->releaseIsClick = true;
    }
    PicPrev->Click = PicPrev2->Click;
    PicNext->Click = PicNext2->Click;
    PicRefresh->Click = Picrefresh2->Click;
    PicStop->Click = Picstop2->Click;
    PicHome->Click = PicHome2->Click;
    Picparent->Click = Picparent2->Click;
}

void frmBrowser::CreateSitePanel() {
    // A blank backdrop over the page; the site buttons sit on it.
    Txtbackground = new wxPanel(this);
    Txtbackground->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INACTIVECAPTION));
    Place(Txtbackground, kBackdropRect);
    Txtbackground->Hide();
    for (int n = 1; n <= kSiteButtons; ++n) {
        auto* button = widgets::chameleonButton::CreateStored(Txtbackground, "");
        Place(button, SiteButtonRect(n));
        button->Hide();
        button->Click = [this, n] { cmdsite_Click(n); };
        sites_[n - 1] = button;
    }
}

void frmBrowser::Place(wxWindow* control, const TwipRect& rect) {
    wxPoint origin(scale_.ToPixels(rect.left), scale_.ToPixels(rect.top));
    // Controls that lie on a panel are given in the window's coordinates like all the others.
    if (control->GetParent() != this) {
        origin -= control->GetParent()->GetPosition();
    }
    control->SetSize(origin.x, origin.y, scale_.ToPixels(rect.width), scale_.ToPixels(rect.height));
}

TwipRect frmBrowser::OuterSize() const {
    const wxSize outer = GetSize();
    return {0, 0, scale_.ToTwips(outer.x), scale_.ToTwips(outer.y)};
}

void frmBrowser::Form_Resize() {
    if (!web_ || Txtbackground == nullptr) {
        return;  // a size event that comes while the window is still being made
    }
    const TwipRect outer = OuterSize();
    const BrowserLayout l = LayoutFor(outer.width, outer.height);
    Place(imgbackground, {kBandRect.left, kBandRect.top, l.bandWidth, kBandRect.height});
    Place(web_->Control(), {kViewRect.left, kViewRect.top, l.viewWidth, l.viewHeight});
    Place(Text3, {kStripRect.left, kStripRect.top, l.stripWidth, kStripRect.height});
    Place(cmdvisit, {kVisitRect.left, kVisitRect.top, l.visitWidth, kVisitRect.height});
    Place(Txtbackground, {kBackdropRect.left, kBackdropRect.top, l.viewWidth, l.viewHeight});
    PlaceTimeCover();
}

void frmBrowser::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(busy ? wxCursor(wxCURSOR_WAIT) : wxNullCursor);
}

wxString frmBrowser::TableText(std::string_view name, i18n::Property property) const {
    const auto& rows = language_ ? i18n::CaptionTable(*language_) : i18n::BuiltInCaptions();
    const auto* row = i18n::FindRow(rows, "frmBrowser", name, property);
    if (row == nullptr) {
        row = i18n::FindRow(i18n::BuiltInCaptions(), "frmBrowser", name, property);
    }
    return row != nullptr ? wxString::FromUTF8(row->text.data(), row->text.size()) : wxString();
}

wxString frmBrowser::VisitCaption() const {
    return TableText("cmdvisit", i18n::Property::Caption);
}

}  // namespace browser
