#include "parents/Parents.h"

#include <wx/combobox.h>
#include <wx/gdicmn.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "parents/LogList.h"
#include "parents/ParentsWindows.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/Named.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace parents {

namespace {
const wxString kLanguages[] = {"English", "Dutch", "French", "German", "Spanish"};
// A record: the name in 20 columns, a space, the address in 70 (a start page's with its
// "http://" in front).
constexpr int kRecordColumns = 21 + 7 + 70;
}  // namespace

Parents::Parents(ParentsWindows& forms)
    : wxFrame(nullptr, wxID_ANY, "Configuration Lanternwick: parentcontrol"), forms_(forms) {
    const int gap = FromDIP(6);
    auto button = [this](widgets::chameleonButton*& slot, const char* caption) {
        slot = widgets::chameleonButton::CreateStored(this, caption, wxDefaultPosition,
                                                      FromDIP(wxSize(190, 26)));
        return slot;
    };
    auto column = [gap](std::initializer_list<wxWindow*> items) {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        for (wxWindow* item : items) {
            sizer->Add(item, 0, wxEXPAND | wxBOTTOM, gap);
        }
        return sizer;
    };

    lblzien = new wxStaticText(this, wxID_ANY, "Sites which your children can visit:");
    List1 = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(360, 200)), 0, nullptr,
                          wxLB_SINGLE | wxLB_HSCROLL);
    startpagina1 = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(360, 40)), 0,
                                 nullptr, wxLB_SINGLE | wxLB_HSCROLL);
    // Records keep their columns: name in 1 to 20, address from 22.
    const wxFont fixedColumns(
        wxFontInfo(List1->GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE));
    List1->SetFont(fixedColumns);
    startpagina1->SetFont(fixedColumns);
    // Wide enough for a whole record, so a parent sees every address the child may open; a
    // longer hand-made line can still be scrolled to.
    const int recordWidth = List1->GetTextExtent(wxString('W', kRecordColumns)).x + FromDIP(40);
    List1->SetMinSize(wxSize(recordWidth, FromDIP(200)));
    startpagina1->SetMinSize(wxSize(recordWidth, FromDIP(40)));
    lbllogboek = new wxStaticText(this, wxID_ANY, "Logbook:");
    lblbezocht = new wxStaticText(this, wxID_ANY, "Visited website with dates and hours:");
    List2 = new LogList(this, FromDIP(wxSize(360, 200)), forms_.Family().VisitLog());
    lbltaalkiezen = new wxStaticText(this, wxID_ANY, "Choose language:");
    cbolanguage = new wxComboBox(this, wxID_ANY, "English", wxDefaultPosition, wxDefaultSize,
                                 WXSIZEOF(kLanguages), kLanguages, wxCB_DROPDOWN);

    // What the child asked for later comes first, where a parent looks on opening the panel.
    auto* sites = column({button(cmdrequests, "Requests (0)"), lblzien, List1, startpagina1});
    sites->Add(column({button(cmdadd, "Add an internetaddress"),
                       button(cmdDelete, "Delete internetaddress"),
                       button(cmdHomepage, "Change startpage")}));
    auto* log = column({lbllogboek, lblbezocht, List2});
    log->Add(column({button(cmdclear, "Clear List"), button(cmdvandaag, "Today and this week")}));
    auto* settings =
        column({button(cmdBlocksites, "Block sites"), button(cmdchange, "Change password"),
                button(cmdsecurity, "Level of security"),
                button(cmdallowedsites, "Only allowed sites: off"),
                button(cmdpictures, "Site pictures: off"), button(cmdreadaloud, "Read aloud: off"),
                button(cmdtime, "Time per day: no limit"), lbltaalkiezen, cbolanguage});
    settings->AddSpacer(gap * 2);
    settings->Add(
        column({button(cmdHelp, "Help"), button(cmddevelopers, "Contact developers"),
                button(cmddonation, "Free donation"), button(cmdforum, "Visit forum"),
                button(cmdregistration, "Free registration"), button(cmdSubmit, "Submit a website"),
                button(cmdversion, "Check latest version")}));
    cmdsecurity->SetEnabled(false);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(sites, 1, wxEXPAND | wxRIGHT, gap * 2);
    columns->Add(log, 0, wxEXPAND | wxRIGHT, gap * 2);
    columns->Add(settings, 0, wxEXPAND);
    auto* leave = new wxBoxSizer(wxHORIZONTAL);
    leave->Add(button(cmdendsession, "End the child's session"));
    leave->AddStretchSpacer();
    leave->Add(button(cmdsave, "Log out and save"), 0, wxRIGHT, gap);
    leave->Add(button(cmdclose, "Log out"));
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(columns, 1, wxEXPAND | wxALL, gap * 2);
    all->Add(leave, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizerAndFit(all);
    widgets::NameControls(
        {LW_NAMED(List1),           LW_NAMED(startpagina1),  LW_NAMED(List2),
         LW_NAMED(cbolanguage),     LW_NAMED(lblzien),       LW_NAMED(lbllogboek),
         LW_NAMED(lblbezocht),      LW_NAMED(lbltaalkiezen), LW_NAMED(cmdadd),
         LW_NAMED(cmdDelete),       LW_NAMED(cmdHomepage),   LW_NAMED(cmdBlocksites),
         LW_NAMED(cmdchange),       LW_NAMED(cmdclear),      LW_NAMED(cmdsave),
         LW_NAMED(cmdclose),        LW_NAMED(cmdsecurity),   LW_NAMED(cmdHelp),
         LW_NAMED(cmddevelopers),   LW_NAMED(cmddonation),   LW_NAMED(cmdforum),
         LW_NAMED(cmdregistration), LW_NAMED(cmdSubmit),     LW_NAMED(cmdversion),
         LW_NAMED(cmdallowedsites), LW_NAMED(cmdpictures),   LW_NAMED(cmdreadaloud),
         LW_NAMED(cmdtime),         LW_NAMED(cmdvandaag),    LW_NAMED(cmdrequests),
         LW_NAMED(cmdendsession)});
    CentreOnScreen();

    cmdadd->Click = [this] { cmdadd_Click(); };
    cmdDelete->Click = [this] { cmdDelete_Click(); };
    cmdHomepage->Click = [this] { cmdHomepage_Click(); };
    cmdBlocksites->Click = [this] { cmdBlocksites_Click(); };
    cmdchange->Click = [this] { cmdchange_Click(); };
    cmdclear->Click = [this] { cmdclear_Click(); };
    cmdvandaag->Click = [this] { cmdvandaag_Click(); };
    cmdrequests->Click = [this] { cmdrequests_Click(); };
    cmdendsession->Click = [this] { cmdendsession_Click(); };
    cmdendsession->Show(forms_.WholeSession());
    cmdsave->Click = [this] { cmdsave_Click(); };
    cmdclose->Click = [this] { cmdclose_Click(); };
    cmdsecurity->Click = [this] { cmdsecurity_Click(); };
    cmdallowedsites->Click = [this] { cmdallowedsites_Click(); };
    cmdpictures->Click = [this] { cmdpictures_Click(); };
    cmdreadaloud->Click = [this] { cmdreadaloud_Click(); };
    cmdHelp->Click = [this] { cmdHelp_Click(); };
    cmddevelopers->Click = [this] { cmddevelopers_Click(); };
    cmddonation->Click = [this] { cmddonation_Click(); };
    cmdforum->Click = [this] { cmdforum_Click(); };
    cmdregistration->Click = [this] { cmdregistration_Click(); };
    cmdSubmit->Click = [this] { cmdSubmit_Click(); };
    cmdversion->Click = [this] { cmdversion_Click(); };
    cmdtime->Click = [this] { cmdtime_Click(); };
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) {
            Form_Activate();
        }
        event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, &Parents::Form_QueryUnload, this);
    // Typed or picked, the text is the parent's choice; only a save stores it.
    cbolanguage->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { cbolanguage_Change(); });
    cbolanguage->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { cbolanguage_Change(); });
    List1->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        KeepNoSiteChosen();
        event.Skip();
    });
}

bool Parents::Show(bool show) {
    if (show) {
        KeepNoSiteChosen();         // before the window hands the list its first focus
        ShowAllowedSitesCaption();  // the language is applied after the panel is made
        ShowPicturesCaption();
        ShowReadAloudCaption();
        ShowRequestsCaption();
        FitOnScreen();
    }
    return wxFrame::Show(show);
}

void Parents::FitOnScreen() {
    // On a small screen the record lists give up width first; they scroll sideways instead.
    const int excess = GetSize().x - wxGetClientDisplayRect().width;
    if (excess <= 0) {
        return;
    }
    for (wxListBox* list : {List1, startpagina1}) {
        const wxSize least = list->GetMinSize();
        list->SetMinSize(wxSize(std::max(FromDIP(360), least.x - excess), least.y));
    }
    SetMinSize(wxDefaultSize);
    GetSizer()->SetSizeHints(this);
    CentreOnScreen();
}

void Parents::KeepNoSiteChosen() {
    if (List1->GetSelection() != wxNOT_FOUND || List1->IsEmpty()) {
        return;
    }
#ifdef __WXGTK__
    // A tree view that gets the focus with no cursor row puts the cursor on its first row and
    // selects it. With a cursor row already there it selects nothing.
    GtkTreeView* tree = List1->m_treeview;
    GtkTreePath* cursor = nullptr;
    gtk_tree_view_get_cursor(tree, &cursor, nullptr);
    if (cursor == nullptr) {
        GtkTreePath* first = gtk_tree_path_new_first();
        gtk_tree_view_set_cursor(tree, first, nullptr, FALSE);
        gtk_tree_path_free(first);
    } else {
        gtk_tree_path_free(cursor);
    }
#endif
    List1->SetSelection(wxNOT_FOUND);
}

void Parents::Form_Load() {
    ShowSites();
    ShowStartPage();
    ShowAllowedSitesCaption();
    ShowPicturesCaption();
    ShowReadAloudCaption();
    forms_.Family().Observe([this](family::FamilyModel::Change change) { OnFamilyChange(change); });
    forms_.Family().LoadLanguage();
    if (const auto& name = forms_.Family().StoredLanguage()) {
        cbolanguage->ChangeValue(wxString::FromUTF8(*name));
    }
    cbolanguage_Change();  // the box's text is the choice a save stores until the parent picks
}

void Parents::cbolanguage_Change() {
    forms_.Family().SetLanguageChoice(cbolanguage->GetValue().utf8_string());
}

void Parents::OnFamilyChange(family::FamilyModel::Change change) {
    using Change = family::FamilyModel::Change;
    switch (change) {
        case Change::Sites:
            ShowSites();
            if (IsShown()) {
                ShowRequestsCaption();  // an allowed request is answered
            }
            break;
        case Change::StartPage:
            ShowStartPage();
            break;
        case Change::VisitLog:
            List2->Refreshed();
            break;
        case Change::AllowedSitesOnly:
            ShowAllowedSitesCaption();
            break;
        case Change::SitePictures:
            ShowPicturesCaption();
            break;
        case Change::Limits:
            UpdateTimeCaption();
            break;
        case Change::UsedTime:
            break;
    }
}

namespace {

void ShowRecords(wxListBox& list, const std::vector<std::string>& records) {
    wxArrayString items;
    for (const auto& record : records) {
        items.Add(wxString::FromUTF8(record));
    }
    list.Set(items);
}

}  // namespace

void Parents::ShowSites() {
    ShowRecords(*List1, forms_.Family().Sites());
    KeepNoSiteChosen();
}

void Parents::ShowStartPage() {
    ShowRecords(*startpagina1, forms_.Family().StartPageRecords());
}

void Parents::Form_QueryUnload(wxCloseEvent& event) {
    if (event.CanVeto()) {
        event.Veto();
        return;
    }
    Hide();  // a close that cannot be refused still leaves the lists in memory
}

}  // namespace parents
