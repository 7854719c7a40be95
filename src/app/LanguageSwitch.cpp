#include "app/LanguageSwitch.h"

#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <functional>
#include <map>

#include "app/Forms.h"
#include "basics/Twips.h"
#include "browser/frmBrowser.h"
#include "browser/sites.h"
#include "parents/Parents.h"
#include "parents/frmBlocker.h"
#include "parents/invoegensite.h"
#include "parents/paswoord.h"
#include "parents/paswoordwijzigen.h"
#include "parents/startpagina.h"
#include "parents/tijdperdag.h"
#include "storage/DataPath.h"
#include "widgets/ChameleonButton.h"
#include "widgets/HLine.h"

namespace app {

using namespace i18n;  // the tables are what this switch applies

wxTopLevelWindow& WindowNamed(app::Forms& forms, std::string_view window) {
    using Accessor = std::function<wxTopLevelWindow&(app::Forms&)>;
    static const std::map<std::string_view, Accessor> windows{
        {"frmBrowser", [](app::Forms& f) -> wxTopLevelWindow& { return f.Browser(); }},
        {"Parents", [](app::Forms& f) -> wxTopLevelWindow& { return f.Panel(); }},
        {"paswoord", [](app::Forms& f) -> wxTopLevelWindow& { return f.Login(); }},
        {"paswoordwijzigen", [](app::Forms& f) -> wxTopLevelWindow& { return f.ChangePassword(); }},
        {"invoegensite", [](app::Forms& f) -> wxTopLevelWindow& { return f.SiteEditor(); }},
        {"startpagina", [](app::Forms& f) -> wxTopLevelWindow& { return f.StartPageEditor(); }},
        {"frmBlocker", [](app::Forms& f) -> wxTopLevelWindow& { return f.Blocker(); }},
        {"sites", [](app::Forms& f) -> wxTopLevelWindow& { return f.Sites(); }},
        {"tijdperdag", [](app::Forms& f) -> wxTopLevelWindow& { return f.TimeLimitEditor(); }},
    };
    return windows.at(window)(forms);
}

namespace {

wxTopLevelWindow* WindowIfLoaded(const app::Forms& forms, std::string_view window) {
    using Accessor = std::function<wxTopLevelWindow*(const app::Forms&)>;
    static const std::map<std::string_view, Accessor> windows{
        {"frmBrowser",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.BrowserIfLoaded(); }},
        {"Parents", [](const app::Forms& f) -> wxTopLevelWindow* { return f.PanelIfLoaded(); }},
        {"paswoord", [](const app::Forms& f) -> wxTopLevelWindow* { return f.LoginIfLoaded(); }},
        {"paswoordwijzigen",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.ChangePasswordIfLoaded(); }},
        {"invoegensite",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.SiteEditorIfLoaded(); }},
        {"startpagina",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.StartPageEditorIfLoaded(); }},
        {"frmBlocker",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.BlockerIfLoaded(); }},
        {"sites", [](const app::Forms& f) -> wxTopLevelWindow* { return f.SitesIfLoaded(); }},
        {"tijdperdag",
         [](const app::Forms& f) -> wxTopLevelWindow* { return f.TimeLimitEditorIfLoaded(); }},
    };
    const auto found = windows.find(window);
    return found != windows.end() ? found->second(forms) : nullptr;
}

}  // namespace

wxWindow* ControlNamed(wxTopLevelWindow& window, std::string_view control) {
    return window.FindWindow(wxString::FromUTF8(control.data(), control.size()));
}

namespace {

wxString Text(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

// A text longer than the built-in one must not be cut off by the window's edge.
void GrowToShow(wxTopLevelWindow& window, wxWindow& control) {
    if (wxSizer* sizer = window.GetSizer()) {
        // Grows only: the window's own minimum (wide boxes, say) stays in force.
        wxSize least = window.GetMinClientSize();
        least.IncTo(sizer->GetMinSize());
        window.SetMinClientSize(least);
        wxSize client = window.GetClientSize();
        client.IncTo(least);
        window.SetClientSize(client);
        window.Layout();
        return;
    }
    const int margin = control.GetPosition().x;  // the same space on the right as on the left
    const int needed = control.GetRect().GetRight() + 1 + margin;
    const wxSize client = window.GetClientSize();
    if (needed > client.x) {
        window.SetClientSize(needed, client.y);
    }
}

void Apply(wxTopLevelWindow& window, const CaptionRow& row) {
    if (row.property == Property::Title) {
        window.SetTitle(Text(row.text));
        return;
    }
    wxWindow* control = ControlNamed(window, row.control);
    if (auto* button = dynamic_cast<widgets::chameleonButton*>(control)) {
        button->SetCaption(Text(row.text));
        if (window.GetSizer() != nullptr) {
            GrowToShow(window, *button);  // placed by hand, a button keeps its designed size
        }
    } else if (auto* label = dynamic_cast<wxStaticText*>(control)) {
        label->SetLabel(Text(row.text));
        GrowToShow(window, *label);
    } else if (auto* line = dynamic_cast<widgets::HLine*>(control)) {
        line->SetRight(basics::TwipScale(window.GetDPI().y).ToPixels(row.twips));
    }
}

}  // namespace

std::optional<Language> ApplyLanguage(app::Forms& forms) {
    forms.Family().LoadLanguage();
    const auto& name = forms.Family().StoredLanguage();
    if (!name) {
        return std::nullopt;
    }
    const auto language = LanguageFromName(*name);
    forms.SetLanguage(language);
    if (language) {
        for (const CaptionRow& row : CaptionTable(*language)) {
            if (wxTopLevelWindow* window = WindowIfLoaded(forms, row.window)) {
                Apply(*window, row);
            }
        }
    }
    return language;
}

void ApplyCaptions(app::Forms& forms, Language language, std::string_view window) {
    for (const CaptionRow& row : CaptionTable(language)) {
        if (row.window == window) {
            Apply(WindowNamed(forms, window), row);
        }
    }
}

bool SaveLanguageChoice(app::Forms& forms) {
    const std::string choice = forms.Family().LanguageChoice();
    auto& messages = forms.Machine().messages;
    const std::string title(kMessageTitle);
    switch (ClassifyLanguageChoice(choice)) {
        case LanguageChoice::Store: {
            const auto result = forms.Family().StoreLanguageChoice();
            if (!result.ok) {
                // Without the stored choice a restart would not bring the new language, so
                // the program keeps running and the parent learns what went wrong.
                forms.ShowWriteFailure(storage::files::kLanguage, result.reason);
                return false;
            }
            messages.Show(std::string(RestartMessage(*LanguageFromName(choice))), title,
                          platform::Messages::Icon::None);
            // No close step runs after this, so the used time is written here, as a close
            // would write it; the visit log has just been saved by the panel.
            forms.Family().SaveUsedTime();
            // The new copy takes the saved settings at once, and the child is not left without
            // a browser. It starts before this one ends; both only read the files by then.
            forms.Machine().starter.StartAgain();
            forms.Machine().ender.EndNow();
            return true;
        }
        case LanguageChoice::Refuse: {
            messages.Show(std::string(kRefusalMessage), title, platform::Messages::Icon::None);
            forms.Login().ShowEmpty();
            return true;
        }
        case LanguageChoice::Ignore:
            return true;
    }
    return true;
}

}  // namespace app
