#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "i18n/CaptionTables.h"

using i18n::CaptionRow;
using i18n::Language;
using i18n::LanguageChoice;
using i18n::Property;

namespace {

using Key = std::tuple<std::string_view, std::string_view, Property>;

std::set<Key> KeysOf(const std::vector<CaptionRow>& rows) {
    std::set<Key> keys;
    for (const CaptionRow& row : rows) {
        EXPECT_TRUE(keys.insert({row.window, row.control, row.property}).second)
            << "repeated row " << row.window << "." << row.control;
    }
    return keys;
}

}  // namespace

TEST(LanguageName, OnlyTheExactNamesSelectATable) {
    EXPECT_EQ(i18n::LanguageFromName("Dutch"), Language::Dutch);
    EXPECT_EQ(i18n::LanguageFromName("English"), Language::English);
    // A hand-edited file, or a CR LF line read without stripping the CR, selects nothing.
    for (std::string_view text :
         {"dutch", "DUTCH", "Dutch ", " Dutch", "Dutch\r", "English\n", "Englis", "", "French"}) {
        EXPECT_EQ(i18n::LanguageFromName(text), std::nullopt) << '"' << text << '"';
    }
    for (Language language : {Language::Dutch, Language::English}) {
        EXPECT_EQ(i18n::LanguageFromName(i18n::LanguageName(language)), language);
    }
}

TEST(LanguageChoice, StoresTwoRefusesThreeAndIgnoresTheRest) {
    const std::pair<std::string_view, LanguageChoice> cases[] = {
        {"Dutch", LanguageChoice::Store},    {"English", LanguageChoice::Store},
        {"German", LanguageChoice::Refuse},  {"French", LanguageChoice::Refuse},
        {"Spanish", LanguageChoice::Refuse}, {"french", LanguageChoice::Ignore},
        {"German ", LanguageChoice::Ignore}, {"", LanguageChoice::Ignore},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(i18n::ClassifyLanguageChoice(text), expected) << '"' << text << '"';
    }
    // Every name the panel offers leads somewhere: stored or refused, never silently ignored.
    for (std::string_view item : i18n::kLanguageListItems) {
        EXPECT_NE(i18n::ClassifyLanguageChoice(item), LanguageChoice::Ignore) << item;
    }
    EXPECT_EQ(i18n::RestartMessage(Language::Dutch), i18n::kRestartMessageDutch);
    EXPECT_EQ(i18n::RestartMessage(Language::English), i18n::kRestartMessageEnglish);
    EXPECT_NE(i18n::kRefusalMessage.find("language.  Please"), std::string_view::npos);
}

TEST(CaptionTables, RowsCarryThePayloadOfTheirKind) {
    for (const auto* rows : {&i18n::CaptionTable(Language::Dutch),
                             &i18n::CaptionTable(Language::English), &i18n::BuiltInCaptions()}) {
        for (const CaptionRow& row : *rows) {
            const bool line = row.property == Property::LineRightEnd;
            EXPECT_EQ(row.control.empty(), row.property == Property::Title) << row.window;
            EXPECT_EQ(row.text.empty(), line) << row.window << "." << row.control;
            EXPECT_EQ(row.twips > 0, line) << row.window << "." << row.control;
        }
    }
}

TEST(CaptionTables, TablesOnlyWriteControlsThatHaveABuiltInText) {
    const std::set<Key> builtIn = KeysOf(i18n::BuiltInCaptions());
    const std::set<Key> dutch = KeysOf(i18n::CaptionTable(Language::Dutch));
    const std::set<Key> english = KeysOf(i18n::CaptionTable(Language::English));

    // Dutch sets every cell, so it covers exactly the controls that have a built-in text; English
    // leaves exactly the nine extra panel buttons and the login dialog's line alone.
    EXPECT_EQ(dutch, builtIn);
    std::set<Key> keptInEnglish;
    for (const Key& key : builtIn) {
        if (!english.count(key)) {
            keptInEnglish.insert(key);
        }
    }
    EXPECT_EQ(keptInEnglish.size() + english.size(), builtIn.size()) << "English-only rows";
    std::set<Key> expected{{"paswoord", "linepassword", Property::LineRightEnd}};
    for (std::string_view button :
         {"cmdBlocksites", "cmddevelopers", "cmddonation", "cmdforum", "cmdHelp", "cmdregistration",
          "cmdsecurity", "cmdSubmit", "cmdversion"}) {
        expected.insert({"Parents", button, Property::Caption});
    }
    EXPECT_EQ(keptInEnglish, expected);

    // Both languages reach the browser window and the seven windows they create at start-up.
    const std::set<std::string_view> windows{
        "frmBrowser",  "invoegensite", "Parents", "paswoord",  "paswoordwijzigen",
        "startpagina", "frmBlocker",   "sites",   "tijdperdag"};
    for (Language language : {Language::Dutch, Language::English}) {
        std::set<std::string_view> touched;
        for (const CaptionRow& row : i18n::CaptionTable(language)) {
            touched.insert(row.window);
        }
        EXPECT_EQ(touched, windows) << i18n::LanguageName(language);
    }
}

TEST(CaptionTables, TextsKeepTheirOddities) {
    const auto& nl = i18n::CaptionTable(Language::Dutch);
    const auto& en = i18n::CaptionTable(Language::English);
    const auto& builtIn = i18n::BuiltInCaptions();
    struct Case {
        const std::vector<CaptionRow>& rows;
        std::string_view window;
        std::string_view control;
        std::string_view text;
    };
    const Case cases[] = {
        {nl, "Parents", "cmdclear", "Maak logboek leeg"},
        {nl, "paswoordwijzigen", "lblnieuw", "Nieuwe paswoord:"},
        {en, "Parents", "cmdsave", "Log out en save"},
        {en, "Parents", "cmdclear", "Clear list"},
        {en, "frmBlocker", "lblname",
         "Webaddresses, which contain one of these words will be blocked"},
        {en, "sites", "cmdbezoek", "Visit site"},
        {builtIn, "Parents", "cmdclear", "Clear List"},
        {builtIn, "startpagina", "lblname", "Internetadress:"},
        {builtIn, "paswoord", "lblpaswoord", "password:"},
    };
    for (const Case& c : cases) {
        const CaptionRow* row = i18n::FindRow(c.rows, c.window, c.control, Property::Caption);
        ASSERT_NE(row, nullptr) << c.window << "." << c.control;
        EXPECT_EQ(row->text, c.text) << c.window << "." << c.control;
    }
    const CaptionRow* title = i18n::FindRow(nl, "paswoord", "", Property::Title);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "Inloggen parentcontrol");
    const CaptionRow* line = i18n::FindRow(nl, "paswoord", "linepassword", Property::LineRightEnd);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->twips, 3350);
}

TEST(CaptionTables, EveryPhraseHasBothLanguagesAndKeepsItsNumber) {
    for (i18n::Phrase phrase : i18n::kPhrases) {
        const auto english = i18n::PhraseText(Language::English, phrase);
        const auto dutch = i18n::PhraseText(Language::Dutch, phrase);
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(dutch.empty());
        EXPECT_EQ(i18n::PhraseText(std::nullopt, phrase), english) << "built in: English";
        EXPECT_EQ(english.find("{}") != std::string_view::npos,
                  dutch.find("{}") != std::string_view::npos)
            << english;
    }
    EXPECT_EQ(i18n::PhraseWith(Language::Dutch, i18n::Phrase::TimePerDayMinutes, 60),
              "Tijd per dag: 60 minuten");
    EXPECT_EQ(i18n::PhraseWith(std::nullopt, i18n::Phrase::TimePerDayMinutes, 60),
              "Time per day: 60 minutes");
    EXPECT_EQ(i18n::PhraseText(Language::Dutch, i18n::Phrase::TimePerDayNoLimit),
              "Tijd per dag: geen limiet");
    EXPECT_EQ(i18n::PhraseWith(Language::Dutch, i18n::Phrase::FewMinutesNotice, 3),
              "Nog 3 minuten, dan is het tijd om te stoppen.");
    EXPECT_EQ(i18n::PhraseText(Language::Dutch, i18n::Phrase::OneMinuteNotice),
              "Nog één minuut, dan is het tijd om te stoppen.");
}
