// The navigation filter as the window meets it: every address the window opens and every page
// the view reaches is judged by the one decision of the filter.
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "browser/PictureBox.h"
#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "filter/Address.h"
#include "filter/BlockedWords.h"
#include "filter/ProgramPages.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {
constexpr int kWatchdogMs = 30000;
constexpr const char* kBlank = "about:blank";
}  // namespace

std::string frmBrowser::AddressText() const {
    return cboURL->GetValue().utf8_string();
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
    if (filter::IsProgramPage(AddressText())) {
        // The program's own page is no web address to put a scheme in front of, and no visit.
        web_->Navigate(AddressText());
        return;
    }
    const std::string address = filter::WithScheme(AddressText());
    cboURL->SetValue(wxString::FromUTF8(address));
    const filter::Verdict verdict = Judge(address, filter::Kind::TopLevel);
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
    Txtbackground->Hide();
    for (auto* button : sites_) {
        button->Hide();  // all of them: any left would float over the page
    }
    cboURL->SetValue(wxString::FromUTF8(address));
    cboURL_Click();
}

void frmBrowser::OpenHelp() {
    Txtbackground->Hide();
    for (auto* button : sites_) {
        button->Hide();
    }
    helpAsked_ = true;
    if (covered_) {
        imgtijdop->Hide();  // the parent came to read it; the cover is back on any other page
    }
    web_->Navigate(std::string(filter::kHelpPage));
}

void frmBrowser::tmrcheck_Timer() {
    ++checksDone_;
    TimeTick();
    // history.pushState and replaceState change the address without any navigation event, and
    // a word the parent adds may hold the page already shown: nothing else would notice either.
    const std::string shown = web_->LocationURL();
    if (filter::NeverJudged(shown) ||
        Judge(shown, filter::Kind::TopLevel).reason != filter::Reason::BlockedWord) {
        caught_.clear();
        return;
    }
    if (shown != caught_) {
        caught_ = shown;
        context_.Family().AddReachedPage(shown);
    }
    LeaveBlockedPage();
}

void frmBrowser::LeaveBlockedPage() {
    if (web_->IsLoading()) {
        return;  // already on its way elsewhere
    }
    // Going back within the same document would change only the address and keep what a
    // script put on the page, so the nearest clean page is loaded afresh.
    for (const std::string& earlier : web_->BackHistory()) {
        // A refusal page in the history stands for a page that was refused: no place to land.
        if (!filter::NeverJudged(earlier) && Judge(earlier, filter::Kind::TopLevel).Opens()) {
            web_->Navigate(earlier);
            return;
        }
    }
    web_->Navigate(kBlank);
}

void frmBrowser::brwbrowser_BeforeNavigate2(const std::string& url, filter::Kind kind,
                                            bool& cancel) {
    const bool mainFrame = kind != filter::Kind::Frame;
    // Behind the "time is up" cover only the blank page that replaced the last one may load,
    // and the help page a parent asked for.
    const bool askedHelp = helpAsked_ && url.rfind(filter::kHelpPage, 0) == 0;
    if (TimeIsUp() && !filter::IsBlankPage(url) && !askedHelp) {
        cancel = true;
        return;
    }
    if (ProgramLink(url, mainFrame)) {
        cancel = true;
        return;
    }
    // Links, redirects, form posts, back and forward never pass the address box, so they are
    // judged here too: a refused address is refused before anything of it is shown.
    const filter::Verdict verdict = Judge(url, kind);
    if (!verdict.Opens()) {
        cancel = true;
        if (verdict.Explained()) {
            ShowRefusalSoon(url);
        }
        return;
    }
    if (mainFrame && !filter::IsProgramPage(url)) {
        timBrowser.StartOnce(kWatchdogMs);
        SetBusy(true);
    }
}

void frmBrowser::brwbrowser_DownloadComplete() {
    SetBusy(false);
    FindSitePicture();
}

void frmBrowser::brwbrowser_NavigateComplete2() {
    timBrowser.Stop();
    const std::string location = web_->LocationURL();
    reached_ = location;
    const bool help = location.rfind(filter::kHelpPage, 0) == 0;
    if (!help) {
        helpAsked_ = false;
        if (covered_ && !imgtijdop->IsShown()) {
            imgtijdop->Show();  // the help page is left while the time is still up
            imgtijdop->Raise();
        }
    }
    // The program's own pages are no visit: they stay out of the history and the log.
    if (filter::IsProgramPage(location)) {
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
    // A page reached past the checks before it (the list changed on the way) does not stay.
    if (!filter::NeverJudged(location) &&
        Judge(location, filter::Kind::TopLevel).reason == filter::Reason::BlockedWord) {
        caught_ = location;
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
    const filter::Verdict verdict = Judge(url, filter::Kind::TopLevel);
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
    web_->Navigate(kBlank);
}

void frmBrowser::timBrowser_Timer() {
    // Stopped first: a second tick must not stack a second message on the first.
    timBrowser.Stop();
    SetBusy(false);
    // A frame inside a page can announce a navigation that no "page reached" ever follows; if
    // the view has long finished loading, there is no connection fault to report.
    if (!web_->IsLoading()) {
        return;
    }
    const std::string waited = web_->LocationURL();
    web_->Stop();
    if (ShowsNotAnswering(waited)) {
        ShowNotAnswering(waited);
        return;
    }
    // A run without a language keeps the message's built-in Dutch text.
    const i18n::Language language = context_.Language().value_or(i18n::Language::Dutch);
    context_.Machine().messages.Show(i18n::MessageText(language, i18n::Message::ConnectionFault),
                                     "INFORMATIE", platform::Messages::Icon::Information);
}

bool frmBrowser::ShowsNotAnswering(const std::string& url) const {
    // Without the settings file the installation keeps the engine's own page and the message.
    return context_.Family().SettingsFound() && !filter::IsProgramPage(url) &&
           !filter::IsBlankPage(url) && !url.empty();
}

bool frmBrowser::brwbrowser_LoadFailed(const std::string& url) {
    if (!ShowsNotAnswering(url)) {
        return false;
    }
    ShowNotAnswering(url);
    return true;
}

void frmBrowser::ShowNotAnswering(const std::string& url) {
    timBrowser.Stop();
    SetBusy(false);
    notAnswering_ = url;
    // Opening a page from inside the view's report about another re-enters the engine.
    CallAfter([this] { web_->Navigate(std::string(filter::kNotAnsweringPage)); });
}

}  // namespace browser
