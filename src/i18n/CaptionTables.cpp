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
constexpr CaptionRow LineEnd(std::string_view window, std::string_view control, int twips) {
    return {window, control, Property::LineRightEnd, {}, twips};
}

// The texts below are kept letter for letter as the windows have always shown them, odd spellings
// ("most be reboot", "Log out en save") and a missing colon included: parents know the windows
// by these words.

const std::vector<CaptionRow>& BuiltInRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "VISIT A SITE"),

        Title("invoegensite", "Lanternwick"),
        Caption("invoegensite", "lblname", "Name internetaddress:"),
        Caption("invoegensite", "lblinternetaddress", "Internetaddress:"),
        Caption("invoegensite", "cmdsave", "Save"),
        Caption("invoegensite", "cmdcancel", "Cancel"),
        Caption("invoegensite", "cmdpicture", "Choose picture..."),
        Caption("invoegensite", "cmdnopicture", "No picture"),

        Caption("Parents", "cmdadd", "Add an internetaddress"),
        Caption("Parents", "cmdDelete", "Delete internetaddress"),
        Caption("Parents", "cmdchange", "Change password"),
        Caption("Parents", "cmdclear", "Clear List"),
        Caption("Parents", "cmdvandaag", "Today and this week"),
        Caption("Parents", "cmdendsession", "End the child's session"),
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
        Caption("frmBlocker", "cmdremove", "Remove word"),
        Caption("frmBlocker", "cmdcancel", "Cancel"),

        Title("tijdperdag", "Time per day"),
        Caption("tijdperdag", "lbluitleg", "Minutes per day (empty: no limit):"),
        Caption("tijdperdag", "lblmaandag", "Monday"),
        Caption("tijdperdag", "lbldinsdag", "Tuesday"),
        Caption("tijdperdag", "lblwoensdag", "Wednesday"),
        Caption("tijdperdag", "lbldonderdag", "Thursday"),
        Caption("tijdperdag", "lblvrijdag", "Friday"),
        Caption("tijdperdag", "lblzaterdag", "Saturday"),
        Caption("tijdperdag", "lblzondag", "Sunday"),
        Caption("tijdperdag", "cmdextra", "15 minutes more today"),
        Caption("tijdperdag", "lblminuten", "Minutes"),
        Caption("tijdperdag", "lblvanaf", "From"),
        Caption("tijdperdag", "lbltot", "Until"),
        Caption("tijdperdag", "lbltijden",
                "From and until: a time such as 15:00 (empty: any time)."),
        Caption("tijdperdag", "cmdsave", "Save"),
        Caption("tijdperdag", "cmdcancel", "Cancel"),

        Caption("sites", "cmdbezoek", "Bezoek site"),
    };
    return rows;
}

const std::vector<CaptionRow>& DutchRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "BEZOEK EEN SITE"),

        Title("invoegensite", "Voeg een nieuwe link toe aan de lijst"),
        Caption("invoegensite", "lblname", "Geef de naam van de site:"),
        Caption("invoegensite", "lblinternetaddress", "Geef het internetadres in:"),
        Caption("invoegensite", "cmdsave", "Opslaan"),
        Caption("invoegensite", "cmdcancel", "Annuleren"),
        Caption("invoegensite", "cmdpicture", "Kies een plaatje..."),
        Caption("invoegensite", "cmdnopicture", "Geen plaatje"),

        Caption("Parents", "cmdadd", "Toevoegen internetadres"),
        Caption("Parents", "cmdDelete", "Verwijder internetadres"),
        Caption("Parents", "cmdchange", "Verander paswoord"),
        Caption("Parents", "cmdclear", "Maak logboek leeg"),
        Caption("Parents", "cmdvandaag", "Vandaag en deze week"),
        Caption("Parents", "cmdendsession", "Sessie van het kind beëindigen"),
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
        Caption("frmBlocker", "cmdremove", "Verwijder woord"),
        Caption("frmBlocker", "cmdcancel", "Annuleren"),

        Title("tijdperdag", "Tijd per dag"),
        Caption("tijdperdag", "lbluitleg", "Minuten per dag (leeg: geen limiet):"),
        Caption("tijdperdag", "lblmaandag", "Maandag"),
        Caption("tijdperdag", "lbldinsdag", "Dinsdag"),
        Caption("tijdperdag", "lblwoensdag", "Woensdag"),
        Caption("tijdperdag", "lbldonderdag", "Donderdag"),
        Caption("tijdperdag", "lblvrijdag", "Vrijdag"),
        Caption("tijdperdag", "lblzaterdag", "Zaterdag"),
        Caption("tijdperdag", "lblzondag", "Zondag"),
        Caption("tijdperdag", "cmdextra", "15 minuten extra vandaag"),
        Caption("tijdperdag", "lblminuten", "Minuten"),
        Caption("tijdperdag", "lblvanaf", "Vanaf"),
        Caption("tijdperdag", "lbltot", "Tot"),
        Caption("tijdperdag", "lbltijden",
                "Vanaf en tot: een tijd zoals 15:00 (leeg: elk moment)."),
        Caption("tijdperdag", "cmdsave", "Opslaan"),
        Caption("tijdperdag", "cmdcancel", "Annuleren"),

        Caption("sites", "cmdbezoek", "Bezoek site"),
    };
    return rows;
}

// Nine panel buttons and the login dialog's line keep their built-in values in English.
const std::vector<CaptionRow>& EnglishRows() {
    static const std::vector<CaptionRow> rows{
        Caption("frmBrowser", "cmdvisit", "VISIT A SITE"),

        Title("invoegensite", "Add a new link to the list"),
        Caption("invoegensite", "lblname", "Name of the site:"),
        Caption("invoegensite", "lblinternetaddress", "Internetaddress:"),
        Caption("invoegensite", "cmdsave", "Save"),
        Caption("invoegensite", "cmdcancel", "Cancel"),
        Caption("invoegensite", "cmdpicture", "Choose picture..."),
        Caption("invoegensite", "cmdnopicture", "No picture"),

        Caption("Parents", "cmdadd", "Add an internetaddress"),
        Caption("Parents", "cmdDelete", "Delete internetaddress"),
        Caption("Parents", "cmdchange", "Change password"),
        Caption("Parents", "cmdclear", "Clear list"),
        Caption("Parents", "cmdvandaag", "Today and this week"),
        Caption("Parents", "cmdendsession", "End the child's session"),
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
        Caption("frmBlocker", "cmdremove", "Remove word"),
        Caption("frmBlocker", "cmdcancel", "Cancel"),

        Title("tijdperdag", "Time per day"),
        Caption("tijdperdag", "lbluitleg", "Minutes per day (empty: no limit):"),
        Caption("tijdperdag", "lblmaandag", "Monday"),
        Caption("tijdperdag", "lbldinsdag", "Tuesday"),
        Caption("tijdperdag", "lblwoensdag", "Wednesday"),
        Caption("tijdperdag", "lbldonderdag", "Thursday"),
        Caption("tijdperdag", "lblvrijdag", "Friday"),
        Caption("tijdperdag", "lblzaterdag", "Saturday"),
        Caption("tijdperdag", "lblzondag", "Sunday"),
        Caption("tijdperdag", "cmdextra", "15 minutes more today"),
        Caption("tijdperdag", "lblminuten", "Minutes"),
        Caption("tijdperdag", "lblvanaf", "From"),
        Caption("tijdperdag", "lbltot", "Until"),
        Caption("tijdperdag", "lbltijden",
                "From and until: a time such as 15:00 (empty: any time)."),
        Caption("tijdperdag", "cmdsave", "Save"),
        Caption("tijdperdag", "cmdcancel", "Cancel"),

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

namespace {

struct PhraseRow {
    Phrase phrase;
    std::string_view english;
    std::string_view dutch;
};

constexpr PhraseRow kPhraseRows[] = {
    {Phrase::TimePerDayNoLimit, "Time per day: no limit", "Tijd per dag: geen limiet"},
    {Phrase::TimePerDayMinutes, "Time per day: {} minutes", "Tijd per dag: {} minuten"},
    {Phrase::MinutesLeft, "{} min", "{} min"},
    {Phrase::FiveMinutesNotice, "Five more minutes, then it is time to stop.",
     "Nog vijf minuten, dan is het tijd om te stoppen."},
    {Phrase::OneMinuteNotice, "One more minute, then it is time to stop.",
     "Nog één minuut, dan is het tijd om te stoppen."},
    {Phrase::FewMinutesNotice, "{} more minutes, then it is time to stop.",
     "Nog {} minuten, dan is het tijd om te stoppen."},
    {Phrase::TimeIsUp, "Time is up for today, see you tomorrow!",
     "De tijd is op voor vandaag, tot morgen!"},
    {Phrase::NotComputerTime, "It is not time for the computer now.",
     "Het is nu geen computertijd."},
    {Phrase::ClockTimeTypingLimit,
     "Type a time of day such as 15:00 or 7:30, from 0:00 to 24:00, or leave the box empty.",
     "Geef een tijd in zoals 15:00 of 7:30, van 0:00 tot 24:00, of laat het vak leeg."},
    {Phrase::MinutesTypingLimit,
     "Type the minutes as a number from 0 to 1440, or leave the box empty for no limit.",
     "Geef de minuten in als een getal van 0 tot 1440, of laat het vak leeg voor geen limiet."},
    {Phrase::TodayAndWeekTitle, "Today and this week", "Vandaag en deze week"},
    {Phrase::WeekHeading, "Minutes per day, the last seven days",
     "Minuten per dag, de laatste zeven dagen"},
    {Phrase::TodayHeading, "Today, {}", "Vandaag, {}"},
    {Phrase::ActivityMinutes, "{} min", "{} min"},
    {Phrase::LimitMark, "limit", "limiet"},
    {Phrase::NotOpened, "not opened", "niet geopend"},
    {Phrase::AllowThisSite, "Allow this site", "Deze site toestaan"},
    {Phrase::NothingToday, "Nothing visited today yet.", "Vandaag nog niets bezocht."},
    {Phrase::CloseView, "Close", "Sluiten"},
    {Phrase::RequestsButton, "Requests ({})", "Verzoeken ({})"},
    {Phrase::RequestsTitle, "Requests from your child", "Verzoeken van je kind"},
    {Phrase::RequestsHint, "Your child asked you to look at these sites later.",
     "Je kind vroeg je later naar deze sites te kijken."},
    {Phrase::AllowRequest, "Allow", "Toestaan"},
    {Phrase::RefuseRequest, "Refuse", "Weigeren"},
    {Phrase::NoRequests, "No requests wait.", "Er wachten geen verzoeken."},
};

constexpr std::string_view kWeekdays[2][7] = {
    {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
    {"maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag", "zondag"}};
constexpr std::string_view kShortWeekdays[2][7] = {
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}, {"ma", "di", "wo", "do", "vr", "za", "zo"}};
constexpr std::string_view kMonths[2][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september",
     "oktober", "november", "december"}};
constexpr std::string_view kShortMonths[2][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"}};

}  // namespace

std::string_view PhraseText(std::optional<Language> language, Phrase phrase) {
    for (const PhraseRow& row : kPhraseRows) {
        if (row.phrase == phrase) {
            return language == Language::Dutch ? row.dutch : row.english;
        }
    }
    return {};
}

std::string PhraseWith(std::optional<Language> language, Phrase phrase, long long number) {
    std::string text(PhraseText(language, phrase));
    if (const auto at = text.find("{}"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

std::string PhraseWith(std::optional<Language> language, Phrase phrase, std::string_view value) {
    std::string text(PhraseText(language, phrase));
    if (const auto at = text.find("{}"); at != std::string::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

std::string DayText(std::optional<Language> language, int weekday, int day, int month,
                    bool written) {
    if (weekday < 0 || weekday > 6 || month < 1 || month > 12) {
        return std::to_string(day);
    }
    const int l = language == Language::Dutch ? 1 : 0;
    const auto& weekdays = written ? kWeekdays : kShortWeekdays;
    const auto& months = written ? kMonths : kShortMonths;
    // Day before month in both: "Wed 9 Dec", "wo 9 dec".
    return std::string(weekdays[l][weekday]) + " " + std::to_string(day) + " " +
           std::string(months[l][month - 1]);
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

namespace {

struct MessageRow {
    Message message;
    std::string_view dutch;
    std::string_view english;
};

const std::vector<MessageRow>& MessageRows() {
    static const std::vector<MessageRow> rows{
        {Message::NameTooLong, "Maximum 20 karakters!", "Maximum 20 characters!"},
        {Message::NameMissing,
         "Geef de site een naam: het kind ziet die naam op de knop van de site.",
         "Give the site a name: the child sees that name on the site's button."},
        {Message::SitesFullKept,
         "Er kunnen niet meer dan 18 websites in de lijst. Verwijder er een, dan opent het "
         "venster weer met {}.",
         "You cannot add more than 18 websites. Delete one, and the editor opens again with {}."},
        {Message::SaveFailed, "Het bestand \"{}\" kon niet worden bewaard: {}",
         "The file \"{}\" could not be saved: {}"},
        {Message::SavedBefore, "Al wel bewaard: {}.", "Already saved: {}."},
        {Message::NothingSavedBefore, "Er is nog niets bewaard.", "Nothing has been saved yet."},
        {Message::WordsUnreadable,
         "de woorden die er al in staan kunnen niet worden gelezen, dus zouden ze verloren gaan.",
         "the words already in it cannot be read, so they would be lost."},
        {Message::WordListMissing,
         "Er kan nu niets worden geopend: de lijst met geblokkeerde woorden is onleesbaar.",
         "Nothing can be opened now: the list of blocked words cannot be read."},
        {Message::FilterMissing,
         "Er kan niets worden geopend: een deel van de browser ontbreekt. Vraag een volwassene "
         "om hem opnieuw te installeren.",
         "Nothing can be opened: a part of the browser is missing. Ask a grown-up to install it "
         "again."},
        {Message::AccountUnreadable,
         "De gegevens van de ouders kunnen niet worden gecontroleerd: het bestand \"{}\" "
         "ontbreekt of is leeg.",
         "The parent's account cannot be checked: the file \"{}\" is missing or empty."},
        {Message::WordAlreadyListed, "Het woord \"{}\" staat al in de lijst.",
         "The word \"{}\" is already in the list."},
        {Message::EmptyWordRefused,
         "Een leeg woord kan niet worden toegevoegd: het zou elke site blokkeren.",
         "An empty word cannot be added: it would block every site."},
        {Message::SelectWordFirst, "Kies eerst het woord dat u wilt verwijderen.",
         "First choose the word you want to remove."},
        {Message::SettingsUnreadable,
         "de instellingen die er al in staan kunnen niet worden gelezen, dus zouden ze verloren "
         "gaan.",
         "the settings already in it cannot be read, so they would be lost."},
        {Message::AllowedSitesOff, "Alleen toegestane sites: uit", "Only allowed sites: off"},
        {Message::AllowedSitesOn, "Alleen toegestane sites: aan", "Only allowed sites: on"},
        {Message::PicturesOff, "Plaatjes bij de sites: uit", "Site pictures: off"},
        {Message::PicturesOn, "Plaatjes bij de sites: aan", "Site pictures: on"},
        {Message::ReadAloudOff, "Voorlezen: uit", "Read aloud: off"},
        {Message::ReadAloudOn, "Voorlezen: aan", "Read aloud: on"},
        {Message::RefusalSentence, "Deze pagina is niet voor jou. Vraag het aan een volwassene!",
         "This page is not for you. Ask a grown-up!"},
        {Message::RefusalBack, "Terug", "Back"},
        {Message::RefusalAsk, "Vraag een volwassene", "Ask a grown-up"},
        {Message::RefusalLater, "Later vragen", "Ask later"},
        {Message::AskedSentence, "Je volwassene gaat kijken.", "Your grown-up will look."},
        {Message::NotAnsweringSentence, "Deze pagina antwoordt niet. Probeer het later nog eens.",
         "This page is not answering. Try again later."},
        {Message::NotAnsweringRetry, "Probeer opnieuw", "Try again"},
        {Message::NotAnsweringHome, "Naar huis", "Home"},
        {Message::ConnectionFault, "ER IS EEN CONNECTIEFOUT", "THERE IS A CONNECTION ERROR"},
        {Message::TimeLimitNotStarted,
         "De tijdslimiet kon niet worden gestart ({}), dus kan er niets worden geopend. Stel de "
         "tijd per dag opnieuw in of geef extra tijd.",
         "The time limit could not be started ({}), so nothing can be opened. Set the time per "
         "day again or give extra time."},
        {Message::LoginWait,
         "Er is te vaak een verkeerd paswoord ingetikt. U kunt het over {} opnieuw proberen.",
         "The wrong password was typed too often. You can try again in {}."},
        {Message::LoginWrongTries, "Verkeerde pogingen om in te loggen sinds uw vorige bezoek: {}.",
         "Wrong tries at the login since your last visit: {}."},
        {Message::ParentsRefused,
         "Lanternwick voor {} kan alleen worden beheerd door een lid van de groep lanternwick.",
         "Only a member of the group lanternwick can manage Lanternwick for {}."},
        {Message::ShippedPassword,
         "Kies eerst uw eigen paswoord: het paswoord van de installatie kent iedereen.",
         "First choose a password of your own: everyone knows the one the installation came "
         "with."},
        {Message::PasswordShipped,
         "Dat is het paswoord van de installatie. Kies een ander paswoord.",
         "That is the password the installation came with. Choose another one."},
        {Message::PasswordTooShort, "Een paswoord heeft minstens 4 tekens.",
         "A password needs at least 4 characters."},
        {Message::UnsavedChanges,
         "De sites, de startpagina of de instellingen zijn veranderd en nog niet bewaard. Wilt "
         "u ze bewaren voordat u uitlogt?",
         "The sites, the start page or the settings have changed and are not saved yet. Do you "
         "want to save them before you log out?"},
        {Message::SaveAndLogOut, "Bewaren en uitloggen", "Save and log out"},
        {Message::LogOutWithoutSaving, "Uitloggen zonder bewaren", "Log out without saving"},
        {Message::CancelLogOut, "Annuleren", "Cancel"},
        {Message::NotAWebAddress,
         "Dit adres kan niet als webpagina openen. Geef een adres zoals www.voorbeeld.nl of "
         "https://voorbeeld.nl/, zonder spaties.",
         "This address cannot open as a web page. Type an address such as www.example.org or "
         "https://example.org/, without spaces."},
        {Message::NameHasControls, "De naam mag geen tab of ander stuurteken bevatten.",
         "The name may not hold a tab or another control character."},
        {Message::TodayUsedAndLeft, "Vandaag: {} min gebruikt, nog {} min over.",
         "Today: {} min used, {} min left."},
        {Message::TodayUsedNoLimit, "Vandaag: {} min gebruikt, geen limiet.",
         "Today: {} min used, no limit."},
        {Message::TodayNotCounted, "Vandaag: geen limiet, de tijd wordt niet geteld.",
         "Today: no limit, the time is not counted."},
        {Message::NotAPicture,
         "Dit bestand is geen plaatje dat gebruikt kan worden. Kies een PNG-, JPEG-, GIF- of "
         "BMP-bestand.",
         "This file is no picture that can be used. Choose a PNG, JPEG, GIF or BMP file."},
        {Message::SitesUnreadable,
         "de sites die er al in staan kunnen niet worden gelezen, dus zouden ze verloren gaan.",
         "the sites already in it cannot be read, so they would be lost."},
    };
    return rows;
}

}  // namespace

std::string_view HelpTitle(std::optional<Language> language) {
    return language == Language::Dutch ? "Hulp bij het ouderpaneel" : "Help for the parents' panel";
}

const std::vector<HelpSection>& HelpSections(std::optional<Language> language) {
    static const std::vector<HelpSection> english{
        {"cmdadd",
         {},
         "Adds a site to the list the child opens with the visit button (18 at most): a name of "
         "up to 20 characters and an address such as www.example.org or https://example.org/. "
         "It is stored with \"Log out and save\"."},
        {"cmdDelete",
         {},
         "Choose a site in the list first, then press this button to take it out. It is stored "
         "with \"Log out and save\"."},
        {"cmdHomepage",
         {},
         "Sets the page the browser opens at the start and with the home button. It is stored "
         "with \"Log out and save\", which starts the browser again with it."},
        {"cmdBlocksites",
         {},
         "The blocked words: an address that holds one of them is not shown. A word added or "
         "removed there is stored at once."},
        {"cmdchange", {}, "Changes the password: your user name, then the new password twice."},
        {"cmdclear",
         {},
         "Empties the logbook of visited sites. The file keeps the old entries until the next "
         "save or until the browser closes."},
        {"cmdvandaag",
         {},
         "Shows a bar for each of the last seven days with the minutes used and the day's limit, "
         "and today's sites with their minutes, most used first. Tries that were not opened are "
         "marked; \"Allow this site\" opens the site editor with the address filled in. The "
         "minutes of each day are kept in tijdperweek.txt while a day has a limit; other days "
         "are reckoned from the visit log."},
        {"cmdsave",
         {},
         "Stores the sites, the start page, the logbook and the settings, then the chosen "
         "language. With English or Dutch chosen the browser starts again by itself, so every "
         "change holds at once."},
        {"cmdclose",
         {},
         "Leaves the panel. When something is not stored yet, you are asked whether to save it "
         "first."},
        {"cmdsecurity", {}, "Not in use yet."},
        {{},
         "Only allowed sites",
         "When it is on, only the sites in the list and the start page open, with what their "
         "pages show inside them; anything else shows the child a page that asks for a grown-up. "
         "From there, after your login, one Save allows the site."},
        {{},
         "Time per day",
         "How many minutes the child may browse on each day of the week (empty: no limit), from "
         "and until which time (such as 15:00 to 18:00; empty: any time), and how much of today "
         "is used and left. Outside those times the browser is covered too. \"15 minutes more "
         "today\" gives extra time at "
         "once. When the time is up the browser is covered until you give time or change the "
         "limit."},
        {"lbltaalkiezen", {}, "English or Dutch, used from \"Log out and save\" on."},
        {{},
         "The other buttons",
         "They open the maker's web pages in the browser: contact, donation, forum, "
         "registration, submitting a site and the latest version."},
        {{},
         "Where the files are",
         "Everything is kept in plain text files in the folder {}: adressen.txt (the sites), "
         "startpagina.txt (the start page), words.txt (the blocked words), bezochtesites.txt "
         "(the logbook), languagechoose.txt (the language), paswoordNaam.txt (the user name), "
         "paswoordNr.txt (the password), instellingen.txt (only allowed sites, time per day) and "
         "tijdgebruik.txt (the time used today)."},
        {{},
         "Password and user name",
         "Change the password with \"Change password\" or by editing paswoordNr.txt. The user "
         "name is changed only by editing paswoordNaam.txt: one line, exactly as it is to be "
         "typed."},
    };
    static const std::vector<HelpSection> dutch{
        {"cmdadd",
         {},
         "Voegt een site toe aan de lijst die het kind opent met de bezoekknop (hooguit 18): een "
         "naam van hooguit 20 tekens en een adres zoals www.voorbeeld.nl of "
         "https://voorbeeld.nl/. Het wordt bewaard met \"Uitloggen en bewaren\"."},
        {"cmdDelete",
         {},
         "Kies eerst een site in de lijst en druk dan op deze knop om hem te verwijderen. Het "
         "wordt bewaard met \"Uitloggen en bewaren\"."},
        {"cmdHomepage",
         {},
         "Stelt de pagina in die de browser opent bij de start en met de huisknop. Hij wordt "
         "bewaard met \"Uitloggen en bewaren\", dat de browser er opnieuw mee start."},
        {"cmdBlocksites",
         {},
         "De geblokkeerde woorden: een adres met een van deze woorden wordt niet getoond. Een "
         "woord dat u daar toevoegt of verwijdert, wordt meteen bewaard."},
        {"cmdchange",
         {},
         "Verandert het paswoord: uw gebruikersnaam en dan twee keer het nieuwe paswoord."},
        {"cmdclear",
         {},
         "Maakt het logboek van bezochte sites leeg. Het bestand houdt de oude regels tot de "
         "volgende keer bewaren of tot de browser sluit."},
        {"cmdvandaag",
         {},
         "Toont een balk voor elk van de laatste zeven dagen met de gebruikte minuten en de "
         "limiet van die dag, en de sites van vandaag met hun minuten, de meest gebruikte eerst. "
         "Pogingen die niet geopend zijn staan gemarkeerd; \"Deze site toestaan\" opent het "
         "venster voor een nieuwe site met het adres al ingevuld. De minuten per dag staan in "
         "tijdperweek.txt zolang een dag een limiet heeft; andere dagen worden uit het logboek "
         "geteld."},
        {"cmdsave",
         {},
         "Bewaart de sites, de startpagina, het logboek en de instellingen, en dan de gekozen "
         "taal. Met Engels of Nederlands gekozen start de browser vanzelf opnieuw, zodat elke "
         "verandering meteen geldt."},
        {"cmdclose",
         {},
         "Verlaat het paneel. Is er nog iets niet bewaard, dan wordt gevraagd of u het eerst "
         "wilt bewaren."},
        {"cmdsecurity", {}, "Nog niet in gebruik."},
        {{},
         "Alleen toegestane sites",
         "Als dit aan staat, openen alleen de sites in de lijst en de startpagina, met wat hun "
         "pagina's erin tonen; al het andere toont het kind een pagina die om een volwassene "
         "vraagt. Daar staat de site na uw inloggen met een keer Opslaan in de lijst."},
        {{},
         "Tijd per dag",
         "Hoeveel minuten het kind op elke dag van de week mag surfen (leeg: geen limiet), vanaf "
         "en tot welk uur (zoals 15:00 tot 18:00; leeg: elk moment), en hoeveel van vandaag "
         "gebruikt en over is. Buiten die uren wordt de browser ook bedekt. \"15 minuten extra "
         "vandaag\" geeft meteen "
         "extra tijd. Is de tijd op, dan wordt de browser bedekt tot u tijd geeft of de limiet "
         "verandert."},
        {"lbltaalkiezen", {}, "Engels of Nederlands, in gebruik vanaf \"Uitloggen en bewaren\"."},
        {{},
         "De andere knoppen",
         "Ze openen de webpagina's van de makers in de browser: contact, donatie, forum, "
         "registratie, een site insturen en de nieuwste versie."},
        {{},
         "Waar de bestanden staan",
         "Alles staat in gewone tekstbestanden in de map {}: adressen.txt (de sites), "
         "startpagina.txt (de startpagina), words.txt (de geblokkeerde woorden), "
         "bezochtesites.txt (het logboek), languagechoose.txt (de taal), paswoordNaam.txt (de "
         "gebruikersnaam), paswoordNr.txt (het paswoord), instellingen.txt (alleen toegestane "
         "sites, tijd per dag) en tijdgebruik.txt (de tijd die vandaag gebruikt is)."},
        {{},
         "Paswoord en gebruikersnaam",
         "Verander het paswoord met \"Verander paswoord\" of door paswoordNr.txt te bewerken. De "
         "gebruikersnaam verandert alleen door paswoordNaam.txt te bewerken: een regel, precies "
         "zoals hij getypt moet worden."},
    };
    return language == Language::Dutch ? dutch : english;
}

std::string MessageText(std::optional<Language> language, Message message,
                        std::initializer_list<std::string_view> values) {
    const auto& rows = MessageRows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [message](const MessageRow& r) { return r.message == message; });
    if (row == rows.end()) {
        return {};
    }
    const std::string_view text = language == Language::Dutch ? row->dutch : row->english;
    std::string out;
    auto value = values.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "{}") == 0 && value != values.end()) {
            out += *value++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace i18n
