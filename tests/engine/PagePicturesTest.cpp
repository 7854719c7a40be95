#include <gtest/gtest.h>

#include "engine/PagePictures.h"

namespace {

using engine::PagePicture;
using Kind = PagePicture::Kind;

// What a page answers, and the addresses tried from it, best first.
TEST(PagePictures, TouchIconsFirstThenLargeOrUnsizedIconsThenTheSharingImage) {
    const struct {
        const char* answer;
        std::vector<std::string> tried;
    } cases[] = {
        {"i\t16\thttp://a/16.png\ni\t0\thttp://a/any.ico\ns\t0\thttp://a/og.jpg\n"
         "i\t192\thttp://a/192.png\ni\t64\thttp://a/64.png\nt\t0\thttp://a/touch.png",
         {"http://a/touch.png", "http://a/192.png", "http://a/64.png", "http://a/any.ico",
          "http://a/og.jpg"}},
        // The same address twice is fetched once, at its best place.
        {"i\t0\thttp://a/x.png\nt\t180\thttp://a/x.png", {"http://a/x.png"}},
        // Lines in no known form are left out; so is a kind nobody declared.
        {"x\t0\thttp://a/x\ni\t-4\thttp://a/neg\ni\tbig\thttp://a/big\ni\t0\t\nno tabs\n"
         "tt\t0\thttp://a/two",
         {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        std::vector<std::string> tried;
        for (const auto& picture : engine::PicturesToTry(engine::ReadPagePictures(c.answer))) {
            tried.push_back(picture.url);
        }
        EXPECT_EQ(tried, c.tried);
    }
    const auto read = engine::ReadPagePictures("t\t180\thttp://a/t.png");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].kind, Kind::TouchIcon);
    EXPECT_EQ(read[0].size, 180);
}

}  // namespace
