#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "browser/Layout.h"
#include "browser/TimeLook.h"
#include "browser/WebView.h"
#include "browser/WordList.h"
#include "i18n/CaptionTables.h"
#include "storage/Settings.h"

class wxComboBox;
class wxPanel;
class wxTextCtrl;

namespace app {
class Forms;
class TimeBudget;
}  // namespace app
namespace widgets {
class chameleonButton;
}

namespace browser {

class PictureBox;

// The window the child sees and uses.
class frmBrowser : public wxFrame {
public:
    explicit frmBrowser(app::Forms& forms);
    ~frmBrowser() override;

    // Start and end (frmBrowserLifecycle.cpp).
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void LoadStartPage(const std::string& file);
    void ApplyLanguage(const std::string& file);

    // Site buttons (frmBrowserSites.cpp).
    void LoadSiteList(const std::string& file);
    void FillSiteButtons(const std::string& file);
    // Gives the buttons the sites as they now stand, at once, whether the panel is open or not.
    void ShowWorkingSites();
    void cmdvisit_Click();
    void cmdsite_Click(int n);  // n = 1 to 18; the eighteen buttons share one handler
    widgets::chameleonButton& cmdsite(int n) { return *sites_.at(n - 1); }

    // Navigation filter (frmBrowserNavigation.cpp).
    void cboURL_Click();
    void cboURL_KeyPress(int keyAscii);
    void tmrcheck_Timer();
    void timBrowser_Timer();
    void brwbrowser_BeforeNavigate2(const std::string& url, bool mainFrame, bool& cancel);
    void brwbrowser_DownloadComplete();
    void brwbrowser_NavigateComplete2();
    void brwbrowser_NewWindow2(const std::string& url);
    void brwbrowser_ContentGone();

    // Refusals (frmBrowserRefusal.cpp). Whether the parent's switch keeps `url` from opening at
    // the top level: on, and not one of the panel's sites as they now stand.
    bool OffTheList(const std::string& url) const;
    // Logs the refused address and shows the refusal page in its place, now or, from inside
    // the view's own event, as soon as the view has finished asking.
    void ShowRefusal(const std::string& address);
    void ShowRefusalSoon(const std::string& address);
    // Whether a page may not open (a blocked word, a list or filter that cannot be used, a page
    // off the list while the parent's switch is on), and whether the refusal page is to say so.
    enum class Refusal { None, Silent, Explained };
    Refusal Refused(const std::string& url, bool mainFrame);
    std::string ProgramPage(const std::string& url) const;
    // The refusal page's buttons; their links are answered here and never opened.
    void cmdrefusedback_Click();
    void cmdrefusedask_Click();
    const std::string& RefusedAddress() const { return refused_; }

    // What a check of the address box's text against the blocked words found.
    enum class Verdict { NoWordList, Unreadable, Clean, Blocked };
    Verdict CheckBlockedWords(const std::string& file);

    // Visit log (frmBrowserVisitLog.cpp).
    void LoadVisitLog(const std::string& file);
    void SaveVisitLog(const std::string& file);
    void AddBareAddress(const std::string& address);
    void AddReachedPage(const std::string& address);
    // The log list reaches its file a few seconds after it changes, so a killed run keeps it.
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

    // The daily time limit (frmBrowserTime.cpp). Without any limit stored nothing of it shows,
    // counts or writes a file.
    void StartTimeBudget();
    void TimeTick();  // every tick of tmrcheck
    // The "time is up" cover is showing: nothing may be opened until it lifts.
    bool TimeIsUp() const { return covered_; }
    const storage::WeekMinutes& TimeLimits() const { return limits_; }
    std::optional<int> TodaysLimit() const;
    // The parent's changes: they hold at once; the panel's save stores the limits.
    void SetTimeLimits(const storage::WeekMinutes& limits);
    // Written to the used-time file at once; a failure is told to the parent, who is there.
    void GrantExtraTime(int minutes);
    // A periodic write of the used time that failed is not told to the child; the parent hears
    // of it when the panel next opens.
    void ReportUsedTimeFailure();
    void SaveUsedTime();  // at close
    std::optional<i18n::Language> RunLanguage() const { return language_; }
    // What the clock on the band shows now.
    const TimeLook& ShownTimeLook() const { return shownLook_; }

    bool IsBusy() const { return busy_; }  // hourglass shown
    const TwipScale& Scale() const { return scale_; }
    // The visit button's caption in the language this run uses.
    wxString VisitCaption() const;

    // Controls.
    WebView& brwbrowser() { return *web_; }
    wxComboBox* cboURL = nullptr;         // hidden: address to open, history of reached pages
    wxTextCtrl* Text4 = nullptr;          // hidden: the start address
    wxTextCtrl* txtchecksites = nullptr;  // hidden: "1" asks for the address box to be opened
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

    // True while a navigation through the address box is allowed to navigate and log; false
    // while a reached page is only being checked.
    bool navigateOnSelect = false;

private:
    void CreateToolbar();
    void CreateSitePanel();
    void SetBusy(bool busy);
    void StepBack(int steps);
    void LeaveBlockedPage();
    void SaveVisitLogNow();
    wxString TableText(std::string_view name, i18n::Property property) const;
    std::string AddressText() const;
    void Place(wxWindow* control, const TwipRect& rect);
    TwipRect OuterSize() const;
    static void Swap(PictureBox* hide, PictureBox* show);
    void CreateTimeControls();
    void PlaceTimeCover();
    void MakeTimeBudget();
    void ShowTimeState();
    void CoverForTimeUp();
    void UncoverAfterTimeUp();
    bool WriteUsedTimeNow(double steadyNow);

    app::Forms& forms_;
    WordList words_;
    std::string caught_;  // the last blocked address the once-a-second check found on screen
    wxTimer logSave_;     // writes the visit log shortly after it changed
    TwipScale scale_;
    std::unique_ptr<WebView> web_;
    std::array<widgets::chameleonButton*, kSiteButtons> sites_{};
    std::optional<i18n::Language> language_;  // none: the built-in texts
    bool loading_ = false;
    bool closing_ = false;
    bool busy_ = false;
    std::string refused_;  // the address the refusal page stands for

    std::unique_ptr<app::TimeBudget> budget_;  // none while no day has a limit
    storage::WeekMinutes limits_{};
    TimeLook shownLook_;
    bool covered_ = false;
    int noticeTicks_ = 0;          // ticks the notice stays up
    std::string pageBeforeCover_;  // opened again when the cover lifts
    std::string usedTimeFailure_;  // path and reason of the last failed write, or empty
    std::string usedTimeFailureReason_;
};

}  // namespace browser
