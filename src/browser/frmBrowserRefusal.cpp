// What the child sees instead of a page that may not open, and the parent's switch that keeps
// the child on the sites of the site panel.
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "filter/ProgramPages.h"

namespace browser {

filter::Settings frmBrowser::FilterSettings() const {
    const auto& family = context_.Family();
    filter::Settings settings;
    settings.allowedSitesOnly = family.AllowedSitesOnly();
    if (settings.allowedSitesOnly) {
        // The lists as they now stand: a site the parent just added or deleted counts at once.
        settings.allowedAddresses = family.AllowedAddresses();
    }
    return settings;
}

filter::Verdict frmBrowser::Judge(const std::string& url, filter::Kind kind) {
    return filter::Decide({.address = url, .kind = kind, .frameShows = {}}, filter::LookAt(words_),
                          FilterSettings(), web_->RequestFilterMissing());
}

void frmBrowser::brwbrowser_PageRefused(const std::string& url) {
    // Its load ends as failed; the refusal page follows it.
    ShowRefusalSoon(url);
}

void frmBrowser::ShowRefusal(const std::string& address) {
    refused_ = address;
    context_.Family().AddBareAddress(address);
    web_->Navigate(std::string(filter::kRefusedPage));
}

void frmBrowser::ShowRefusalSoon(const std::string& address) {
    refused_ = address;
    context_.Family().AddBareAddress(address);
    // Opening a page from inside the view's question about another re-enters the engine.
    CallAfter([this] { web_->Navigate(std::string(filter::kRefusedPage)); });
}

namespace {

// The caption a control of the panel has in `language`, without a closing colon.
std::string PanelCaption(std::optional<i18n::Language> language, std::string_view control) {
    const i18n::CaptionRow* row = nullptr;
    if (language) {
        row = i18n::FindRow(i18n::CaptionTable(*language), "Parents", control,
                            i18n::Property::Caption);
    }
    if (row == nullptr) {
        row = i18n::FindRow(i18n::BuiltInCaptions(), "Parents", control, i18n::Property::Caption);
    }
    std::string caption(row != nullptr ? row->text : control);
    if (caption.ends_with(':')) {
        caption.pop_back();
    }
    return caption;
}

std::string WithFolder(std::string_view text, const std::string& folder) {
    std::string out(text);
    if (const auto at = out.find("{}"); at != std::string::npos) {
        out.replace(at, 2, folder);
    }
    return out;
}

}  // namespace

std::string frmBrowser::HelpPage() const {
    const auto language = context_.Language();
    filter::HelpPage page{.title = std::string(i18n::HelpTitle(language)), .sections = {}};
    std::string folder = context_.Family().DataFolder();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    for (const i18n::HelpSection& section : i18n::HelpSections(language)) {
        page.sections.emplace_back(section.control.empty()
                                       ? std::string(section.heading)
                                       : PanelCaption(language, section.control),
                                   WithFolder(section.text, folder));
    }
    return filter::HelpPageHtml(page);
}

bool frmBrowser::ProgramLink(const std::string& url, bool mainFrame) {
    struct Link {
        std::string_view link;
        std::string_view page;  // the one page it acts from
        void (frmBrowser::*act)();
    };
    static const Link kLinks[] = {
        {filter::kBackLink, filter::kRefusedPage, &frmBrowser::cmdrefusedback_Click},
        {filter::kAskLink, filter::kRefusedPage, &frmBrowser::cmdrefusedask_Click},
        {filter::kRetryLink, filter::kNotAnsweringPage, &frmBrowser::cmdretry_Click},
        {filter::kHomeLink, filter::kNotAnsweringPage, &frmBrowser::PicHome2_Click},
    };
    if (!filter::IsProgramPage(url)) {
        return false;
    }
    for (const Link& link : kLinks) {
        if (url.rfind(link.link, 0) != 0) {
            continue;
        }
        // The buttons of the program's pages act here, and only from their own page, so no
        // other page can open the login.
        if (mainFrame && web_->LocationURL().rfind(link.page, 0) == 0) {
            CallAfter([this, act = link.act] { (this->*act)(); });
        }
        return true;
    }
    return false;
}

void frmBrowser::cmdretry_Click() {
    cboURL->SetValue(wxString::FromUTF8(notAnswering_));
    cboURL_Click();
}

std::string frmBrowser::ProgramPage(const std::string& url) const {
    if (url.rfind(filter::kHelpPage, 0) == 0) {
        return HelpPage();
    }
    if (url.rfind(filter::kNotAnsweringPage, 0) == 0) {
        return filter::NotAnsweringPageHtml({
            .sentence = context_.Text(i18n::Message::NotAnsweringSentence),
            .retry = context_.Text(i18n::Message::NotAnsweringRetry),
            .home = context_.Text(i18n::Message::NotAnsweringHome),
        });
    }
    if (url.rfind(filter::kRefusedPage, 0) != 0) {
        return {};
    }
    return filter::RefusalPageHtml({
        .sentence = context_.Text(i18n::Message::RefusalSentence),
        .back = context_.Text(i18n::Message::RefusalBack),
        .ask = context_.Text(i18n::Message::RefusalAsk),
    });
}

std::string frmBrowser::LastRealPage() {
    for (const std::string& earlier : web_->BackHistory()) {
        // The empty page a time-up left behind and the program's own pages are no place the
        // child was, and a page refused since cannot be gone back to.
        if (!filter::NeverJudged(earlier) && Judge(earlier, filter::Kind::TopLevel).Opens()) {
            return earlier;
        }
    }
    return {};
}

void frmBrowser::cmdrefusedback_Click() {
    const auto history = web_->BackHistory();
    const std::string page = LastRealPage();
    if (!page.empty() && !history.empty() && history.front() == page) {
        web_->GoBack();  // the page just before: the history stays as the child knows it
        return;
    }
    // Refused at the very start, or after a time-up or a midnight left only the empty page
    // behind: the last real page, or else the start page.
    cboURL->SetValue(wxString::FromUTF8(page.empty() ? Text4->GetValue().utf8_string() : page));
    cboURL_Click();
}

void frmBrowser::cmdrefusedask_Click() {
    context_.Parents().AskFor(refused_);
}

}  // namespace browser
