#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

enum class Language { Dutch, English };

// How a row reaches its control: the caption of a button or label, the title of the window
// itself, or the x of a line's right end (the only number the tables move).
enum class Property { Caption, Title, LineRightEnd };

struct CaptionRow {
    std::string_view window;   // frmBrowser, invoegensite, Parents, paswoord, ...
    std::string_view control;  // empty for a Title row
    Property property = Property::Caption;
    std::string_view text;  // Caption and Title rows
    int twips = 0;          // LineRightEnd rows

    friend bool operator==(const CaptionRow&, const CaptionRow&) = default;
};

// The rows a language writes over the built-in texts. The English table leaves out the controls
// whose built-in text it keeps, so applying it never touches them.
const std::vector<CaptionRow>& CaptionTable(Language language);

// The texts every captioned control has when its window is created, for the same
// (window, control, property) keys as the tables.
const std::vector<CaptionRow>& BuiltInCaptions();

const CaptionRow* FindRow(const std::vector<CaptionRow>& rows, std::string_view window,
                          std::string_view control, Property property);

// The stored language word selects a table only when it is exactly one of the two names: no case
// folding and no trimming, so a hand-edited file with "dutch " keeps the built-in texts.
std::optional<Language> LanguageFromName(std::string_view name);
std::string_view LanguageName(Language language);

// The panel's language list, in the order it shows them, and its text before the stored choice
// is put into it.
inline constexpr std::array<std::string_view, 5> kLanguageListItems{"English", "Dutch", "French",
                                                                    "German", "Spanish"};
inline constexpr std::string_view kLanguageListDefault = "English";

// Texts of the language step of "Log out and save", shown under the product name.
inline constexpr std::string_view kMessageTitle = "Lanternwick";
inline constexpr std::string_view kRestartMessageDutch =
    "Om deze instellingen te doen werken, moet het programma opnieuw worden opgestart.";
inline constexpr std::string_view kRestartMessageEnglish =
    "To let these options work, the program most be reboot.";
inline constexpr std::string_view kRefusalMessage =
    "We are still working at this language.  Please choose another language.";

std::string_view RestartMessage(Language language);

// What the language step does with the text of the language box.
enum class LanguageChoice {
    Store,   // Dutch or English: write it, ask for a restart, end the program
    Refuse,  // offered in the list but not translated: message, back to the login dialog
    Ignore,  // anything else: nothing is written or shown
};
LanguageChoice ClassifyLanguageChoice(std::string_view text);

// Messages the windows show besides their captions. Each has a Dutch and an English text; a run
// with neither language applied shows the English one. "{}" marks where a value goes.
enum class Message {
    NameTooLong,           // the site editor: a name longer than a record holds
    NameMissing,           // the site editor: a site without a name would get no button text
    SitesFullKept,         // a refused address while the list is full: the address, kept
    SaveFailed,            // a data file could not be replaced: its path, the reason
    SavedBefore,           // after SaveFailed, when earlier files of the same save were written
    NothingSavedBefore,    // after SaveFailed, when it was the first file of the save
    WordsUnreadable,       // the reason a word list that cannot be read is not overwritten
    WordListMissing,       // nothing is opened while the word list cannot be read
    FilterMissing,         // nothing is opened: the engine's request filter was not installed
    AccountUnreadable,     // the login cannot check the account: the file's path
    WordAlreadyListed,     // the blocked-words editor: the word is in the list already
    EmptyWordRefused,      // the blocked-words editor: an empty word would block every address
    SelectWordFirst,       // the blocked-words editor: Remove with no word chosen
    SettingsUnreadable,    // the reason a settings file that cannot be read is not overwritten
    AllowedSitesOff,       // the panel's switch for only the allowed sites, while it is off
    AllowedSitesOn,        // the same switch while it is on
    PicturesOff,           // the panel's switch for pictures on the site buttons, while off
    PicturesOn,            // the same switch while it is on
    ReadAloudOff,          // the panel's switch for reading site names and pages aloud, while off
    ReadAloudOn,           // the same switch while it is on
    RefusalSentence,       // the page shown in place of a refused one
    RefusalBack,           // its button back to where the child was
    RefusalAsk,            // its button that fetches a grown-up
    RefusalLater,          // its button that keeps the address for the grown-up to look at later
    AskedSentence,         // the page after that button
    NotAnsweringSentence,  // the page shown in place of one that could not be loaded
    NotAnsweringRetry,     // its button that tries the page again
    NotAnsweringHome,      // its button to the start page
    ConnectionFault,       // the watchdog's message, where that page cannot be shown
    TimeLimitNotStarted,   // the daily limit could not be started: the reason
    LoginWait,             // the login after too many wrong tries: the wait left, "m:ss"
    LoginWrongTries,       // the panel, once after a right login: the wrong tries before it
    ShippedPassword,       // the change of password asked for before the panel opens
    ParentsRefused,        // "--parents CHILD" by someone the child's data are closed to
    PasswordShipped,       // a new password that is the one every installation starts with
    PasswordTooShort,      // a new password shorter than four characters
    UnsavedChanges,        // "Log out" with changes not yet stored
    SaveAndLogOut,         // its three answers
    LogOutWithoutSaving,
    CancelLogOut,
    SitesUnreadable,   // the reason a site file that cannot be read is not overwritten
    NotAWebAddress,    // the site and start-page editors: an address that cannot open as a page
    NameHasControls,   // the same editors: a tab or another control character in the name
    TodayUsedAndLeft,  // the time editor: minutes used today and minutes left
    TodayUsedNoLimit,  // the same, on a day without a limit
    TodayNotCounted,
    NotAPicture,  // the site editor: the chosen file is no picture it can use   // no day has a
                  // limit, so no time is counted
};

// The message in `language` (none: the English text), with each "{}" replaced by the next of
// `values` in turn.
std::string MessageText(std::optional<Language> language, Message message,
                        std::initializer_list<std::string_view> values = {});

// The help page of the panel's Help: one section for each of the panel's buttons and for what a
// parent needs to know besides. A section that names a control of the panel is headed by that
// control's caption in the run's language; "{}" in a text stands for the data folder.
struct HelpSection {
    std::string_view control;  // a control of the panel whose caption heads it, or empty
    std::string_view heading;  // the heading when no control heads it
    std::string_view text;
};
std::string_view HelpTitle(std::optional<Language> language);
const std::vector<HelpSection>& HelpSections(std::optional<Language> language);

// Texts that no control holds from the start: they are put together when they are shown, some
// around a number, which stands where the text has "{}".
enum class Phrase {
    TimePerDayNoLimit,     // the panel's time button without a limit today
    TimePerDayMinutes,     // the same with today's limit
    MinutesLeft,           // beside the child's clock
    FiveMinutesNotice,     // once, five minutes before the end
    OneMinuteNotice,       // the same when only one minute was left
    FewMinutesNotice,      // the same when two to four minutes were left
    TimeIsUp,              // the one sentence on the cover
    MinutesTypingLimit,    // the time editor's boxes
    NotComputerTime,       // the cover's sentence outside the day's times
    ClockTimeTypingLimit,  // the time editor's "from" and "until" boxes
    TodayAndWeekTitle,     // the parent's view of today and the week: its title
    WeekHeading,           // above the bars of the last seven days
    TodayHeading,          // above today's rows, around the written date
    ActivityMinutes,       // the minutes of a day or a site
    LimitMark,             // beside the line of a day's limit
    NotOpened,             // a refused try's row
    AllowThisSite,         // its button that opens the site editor with the address
    NothingToday,          // no row today
    CloseView,             // closes the view
    RequestsButton,        // the panel's button to the child's requests, with their count
    RequestsTitle,         // the requests' window
    RequestsHint,          // above the requests
    AllowRequest,          // a request's button that opens the site editor with its address
    RefuseRequest,         // a request's button that takes it off the list
    NoRequests,            // no request waits
};
inline constexpr Phrase kPhrases[] = {Phrase::TimePerDayNoLimit, Phrase::TimePerDayMinutes,
                                      Phrase::MinutesLeft,       Phrase::FiveMinutesNotice,
                                      Phrase::OneMinuteNotice,   Phrase::FewMinutesNotice,
                                      Phrase::TimeIsUp,          Phrase::MinutesTypingLimit,
                                      Phrase::NotComputerTime,   Phrase::ClockTimeTypingLimit,
                                      Phrase::TodayAndWeekTitle, Phrase::WeekHeading,
                                      Phrase::TodayHeading,      Phrase::ActivityMinutes,
                                      Phrase::LimitMark,         Phrase::NotOpened,
                                      Phrase::AllowThisSite,     Phrase::NothingToday,
                                      Phrase::CloseView,         Phrase::RequestsButton,
                                      Phrase::RequestsTitle,     Phrase::RequestsHint,
                                      Phrase::AllowRequest,      Phrase::RefuseRequest,
                                      Phrase::NoRequests};

// The phrase in the run's language; a run without one uses the built-in texts, which are English.
std::string_view PhraseText(std::optional<Language> language, Phrase phrase);
// The phrase with `number` in its place.
std::string PhraseWith(std::optional<Language> language, Phrase phrase, long long number);
std::string PhraseWith(std::optional<Language> language, Phrase phrase, std::string_view value);

// A day in the run's language, the day before the month: "Wed 9 Dec" / "wo 9 dec", or written
// out, "Wednesday 9 December" / "woensdag 9 december". `weekday` 0 is Monday.
std::string DayText(std::optional<Language> language, int weekday, int day, int month,
                    bool written);

}  // namespace i18n
