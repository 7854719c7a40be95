#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/AllowedSites.h"

using filter::IsAllowedSite;

TEST(AllowedSites, HostsAreReadAsAnEngineReadsThem) {
    struct Case {
        const char* address;
        const char* host;  // nullptr: no web host
    };
    const Case cases[] = {
        {"http://pbskids.org/games", "pbskids.org"},
        {"HTTPS://PBSKids.ORG./", "pbskids.org"},
        {"http://pbskids.org@evil.example/", "evil.example"},
        {"http://a@b:c@evil.example", "evil.example"},
        {"http://evil.example\\@pbskids.org/", "evil.example"},
        {"http://evil.example#@pbskids.org/", "evil.example"},
        {"http://evil.example?@pbskids.org/", "evil.example"},
        {"http:\\\\evil.example\\x", "evil.example"},
        {"http:evil.example", "evil.example"},
        {"  http://pbs\tkids.org\n ", "pbskids.org"},
        {"http://pbskids.org:8080/x", "pbskids.org"},
        {"http://%70bskids%2Eorg/", "pbskids.org"},
        {"http://pbskids.org%2eevil.example/", "pbskids.org.evil.example"},
        {"http://[::1]:80/", "[::1]"},
        {"http://pbskids.org:80x/", nullptr},
        {"http://pbskids%252eorg/", nullptr},
        {"http://pbskids%00.org/", nullptr},
        {"http://pbs kids.org/", nullptr},
        {"http://p\xC3\xA9skids.org/", nullptr},
        {"http://[::1/", nullptr},
        {"http://", nullptr},
        {"http://user@/", nullptr},
        {"http://./", nullptr},
        {"http://a..b/", nullptr},
        {"ftp://pbskids.org/", nullptr},
        {"javascript:alert(1)//pbskids.org", nullptr},
        {"pbskids.org", nullptr},
    };
    for (const Case& c : cases) {
        const auto host = filter::WebHost(c.address);
        if (c.host) {
            EXPECT_EQ(host.value_or("(none)"), c.host) << c.address;
        } else {
            EXPECT_FALSE(host.has_value()) << c.address << " -> " << *host;
        }
    }
}

TEST(AllowedSites, OnlyAllowedHostsAndTheirSubdomainsOpen) {
    const std::vector<std::string> allowed = {
        "pbskids.org", "http://www.sesamestreet.org/games", "localhost:8080", "https://[::1]/", "",
        "   "};
    struct Case {
        const char* address;
        bool opens;
    };
    const Case cases[] = {
        {"http://pbskids.org/", true},
        {"https://www.pbskids.org/", true},
        {"http://video.pbskids.org/watch", true},
        {"http://sesamestreet.org/", true},  // "www." on the allowed address is the bare host
        {"http://cookie.sesamestreet.org/", true},
        {"http://localhost:9999/", true},
        {"http://[::1]:8000/", true},
        {"about:blank", true},
        {"ABOUT:BLANK", true},
        {"http://pbskids.org.evil.example/", false},
        {"http://evilpbskids.org/", false},
        {"http://pbskids.org@evil.example/", false},
        {"http://evil.example\\@pbskids.org/", false},
        {"http://pbskids.org%2eevil.example/", false},
        {"http://org/", false},
        {"http://sub.[::1]/", false},
        {"file:///etc/passwd", false},
        {"about:config", false},
        {"data:text/html,hi", false},
        {"javascript:location='http://pbskids.org'", false},
        {"blob:http://pbskids.org/1234", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAllowedSite(c.address, allowed), c.opens) << c.address;
    }
    // Blank records, and an empty list, let nothing in.
    EXPECT_FALSE(IsAllowedSite("http://example.org/", {"", "http://", "www."}));
    EXPECT_FALSE(IsAllowedSite("http://example.org/", {}));
}

TEST(AllowedSites, TheStartPageCountsAsAnAllowedSite) {
    // As the family model gives them: the sites' addresses, then the start page's.
    const std::vector<std::string> addresses{"pbskids.org", "http://www.start.example/home"};
    EXPECT_TRUE(IsAllowedSite("http://start.example/", addresses));
    EXPECT_TRUE(IsAllowedSite("http://pbskids.org/", addresses));
    EXPECT_FALSE(IsAllowedSite("http://other.example/", addresses));
}

TEST(AllowedSites, AReachedPageBelongsToTheListedSiteItLiesUnder) {
    const std::vector<std::string> listed = {
        "http://tv.example/kids/", "tv.example/games",      "http://tv.example:8002/",
        "tv.example:8001",         "www.stories.example",   "http://stories.example/read/",
        "https://[::1]:9000/a/",   "http://[::1]:9000/a/b/"};
    struct Case {
        const char* page;
        int site;  // -1: none
    };
    const Case cases[] = {
        {"http://tv.example/games/puzzle.html", 1},  // two sections of one host
        {"https://TV.example/kids/", 0},
        {"http://tv.example/gamesroom/", 0},  // under no section: the first on the host
        {"http://tv.example:8001/", 3},       // two ports of one host
        {"http://tv.example:8002/", 2},
        {"http://tv.example:80/games", 1},
        {"http://www.stories.example/read/book?p=read/", 5},  // with a path and without
        {"http://stories.example/draw/", 4},
        {"http://cdn.stories.example/", 4},
        {"http://[::1]:9000/a/b/c", 7},
        {"http://other.example/kids/", -1},
        {"http://tv.example.evil.example/kids/", -1},
        {"about:blank", -1},
    };
    for (const Case& c : cases) {
        const auto found = filter::BestListedSite(c.page, listed);
        EXPECT_EQ(found ? static_cast<int>(*found) : -1, c.site) << c.page;
    }
}
