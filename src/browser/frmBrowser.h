#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "browser/Layout.h"
#include "browser/TimeLook.h"
#include "context/WindowContext.h"
#include "engine/WebView.h"
#include "filter/Decision.h"
#include "filter/WordList.h"
#include "i18n/CaptionTables.h"
#include "storage/Settings.h"

class wxComboBox;
class wxImage;
class wxPanel;
class wxTextCtrl;

namespace widgets {
class chameleonButton;
}

namespace browser {

class PictureBox;

// The window the child sees and uses.
class frmBrowser : public wxFrame, public context::ChildWindow {
public:
    explicit frmBrowser(context::WindowContext& context);
    ~frmBrowser() override;

    // Start and end (frmBrowserLifecycle.cpp).
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void ApplyLanguage();

    // Site buttons (frmBrowserSites.cpp).
    void LoadSiteList();
    void ShowSite(widgets::chameleonButton& button, const std::string& record);
    void FillSiteButtons();
    // Gives the buttons the sites as they now stand, at once, whether the panel is open or not.
    void ShowWorkingSites();
    void cmdvisit_Click();
    void cmdsite_Click(int n);  // n = 1 to 18; the eighteen buttons share one handler
    widgets::chameleonButton& cmdsite(int n) { return *sites_.at(n - 1); }

    // Pictures the site buttons find by themselves (frmBrowserPictures.cpp). At each page
    // loaded: for a listed site without a picture, the best one its page declares, else a
    // picture of the page's top.
    void FindSitePicture();

    // Navigation filter (frmBrowserNavigation.cpp).
    void cboURL_Click();
    void cboURL_KeyPress(int keyAscii);
    void tmrcheck_Timer();
    void timBrowser_Timer();
    void brwbrowser_BeforeNavigate2(const std::string& url, filter::Kind kind, bool& cancel);
    void brwbrowser_PageRefused(const std::string& url);
    bool brwbrowser_LoadFailed(const std::string& url);
    // The not-answering page's "Try again": the page that did not answer, through the checks.
    void cmdretry_Click();
    void brwbrowser_DownloadComplete();
    void brwbrowser_NavigateComplete2();
    void brwbrowser_NewWindow2(const std::string& url);
    void brwbrowser_ContentGone();

    // What the panel asks: opens `address` at once, through the same checks.
    void OpenAddress(const std::string& address) override;
    void OpenHelp() override;

    // Refusals (frmBrowserRefusal.cpp). The filter's answer for `url`, with the family's
    // settings as they now stand and the word list as its file now is.
    filter::Verdict Judge(const std::string& url, filter::Kind kind);
    filter::Settings FilterSettings() const;
    // A link of one of the program's own pages: acted on, when it comes from that page.
    bool ProgramLink(const std::string& url, bool mainFrame);
    bool ShowsNotAnswering(const std::string& url) const;
    void ShowNotAnswering(const std::string& url);
    // Logs the refused address and shows the refusal page in its place, now or, from inside
    // the view's own event, as soon as the view has finished asking.
    void ShowRefusal(const std::string& address);
    void ShowRefusalSoon(const std::string& address);
    std::string ProgramPage(const std::string& url) const;
    std::string HelpPage() const;
    // The newest page of the history that is a real page and may open now; empty if none.
    std::string LastRealPage();
    // The refusal page's buttons; their links are answered here and never opened.
    void cmdrefusedback_Click();
    void cmdrefusedask_Click();
    const std::string& RefusedAddress() const { return refused_; }
    // How many once-a-second checks have run: what a page left on screen would meet by then.
    int ChecksDone() const { return checksDone_; }

    // Visit log (frmBrowserVisitLog.cpp).
    void SaveVisitLog(const std::string& file);
    // The log reaches its file a few seconds after it changes, so a killed run keeps it.
    void SaveVisitLogSoon();

    // Toolbar, strip and intro (frmBrowserToolbar.cpp).
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

    // The daily time limit as the child meets it (frmBrowserTime.cpp). Without any limit
    // stored nothing of it shows.
    void StartTimeBudget();
    void TimeTick();  // every tick of tmrcheck
    // The "time is up" cover is showing: nothing may be opened until it lifts.
    bool TimeIsUp() const { return covered_; }
    void SaveUsedTime();  // at close
    // What the clock on the band shows now.
    const TimeLook& ShownTimeLook() const { return shownLook_; }

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
    void SetBusy(bool busy);
    void LeaveBlockedPage();
    void OnFamilyChange(family::FamilyModel::Change change);
    void SaveVisitLogNow();
    wxString TableText(std::string_view name, i18n::Property property) const;
    std::string AddressText() const;
    void Place(wxWindow* control, const TwipRect& rect);
    TwipRect OuterSize() const;
    static void Swap(PictureBox* hide, PictureBox* show);
    void CreateTimeControls();
    void PlaceTimeCover();
    void ShowTimeState();
    void CoverForTimeUp();
    void UncoverAfterTimeUp();
    void TrySitePictures(const std::string& address, std::vector<engine::PagePicture> pictures,
                         std::size_t next);
    void SnapshotSitePicture(const std::string& address);
    // Whether `image` made a picture; it is stored unless the site got one meanwhile.
    bool StoreSitePicture(const std::string& address, const wxImage& image);

    context::WindowContext& context_;
    filter::WordList words_;
    int checksDone_ = 0;
    std::string notAnswering_;  // the page the not-answering page stands for
    std::string caught_;        // the last refused address the once-a-second check found on screen
    wxTimer logSave_;           // writes the visit log shortly after it changed
    TwipScale scale_;
    std::unique_ptr<engine::WebView> web_;
    std::array<widgets::chameleonButton*, kSiteButtons> sites_{};
    std::optional<i18n::Language> language_;  // none: the built-in texts
    bool loading_ = false;
    bool closing_ = false;
    bool busy_ = false;
    std::string refused_;                   // the address the refusal page stands for
    std::string reached_;                   // the page the view last reached
    std::set<std::string> picturesSought_;  // sites whose picture was looked for in this run
    // A parent asked for the help page and no other page was reached since: it opens through
    // the time cover, and the cover lifting does not replace it.
    bool helpAsked_ = false;

    std::unique_ptr<family::TimeBudget> budget_;  // none while no day has a limit
    storage::WeekMinutes limits_{};
    TimeLook shownLook_;
    bool covered_ = false;
    int noticeTicks_ = 0;          // ticks the notice stays up
    std::string pageBeforeCover_;  // opened again when the cover lifts
};

}  // namespace browser
