#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/RealPlatform.h"

namespace {

// A mono 16-bit WAVE file at the engine's rate, so a person can listen to what a test heard.
void WriteWave(const std::filesystem::path& path, const std::vector<short>& sound) {
    const auto bytes = static_cast<std::uint32_t>(sound.size() * sizeof(short));
    auto put = [](std::ofstream& out, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            out.put(static_cast<char>((value >> (8 * i)) & 0xff));
        }
    };
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    put(out, 36 + bytes, 4);
    out << "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2);  // plain samples
    put(out, 1, 2);  // one channel
    put(out, 22050, 4);
    put(out, 22050 * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out << "data";
    put(out, bytes, 4);
    out.write(reinterpret_cast<const char*>(sound.data()), bytes);
}

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

    // The sound file holds the name as heard: over a fifth of a second at 22,050 Hz, not silence.
    const auto file = std::filesystem::path(::testing::TempDir()) / "sesamstraat.wav";
    WriteWave(file, sound);
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> stored{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(stored.size(), 44u + 2 * 4000u);
    std::vector<short> heard((stored.size() - 44) / 2);
    std::copy(stored.begin() + 44, stored.begin() + 44 + heard.size() * 2,
              reinterpret_cast<char*>(heard.data()));
    const short loudest = std::ranges::max(heard, {}, [](short s) { return std::abs(s); });
    EXPECT_GT(std::abs(loudest), 1000);
}

}  // namespace
