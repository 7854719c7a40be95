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

Key KeyOf(const CaptionRow& row) {
    return {row.window, row.control, row.property};
}

std::set<Key> KeysOf(const std::vector<CaptionRow>& rows) {
    std::set<Key> keys;
    for (const CaptionRow& row : rows) {
        keys.insert(KeyOf(row));
    }
    return keys;
}

std::string Describe(const Key& key) {
    return std::string(std::get<0>(key)) + "." + std::string(std::get<1>(key)) + " #" +
           std::to_string(static_cast<int>(std::get<2>(key)));
}

struct NamedTable {
    const char* name;
    const std::vector<CaptionRow>& rows;
};

std::vector<NamedTable> AllTables() {
    return {{"Dutch", i18n::CaptionTable(Language::Dutch)},
            {"English", i18n::CaptionTable(Language::English)},
            {"built-in", i18n::BuiltInCaptions()}};
}

}  // namespace

TEST(LanguageName, OnlyTheExactNamesSelectATable) {
    struct Case {
        std::string_view text;
        std::optional<Language> expected;
    };
    const Case cases[] = {
        {"Dutch", Language::Dutch},
        {"English", Language::English},
        {"dutch", std::nullopt},
        {"DUTCH", std::nullopt},
        {"english", std::nullopt},
        {"Dutch ", std::nullopt},
        {" Dutch", std::nullopt},
        {"Dutch\r", std::nullopt},  // a CR LF file read without stripping the CR
        {"English\n", std::nullopt},
        {"Englis", std::nullopt},
        {"EnglishDutch", std::nullopt},
        {"", std::nullopt},
        {"French", std::nullopt},
        {std::string_view("Dutch\0", 6), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(i18n::LanguageFromName(c.text), c.expected) << '"' << c.text << '"';
    }
    for (Language language : {Language::Dutch, Language::English}) {
        EXPECT_EQ(i18n::LanguageFromName(i18n::LanguageName(language)), language);
    }
}

TEST(LanguageChoice, StoresTwoRefusesThreeAndIgnoresTheRest) {
    struct Case {
        std::string_view text;
        LanguageChoice expected;
    };
    const Case cases[] = {
        {"Dutch", LanguageChoice::Store},    {"English", LanguageChoice::Store},
        {"German", LanguageChoice::Refuse},  {"French", LanguageChoice::Refuse},
        {"Spanish", LanguageChoice::Refuse}, {"french", LanguageChoice::Ignore},
        {"German ", LanguageChoice::Ignore}, {"Italian", LanguageChoice::Ignore},
        {"", LanguageChoice::Ignore},        {"dutch", LanguageChoice::Ignore},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(i18n::ClassifyLanguageChoice(c.text), c.expected) << '"' << c.text << '"';
    }
    // Every name the panel offers leads somewhere: stored or refused, never silently ignored.
    for (std::string_view item : i18n::kLanguageListItems) {
        EXPECT_NE(i18n::ClassifyLanguageChoice(item), LanguageChoice::Ignore) << item;
    }
    EXPECT_EQ(i18n::ClassifyLanguageChoice(i18n::kLanguageListDefault), LanguageChoice::Store);
}

TEST(LanguageChoice, MessagesKeepTheirExactWording) {
    EXPECT_EQ(i18n::RestartMessage(Language::English),
              "To let these options work, the program most be reboot.");
    EXPECT_EQ(i18n::RestartMessage(Language::Dutch),
              "Om deze instellingen te doen werken, moet het programma opnieuw worden opgestart.");
    EXPECT_NE(i18n::kRefusalMessage.find("language.  Please"), std::string_view::npos);
    EXPECT_EQ(i18n::kRefusalMessage.find("   "), std::string_view::npos);
    EXPECT_EQ(i18n::kMessageTitle, "Lanternwick");
}

TEST(CaptionTables, RowsAreWellFormedAndUnique) {
    for (const NamedTable& table : AllTables()) {
        std::set<Key> seen;
        for (const CaptionRow& row : table.rows) {
            const Key key = KeyOf(row);
            EXPECT_TRUE(seen.insert(key).second) << table.name << " repeats " << Describe(key);
            EXPECT_FALSE(row.window.empty()) << table.name;
            switch (row.property) {
                case Property::Title:
                    EXPECT_TRUE(row.control.empty()) << table.name << " " << Describe(key);
                    EXPECT_FALSE(row.text.empty()) << table.name << " " << Describe(key);
                    break;
                case Property::Caption:
                    EXPECT_FALSE(row.control.empty()) << table.name << " " << Describe(key);
                    EXPECT_FALSE(row.text.empty()) << table.name << " " << Describe(key);
                    break;
                case Property::LineRightEnd:
                    EXPECT_TRUE(row.text.empty()) << table.name << " " << Describe(key);
                    EXPECT_GT(row.twips, 120) << table.name << " " << Describe(key);
                    break;
            }
        }
    }
}

TEST(CaptionTables, TablesOnlyWriteControlsThatHaveABuiltInText) {
    const std::set<Key> builtIn = KeysOf(i18n::BuiltInCaptions());
    const std::set<Key> dutch = KeysOf(i18n::CaptionTable(Language::Dutch));
    const std::set<Key> english = KeysOf(i18n::CaptionTable(Language::English));

    // Dutch sets every cell, so it covers exactly the controls that have a built-in text.
    EXPECT_EQ(dutch, builtIn);
    for (const Key& key : english) {
        EXPECT_TRUE(dutch.count(key)) << "English-only row " << Describe(key);
    }

    // English leaves exactly the nine extra panel buttons and the login dialog's line alone.
    std::set<Key> keptInEnglish;
    for (const Key& key : builtIn) {
        if (!english.count(key)) {
            keptInEnglish.insert(key);
        }
    }
    std::set<Key> expected{{"paswoord", "linepassword", Property::LineRightEnd}};
    for (std::string_view button :
         {"cmdBlocksites", "cmddevelopers", "cmddonation", "cmdforum", "cmdHelp", "cmdregistration",
          "cmdsecurity", "cmdSubmit", "cmdversion"}) {
        expected.insert({"Parents", button, Property::Caption});
    }
    EXPECT_EQ(keptInEnglish, expected);

    // Both languages reach the browser window and the seven windows they create at start-up.
    const std::set<std::string_view> windows{
        "frmBrowser",       "invoegensite", "Parents",    "paswoord",
        "paswoordwijzigen", "startpagina",  "frmBlocker", "sites"};
    for (Language language : {Language::Dutch, Language::English}) {
        std::set<std::string_view> touched;
        for (const CaptionRow& row : i18n::CaptionTable(language)) {
            touched.insert(row.window);
        }
        EXPECT_EQ(touched, windows) << i18n::LanguageName(language);
    }
}

TEST(CaptionTables, TextsKeepTheirOddities) {
    struct Case {
        const std::vector<CaptionRow>& rows;
        std::string_view window;
        std::string_view control;
        Property property;
        std::string_view text;
    };
    const auto& nl = i18n::CaptionTable(Language::Dutch);
    const auto& en = i18n::CaptionTable(Language::English);
    const auto& builtIn = i18n::BuiltInCaptions();
    const Case cases[] = {
        {nl, "Parents", "cmdclear", Property::Caption, "Maak logboek leeg"},
        {nl, "Parents", "cmdchange", Property::Caption, "Verander paswoord"},
        {nl, "paswoord", "", Property::Title, "Inloggen parentcontrol"},
        {nl, "frmBrowser", "cmdvisit", Property::Caption, "BEZOEK EEN SITE"},
        {nl, "paswoordwijzigen", "lblnieuw", Property::Caption, "Nieuwe paswoord:"},
        {en, "Parents", "cmdDelete", Property::Caption, "Delete internetaddress"},
        {en, "Parents", "cmdsave", Property::Caption, "Log out en save"},
        {en, "Parents", "cmdclear", Property::Caption, "Clear list"},
        {en, "frmBlocker", "lblname", Property::Caption,
         "Webaddresses, which contain one of these words will be blocked"},
        {en, "sites", "cmdbezoek", Property::Caption, "Visit site"},
        {builtIn, "frmBlocker", "lblname", Property::Caption,
         "Webaddresses, which contain one of these words will be blocked:"},
        {builtIn, "Parents", "cmdclear", Property::Caption, "Clear List"},
        {builtIn, "startpagina", "lblname", Property::Caption, "Internetadress:"},
        {builtIn, "paswoord", "lblpaswoord", Property::Caption, "password:"},
        {builtIn, "sites", "cmdbezoek", Property::Caption, "Bezoek site"},
    };
    for (const Case& c : cases) {
        const CaptionRow* row = i18n::FindRow(c.rows, c.window, c.control, c.property);
        ASSERT_NE(row, nullptr) << c.window << "." << c.control;
        EXPECT_EQ(row->text, c.text) << c.window << "." << c.control;
    }

    const CaptionRow* line = i18n::FindRow(nl, "paswoord", "linepassword", Property::LineRightEnd);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->twips, 3350);
    line = i18n::FindRow(builtIn, "paswoord", "linepassword", Property::LineRightEnd);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->twips, 3000);
    // A control name is not a title: the lookup keeps the two kinds apart.
    EXPECT_EQ(i18n::FindRow(nl, "paswoord", "", Property::Caption), nullptr);
}
