// The control panel's part of the daily time limit.
#include "app/Forms.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "parents/tijdperdag.h"
#include "widgets/ChameleonButton.h"

namespace parents {

void Parents::Form_Activate() {
    UpdateTimeCaption();
    if (auto* browser = forms_.BrowserIfLoaded()) {
        browser->ReportUsedTimeFailure();
    }
}

void Parents::cmdtime_Click() {
    auto& editor = forms_.TimeLimitEditor();
    editor.Form_Activate();
    editor.Show();
    editor.Raise();
}

void Parents::UpdateTimeCaption() {
    const auto* browser = forms_.BrowserIfLoaded();
    if (browser == nullptr) {
        return;
    }
    const auto language = browser->RunLanguage();
    const auto today = browser->TodaysLimit();
    const std::string caption =
        today ? i18n::PhraseWith(language, i18n::Phrase::TimePerDayMinutes, *today)
              : std::string(i18n::PhraseText(language, i18n::Phrase::TimePerDayNoLimit));
    cmdtime->SetCaption(wxString::FromUTF8(caption));
}

}  // namespace parents
