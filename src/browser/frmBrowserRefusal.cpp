// What the child sees instead of a page that may not open, and the parent's switch that keeps
// the child on the sites of the site panel.
#include <wx/listbox.h>

#include "app/Forms.h"
#include "browser/AllowedSites.h"
#include "browser/BlockedWords.h"
#include "browser/ProgramPages.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/paswoord.h"

namespace browser {

bool frmBrowser::OffTheList(const std::string& url) const {
    const parents::Parents* panel = forms_.PanelIfLoaded();
    if (panel == nullptr || !panel->AllowedSitesOnly() || IsProgramPage(url)) {
        return false;
    }
    // The panel's lists, not the files: a site the parent just added or deleted counts at once.
    return !IsAllowedSite(url, AllowedAddresses(panel->WorkingSites(), panel->StartPageRecords()));
}

frmBrowser::Refusal frmBrowser::Refused(const std::string& url, bool mainFrame) {
    if (!IsBlankPage(url) && (web_->RequestFilterMissing() || words_.Refuses(url))) {
        // Without a list or a filter there is no page to explain, only nothing opened.
        const bool explained = mainFrame && !web_->RequestFilterMissing() &&
                               words_.Refresh() == WordList::State::Ready;
        return explained ? Refusal::Explained : Refusal::Silent;
    }
    return mainFrame && OffTheList(url) ? Refusal::Explained : Refusal::None;
}

void frmBrowser::ShowRefusal(const std::string& address) {
    refused_ = address;
    AddBareAddress(address);
    web_->Navigate(std::string(kRefusedPage));
}

void frmBrowser::ShowRefusalSoon(const std::string& address) {
    refused_ = address;
    AddBareAddress(address);
    // Opening a page from inside the view's question about another re-enters the engine.
    CallAfter([this] { web_->Navigate(std::string(kRefusedPage)); });
}

std::string frmBrowser::ProgramPage(const std::string& url) const {
    if (url.rfind(kRefusedPage, 0) != 0) {
        return {};
    }
    return RefusalPageHtml({
        .sentence = forms_.Text(i18n::Message::RefusalSentence),
        .back = forms_.Text(i18n::Message::RefusalBack),
        .ask = forms_.Text(i18n::Message::RefusalAsk),
    });
}

void frmBrowser::cmdrefusedback_Click() {
    if (!web_->GoBack()) {
        web_->Navigate("about:blank");  // refused at the very start: nowhere to go back to
    }
}

void frmBrowser::cmdrefusedask_Click() {
    forms_.Login().AskFor(refused_);
}

}  // namespace browser
