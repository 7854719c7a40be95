// The navigation filter: every address the window opens and every page the view reaches is
// checked against the blocked words here.
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "app/Forms.h"
#include "browser/Address.h"
#include "browser/BlockedWords.h"
#include "browser/ProgramPages.h"
#include "browser/frmBrowser.h"
#include "storage/DataPath.h"

namespace browser {

namespace {
constexpr int kWatchdogMs = 30000;
constexpr const char* kBlank = "about:blank";
}  // namespace

std::string frmBrowser::AddressText() const {
    return cboURL->GetValue().utf8_string();
}

void frmBrowser::StepBack(int steps) {
    for (int i = 0; i < steps; ++i) {
        if (!web_->GoBack()) {
            // With no earlier page to return to, a blocked page must still leave the screen.
            web_->Navigate(kBlank);
            return;
        }
    }
}

frmBrowser::Verdict frmBrowser::CheckBlockedWords(const std::string& file) {
    if (const std::string path = forms_.Data().PathOf(file); path != words_.Path()) {
        words_ = WordList(path, [this, file] { return forms_.Data().Read(file); });
    }
    switch (words_.Refresh()) {
        case WordList::State::Missing:
            return Verdict::NoWordList;
        case WordList::State::Unreadable:
            return Verdict::Unreadable;
        case WordList::State::Ready:
            break;
    }
    const int hits = words_.Words().Count(AddressText());
    // A page already on screen is stepped back once per word found; an address that is about
    // to be opened is simply not opened, so there is nothing to step back from.
    if (!navigateOnSelect) {
        StepBack(hits);
    }
    return hits > 0 ? Verdict::Blocked : Verdict::Clean;
}

void frmBrowser::cboURL_Click() {
    if (navigateOnSelect && TimeIsUp()) {
        return;
    }
    if (navigateOnSelect && web_->RequestFilterMissing()) {
        // Shown at the start too: without the filter nothing will ever open, and a parent
        // must learn why.
        forms_.Machine().messages.Show(forms_.Text(i18n::Message::FilterMissing), "Lanternwick",
                                       app::Messages::Icon::Information);
        return;
    }
    if (navigateOnSelect) {
        cboURL->SetValue(wxString::FromUTF8(WithScheme(AddressText())));
    }
    const Verdict verdict = CheckBlockedWords(storage::files::kBlockedWords);
    if (!navigateOnSelect) {
        return;
    }
    const std::string address = AddressText();
    switch (verdict) {
        case Verdict::Clean:
            if (OffTheList(address)) {
                ShowRefusal(address);
                break;
            }
            web_->Navigate(address);
            AddBareAddress(address);
            break;
        case Verdict::Blocked:
            ShowRefusal(address);  // not opened; the parent sees what was tried
            break;
        case Verdict::NoWordList:
        case Verdict::Unreadable:
            if (!loading_) {
                forms_.Machine().messages.Show(forms_.Text(i18n::Message::WordListMissing),
                                               "Lanternwick", app::Messages::Icon::Information);
            }
            break;
    }
}

void frmBrowser::cboURL_KeyPress(int keyAscii) {
    if (keyAscii == 13) {
        cboURL_Click();
    }
}

void frmBrowser::tmrcheck_Timer() {
    TimeTick();
    if (txtchecksites->GetValue() == "1") {
        txtchecksites->SetValue("0");
        cboURL_Click();
    }
    // history.pushState and replaceState change the address without any navigation event, and
    // a word the parent adds may hold the page already shown: nothing else would notice either.
    const std::string shown = web_->LocationURL();
    if (IsBlankPage(shown) || words_.Refresh() != WordList::State::Ready ||
        !words_.Words().Blocks(shown)) {
        caught_.clear();
        return;
    }
    if (shown != caught_) {
        caught_ = shown;
        AddReachedPage(shown);
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
        if (!IsBlankPage(earlier) && !IsProgramPage(earlier) && !words_.Refuses(earlier)) {
            web_->Navigate(earlier);
            return;
        }
    }
    web_->Navigate(kBlank);
}

void frmBrowser::brwbrowser_BeforeNavigate2(const std::string& url, bool mainFrame, bool& cancel) {
    // Behind the "time is up" cover only the blank page that replaced the last one may load.
    if (TimeIsUp() && !IsBlankPage(url)) {
        cancel = true;
        return;
    }
    if (IsProgramPage(url)) {
        // The refusal page's buttons act here; they act only from that page, so no other page
        // can open the login. The page itself is the program's and opens whatever the lists say.
        const bool fromRefusal = web_->LocationURL().rfind(kRefusedPage, 0) == 0;
        if (url.rfind(kBackLink, 0) == 0 || url.rfind(kAskLink, 0) == 0) {
            cancel = true;
            if (fromRefusal && mainFrame) {
                const bool back = url.rfind(kBackLink, 0) == 0;
                CallAfter([this, back] { back ? cmdrefusedback_Click() : cmdrefusedask_Click(); });
            }
            return;
        }
        cancel = !mainFrame;
        return;
    }
    // Links, redirects, form posts, back and forward never pass the address box, so the word
    // list is checked here too: a blocked address is refused before anything of it is shown,
    // and while the list cannot be read, or the engine's request filter is missing, nothing is
    // opened at all. With the parent's switch on, every page (every hop of a redirect too) must
    // also be one of the allowed sites; frames and what a page loads are left to the word list.
    if (const Refusal refusal = Refused(url, mainFrame); refusal != Refusal::None) {
        cancel = true;
        if (refusal == Refusal::Explained) {
            ShowRefusalSoon(url);
        }
        return;
    }
    if (mainFrame) {
        timBrowser.StartOnce(kWatchdogMs);
        SetBusy(true);
    }
}

void frmBrowser::brwbrowser_DownloadComplete() {
    SetBusy(false);
}

void frmBrowser::brwbrowser_NavigateComplete2() {
    timBrowser.Stop();
    // The program's own pages are no visit: they stay out of the history and the log.
    if (IsProgramPage(web_->LocationURL())) {
        return;
    }
    const wxString reached = wxString::FromUTF8(web_->LocationURL());
    navigateOnSelect = false;
    const int earlier = cboURL->FindString(reached, true);
    if (earlier != wxNOT_FOUND) {
        cboURL->Delete(earlier);
    }
    cboURL->Insert(reached, 0);
    AddReachedPage(reached.utf8_string());
    cboURL->SetSelection(0);
    cboURL->SetValue(reached);
    cboURL_Click();
    navigateOnSelect = true;
}

void frmBrowser::brwbrowser_NewWindow2(const std::string& url) {
    if (TimeIsUp()) {
        return;
    }
    // One window only: the page opens here, through the same checks as any other navigation.
    // They come first: asked to open an address, the view names it as its own at once, and the
    // once-a-second check would take a page that is never fetched for one shown.
    if (const Refusal refusal = Refused(url, true); refusal != Refusal::None) {
        if (refusal == Refusal::Explained) {
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
    web_->Stop();
    forms_.Machine().messages.Show("ER IS EEN CONNECTIEFOUT", "INFORMATIE",
                                   app::Messages::Icon::Information);
}

}  // namespace browser
