// The blocked words as the parent's file gives them: each row writes "words.txt" as bytes, reads
// it the way the browser and the page process do, and counts the lines found in one address.
#include <gtest/gtest.h>

#include <string>

#include "filter/WordList.h"
#include "support/TempFolder.h"

namespace {

struct Row {
    const char* name;
    std::string file;  // the bytes of words.txt
    const char* address;
    int count;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

int CountInFile(const std::string& bytes, const std::string& address) {
    testsupport::TempFolder dir;
    dir.Put("words.txt", bytes);
    filter::WordList list(dir.File("words.txt"));
    EXPECT_EQ(list.Refresh(), filter::WordList::State::Ready);
    return list.Words().Count(address);
}

class BlockedWords : public ::testing::TestWithParam<Row> {};

TEST_P(BlockedWords, Counts) {
    EXPECT_EQ(CountInFile(GetParam().file, GetParam().address), GetParam().count);
}

const Row kRows[] = {
    {"OverlappingWordsAllCount", "he\r\nshe\r\nhis\r\nhers\r\n", "http://x.org/ushers", 3},
    {"OverlapsOnBothSides", "he\r\nshe\r\nhis\r\nhers\r\n", "http://x.org/ahishers", 4},
    {"ShorterWordInsideALongerOneThatBreaksOff", "abcd\nbc\n", "http://x.org/abce", 1},
    {"WordAfterAFalseStart", "aab\n", "http://x.org/aaab", 1},
    {"RepeatedLineCountsTwice", "casino\r\ncasino\r\n", "http://x.org/casino", 2},
    {"RepeatedOccurrenceCountsOnce", "casino\r\n", "http://x.org/casino/casino", 1},
    {"EmptyLinesNeverMatch", "\r\n\r\n\r\n", "http://x.org/", 0},
    {"EmptyLinesBetweenWords", "\r\ncasino\r\n\r\n", "http://x.org/casino", 1},
    {"LoneCarriageReturnsEndLines", "porn\rcasino\r", "http://x.org/casino", 1},
    {"SpaceFoundEscaped", "sex shop\r\n", "http://x.org/sex%20shop", 1},
    {"CaseCounts", "Casino\r\n", "http://x.org/casino", 0},
    {"CaseCountsInTheHost", "casino\r\n", "http://CASINO.example/", 0},
    {"EscapedCapitalMatches", "Casino\r\n", "http://x.org/%43asino", 1},
    {"HexDigitsEitherCase", "jj\r\n", "http://x.org/%6A%6a", 1},
    {"EscapedOnce", "casino\r\n", "http://x.org/c%61sino", 1},
    {"EscapedThreeTimes", "i\r\n", "http://x.org/%25252569", 1},
    {"HalfwayFormCounts", "%69\r\n", "http://x.org/%2569", 1},
    {"BrokenEscapesStayAsWritten", "%zz\r\n%6\r\n", "http://x.org/%zz%6", 2},
    {"Utf8Word", "caf\xC3\xA9\r\n", "http://x.org/caf%C3%A9", 1},
    {"Utf8WordAsWritten", "caf\xC3\xA9\r\n", "http://x.org/caf\xC3\xA9", 1},
    {"Utf8WordOtherCase", "caf\xC3\xA9\r\n", "http://x.org/CAF%C3%89", 0},
    {"Utf8ByteOrderMarkDropped",
     "\xEF\xBB\xBF"
     "casino\r\n",
     "http://x.org/casino", 1},
    {"Windows1252Word", "caf\xE9\r\n", "http://x.org/caf%C3%A9", 1},
    {"Windows1252EuroSign", "5\x80\r\n", "http://x.org/5%E2%82%AC", 1},
    {"Windows1252FileAllLinesDecoded",
     "stra\xDF"
     "e\r\ncasino\r\n",
     "http://x.org/stra%C3%9Fe", 1},
};

INSTANTIATE_TEST_SUITE_P(Rows, BlockedWords, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Every five-letter word over "a" to "j": 100,000 lines that share almost every prefix and
// suffix, the hardest list for the links between them.
const std::string& LongList() {
    static const std::string file = [] {
        std::string bytes;
        for (int n = 0; n < 100000; ++n) {
            for (int place = 10000; place > 0; place /= 10) {
                bytes += static_cast<char>('a' + n / place % 10);
            }
            bytes += "\r\n";
        }
        return bytes;
    }();
    return file;
}

class LongWordList : public ::testing::TestWithParam<Row> {};

TEST_P(LongWordList, Counts) {
    EXPECT_EQ(CountInFile(LongList(), GetParam().address), GetParam().count);
}

const Row kLongRows[] = {
    {"CleanAddressOpens", "", "http://pbskids.org/games/kids.html?id=42", 0},
    {"LastWordFound", "", "http://x.org/jjjjj", 1},
    {"FirstWordFound", "", "http://x.org/aaaaa", 1},
    {"EveryOverlapCounted", "", "http://x.org/abcdefg", 3},
    {"RunOfOneLetterCountsOnce", "", "http://x.org/jjjjjjjj", 1},
    {"FourLettersAreNoWord", "", "http://x.org/jjjj/abcd", 0},
    {"LastWordEscaped", "", "http://x.org/%6Aj%256Ajj", 1},
};

INSTANTIATE_TEST_SUITE_P(Rows, LongWordList, ::testing::ValuesIn(kLongRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
