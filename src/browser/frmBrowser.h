#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "browser/Layout.h"
#include "browser/TimeLook.h"
#include "context/WindowContext.h"
#include "engine/WebView.h"
#include "filter/Decision.h"
#include "i18n/CaptionTables.h"
#include "widgets/FontDesc.h"

class wxComboBox;
class wxPanel;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace browser {

class NavigationGuard;
class PictureBox;
class SitePanel;
class SitePictureFinder;
class TimeCover;
class VisitLogWriter;

// The window the child sees and uses. It makes and shows the controls and wires together the
// parts that own the window's rules and state: the navigation guard, the time cover, the site
// panel, the picture finder and the visit-log writer.
class frmBrowser : public wxFrame, public context::ChildWindow {
public:
    explicit frmBrowser(context::WindowContext& context);
    ~frmBrowser() override;

    // Start and end.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void ApplyLanguage();

    // Site buttons.
    void cmdvisit_Click();
    void cmdsite_Click(int n);  // n = 1 to 18; the eighteen buttons share one handler
    widgets::chameleonButton& cmdsite(int n);

    // The address box and the view's events.
    void cboURL_Click();
    void cboURL_KeyPress(int keyAscii);
    void tmrcheck_Timer();
    void timBrowser_Timer();
    void brwbrowser_BeforeNavigate2(const std::string& url, filter::Kind kind, bool& cancel);
    void brwbrowser_PageRefused(const std::string& url);
    bool brwbrowser_LoadFailed(const std::string& url);
    void brwbrowser_DownloadComplete();
    void brwbrowser_NavigateComplete2();
    void brwbrowser_NewWindow2(const std::string& url);
    void brwbrowser_ContentGone();

    // What the panel asks: opens `address` at once, through the same checks.
    void OpenAddress(const std::string& address) override;
    void OpenHelp() override;

    // The program's own pages and their buttons, which the window answers itself.
    std::string ProgramPage(const std::string& url) const;
    void cmdrefusedback_Click();
    void cmdrefusedask_Click();
    void cmdrefusedlater_Click();
    void TryRefusedAgain() override;
    void EndRun() override { Close(); }
    // The not-answering page's "Try again": the page that did not answer, through the checks.
    void cmdretry_Click();
    const std::string& RefusedAddress() const;
    // How many once-a-second checks have run: what a page left on screen would meet by then.
    int ChecksDone() const { return checksDone_; }

    // Toolbar, strip and intro.
    void PicPrev_MouseMove();
    void PicNext_MouseMove();
    void PicRefresh_MouseMove();
    void PicStop_MouseMove();
    void PicHome_MouseMove();
    void Picparent_MouseMove();
    void imgbackground_MouseMove();
    void Text3_MouseMove();
    void PicPrev2_MouseDown();
    void PicPrev2_Click();
    void PicNext2_Click();
    void Picrefresh2_Click();
    void Picstop2_Click();
    void PicHome2_Click();
    void Picparent2_Click();
    void TmrIntro_Timer();

    // The time cover is on: nothing may be opened until it lifts.
    bool TimeIsUp() const;
    // What the clock on the band shows now.
    const TimeLook& ShownTimeLook() const;

    bool IsBusy() const { return busy_; }  // hourglass shown
    const TwipScale& Scale() const { return scale_; }
    // The visit button's caption in the language this run uses.
    wxString VisitCaption() const;

    // Controls.
    engine::WebView& brwbrowser() { return *web_; }
    wxComboBox* cboURL = nullptr;         // hidden: address to open, history of reached pages
    wxTextCtrl* Text4 = nullptr;          // hidden: shows the start address of this run
    PictureBox* imgbackground = nullptr;  // toolbar band
    PictureBox* PicPrev = nullptr;
    PictureBox* PicPrev2 = nullptr;
    PictureBox* PicNext = nullptr;
    PictureBox* PicNext2 = nullptr;
    PictureBox* PicRefresh = nullptr;
    PictureBox* Picrefresh2 = nullptr;
    PictureBox* PicStop = nullptr;
    PictureBox* Picstop2 = nullptr;
    PictureBox* PicHome = nullptr;
    PictureBox* PicHome2 = nullptr;
    PictureBox* Picparent = nullptr;
    PictureBox* Picparent2 = nullptr;
    wxPanel* Text3 = nullptr;  // strip under the band
    widgets::chameleonButton* cmdvisit = nullptr;
    wxPanel* Txtbackground = nullptr;  // backdrop of the site panel
    PictureBox* Imglogo = nullptr;
    PictureBox* Imglink = nullptr;
    PictureBox* imgklok = nullptr;     // the time left today, on the band
    PictureBox* imgmelding = nullptr;  // five minutes left
    PictureBox* imgtijdop = nullptr;   // time is up: covers the page and the site panel
    wxTimer tmrcheck;
    wxTimer timBrowser;
    wxTimer TmrIntro;

private:
    void CreateToolbar();
    void CreateSitePanel();
    void CreateTimeControls();
    void CreateParts();
    void ShowTilesLook();
    void SayAloud(const std::string& text);
    void SetBusy(bool busy);
    void OnFamilyChange(family::FamilyModel::Change change);
    void Open(const std::string& address);  // through the address box
    void OpenProgramPage(std::string_view page);
    void OpenProgramPageSoon(std::string_view page);
    void ShowRefusal(const std::string& address);
    void ShowRefusalSoon(const std::string& address);
    void ShowNotAnswering(const std::string& url);
    void LeaveBlockedPage();
    wxString TableText(std::string_view name, i18n::Property property) const;
    std::string AddressText() const;
    void Place(wxWindow* control, const TwipRect& rect);
    TwipRect OuterSize() const;
    static void Swap(PictureBox* hide, PictureBox* show);

    context::WindowContext& context_;
    TwipScale scale_;
    std::unique_ptr<engine::WebView> web_;
    std::unique_ptr<NavigationGuard> guard_;
    std::unique_ptr<SitePanel> panel_;
    std::unique_ptr<TimeCover> cover_;
    std::unique_ptr<SitePictureFinder> finder_;
    std::unique_ptr<VisitLogWriter> logWriter_;
    std::optional<i18n::Language> language_;  // none: the built-in texts
    widgets::FontDesc visitFont_;             // the visit button's font outside the tiles
    int checksDone_ = 0;
    bool loading_ = false;
    bool closing_ = false;
    bool busy_ = false;
};

}  // namespace browser
