// The daily time limit as the child meets it: the clock on the band, the notice five minutes
// before the end and the cover when the time is up.
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "app/Forms.h"
#include "app/TimeBudget.h"
#include "browser/BlockedWords.h"
#include "browser/PictureBox.h"
#include "browser/ToolbarArt.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/tijdperdag.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"

namespace browser {

namespace {

constexpr int kNoticeTicks = 20;  // seconds the notice stays, then it goes by itself
constexpr const char* kBlank = "about:blank";

wxString Text(const std::string& text) {
    return wxString::FromUTF8(text);
}

bool AnyLimit(const storage::WeekMinutes& limits) {
    return std::any_of(limits.begin(), limits.end(), [](const auto& l) { return l.has_value(); });
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
    limits_ = storage::Settings::Load(forms_.Data()).Week();
    if (AnyLimit(limits_)) {
        MakeTimeBudget();
    }
}

void frmBrowser::MakeTimeBudget() {
    auto& clock = forms_.Machine().clock;
    // Read before the clock, so the time it takes does not count.
    auto stored = app::ReadUsedTime(forms_.Data());
    budget_ = std::make_unique<app::TimeBudget>(limits_, clock.Now(), clock.SteadySeconds(),
                                                std::move(stored));
    // At once, not at the next tick: a restart with the time used up shows no page at all.
    ShowTimeState();
}

std::optional<int> frmBrowser::TodaysLimit() const {
    const app::Date today = budget_ ? budget_->Today() : forms_.Machine().clock.Now().date;
    return limits_[app::Weekday(today)];
}

void frmBrowser::SetTimeLimits(const storage::WeekMinutes& limits) {
    limits_ = limits;
    if (budget_) {
        budget_->SetLimits(limits_);
        ShowTimeState();
    } else if (AnyLimit(limits_)) {
        MakeTimeBudget();
    }
}

void frmBrowser::GrantExtraTime(int minutes) {
    if (!budget_) {
        MakeTimeBudget();
    }
    budget_->GrantExtraMinutes(minutes);
    const double now = forms_.Machine().clock.SteadySeconds();
    if (!WriteUsedTimeNow(now)) {
        ReportUsedTimeFailure();
    }
    ShowTimeState();
}

bool frmBrowser::WriteUsedTimeNow(double steadyNow) {
    const auto result = app::WriteUsedTime(forms_.Data(), budget_->Record());
    // Marked either way: a failing disk is tried again at the next regular save, not at every
    // tick in between.
    budget_->MarkSaved(steadyNow);
    if (result.ok) {
        usedTimeFailure_.clear();
    } else {
        usedTimeFailure_ = storage::files::kUsedTime;
        usedTimeFailureReason_ = result.reason;
    }
    return result.ok;
}

void frmBrowser::ReportUsedTimeFailure() {
    if (usedTimeFailure_.empty()) {
        return;
    }
    forms_.ShowWriteFailure(usedTimeFailure_, usedTimeFailureReason_);
    usedTimeFailure_.clear();
}

void frmBrowser::SaveUsedTime() {
    if (!budget_) {
        return;
    }
    const double now = forms_.Machine().clock.SteadySeconds();
    budget_->Advance(now, IsShown() && !IsIconized());
    // Nobody is left to tell at close; the next run tells the parent if writing still fails.
    if (AnyLimit(limits_) || budget_->Record().extraMinutes > 0) {
        WriteUsedTimeNow(now);
    }
}

void frmBrowser::TimeTick() {
    if (!budget_) {
        return;
    }
    const double now = forms_.Machine().clock.SteadySeconds();
    budget_->Advance(now, IsShown() && !IsIconized());
    if (budget_->SaveDue(now)) {
        WriteUsedTimeNow(now);
    }
    if (budget_->TakeFiveMinuteNotice() && !covered_) {
        imgmelding->SetPicture(NoticePicture(
            Text(std::string(i18n::PhraseText(language_, i18n::Phrase::FiveMinutesNotice))),
            scale_));
        imgmelding->Show();
        imgmelding->Raise();
        noticeTicks_ = kNoticeTicks;
    } else if (noticeTicks_ > 0 && --noticeTicks_ == 0) {
        imgmelding->Hide();
    }
    ShowTimeState();
}

void frmBrowser::ShowTimeState() {
    const auto limit = TodaysLimit();
    const TimeLook look{budget_->Limited(), budget_->RemainingMinutes(),
                        limit.value_or(0) + budget_->Record().extraMinutes};
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
    const auto* panel = forms_.PanelIfLoaded();
    const auto* editor = forms_.TimeLimitEditorIfLoaded();
    const bool parentThere =
        (panel != nullptr && panel->IsShown()) || (editor != nullptr && editor->IsShown());
    if (budget_->TimeIsUp() && !covered_) {
        CoverForTimeUp();
    } else if (!budget_->TimeIsUp() && covered_ && !parentThere) {
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
    pageBeforeCover_ = IsBlankPage(shown) ? Text4->GetValue().utf8_string() : shown;
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
    if (!pageBeforeCover_.empty() && !IsBlankPage(pageBeforeCover_)) {
        // Back where the child was, through the same checks as any other address.
        cboURL->SetValue(Text(pageBeforeCover_));
        pageBeforeCover_.clear();
        cboURL_Click();
    }
}

}  // namespace browser
