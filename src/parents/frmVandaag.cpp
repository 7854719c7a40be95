#include "parents/frmVandaag.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

#include "parents/DialogLayout.h"
#include "parents/Parents.h"
#include "storage/Records.h"
#include "widgets/ButtonPicture.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

namespace parents {

namespace {

// A refused try's mark, and the bars' colours: the used part, and today's.
const wxColour kRefusedColour(200, 40, 40);
const wxColour kBarColour(90, 140, 210);
const wxColour kTodayColour(40, 100, 190);
const wxColour kLimitColour(230, 120, 0);

// A day of many hosts would make a window no parent reads to the end; the most used and the
// most tried come first, so what is left out matters least.
constexpr std::size_t kMostRows = 40;

wxString Utf8(const std::string& text) {
    return wxString::FromUTF8(text);
}

}  // namespace

WeekBars::WeekBars(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &WeekBars::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Refresh();
        event.Skip();
    });
}

void WeekBars::Show(const std::array<family::DayBar, 7>& days, std::array<wxString, 7> labels,
                    std::array<wxString, 7> minutes, const wxString& limitMark) {
    days_ = days;
    labels_ = std::move(labels);
    minutes_ = std::move(minutes);
    limitMark_ = limitMark;
    Refresh();
}

void WeekBars::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    const wxSize size = GetClientSize();
    const int textHeight = dc.GetCharHeight();
    const int top = textHeight + FromDIP(4);              // room for the minutes above a bar
    const int bottom = size.y - textHeight - FromDIP(6);  // room for the day below
    if (bottom <= top) {
        return;
    }
    // The tallest bar or limit fills the height, so a short day still shows against a long one.
    int most = 1;
    for (const auto& day : days_) {
        most = std::max({most, day.minutes, day.limit.value_or(0)});
    }
    const int slot = size.x / 7;
    const int barWidth = slot * 3 / 5;
    auto heightOf = [&](int minutes) {
        return static_cast<int>(static_cast<long long>(bottom - top) * minutes / most);
    };
    dc.SetFont(GetFont());
    bool marked = false;  // the word "limit" once, beside the first line, says what the lines are
    for (int i = 0; i < 7; ++i) {
        const auto& day = days_[i];
        const int left = i * slot + (slot - barWidth) / 2;
        const int height = heightOf(day.minutes);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(i == 6 ? kTodayColour : kBarColour));
        if (height > 0) {
            dc.DrawRectangle(left, bottom - height, barWidth, height);
        }
        if (day.limit) {
            const int y = bottom - heightOf(*day.limit);
            dc.SetPen(wxPen(kLimitColour, FromDIP(3)));
            dc.DrawLine(i * slot + FromDIP(2), y, (i + 1) * slot - FromDIP(2), y);
            dc.SetTextForeground(kLimitColour);
            const wxSize mark = dc.GetTextExtent(limitMark_);
            if (!marked && y - mark.y >= 0) {
                dc.DrawText(limitMark_, i * slot + FromDIP(2), y - mark.y);
                marked = true;
            }
        }
        dc.SetTextForeground(GetForegroundColour());
        const wxSize count = dc.GetTextExtent(minutes_[i]);
        dc.DrawText(minutes_[i], i * slot + (slot - count.x) / 2,
                    std::max(0, bottom - height - count.y - FromDIP(2)));
        const wxSize label = dc.GetTextExtent(labels_[i]);
        dc.DrawText(labels_[i], i * slot + (slot - label.x) / 2, bottom + FromDIP(4));
    }
    dc.SetPen(wxPen(GetForegroundColour()));
    dc.DrawLine(0, bottom, size.x, bottom);
}

frmVandaag::frmVandaag(ParentsWindows& forms)
    : wxDialog(nullptr, wxID_ANY, "Today and this week", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxRESIZE_BORDER),
      forms_(forms) {
    const int gap = FromDIP(8);
    // Sized to the screen: the bars and a good many rows at 1024x600, more room on a large one.
    const wxRect screen = wxDisplay(this).GetClientArea();
    const int width = std::min(FromDIP(760), screen.width - gap * 4);
    const int barsHeight = std::clamp(screen.height / 4, FromDIP(120), FromDIP(280));
    const int rowsHeight = std::clamp(screen.height * 2 / 5, FromDIP(150), FromDIP(520));
    pictureSide_ = std::clamp(screen.height / 24, FromDIP(20), FromDIP(48));

    lblweek = new wxStaticText(this, wxID_ANY, "");
    bars = new WeekBars(this);
    bars->SetMinSize(wxSize(width, barsHeight));
    lbltoday = new wxStaticText(this, wxID_ANY, "");
    rowsPanel = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxVSCROLL | wxBORDER_THEME);
    rowsPanel->SetScrollRate(0, FromDIP(10));
    rowsPanel->SetMinSize(wxSize(width, rowsHeight));
    rowsPanel->SetSizer(new wxFlexGridSizer(4, gap / 2, gap * 2));
    lblnothing = new wxStaticText(this, wxID_ANY, "");
    cmdclose = widgets::chameleonButton::CreateStored(this, "Close");
    wxFont heading = lblweek->GetFont().Bold();
    lblweek->SetFont(heading);
    lbltoday->SetFont(heading);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(lblweek, 0, wxLEFT | wxRIGHT | wxTOP, gap * 2);
    all->Add(bars, 0, wxEXPAND | wxALL, gap * 2);
    all->Add(lbltoday, 0, wxLEFT | wxRIGHT, gap * 2);
    all->Add(lblnothing, 0, wxLEFT | wxRIGHT | wxTOP, gap * 2);
    all->Add(rowsPanel, 1, wxEXPAND | wxALL, gap * 2);
    all->Add(cmdclose, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizerAndFit(all);
    widgets::NameControls({LW_NAMED(lblweek), LW_NAMED(bars), LW_NAMED(lbltoday),
                           LW_NAMED(rowsPanel), LW_NAMED(lblnothing), LW_NAMED(cmdclose)});
    cmdclose->Click = [this] { Hide(); };
    // Escape closes it as Close does; the parent reads it, so Enter closes it too.
    BindEnterAndEscape(
        this, cmdclose, [this] { Hide(); }, [this] { Hide(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
    CentreOnScreen();
}

void frmVandaag::Form_Activate() {
    const auto language = forms_.Language();
    auto phrase = [&](i18n::Phrase p) { return Utf8(std::string(i18n::PhraseText(language, p))); };
    const family::Activity activity = forms_.Family().TodayAndWeek();

    SetTitle(phrase(i18n::Phrase::TodayAndWeekTitle));
    lblweek->SetLabel(phrase(i18n::Phrase::WeekHeading));
    std::array<wxString, 7> labels;
    std::array<wxString, 7> minutes;
    for (int i = 0; i < 7; ++i) {
        const auto& day = activity.week[i];
        labels[i] = Utf8(i18n::DayText(language, basics::Weekday(day.date), day.date.day,
                                       day.date.month, false));
        minutes[i] = Utf8(i18n::PhraseWith(language, i18n::Phrase::ActivityMinutes,
                                           static_cast<long long>(day.minutes)));
    }
    bars->Show(activity.week, labels, minutes, phrase(i18n::Phrase::LimitMark));
    const auto& today = activity.week[6].date;
    lbltoday->SetLabel(Utf8(i18n::PhraseWith(
        language, i18n::Phrase::TodayHeading,
        i18n::DayText(language, basics::Weekday(today), today.day, today.month, true))));
    lblnothing->SetLabel(phrase(i18n::Phrase::NothingToday));
    lblnothing->Show(activity.today.empty());
    cmdclose->SetCaption(phrase(i18n::Phrase::CloseView));
    ShowRows(activity.today);
    Layout();
}

wxBitmap frmVandaag::PictureOf(const family::ActivityRow& row) const {
    const int side = pictureSide_;
    const bool pictured = row.site && forms_.Family().SitePictures();
    wxBitmap bitmap = RowPicture(pictured ? forms_.Family().SitePicture(row.address) : std::nullopt,
                                 side, GetBackgroundColour());
    // Without a picture the row keeps its place in the column; a refused try gets its mark.
    if (row.refused) {
        wxMemoryDC dc(bitmap);
        dc.SetBrush(wxBrush(kRefusedColour));
        dc.SetPen(wxPen(kRefusedColour));
        dc.DrawCircle(side / 2, side / 2, side / 3);
        dc.SetPen(wxPen(*wxWHITE, std::max(2, side / 10)));
        dc.DrawLine(side / 3, side / 2, side * 2 / 3, side / 2);
        dc.SelectObject(wxNullBitmap);
    }
    return bitmap;
}

void frmVandaag::ShowRows(const std::vector<family::ActivityRow>& rows) {
    const auto language = forms_.Language();
    rowsPanel->Freeze();
    rowsPanel->DestroyChildren();
    rows_.clear();
    auto* grid = static_cast<wxFlexGridSizer*>(rowsPanel->GetSizer());
    grid->Clear(false);
    std::size_t used = 0;
    std::size_t refused = 0;
    for (const auto& activity : rows) {
        std::size_t& count = activity.refused ? refused : used;
        if (++count > kMostRows) {
            continue;
        }
        Row row{activity};
        row.picture = new wxStaticBitmap(rowsPanel, wxID_ANY, PictureOf(activity));
        row.name = new wxStaticText(rowsPanel, wxID_ANY, Utf8(activity.name));
        row.name->SetToolTip(Utf8(activity.address));
        if (activity.refused) {
            row.minutes = new wxStaticText(
                rowsPanel, wxID_ANY,
                Utf8(std::string(i18n::PhraseText(language, i18n::Phrase::NotOpened))));
            row.minutes->SetForegroundColour(kRefusedColour);
            row.allow = widgets::chameleonButton::CreateStored(
                rowsPanel,
                Utf8(std::string(i18n::PhraseText(language, i18n::Phrase::AllowThisSite))));
            const std::string address = activity.address;
            row.allow->Click = [this, address] { cmdallow_Click(address); };
        } else {
            row.minutes =
                new wxStaticText(rowsPanel, wxID_ANY,
                                 Utf8(i18n::PhraseWith(language, i18n::Phrase::ActivityMinutes,
                                                       static_cast<long long>(activity.minutes))));
        }
        grid->Add(row.picture, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(4));
        grid->Add(row.name, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(row.minutes, 0, wxALIGN_CENTER_VERTICAL);
        if (row.allow != nullptr) {
            grid->Add(row.allow, 0, wxALIGN_CENTER_VERTICAL);
        } else {
            grid->AddSpacer(0);
        }
        rows_.push_back(std::move(row));
    }
    rowsPanel->FitInside();
    rowsPanel->Thaw();
}

void frmVandaag::cmdallow_Click(const std::string& address) {
    forms_.Panel().AddSiteFor(address);
}

}  // namespace parents
