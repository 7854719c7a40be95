#include "browser/TimeCover.h"

#include "browser/NavigationGuard.h"
#include "browser/PictureBox.h"
#include "browser/ToolbarArt.h"
#include "context/WindowContext.h"
#include "engine/WebView.h"
#include "family/TimeBudget.h"
#include "filter/BlockedWords.h"
#include "filter/ProgramPages.h"

namespace browser {

namespace {

constexpr int kNoticeTicks = 20;  // seconds the notice stays, then it goes by itself

wxString Text(const std::string& text) {
    return wxString::FromUTF8(text);
}

std::string NoticeText(std::optional<i18n::Language> language, int minutesLeft) {
    // A limit shorter than the notice's five minutes, or time granted inside them, must not
    // promise the child minutes that are not there.
    if (minutesLeft >= 5) {
        return std::string(i18n::PhraseText(language, i18n::Phrase::FiveMinutesNotice));
    }
    if (minutesLeft <= 1) {
        return std::string(i18n::PhraseText(language, i18n::Phrase::OneMinuteNotice));
    }
    return i18n::PhraseWith(language, i18n::Phrase::FewMinutesNotice, minutesLeft);
}

}  // namespace

TimeCover::TimeCover(context::WindowContext& context, engine::WebView& view, NavigationGuard& guard,
                     const basics::TwipScale& scale, Controls controls, Window window)
    : context_(context),
      view_(view),
      guard_(guard),
      scale_(scale),
      controls_(controls),
      window_(std::move(window)) {
    controls_.notice->Click = [this] { controls_.notice->Hide(); };
}

std::string TimeCover::TimeUpText() const {
    // Outside the day's times the child is told it is no computer time, not that the day's
    // time is spent: the minutes may well come back later that day.
    const family::TimeBudget* budget = context_.Family().Budget();
    const bool outside = budget != nullptr && budget->OutsideWindow();
    return std::string(i18n::PhraseText(
        language_, outside ? i18n::Phrase::NotComputerTime : i18n::Phrase::TimeIsUp));
}

void TimeCover::Place() {
    const wxRect page = controls_.page->GetRect();
    PictureBox& cover = *controls_.cover;
    if (cover.GetRect() == page && cover.Picture().GetSize() == page.GetSize()) {
        return;
    }
    cover.SetSize(page);
    if (On()) {
        coverText_ = TimeUpText();
        cover.SetPicture(TimeUpPicture(page.GetSize(), Text(coverText_)));
    }
}

void TimeCover::Start() {
    context_.Family().StartTimeBudget();
    // At once, not at the next tick: a restart with the time used up shows no page at all.
    if (context_.Family().Budget() != nullptr || context_.Family().TimeIsUp()) {
        ShowState();
    }
}

void TimeCover::SaveUsedTime(bool counting) {
    context_.Family().SaveUsedTime(counting);
}

void TimeCover::Tick(bool counting) {
    auto& family = context_.Family();
    if (family.Budget() == nullptr) {
        return;
    }
    family.Tick(counting);  // shows the state it leaves
    if (family.Budget()->TakeFiveMinuteNotice() && !On()) {
        controls_.notice->SetPicture(NoticePicture(
            Text(NoticeText(language_, family.Budget()->RemainingMinutes())), scale_));
        controls_.notice->Show();
        controls_.notice->Raise();
        noticeTicks_ = kNoticeTicks;
    } else if (noticeTicks_ > 0 && --noticeTicks_ == 0) {
        controls_.notice->Hide();
    }
}

void TimeCover::ShowState() {
    auto& family = context_.Family();
    const family::TimeBudget* budget = family.Budget();
    const TimeLook look =
        budget != nullptr
            ? TimeLook{budget->Limited(), budget->RemainingMinutes(), budget->MinutesAllowed()}
            : TimeLook{};
    if (look != shownLook_) {
        shownLook_ = look;
        if (look.limited) {
            controls_.clock->SetPicture(TimeLeftPicture(
                look,
                Text(i18n::PhraseWith(language_, i18n::Phrase::MinutesLeft, look.minutesLeft)),
                scale_));
            controls_.clock->Show();
        } else {
            controls_.clock->Hide();
        }
    }
    if (family.TimeIsUp() && !On()) {
        Cover();
    } else if (!family.TimeIsUp() && On() && !context_.Parents().ParentIsThere()) {
        Uncover();
    } else if (On() && TimeUpText() != coverText_) {
        // The window closed behind a cover for spent minutes, or the other way round.
        coverText_ = TimeUpText();
        controls_.cover->SetPicture(TimeUpPicture(controls_.cover->GetSize(), Text(coverText_)));
    }
    if (On()) {
        window_.enableVisit(false);  // the intro's end enables it, whatever the time
    }
}

void TimeCover::Cover() {
    controls_.notice->Hide();
    noticeTicks_ = 0;
    window_.closeSitePanel();
    window_.enableVisit(false);
    const std::string shown = view_.LocationURL();
    // A start with the time already used up has not reached its start page yet: that is where
    // the child begins once time is granted. On one of the program's own pages, the child was
    // last on the real page before it.
    std::string back = shown;
    if (filter::IsProgramPage(shown)) {
        back = guard_.LastRealPage();
    }
    back_ = back.empty() || filter::IsBlankPage(back) ? window_.startAddress() : back;
    // Left without the page's asking to stay, which would hold it, and its sound, behind the
    // cover.
    view_.Empty();
    controls_.cover->SetPicture(wxBitmap(1, 1));  // the right size is painted by the placing below
    Place();
    coverText_ = TimeUpText();
    controls_.cover->SetPicture(TimeUpPicture(controls_.cover->GetSize(), Text(coverText_)));
    controls_.cover->Show();
    controls_.cover->Raise();
    window_.say(coverText_);
}

void TimeCover::Uncover() {
    std::string back = std::move(*back_);
    back_.reset();
    controls_.cover->Hide();
    window_.enableVisit(true);
    if (guard_.HelpAsked()) {
        return;  // the parent's last wish was the help page: it stays
    }
    if (!back.empty() && !filter::IsBlankPage(back)) {
        window_.open(back);  // back where the child was, through the same checks as any other
    }
}

void TimeCover::ShowHelpOver() {
    if (On()) {
        controls_.cover->Hide();  // the parent came to read it; the cover is back on any other page
    }
}

void TimeCover::PageReached(bool help) {
    if (!help && On() && !controls_.cover->IsShown()) {
        controls_.cover->Show();  // the help page is left while the time is still up
        controls_.cover->Raise();
    }
}

}  // namespace browser
