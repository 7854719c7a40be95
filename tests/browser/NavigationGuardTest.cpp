// The guard's rules without a window: the program's own pages and their buttons, and the time
// cover's hold on every way in.
#include <gtest/gtest.h>

#include "basics/Clock.h"
#include "browser/NavigationGuard.h"
#include "engine/WebView.h"
#include "family/FamilyModel.h"
#include "filter/ProgramPages.h"
#include "support/TempFolder.h"

namespace {

using Act = browser::NavigationGuard::Act;

class ShownPage : public engine::WebView {
public:
    wxWindow* Control() override { return nullptr; }
    void SetEvents(engine::WebViewEvents) override {}
    void Navigate(const std::string&) override {}
    bool GoBack() override { return false; }
    bool GoForward() override { return false; }
    void Refresh() override {}
    void Stop() override {}
    void Empty() override {}
    std::string LocationURL() const override { return location; }
    bool IsLoading() const override { return false; }
    std::vector<std::string> BackHistory() const override { return {}; }
    bool RequestFilterMissing() const override { return false; }
    void UseFilterSettings(const filter::Settings&) override {}
    void FindPagePictures(std::function<void(std::vector<engine::PagePicture>)>) override {}
    void Fetch(const std::string&, std::size_t, std::function<bool(const std::string&)>,
               std::function<void(std::optional<std::string>)>) override {}
    void Snapshot(std::function<void(wxImage)>) override {}
    std::string location = "about:blank";
};

class Still : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "15:00:00"; }
    double SteadySeconds() override { return 0; }
    basics::LocalTime Now() override { return {{2026, 12, 9}, 15 * 3600}; }
};

struct Guard : ::testing::Test {
    Guard() { folder.Put("words.txt", "casino\r\n"); }
    testsupport::TempFolder folder;
    storage::DataFiles data{folder.Path()};
    Still clock;
    family::FamilyModel family{data, clock};
    ShownPage view;
    browser::NavigationGuard guard{family, view};
};

TEST_F(Guard, TheProgramsPagesAndTheirButtonsAreTheProgramsAlone) {
    const std::string refused = guard.Address(filter::kRefusedPage);
    EXPECT_TRUE(guard.Serves(refused));
    EXPECT_TRUE(guard.BeforeNavigate(refused, filter::Kind::TopLevel, false).opens);
    for (const std::string& forged :
         {std::string(filter::kRefusedPage), refused + "x", std::string(filter::kHelpPage) + "?",
          std::string(filter::kNotAnsweringPage)}) {
        EXPECT_FALSE(guard.Serves(forged)) << forged;
        const auto answer = guard.BeforeNavigate(forged, filter::Kind::TopLevel, false);
        EXPECT_FALSE(answer.opens) << forged;
        EXPECT_TRUE(answer.explain) << forged;
    }
    EXPECT_FALSE(guard.BeforeNavigate(refused, filter::Kind::Frame, false).opens);

    // A button acts only from its own page, as the program opened it, and never opens.
    view.location = refused;
    EXPECT_EQ(
        guard.BeforeNavigate(std::string(filter::kAskLink), filter::Kind::TopLevel, false).act,
        Act::Ask);
    EXPECT_EQ(
        guard.BeforeNavigate(std::string(filter::kRetryLink), filter::Kind::TopLevel, false).act,
        Act::None);
    EXPECT_EQ(guard.BeforeNavigate(std::string(filter::kAskLink), filter::Kind::Frame, false).act,
              Act::None);
    for (const char* page : {"lanternwick://refused/", "http://casino-free.example/"}) {
        view.location = page;
        const auto answer =
            guard.BeforeNavigate(std::string(filter::kAskLink), filter::Kind::TopLevel, false);
        EXPECT_EQ(answer.act, Act::None) << page;
        EXPECT_FALSE(answer.opens) << page;
    }
}

TEST_F(Guard, UnderTheCoverOnlyTheEmptyPageAndTheAskedHelpOpen) {
    const std::string help = guard.Address(filter::kHelpPage);
    EXPECT_FALSE(guard.BeforeNavigate("http://zoo.example/", filter::Kind::TopLevel, true).opens);
    EXPECT_FALSE(guard.BeforeNavigate(help, filter::Kind::TopLevel, true).opens);
    EXPECT_TRUE(guard.BeforeNavigate("about:blank", filter::Kind::TopLevel, true).opens);
    guard.AskHelp();
    EXPECT_TRUE(guard.BeforeNavigate(help, filter::Kind::TopLevel, true).opens);
    EXPECT_FALSE(guard.Reached("http://zoo.example/"));
    EXPECT_FALSE(guard.HelpAsked()) << "any other page reached ends the parent's wish";
    EXPECT_TRUE(guard.Reached("http://casino.example/"));
}

TEST(LogPace, AnEntryAgainWithinAMinuteIsWrittenOnceAndAMinuteHoldsTwentyAtMost) {
    struct Step {
        const char* kind;
        const char* address;
        double at;
        bool written;
    };
    const Step steps[] = {
        {"bare", "http://a/", 0, true},
        {"reached", "http://a/", 0, true},  // the address opened and the page reached
        {"reached", "http://a/", 30, false},
        {"reached", "http://a/", 59.9, false},
        {"reached", "http://a/", 60, true},  // a minute after its first time
        {"reached", "http://b/", 60, true},
    };
    family::LogPace pace;
    for (const Step& step : steps) {
        EXPECT_EQ(pace.Admits(step.kind, step.address, step.at), step.written)
            << step.kind << " " << step.address << " at " << step.at;
    }
    family::LogPace loop;
    int written = 0;
    for (int i = 0; i < 100; ++i) {
        written += loop.Admits("reached", "http://loop/?n=" + std::to_string(i), i * 0.5) ? 1 : 0;
    }
    EXPECT_EQ(written, 20);
    EXPECT_TRUE(loop.Admits("reached", "http://loop/?n=100", 60));
}

}  // namespace
