#include "browser/frmBrowser.h"

#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <exception>

#include "basics/TextEncoding.h"
#include "browser/NavigationGuard.h"
#include "browser/PictureBox.h"
#include "browser/ProgramPageHtml.h"
#include "browser/SitePanel.h"
#include "browser/SitePictureFinder.h"
#include "browser/TimeCover.h"
#include "browser/ToolbarArt.h"
#include "browser/VisitLogWriter.h"
#include "filter/Address.h"
#include "filter/BlockedWords.h"
#include "filter/ProgramPages.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace browser {

namespace {

constexpr int kWatchdogMs = 30000;
constexpr const char* kTitle = "Lanternwick";
constexpr widgets::Color kVisitGreen = 65280;

// Start-up goes on past any step that fails: a damaged or missing file must not keep the child
// from getting a browser window.
template <typename Step>
void IgnoringErrors(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

frmBrowser::frmBrowser(context::WindowContext& context)
    : wxFrame(nullptr, wxID_ANY, "Lanternwick"), context_(context) {
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
    visitFont_ = cmdvisit->ButtonFont();
    widgets::NameControls({LW_NAMED(Text3), LW_NAMED(cmdvisit)});

    Imglogo = new PictureBox(this, LogoPicture(scale_, GetBackgroundColour()));
    Place(Imglogo, kLogoRect);
    Imglogo->Hide();
    Imglink = new PictureBox(this, BannerPicture(scale_, GetBackgroundColour()));
    Place(Imglink, kBannerRect);
    Imglink->Hide();

    // Made after the intro pictures, so the page covers them once the intro is over.
    web_ = context_.Machine().webViews.Create(
        this, {context_.Family().BlockedWordsFile(),
               [&family = context_.Family()] { return family.BlockedWordsForFilter(); }});
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

    CreateParts();
    web_->UseFilterSettings(guard_->Settings());

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
    context_.Family().Observe(
        [this](family::FamilyModel::Change change) { OnFamilyChange(change); });
}

frmBrowser::~frmBrowser() {
    tmrcheck.Stop();
    timBrowser.Stop();
    TmrIntro.Stop();
}

void frmBrowser::CreateParts() {
    auto& family = context_.Family();
    guard_ = std::make_unique<NavigationGuard>(family, *web_);
    cover_ = std::make_unique<TimeCover>(
        context_, *web_, *guard_, scale_,
        TimeCover::Controls{imgklok, imgmelding, imgtijdop, Txtbackground},
        TimeCover::Window{
            .closeSitePanel = [this] { panel_->Close(); },
            .enableVisit = [this](bool on) { cmdvisit->SetEnabled(on && !TmrIntro.IsRunning()); },
            .startAddress = [this] { return Text4->GetValue().utf8_string(); },
            .open = [this](const std::string& address) { Open(address); },
            .say = [this](const std::string& sentence) { SayAloud(sentence); },
        });
    finder_ = std::make_unique<SitePictureFinder>(family, *web_, *guard_,
                                                  [this] { panel_->ShowWorkingSites(); });
    logWriter_ = std::make_unique<VisitLogWriter>(context_);
}

void frmBrowser::OnFamilyChange(family::FamilyModel::Change change) {
    using Change = family::FamilyModel::Change;
    switch (change) {
        case Change::Sites:
            // The child's panel may be open behind the parent's: a deleted site leaves it at
            // once.
            if (!loading_) {
                panel_->ShowWorkingSites();
            }
            break;
        case Change::SitePictures:
            // The pictures' switch counts at once, tiles and all.
            if (!loading_) {
                ShowTilesLook();
                panel_->ShowWorkingSites();
            }
            break;
        case Change::StartPage:
            Text4->SetValue(wxString::FromUTF8(context_.Family().StartAddress()));
            break;
        case Change::VisitLog:
            logWriter_->Changed();
            break;
        case Change::Limits:
        case Change::UsedTime:
            if (context_.Family().Budget() != nullptr || context_.Family().TimeIsUp()) {
                cover_->ShowState();
            }
            break;
        case Change::AllowedSitesOnly:
            break;
    }
    if (change == Change::Sites || change == Change::StartPage ||
        change == Change::AllowedSitesOnly) {
        web_->UseFilterSettings(guard_->Settings());
    }
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
    SitePanel::Buttons buttons{};
    for (int n = 1; n <= kSiteButtons; ++n) {
        auto* button = widgets::chameleonButton::CreateStored(Txtbackground, "");
        Place(button, SiteButtonRect(n));
        button->Hide();
        button->Click = [this, n] { cmdsite_Click(n); };
        buttons[n - 1] = button;
    }
    panel_ = std::make_unique<SitePanel>(
        context_.Family(), *Txtbackground, buttons,
        [this](wxWindow* control, const TwipRect& rect) { Place(control, rect); },
        [this](const std::string& name) { SayAloud(name); });
}

void frmBrowser::CreateTimeControls() {
    imgklok = new PictureBox(imgbackground, wxBitmap(1, 1));
    Place(imgklok, kTimeLeftRect);
    imgklok->Hide();
    imgmelding = new PictureBox(this, wxBitmap(1, 1));
    Place(imgmelding, kNoticeRect);
    imgmelding->Hide();
    imgtijdop = new PictureBox(this, wxBitmap(1, 1));
    Place(imgtijdop, kViewRect);
    imgtijdop->Hide();
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
    if (!cover_) {
        return;  // a size event that comes while the window is still being made
    }
    const TwipRect outer = OuterSize();
    const BrowserLayout l = LayoutFor(outer.width, outer.height);
    Place(imgbackground, {kBandRect.left, kBandRect.top, l.bandWidth, kBandRect.height});
    if (panel_->Tiles()) {
        const wxSize client = GetClientSize();
        const TilesLayout t = TilesLayoutFor(scale_.ToTwips(client.x), scale_.ToTwips(client.y));
        Place(web_->Control(), t.page);
        Place(Text3, t.visit);
        Place(cmdvisit, t.visit);
        Place(Txtbackground, t.page);
        Place(imgmelding, kNoticeOverToolbarRect);
    } else {
        Place(web_->Control(), {kViewRect.left, kViewRect.top, l.viewWidth, l.viewHeight});
        Place(Text3, {kStripRect.left, kStripRect.top, l.stripWidth, kStripRect.height});
        Place(cmdvisit, {kVisitRect.left, kVisitRect.top, l.visitWidth, kVisitRect.height});
        Place(Txtbackground, {kBackdropRect.left, kBackdropRect.top, l.viewWidth, l.viewHeight});
        Place(imgmelding, kNoticeRect);
    }
    cover_->Place();
    panel_->Arrange();
}

void frmBrowser::ShowTilesLook() {
    // The visit button, the one a child who cannot read needs most, carries a picture too.
    const bool tiles = panel_->Tiles();
    widgets::FontDesc font = visitFont_;
    if (tiles) {
        font.points = std::max(font.points, 16.0);
        font.bold = true;
    }
    cmdvisit->SetButtonFont(font);
    cmdvisit->SetPicture(tiles ? VisitPicture(scale_.ToPixels(kPictureHeight)).ConvertToImage()
                               : wxImage());
    Form_Resize();
}

void frmBrowser::Form_Load() {
    auto& messages = context_.Machine().messages;
    loading_ = true;
    context_.Family().RemoveUnfinishedWrites();  // copies a killed save left behind

    const TwipRect outer = OuterSize();
    const BrowserLayout layout = LayoutFor(outer.width, outer.height);
    Place(Text3, {kStripRect.left, kStripRect.top, layout.stripWidth, kStripRect.height});
    Place(cmdvisit, {kVisitRect.left, kVisitRect.top, layout.visitWidth, kVisitRect.height});

    std::string failure;
    auto noting = [&](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            if (failure.empty()) {
                failure = e.what();
            }
        }
    };
    noting([&] { Show(); });
    noting([&] { web_->Navigate("About:blank"); });
    if (!failure.empty()) {
        messages.Show("FOUT : " + failure, "INFORMATIE", platform::Messages::Icon::Information);
    }

    auto& family = context_.Family();
    IgnoringErrors([&] { panel_->LoadSiteList(); });
    IgnoringErrors([&] { family.LoadVisitLog(); });
    IgnoringErrors([&] { family.LoadStartPage(); });
    IgnoringErrors([&] { ApplyLanguage(); });
    // Read before the start page opens: the parent's switch judges it.
    IgnoringErrors([&] { family.LoadSettings(); });
    IgnoringErrors([&] { Open(Text4->GetValue().utf8_string()); });
    if (context_.WholeSession()) {
        // The child's whole session: no window manager, panel or other program runs beside it,
        // so the window takes the screen itself.
        SetSize(wxDisplay(this).GetGeometry());
        ShowFullScreen(true, wxFULLSCREEN_ALL);
    } else if (panel_->Tiles()) {
        // A screen a child uses alone: the window fills the screen it starts on, also where no
        // window manager maximizes it. After the start page is asked for, which need not wait.
        SetSize(wxDisplay(this).GetClientArea());
        Maximize();
    }
    if (panel_->Tiles()) {
        ShowTilesLook();
    }
    IgnoringErrors([&] {
        // Placed for the size the window has now; a later resize leaves them where they are.
        const TwipRect now = OuterSize();
        Place(Imglogo, LogoPlace(now.width, now.height));
        Place(Imglink, BannerPlace(now.width, now.height));
        Imglogo->Show();
        Imglink->Show();
    });
    // Not among the steps whose failure is ignored: a budget that cannot be made keeps the
    // limit in force, and the parent is told at the next panel opening.
    cover_->Start();
    loading_ = false;
}

void frmBrowser::ApplyLanguage() {
    language_ = context_.ApplyLanguage();
    cover_->SetLanguage(language_);
}

void frmBrowser::Form_Unload() {
    if (closing_) {
        return;  // closing this window is itself one of the steps below
    }
    closing_ = true;
    finder_->Stop();
    cover_->SaveUsedTime(IsShown() && !IsIconized());
    logWriter_->EndOfRun();

    context_.CloseOtherWindows(this);
    context_.Machine().ender.EndNow();
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

void frmBrowser::SayAloud(const std::string& text) {
    // Read aloud only with the pictures of the tiles: a run without them stays as it was.
    const auto& family = context_.Family();
    if (text.empty() || !family.ReadAloud() || !family.SitePictures()) {
        return;
    }
    std::optional<std::string> language;
    if (language_) {
        language = *language_ == i18n::Language::Dutch ? "nl" : "en";
    }
    context_.Machine().speech.Say(text, language);
}

bool frmBrowser::TimeIsUp() const {
    return cover_->On();
}

const TimeLook& frmBrowser::ShownTimeLook() const {
    return cover_->Shown();
}

// Site buttons.

widgets::chameleonButton& frmBrowser::cmdsite(int n) {
    return panel_->Button(n);
}

void frmBrowser::cmdvisit_Click() {
    if (TimeIsUp()) {
        return;  // the cover lies where the site panel would open
    }
    panel_->Toggle();
}

void frmBrowser::cmdsite_Click(int n) {
    Open(panel_->AddressOf(n));
    panel_->Close();
}

// The address box: every address the window opens itself passes here.

std::string frmBrowser::AddressText() const {
    return cboURL->GetValue().utf8_string();
}

void frmBrowser::Open(const std::string& address) {
    cboURL->SetValue(wxString::FromUTF8(address));
    cboURL_Click();
}

void frmBrowser::cboURL_Click() {
    if (TimeIsUp()) {
        return;
    }
    if (web_->RequestFilterMissing()) {
        // Shown at the start too: without the filter nothing will ever open, and a parent
        // must learn why.
        context_.Machine().messages.Show(context_.Text(i18n::Message::FilterMissing), "Lanternwick",
                                         platform::Messages::Icon::Information);
        return;
    }
    const std::string address = filter::WithScheme(AddressText());
    cboURL->SetValue(wxString::FromUTF8(address));
    const filter::Verdict verdict = guard_->Judge(address, filter::Kind::TopLevel);
    if (verdict.Opens()) {
        web_->Navigate(address);
        context_.Family().AddBareAddress(address);
    } else if (verdict.Explained()) {
        ShowRefusal(address);  // not opened; the parent sees what was tried
    } else if (!loading_) {
        context_.Machine().messages.Show(context_.Text(i18n::Message::WordListMissing),
                                         "Lanternwick", platform::Messages::Icon::Information);
    }
}

void frmBrowser::cboURL_KeyPress(int keyAscii) {
    if (keyAscii == 13) {
        cboURL_Click();
    }
}

void frmBrowser::OpenAddress(const std::string& address) {
    panel_->Close();
    Open(address);
}

void frmBrowser::OpenHelp() {
    panel_->Close();
    guard_->AskHelp();
    cover_->ShowHelpOver();
    OpenProgramPage(filter::kHelpPage);
}

void frmBrowser::tmrcheck_Timer() {
    ++checksDone_;
    cover_->Tick(IsShown() && !IsIconized());
    if (guard_->Caught(web_->LocationURL())) {
        LeaveBlockedPage();
    }
}

void frmBrowser::LeaveBlockedPage() {
    if (web_->IsLoading()) {
        return;  // already on its way elsewhere
    }
    // Going back within the same document would change only the address and keep what a
    // script put on the page, so the nearest clean page is loaded afresh.
    const std::string earlier = guard_->LastRealPage();
    web_->Navigate(earlier.empty() ? std::string(filter::kBlankPage) : earlier);
}

// The view's events.

void frmBrowser::brwbrowser_BeforeNavigate2(const std::string& url, filter::Kind kind,
                                            bool& cancel) {
    const NavigationGuard::Answer answer = guard_->BeforeNavigate(url, kind, TimeIsUp());
    // Acted on once the view has finished asking: the acts open pages and windows.
    switch (answer.act) {
        case NavigationGuard::Act::None:
            break;
        case NavigationGuard::Act::Back:
            CallAfter([this] { cmdrefusedback_Click(); });
            break;
        case NavigationGuard::Act::Ask:
            CallAfter([this] { cmdrefusedask_Click(); });
            break;
        case NavigationGuard::Act::Later:
            CallAfter([this] { cmdrefusedlater_Click(); });
            break;
        case NavigationGuard::Act::Retry:
            CallAfter([this] { cmdretry_Click(); });
            break;
        case NavigationGuard::Act::Home:
            CallAfter([this] { PicHome2_Click(); });
            break;
    }
    if (!answer.opens) {
        cancel = true;
        if (answer.explain) {
            ShowRefusalSoon(url);
        }
        return;
    }
    if (kind != filter::Kind::Frame && !filter::IsProgramPage(url)) {
        timBrowser.StartOnce(kWatchdogMs);
        SetBusy(true);
    }
}

void frmBrowser::brwbrowser_PageRefused(const std::string& url) {
    // Its load ends as failed; the refusal page follows it.
    ShowRefusalSoon(url);
}

void frmBrowser::brwbrowser_DownloadComplete() {
    SetBusy(false);
    if (!closing_) {
        finder_->LoadEnded();
    }
}

void frmBrowser::brwbrowser_NavigateComplete2() {
    timBrowser.Stop();
    const std::string location = web_->LocationURL();
    finder_->Reached(location);
    const bool leave = guard_->Reached(location);
    cover_->PageReached(filter::IsPage(location, filter::kHelpPage));
    // The program's own pages are no visit: they stay out of the history and the log. Those
    // that stand for a page say their sentence, for a child who cannot read it.
    if (filter::IsProgramPage(location)) {
        if (filter::IsPage(location, filter::kRefusedPage)) {
            SayAloud(context_.Text(i18n::Message::RefusalSentence));
        } else if (filter::IsPage(location, filter::kNotAnsweringPage)) {
            SayAloud(context_.Text(i18n::Message::NotAnsweringSentence));
        } else if (filter::IsPage(location, filter::kAskedPage)) {
            SayAloud(context_.Text(i18n::Message::AskedSentence));
        }
        return;
    }
    const wxString reached = wxString::FromUTF8(location);
    const int earlier = cboURL->FindString(reached, true);
    if (earlier != wxNOT_FOUND) {
        cboURL->Delete(earlier);
    }
    cboURL->Insert(reached, 0);
    context_.Family().AddReachedPage(location);
    cboURL->SetSelection(0);
    cboURL->SetValue(reached);
    if (leave) {
        LeaveBlockedPage();
    }
}

void frmBrowser::brwbrowser_NewWindow2(const std::string& url) {
    if (TimeIsUp()) {
        return;
    }
    // One window only: the page opens here, through the same checks as any other navigation.
    // They come first: asked to open an address, the view names it as its own at once, and the
    // once-a-second check would take a page that is never fetched for one shown.
    const filter::Verdict verdict = guard_->Judge(url, filter::Kind::TopLevel);
    if (!verdict.Opens()) {
        if (verdict.Explained()) {
            ShowRefusal(url);
        }
        return;
    }
    web_->Navigate(url);
}

void frmBrowser::brwbrowser_ContentGone() {
    // The engine's page process ended (it crashed or was killed): whatever it showed is gone,
    // and the window goes on with an empty page.
    timBrowser.Stop();
    SetBusy(false);
    web_->Navigate(filter::kBlankPage);
}

void frmBrowser::timBrowser_Timer() {
    // Stopped first: a second tick must not stack a second message on the first.
    timBrowser.Stop();
    SetBusy(false);
    // A frame inside a page can announce a navigation that no "page reached" ever follows; if
    // the view has long finished loading, there is no connection fault to report. Behind the
    // time cover, nothing the child could see is waited for.
    if (!web_->IsLoading() || TimeIsUp()) {
        return;
    }
    const std::string waited = web_->LocationURL();
    web_->Stop();
    if (guard_->ShowsNotAnswering(waited)) {
        ShowNotAnswering(waited);
        return;
    }
    // A run without a language keeps the message's built-in Dutch text.
    const i18n::Language language = context_.Language().value_or(i18n::Language::Dutch);
    context_.Machine().messages.Show(i18n::MessageText(language, i18n::Message::ConnectionFault),
                                     "INFORMATIE", platform::Messages::Icon::Information);
}

bool frmBrowser::brwbrowser_LoadFailed(const std::string& url) {
    if (!guard_->ShowsNotAnswering(url)) {
        return false;
    }
    ShowNotAnswering(url);
    return true;
}

// The program's own pages.

void frmBrowser::OpenProgramPage(std::string_view page) {
    web_->Navigate(guard_->Address(page));
}

void frmBrowser::OpenProgramPageSoon(std::string_view page) {
    // Opening a page from inside the view's question about another re-enters the engine.
    CallAfter([this, address = guard_->Address(page)] { web_->Navigate(address); });
}

void frmBrowser::ShowRefusal(const std::string& address) {
    guard_->Refuse(address);
    OpenProgramPage(filter::kRefusedPage);
}

void frmBrowser::ShowRefusalSoon(const std::string& address) {
    guard_->Refuse(address);
    OpenProgramPageSoon(filter::kRefusedPage);
}

void frmBrowser::ShowNotAnswering(const std::string& url) {
    timBrowser.Stop();
    SetBusy(false);
    guard_->NotAnswering(url);
    OpenProgramPageSoon(filter::kNotAnsweringPage);
}

std::string frmBrowser::ProgramPage(const std::string& url) const {
    if (!guard_->Serves(url)) {
        return {};  // asked for by a page: the program's pages are the program's alone
    }
    return ProgramPageHtml(url, context_.Language(), context_.Family().DataFolder(),
                           context_.Family().SettingsFound());
}

const std::string& frmBrowser::RefusedAddress() const {
    return guard_->RefusedAddress();
}

void frmBrowser::cmdretry_Click() {
    if (!guard_->NotAnsweringAddress().empty()) {
        Open(guard_->NotAnsweringAddress());
    }
}

void frmBrowser::cmdrefusedback_Click() {
    const auto history = web_->BackHistory();
    const std::string page = guard_->LastRealPage();
    if (!page.empty() && !history.empty() && history.front() == page) {
        web_->GoBack();  // the page just before: the history stays as the child knows it
        return;
    }
    // Refused at the very start, or after a time-up or a midnight left only the empty page
    // behind: the last real page, or else the start page.
    Open(page.empty() ? Text4->GetValue().utf8_string() : page);
}

void frmBrowser::cmdrefusedask_Click() {
    context_.Parents().AskFor(guard_->RefusedAddress());
}

void frmBrowser::TryRefusedAgain() {
    const std::string shown = web_->LocationURL();
    if (guard_->Serves(shown) && filter::IsPage(shown, filter::kRefusedPage) &&
        !guard_->RefusedAddress().empty()) {
        Open(guard_->RefusedAddress());
    }
}

void frmBrowser::cmdrefusedlater_Click() {
    if (!context_.Family().SettingsFound() || guard_->RefusedAddress().empty()) {
        return;
    }
    // A list that is full or cannot be written is the parent's to see in the panel; the child
    // has done all a child can.
    context_.Family().AskLater(guard_->RefusedAddress());
    OpenProgramPage(filter::kAskedPage);
}

// The toolbar's picture buttons, the strip under them and the intro.

void frmBrowser::Swap(PictureBox* hide, PictureBox* show) {
    hide->Hide();
    show->Show();
}

void frmBrowser::PicPrev_MouseMove() {
    Swap(PicPrev, PicPrev2);
}
void frmBrowser::PicNext_MouseMove() {
    Swap(PicNext, PicNext2);
}
void frmBrowser::PicRefresh_MouseMove() {
    Swap(PicRefresh, Picrefresh2);
}
void frmBrowser::PicStop_MouseMove() {
    Swap(PicStop, Picstop2);
}
void frmBrowser::PicHome_MouseMove() {
    Swap(PicHome, PicHome2);
}
void frmBrowser::Picparent_MouseMove() {
    Swap(Picparent, Picparent2);
}

void frmBrowser::imgbackground_MouseMove() {
    Swap(PicPrev2, PicPrev);
    Swap(PicNext2, PicNext);
    Swap(Picstop2, PicStop);
    Swap(Picrefresh2, PicRefresh);
    Swap(PicHome2, PicHome);
    Swap(Picparent2, Picparent);
}

void frmBrowser::Text3_MouseMove() {
    cmdvisit->SetBackColor(kVisitGreen);
    cmdvisit->SetCaption(VisitCaption());
}

void frmBrowser::PicPrev2_MouseDown() {
    Swap(PicPrev, PicPrev2);
}

void frmBrowser::PicPrev2_Click() {
    if (!TimeIsUp() && !web_->GoBack()) {
        context_.Machine().messages.Show("YOU CANNOT GO BACK", kTitle,
                                         platform::Messages::Icon::Information);
    }
    Swap(PicPrev2, PicPrev);
}

void frmBrowser::PicNext2_Click() {
    if (!TimeIsUp() && !web_->GoForward()) {
        context_.Machine().messages.Show("YOU CANNOT GO FORWARD", kTitle,
                                         platform::Messages::Icon::Information);
    }
    Swap(PicNext2, PicNext);
}

void frmBrowser::Picrefresh2_Click() {
    if (!TimeIsUp()) {
        // On a page that stands for another, refreshing tries that page again: a site the
        // parent has allowed meanwhile opens, and one still refused shows the refusal again.
        const std::string shown = web_->LocationURL();
        if (guard_->Serves(shown) && filter::IsPage(shown, filter::kRefusedPage)) {
            TryRefusedAgain();
        } else if (guard_->Serves(shown) && filter::IsPage(shown, filter::kNotAnsweringPage)) {
            cmdretry_Click();
        } else {
            try {
                web_->Refresh();
            } catch (...) {
                // Nothing a child could act on: the page simply stays as it is.
            }
        }
    }
    Swap(Picrefresh2, PicRefresh);
}

void frmBrowser::Picstop2_Click() {
    try {
        web_->Stop();
    } catch (...) {
    }
    Swap(Picstop2, PicStop);
}

void frmBrowser::PicHome2_Click() {
    Open(basics::TrimSpaces(Text4->GetValue().utf8_string()));
    Swap(PicHome2, PicHome);
}

void frmBrowser::Picparent2_Click() {
    Swap(Picparent2, Picparent);
    context_.Parents().ShowLogin();
}

void frmBrowser::TmrIntro_Timer() {
    web_->Control()->Show();
    // Covered by the page they would still show beside and below it in a smaller window.
    Imglogo->Hide();
    Imglink->Hide();
    TmrIntro.Stop();
    cmdvisit->SetEnabled(true);
}

}  // namespace browser
