#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/RealPlatform.h"

namespace {

// The engine set up as the program reads aloud, its sound taken into memory instead of played:
// a Dutch site name is read in the Dutch voice, and a text without a language in English.
TEST(ReadAloud, ASiteNameBecomesSoundInTheVoiceOfItsLanguage) {
    if (!app::espeak::Built()) {
        GTEST_SKIP() << "built without espeak-ng";
    }
    std::vector<short> sound;
    ASSERT_TRUE(app::espeak::Start([&sound](const short* samples, int count) {
        sound.insert(sound.end(), samples, samples + count);
    }));
    auto voiceFor = [&sound](std::optional<std::string> language) {
        sound.clear();
        EXPECT_TRUE(app::espeak::Read("Sesamstraat", language));
        return app::espeak::VoiceLanguage();
    };
    EXPECT_EQ(voiceFor("nl"), "nl");
    EXPECT_EQ(voiceFor(std::nullopt), "en-gb");  // not the voice before it
    EXPECT_EQ(voiceFor("en"), "en-gb");
    EXPECT_EQ(voiceFor("nl"), "nl");  // the sound below is this reading's
    app::espeak::End();

    EXPECT_GT(sound.size(), 4000u);  // over a fifth of a second at the engine's 22,050 Hz
    const short loudest = std::ranges::max(sound, {}, [](short s) { return std::abs(s); });
    EXPECT_GT(std::abs(loudest), 1000);
}

}  // namespace
