// The control panel's part of the daily time limit, and what it tells a parent as it opens.
#include <string>

#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/tijdperdag.h"
#include "widgets/ChameleonButton.h"

namespace parents {

void Parents::Form_Activate() {
    if (const int wrong = forms_.Family().Login().TakeWrongTriesToTell(); wrong > 0) {
        forms_.Machine().messages.Show(
            forms_.Text(i18n::Message::LoginWrongTries, {std::to_string(wrong)}), "Lanternwick",
            platform::Messages::Icon::Information);
    }
    UpdateTimeCaption();
    // A failed write of the used time is not told to the child; the parent hears of it here.
    if (const auto failure = forms_.Family().TakeTimeFailure()) {
        if (failure->atStart) {
            forms_.Machine().messages.Show(
                forms_.Text(i18n::Message::TimeLimitNotStarted, {failure->reason}), "Lanternwick",
                platform::Messages::Icon::Information);
        } else {
            forms_.ShowWriteFailure(failure->file, failure->reason);
        }
    }
}

void Parents::cmdtime_Click() {
    auto& editor = forms_.TimeLimitEditor();
    editor.Form_Activate();
    editor.Show();
    editor.Raise();
}

void Parents::UpdateTimeCaption() {
    const auto language = forms_.Language();
    const auto today = forms_.Family().TodaysLimit();
    const std::string caption =
        today ? i18n::PhraseWith(language, i18n::Phrase::TimePerDayMinutes, *today)
              : std::string(i18n::PhraseText(language, i18n::Phrase::TimePerDayNoLimit));
    cmdtime->SetCaption(wxString::FromUTF8(caption));
}

}  // namespace parents
