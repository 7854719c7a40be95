#include "parents/tijdperdag.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "basics/TextEncoding.h"
#include "family/TimeBudget.h"
#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "parents/ParentsWindows.h"
#include "parents/TextBoxes.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {
constexpr const char* kMessageTitle = "Lanternwick";
constexpr std::size_t kMaxDigits = 4;  // 1440
constexpr long kMaxClockChars = 5;     // 24:00
constexpr std::array<const char*, 7> kDayNames{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                               "Friday", "Saturday", "Sunday"};
constexpr std::array<const char*, 7> kDayControls{"lblmaandag",   "lbldinsdag", "lblwoensdag",
                                                  "lbldonderdag", "lblvrijdag", "lblzaterdag",
                                                  "lblzondag"};
}  // namespace

tijdperdag::tijdperdag(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Time per day", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      forms_(forms) {
    const int gap = FromDIP(8);
    lbluitleg = new wxStaticText(this, wxID_ANY, "Minutes per day (empty: no limit):");
    lblvandaag = new wxStaticText(this, wxID_ANY, "");
    lblminuten = new wxStaticText(this, wxID_ANY, "Minutes");
    lblvanaf = new wxStaticText(this, wxID_ANY, "From");
    lbltot = new wxStaticText(this, wxID_ANY, "Until");
    lbltijden =
        new wxStaticText(this, wxID_ANY, "From and until: a time such as 15:00 (empty: any time).");
    auto* boxes = new wxFlexGridSizer(4, gap, gap * 2);
    boxes->AddSpacer(0);
    for (wxStaticText* head : {lblminuten, lblvanaf, lbltot}) {
        boxes->Add(head, 0, wxALIGN_BOTTOM);
    }
    const wxSize box = FromDIP(wxSize(80, -1));
    for (int day = 0; day < 7; ++day) {
        lbldag[day] = new wxStaticText(this, wxID_ANY, kDayNames[day]);
        lbldag[day]->SetName(kDayControls[day]);
        txtminuten[day] = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, box);
        txtvanaf[day] = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, box);
        txttot[day] = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, box);
        boxes->Add(lbldag[day], 0, wxALIGN_CENTER_VERTICAL);
        for (wxTextCtrl* text : {txtminuten[day], txtvanaf[day], txttot[day]}) {
            boxes->Add(text);
        }
        for (wxTextCtrl* text : {txtvanaf[day], txttot[day]}) {
            text->SetMaxLength(kMaxClockChars);
            KeepOnOneLine(text);
        }
    }
    cmdextra = widgets::chameleonButton::CreateStored(this, "15 minutes more today",
                                                      wxDefaultPosition, FromDIP(wxSize(220, 26)));
    cmdsave = widgets::chameleonButton::CreateStored(this, "Save");
    cmdcancel = widgets::chameleonButton::CreateStored(this, "Cancel");

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(lblvandaag, 0, wxBOTTOM, gap);
    column->Add(lbluitleg, 0, wxBOTTOM, gap);
    column->Add(lbltijden, 0, wxBOTTOM, gap);
    column->Add(boxes, 0, wxBOTTOM, gap * 2);
    column->Add(cmdextra, 0);
    LayOutEditor(this, column, cmdsave, cmdcancel, gap);
    widgets::NameControls({LW_NAMED(lbluitleg), LW_NAMED(lblvandaag), LW_NAMED(cmdextra),
                           LW_NAMED(cmdsave), LW_NAMED(cmdcancel), LW_NAMED(lblminuten),
                           LW_NAMED(lblvanaf), LW_NAMED(lbltot), LW_NAMED(lbltijden)});
    // Room for the longest of today's lines, so it never has to be cut.
    lblvandaag->SetLabel(wxString::FromUTF8(
        forms_.Text(i18n::Message::TodayNotCounted).size() >
                forms_.Text(i18n::Message::TodayUsedAndLeft, {"1440", "1440"}).size()
            ? forms_.Text(i18n::Message::TodayNotCounted)
            : forms_.Text(i18n::Message::TodayUsedAndLeft, {"1440", "1440"})));
    Fit();
    CentreOnScreen();

    for (int day = 0; day < 7; ++day) {
        limits_[day] = std::make_unique<TypingLimit>(
            txtminuten[day], kMaxDigits, "", [this](const std::string&) { Tell(LimitMessage()); });
        BindTypingLimit(
            txtminuten[day], [this, day](int& key) { txtminuten_KeyPress(day, key); },
            [this, day] { txtminuten_Change(day); });
    }
    cmdextra->Click = [this] { cmdextra_Click(); };
    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cmdcancel_Click(); });
    BindEnterAndEscape(
        this, txttot[6], [this] { cmdsave_Click(); }, [this] { cmdcancel_Click(); });
}

tijdperdag::~tijdperdag() = default;

void tijdperdag::Tell(const std::string& message) {
    forms_.Machine().messages.Show(message, kMessageTitle, platform::Messages::Icon::None);
}

std::string tijdperdag::LimitMessage() const {
    return std::string(i18n::PhraseText(forms_.Language(), i18n::Phrase::MinutesTypingLimit));
}

void tijdperdag::ShowToday() {
    auto& family = forms_.Family();
    const family::TimeBudget* budget = family.Budget();
    std::string text;
    if (budget == nullptr) {
        text = forms_.Text(i18n::Message::TodayNotCounted);
    } else {
        const std::string used = std::to_string(budget->Record().secondsUsed / 60);
        text = budget->Limited() ? forms_.Text(i18n::Message::TodayUsedAndLeft,
                                               {used, std::to_string(budget->RemainingMinutes())})
                                 : forms_.Text(i18n::Message::TodayUsedNoLimit, {used});
    }
    lblvandaag->SetLabel(wxString::FromUTF8(text));
}

void tijdperdag::Form_Activate() {
    ShowToday();
    const auto& week = forms_.Family().Limits();
    const auto& windows = forms_.Family().Windows();
    auto clock = [](std::optional<int> minutes) {
        return minutes ? storage::ClockTimeText(*minutes) : std::string();
    };
    for (int day = 0; day < 7; ++day) {
        txtminuten[day]->ChangeValue(week[day] ? std::to_string(*week[day]) : std::string());
        txtminuten_Change(day);  // the limit takes the new text as its own
        txtvanaf[day]->ChangeValue(clock(windows[day].from));
        txttot[day]->ChangeValue(clock(windows[day].until));
    }
}

void tijdperdag::cmdsave_Click() {
    storage::WeekMinutes week;
    for (int day = 0; day < 7; ++day) {
        const std::string text = txtminuten[day]->GetValue().utf8_string();
        if (text.empty()) {
            continue;
        }
        const auto minutes = storage::ParseBoundedNumber(text, 0, storage::kMaxMinutesPerDay);
        if (!minutes) {
            // Stays open on the box to mend, with every other box as typed.
            Tell(LimitMessage());
            txtminuten[day]->SetFocus();
            return;
        }
        week[day] = static_cast<int>(*minutes);
    }
    storage::WeekWindows windows;
    for (int day = 0; day < 7; ++day) {
        for (auto [box, time] : {std::pair{txtvanaf[day], &windows[day].from},
                                 std::pair{txttot[day], &windows[day].until}}) {
            const std::string text = basics::TrimSpaces(box->GetValue().utf8_string());
            if (text.empty()) {
                continue;
            }
            *time = storage::ParseClockTime(text);
            if (!*time) {
                Tell(std::string(
                    i18n::PhraseText(forms_.Language(), i18n::Phrase::ClockTimeTypingLimit)));
                box->SetFocus();
                return;
            }
        }
    }
    forms_.Family().SetLimits(week, windows);
    Hide();
}

void tijdperdag::cmdcancel_Click() {
    Hide();
}

void tijdperdag::cmdextra_Click() {
    // Written at once; the parent is here to hear of a failure.
    if (const auto result = forms_.Family().GrantExtraMinutes(kExtraMinutes); !result.ok) {
        forms_.ShowWriteFailure(storage::files::kUsedTime, result.reason);
    }
    ShowToday();
}

void tijdperdag::txtminuten_KeyPress(int day, int& keyAscii) {
    // Minutes are digits only; control keys (backspace, Ctrl+V) pass to the box.
    if (keyAscii >= 32 && keyAscii != 127 && (keyAscii < '0' || keyAscii > '9')) {
        keyAscii = 0;
        Tell(LimitMessage());
        return;
    }
    limits_[day]->KeyPress(keyAscii);
}

void tijdperdag::txtminuten_Change(int day) {
    limits_[day]->Change();
}

}  // namespace parents
