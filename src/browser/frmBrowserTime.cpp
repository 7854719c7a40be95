// The daily time limit as the child meets it: the clock on the band, the notice five minutes
// before the end and the cover when the time is up.
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "browser/PictureBox.h"
#include "browser/ToolbarArt.h"
#include "browser/frmBrowser.h"
#include "context/WindowContext.h"
#include "family/TimeBudget.h"
#include "filter/BlockedWords.h"
#include "filter/ProgramPages.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {

constexpr int kNoticeTicks = 20;  // seconds the notice stays, then it goes by itself
constexpr const char* kBlank = "about:blank";

wxString Text(const std::string& text) {
    return wxString::FromUTF8(text);
}

}  // namespace

void frmBrowser::CreateTimeControls() {
    imgklok = new PictureBox(imgbackground, wxBitmap(1, 1));
    Place(imgklok, kTimeLeftRect);
    imgklok->Hide();
    imgmelding = new PictureBox(this, wxBitmap(1, 1));
    Place(imgmelding, kNoticeRect);
    imgmelding->Hide();
    imgmelding->Click = [this] { imgmelding->Hide(); };
    imgtijdop = new PictureBox(this, wxBitmap(1, 1));
    Place(imgtijdop, kViewRect);
    imgtijdop->Hide();
}

void frmBrowser::PlaceTimeCover() {
    if (imgtijdop == nullptr) {
        return;
    }
    // The page's own rectangle, which the site panel shares.
    const wxRect page = Txtbackground->GetRect();
    if (imgtijdop->GetRect() == page && imgtijdop->Picture().GetSize() == page.GetSize()) {
        return;
    }
    imgtijdop->SetSize(page);
    if (covered_) {
        imgtijdop->SetPicture(
            TimeUpPicture(page.GetSize(),
                          Text(std::string(i18n::PhraseText(language_, i18n::Phrase::TimeIsUp)))));
    }
}

void frmBrowser::StartTimeBudget() {
    context_.Family().StartTimeBudget();
    // At once, not at the next tick: a restart with the time used up shows no page at all.
    if (context_.Family().Budget() != nullptr || context_.Family().TimeIsUp()) {
        ShowTimeState();
    }
}

void frmBrowser::SaveUsedTime() {
    context_.Family().SaveUsedTime(IsShown() && !IsIconized());
}

void frmBrowser::TimeTick() {
    auto& family = context_.Family();
    if (family.Budget() == nullptr) {
        return;
    }
    family.Tick(IsShown() && !IsIconized());  // shows the state it leaves
    if (family.Budget()->TakeFiveMinuteNotice() && !covered_) {
        imgmelding->SetPicture(NoticePicture(
            Text(std::string(i18n::PhraseText(language_, i18n::Phrase::FiveMinutesNotice))),
            scale_));
        imgmelding->Show();
        imgmelding->Raise();
        noticeTicks_ = kNoticeTicks;
    } else if (noticeTicks_ > 0 && --noticeTicks_ == 0) {
        imgmelding->Hide();
    }
}

void frmBrowser::ShowTimeState() {
    auto& family = context_.Family();
    const family::TimeBudget* budget = family.Budget();
    const auto limit = family.TodaysLimit();
    const TimeLook look = budget != nullptr
                              ? TimeLook{budget->Limited(), budget->RemainingMinutes(),
                                         limit.value_or(0) + budget->Record().extraMinutes}
                              : TimeLook{};
    if (look != shownLook_) {
        shownLook_ = look;
        if (look.limited) {
            imgklok->SetPicture(TimeLeftPicture(
                look,
                Text(i18n::PhraseWith(language_, i18n::Phrase::MinutesLeft, look.minutesLeft)),
                scale_));
            imgklok->Show();
        } else {
            imgklok->Hide();
        }
    }
    const bool parentThere = context_.Parents().ParentIsThere();
    if (family.TimeIsUp() && !covered_) {
        CoverForTimeUp();
    } else if (!family.TimeIsUp() && covered_ && !parentThere) {
        UncoverAfterTimeUp();
    }
    if (covered_ && cmdvisit->Enabled()) {
        cmdvisit->SetEnabled(false);  // the intro's end enables it, whatever the time
    }
}

void frmBrowser::CoverForTimeUp() {
    covered_ = true;
    imgmelding->Hide();
    noticeTicks_ = 0;
    Txtbackground->Hide();
    for (auto* button : sites_) {
        button->Hide();
    }
    cmdvisit->SetEnabled(false);
    const std::string shown = web_->LocationURL();
    // A start with the time already used up has not reached its start page yet: that is where
    // the child begins once time is granted.
    // On one of the program's own pages, the child was last on the real page before it.
    if (filter::IsProgramPage(shown)) {
        const std::string earlier = LastRealPage();
        pageBeforeCover_ = earlier.empty() ? Text4->GetValue().utf8_string() : earlier;
    } else {
        pageBeforeCover_ = filter::IsBlankPage(shown) ? Text4->GetValue().utf8_string() : shown;
    }
    // Leaving the page is what surely silences it: a stopped page may still play its sound.
    try {
        web_->Stop();
    } catch (...) {
    }
    web_->Navigate(kBlank);
    imgtijdop->SetPicture(wxBitmap(1, 1));  // the right size is painted by the placing below
    PlaceTimeCover();
    imgtijdop->SetPicture(
        TimeUpPicture(imgtijdop->GetSize(),
                      Text(std::string(i18n::PhraseText(language_, i18n::Phrase::TimeIsUp)))));
    imgtijdop->Show();
    imgtijdop->Raise();
}

void frmBrowser::UncoverAfterTimeUp() {
    covered_ = false;
    imgtijdop->Hide();
    cmdvisit->SetEnabled(!TmrIntro.IsRunning());
    if (helpAsked_) {
        pageBeforeCover_.clear();  // the parent's last wish was the help page: it stays
    }
    if (!pageBeforeCover_.empty() && !filter::IsBlankPage(pageBeforeCover_)) {
        // Back where the child was, through the same checks as any other address.
        cboURL->SetValue(Text(pageBeforeCover_));
        pageBeforeCover_.clear();
        cboURL_Click();
    }
}

}  // namespace browser
