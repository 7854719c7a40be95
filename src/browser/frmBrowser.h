#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>
#include <string>

#include "browser/WebView.h"

class wxComboBox;
class wxPanel;
class wxTextCtrl;

namespace app {
class Forms;
}

namespace browser {

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
    void LoadSiteList(const std::string& file);
    void ApplyLanguage(const std::string& file);

    // Navigation filter (frmBrowserNavigation.cpp).
    void cboURL_Click();
    void cboURL_KeyPress(int keyAscii);
    void tmrcheck_Timer();
    void timBrowser_Timer();
    void TmrIntro_Timer();
    void brwbrowser_BeforeNavigate2(const std::string& url, bool mainFrame, bool& cancel);
    void brwbrowser_DownloadComplete();
    void brwbrowser_NavigateComplete2();
    void brwbrowser_NewWindow2(const std::string& url);

    // What a check of the address box's text against the blocked words found.
    enum class Verdict { NoWordList, Clean, Blocked };
    Verdict CheckBlockedWords(const std::string& file);

    // Visit log (frmBrowserVisitLog.cpp).
    void LoadVisitLog(const std::string& file);
    void SaveVisitLog(const std::string& file);
    void AddBareAddress(const std::string& address);
    void AddReachedPage(const std::string& address);

    bool IsBusy() const { return busy_; }  // hourglass shown

    // Controls.
    WebView& brwbrowser() { return *web_; }
    wxComboBox* cboURL = nullptr;         // hidden: address to open, history of reached pages
    wxTextCtrl* Text4 = nullptr;          // hidden: the start address
    wxTextCtrl* txtchecksites = nullptr;  // hidden: "1" asks for the address box to be opened
    wxPanel* imgbackground = nullptr;     // toolbar band
    wxPanel* Text3 = nullptr;             // strip under the band
    wxTimer tmrcheck;
    wxTimer timBrowser;
    wxTimer TmrIntro;

    // True while a navigation through the address box is allowed to navigate and log; false
    // while a reached page is only being checked.
    bool navigateOnSelect = false;

private:
    void SetBusy(bool busy);
    void StepBack(int steps);
    std::string AddressText() const;
    void Place(wxWindow* control, int leftTwips, int topTwips, int widthTwips, int heightTwips);

    app::Forms& forms_;
    std::unique_ptr<WebView> web_;
    bool loading_ = false;
    bool closing_ = false;
    bool busy_ = false;
};

}  // namespace browser
