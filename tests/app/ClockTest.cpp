#include <gtest/gtest.h>

#include <regex>

#include "app/RealPlatform.h"

// The log stamps must carry seconds and no time zone, in whatever format the locale gives.
TEST(SystemClock, TimeHasSecondsAndNoZoneAndTheDateIsShort) {
    app::SystemClock clock;
    const std::string time = clock.TimeText();
    EXPECT_TRUE(std::regex_search(time, std::regex(R"(\d{1,2}[:.]\d{2}[:.]\d{2})"))) << time;
    EXPECT_FALSE(std::regex_search(time, std::regex(R"([A-Z]{3,}|[+-]\d{2}:?\d{2})"))) << time;
    const std::string date = clock.DateText();
    EXPECT_TRUE(std::regex_search(date, std::regex(R"(\d)"))) << date;
    EXPECT_LE(date.size(), 12u) << date;
}
