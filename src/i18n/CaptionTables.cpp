#include "i18n/CaptionTables.h"

#include <algorithm>

namespace i18n {

namespace {

constexpr CaptionRow Caption(std::string_view window, std::string_view control,
                             std::string_view text) {
    return {window, control, Property::Caption, text, 0};
}
constexpr CaptionRow Title(std::string_view window, std::string_view text) {
    return {window, {}, Property::Title, text, 0};
}
constexpr CaptionRow Message(std::string_view window, std::string_view name,
                             std::string_view text) {
    return {window, name, Property::Message, text, 0};
}
constexpr CaptionRow LineEnd(std::string_view window, std::string_view control, int twips) {
    return {window, control, Property::LineRightEnd, {}, twips};
}

// The texts below are kept letter for letter as the windows have always shown them, odd spellings
// ("most be reboot", "Log out en save") and a missing colon included: parents know the windows
// by these words.

const std::vector<CaptionRow>& BuiltInRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "VISIT A SITE"),
        Message("frmBrowser", "msgnowordlist",
                "Nothing can be opened now: the list of blocked words cannot be read."),

        Title("invoegensite", "Lanternwick"),
        Caption("invoegensite", "lblname", "Name internetaddress:"),
        Caption("invoegensite", "lblinternetaddress", "Internetaddress:"),
        Caption("invoegensite", "cmdsave", "Save"),
        Caption("invoegensite", "cmdcancel", "Cancel"),

        Caption("Parents", "cmdadd", "Add an internetaddress"),
        Caption("Parents", "cmdDelete", "Delete internetaddress"),
        Caption("Parents", "cmdchange", "Change password"),
        Caption("Parents", "cmdclear", "Clear List"),
        Caption("Parents", "cmdclose", "Log out"),
        Caption("Parents", "cmdHomepage", "Change startpage"),
        Caption("Parents", "cmdsave", "Log out and save"),
        Caption("Parents", "cmdBlocksites", "Block sites"),
        Caption("Parents", "cmddevelopers", "Contact developers"),
        Caption("Parents", "cmddonation", "Free donation"),
        Caption("Parents", "cmdforum", "Visit forum"),
        Caption("Parents", "cmdHelp", "Help"),
        Caption("Parents", "cmdregistration", "Free registration"),
        Caption("Parents", "cmdsecurity", "Level of security"),
        Caption("Parents", "cmdSubmit", "Submit a website"),
        Caption("Parents", "cmdversion", "Check latest version"),
        Caption("Parents", "lblzien", "Sites which your children can visit:"),
        Caption("Parents", "lbllogboek", "Logbook:"),
        Caption("Parents", "lblbezocht", "Visited website with dates and hours:"),
        Caption("Parents", "lbltaalkiezen", "Choose language:"),

        Title("paswoord", "Password"),
        Caption("paswoord", "cmdLogon", "Logon"),
        Caption("paswoord", "cmdcancel", "Cancel"),
        Caption("paswoord", "lblnaam", "Name:"),
        Caption("paswoord", "lblcontrole", "Give the password for the parentcontrol:"),
        Caption("paswoord", "lblpaswoord", "password:"),
        LineEnd("paswoord", "linepassword", 3000),

        Title("paswoordwijzigen", "Change password"),
        Caption("paswoordwijzigen", "lblgebruikersnaam", "Username:"),
        Caption("paswoordwijzigen", "lblnieuw", "New password:"),
        Caption("paswoordwijzigen", "lblbevestiging", "Confirm new password:"),
        Caption("paswoordwijzigen", "cmdsave", "Save new password"),
        Caption("paswoordwijzigen", "cmdcancel", "Cancel"),

        Title("startpagina", "Change startpage"),
        Caption("startpagina", "lbladres", "Name internetaddress:"),
        Caption("startpagina", "lblname", "Internetadress:"),
        Caption("startpagina", "cmdsave", "Save"),
        Caption("startpagina", "cmdcancel", "Cancel"),

        Title("frmBlocker", "Lanternwick"),
        Caption("frmBlocker", "lblname",
                "Webaddresses, which contain one of these words will be blocked:"),
        Caption("frmBlocker", "lblwords", "Add new word:"),
        Caption("frmBlocker", "cmdsave", "Save"),
        Caption("frmBlocker", "cmdcancel", "Cancel"),

        Caption("sites", "cmdbezoek", "Bezoek site"),
    };
    return rows;
}

const std::vector<CaptionRow>& DutchRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "BEZOEK EEN SITE"),
        Message("frmBrowser", "msgnowordlist",
                "Er kan nu niets worden geopend: de lijst met geblokkeerde woorden is onleesbaar."),

        Title("invoegensite", "Voeg een nieuwe link toe aan de lijst"),
        Caption("invoegensite", "lblname", "Geef de naam van de site:"),
        Caption("invoegensite", "lblinternetaddress", "Geef het internetadres in:"),
        Caption("invoegensite", "cmdsave", "Opslaan"),
        Caption("invoegensite", "cmdcancel", "Annuleren"),

        Caption("Parents", "cmdadd", "Toevoegen internetadres"),
        Caption("Parents", "cmdDelete", "Verwijder internetadres"),
        Caption("Parents", "cmdchange", "Verander paswoord"),
        Caption("Parents", "cmdclear", "Maak logboek leeg"),
        Caption("Parents", "cmdclose", "Uitloggen"),
        Caption("Parents", "cmdHomepage", "Verander startpagina"),
        Caption("Parents", "cmdsave", "Uitloggen en bewaren"),
        Caption("Parents", "cmdBlocksites", "Geblokeerde sites"),
        Caption("Parents", "cmddevelopers", "Ontwikkelaars"),
        Caption("Parents", "cmddonation", "Maak een donatie"),
        Caption("Parents", "cmdforum", "Bezoek Lanternforum"),
        Caption("Parents", "cmdHelp", "Hulp"),
        Caption("Parents", "cmdregistration", "Gratis registratie"),
        Caption("Parents", "cmdsecurity", "Levels van beveiliging"),
        Caption("Parents", "cmdSubmit", "Stuur een link"),
        Caption("Parents", "cmdversion", "Controleer updates"),
        Caption("Parents", "lblzien", "Sites die de kinderen kunnen bekijken:"),
        Caption("Parents", "lbllogboek", "Logboek:"),
        Caption("Parents", "lblbezocht", "Deze sites zijn de afgelopen tijd bezocht:"),
        Caption("Parents", "lbltaalkiezen", "Kies uw taal:"),

        Title("paswoord", "Inloggen parentcontrol"),
        Caption("paswoord", "cmdLogon", "Inloggen"),
        Caption("paswoord", "cmdcancel", "Annuleren"),
        Caption("paswoord", "lblnaam", "Naam:"),
        Caption("paswoord", "lblcontrole", "Geef het paswoord voor de ouderbeveiliging:"),
        Caption("paswoord", "lblpaswoord", "Paswoord:"),
        LineEnd("paswoord", "linepassword", 3350),

        Title("paswoordwijzigen", "Wijzig uw paswoord"),
        Caption("paswoordwijzigen", "lblgebruikersnaam", "Gebruikersnaam:"),
        Caption("paswoordwijzigen", "lblnieuw", "Nieuwe paswoord:"),
        Caption("paswoordwijzigen", "lblbevestiging", "Bevestig nieuw paswoord:"),
        Caption("paswoordwijzigen", "cmdsave", "Paswoord opslaan"),
        Caption("paswoordwijzigen", "cmdcancel", "Annuleren"),

        Title("startpagina", "Verander de startpagina"),
        Caption("startpagina", "lbladres", "Naam internetadres:"),
        Caption("startpagina", "lblname", "Geef het internetadres in:"),
        Caption("startpagina", "cmdsave", "Opslaan"),
        Caption("startpagina", "cmdcancel", "Annuleren"),

        Title("frmBlocker", "Lijst van geblokeerde woorden"),
        Caption("frmBlocker", "lblname",
                "Webaddressen, die deze woorden bevatten worden geblokeerd:"),
        Caption("frmBlocker", "lblwords", "Voeg een nieuw woord toe:"),
        Caption("frmBlocker", "cmdsave", "Opslaan"),
        Caption("frmBlocker", "cmdcancel", "Annuleren"),

        Caption("sites", "cmdbezoek", "Bezoek site"),
    };
    return rows;
}

// Nine panel buttons and the login dialog's line keep their built-in values in English.
const std::vector<CaptionRow>& EnglishRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "VISIT A SITE"),
        Message("frmBrowser", "msgnowordlist",
                "Nothing can be opened now: the list of blocked words cannot be read."),

        Title("invoegensite", "Add a new link to the list"),
        Caption("invoegensite", "lblname", "Name of the site:"),
        Caption("invoegensite", "lblinternetaddress", "Internetaddress:"),
        Caption("invoegensite", "cmdsave", "Save"),
        Caption("invoegensite", "cmdcancel", "Cancel"),

        Caption("Parents", "cmdadd", "Add an internetaddress"),
        Caption("Parents", "cmdDelete", "Delete internetaddress"),
        Caption("Parents", "cmdchange", "Change password"),
        Caption("Parents", "cmdclear", "Clear list"),
        Caption("Parents", "cmdclose", "Log out"),
        Caption("Parents", "cmdHomepage", "Change homepage"),
        Caption("Parents", "cmdsave", "Log out en save"),
        Caption("Parents", "lblzien", "Sites which your children can visit:"),
        Caption("Parents", "lbllogboek", "Logbook:"),
        Caption("Parents", "lblbezocht", "Visited website with dates and hours:"),
        Caption("Parents", "lbltaalkiezen", "Choose your language:"),

        Title("paswoord", "Parentcontrol login"),
        Caption("paswoord", "cmdLogon", "Log in"),
        Caption("paswoord", "cmdcancel", "Cancel"),
        Caption("paswoord", "lblnaam", "Name:"),
        Caption("paswoord", "lblcontrole", "Give the password for the parentcontrol:"),
        Caption("paswoord", "lblpaswoord", "Password:"),

        Title("paswoordwijzigen", "Change your password"),
        Caption("paswoordwijzigen", "lblgebruikersnaam", "Username:"),
        Caption("paswoordwijzigen", "lblnieuw", "New password:"),
        Caption("paswoordwijzigen", "lblbevestiging", "Confirm new password:"),
        Caption("paswoordwijzigen", "cmdsave", "Save password"),
        Caption("paswoordwijzigen", "cmdcancel", "Cancel"),

        Title("startpagina", "Change your startpage"),
        Caption("startpagina", "lbladres", "Name internetaddress:"),
        Caption("startpagina", "lblname", "Internetaddress:"),
        Caption("startpagina", "cmdsave", "Save"),
        Caption("startpagina", "cmdcancel", "Cancel"),

        Title("frmBlocker", "List of words"),
        Caption("frmBlocker", "lblname",
                "Webaddresses, which contain one of these words will be blocked"),
        Caption("frmBlocker", "lblwords", "Add a new word:"),
        Caption("frmBlocker", "cmdsave", "Save"),
        Caption("frmBlocker", "cmdcancel", "Cancel"),

        Caption("sites", "cmdbezoek", "Visit site"),
    };
    return rows;
}

}  // namespace

const std::vector<CaptionRow>& CaptionTable(Language language) {
    return language == Language::Dutch ? DutchRows() : EnglishRows();
}

const std::vector<CaptionRow>& BuiltInCaptions() {
    return BuiltInRows();
}

const CaptionRow* FindRow(const std::vector<CaptionRow>& rows, std::string_view window,
                          std::string_view control, Property property) {
    auto it = std::find_if(rows.begin(), rows.end(), [&](const CaptionRow& row) {
        return row.window == window && row.control == control && row.property == property;
    });
    return it == rows.end() ? nullptr : &*it;
}

std::optional<Language> LanguageFromName(std::string_view name) {
    if (name == "Dutch") {
        return Language::Dutch;
    }
    if (name == "English") {
        return Language::English;
    }
    return std::nullopt;
}

std::string_view LanguageName(Language language) {
    return language == Language::Dutch ? "Dutch" : "English";
}

std::string_view RestartMessage(Language language) {
    return language == Language::Dutch ? kRestartMessageDutch : kRestartMessageEnglish;
}

LanguageChoice ClassifyLanguageChoice(std::string_view text) {
    if (LanguageFromName(text)) {
        return LanguageChoice::Store;
    }
    for (std::string_view refused : {"German", "French", "Spanish"}) {
        if (text == refused) {
            return LanguageChoice::Refuse;
        }
    }
    return LanguageChoice::Ignore;
}

}  // namespace i18n
