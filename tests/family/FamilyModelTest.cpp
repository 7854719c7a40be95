#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "family/FamilyModel.h"
#include "support/TempFolder.h"

namespace {

using Change = family::FamilyModel::Change;
using Lines = std::vector<std::string>;

class StoppedClock : public basics::Clock {
public:
    std::string DateText() override { return "9-12-2026"; }
    std::string TimeText() override { return "08:00:00"; }
    double SteadySeconds() override { return 100; }
    basics::LocalTime Now() override {
        if (broken) {
            throw std::runtime_error("no clock");
        }
        return {{2026, 12, 7}, 8 * 3600};  // a Monday
    }
    bool broken = false;
};

struct Family : ::testing::Test {
    testsupport::TempFolder folder;
    storage::DataFiles data{folder.Path()};
    StoppedClock clock;
    family::FamilyModel model{data, clock};
    std::vector<Change> told;

    void SetUp() override {
        model.Observe([this](Change change) { told.push_back(change); });
    }
};

TEST_F(Family, ChangesHoldAtOnceAreToldAndKnowWhatDiffersFromTheFiles) {
    folder.Put("adressen.txt", "Kids                 pbskids.org\r\n");
    folder.Put("startpagina.txt", "Home                 http://one.example/\r\n"
                                  "Home                 http://two.example/\r\n");
    folder.Put("instellingen.txt", "alleentoegestaan=1\r\n");
    model.LoadSites();
    model.LoadStartPage();
    model.LoadSettings();
    EXPECT_FALSE(model.SitesPending());
    EXPECT_EQ(model.StartAddress(), "http://two.example/");
    EXPECT_TRUE(model.AllowedSitesOnly());
    EXPECT_FALSE(model.AllowedSitesOnlyTurned());

    told.clear();
    model.AddSite("Starfall             starfall.com");
    model.DeleteSite(0);
    model.DeleteSite(5);  // nothing there: nothing changes
    model.SetAllowedSitesOnly(false);
    EXPECT_EQ(told, (std::vector<Change>{Change::Sites, Change::Sites, Change::AllowedSitesOnly}));
    EXPECT_TRUE(model.SitesPending());
    EXPECT_TRUE(model.AllowedSitesOnlyTurned());
    EXPECT_EQ(model.AllowedAddresses(),
              (Lines{"starfall.com", "http://one.example/", "http://two.example/"}));

    model.AddBareAddress("http://x.example/");
    model.AddReachedPage("http://x.example/");
    EXPECT_EQ(model.VisitLog(), (Lines{"http://x.example/",
                                       "http://x.example/ --> Datum: 9-12-2026 Tijd: 08:00:00"}));
}

TEST_F(Family, ABudgetThatCannotBeMadeKeepsTheLimitUntilTheParentIsTold) {
    folder.Put("instellingen.txt", "minutenmaandag=30\r\n");
    model.LoadSettings();
    clock.broken = true;
    model.StartTimeBudget();
    EXPECT_TRUE(model.TimeIsUp());
    const auto failure = model.TakeTimeFailure();
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->atStart);
    EXPECT_EQ(failure->reason, "no clock");
    EXPECT_FALSE(model.TakeTimeFailure());  // told once

    // The parent sets the limits again: with a clock that works the day counts as it should.
    clock.broken = false;
    model.SetLimits(model.Limits());
    EXPECT_FALSE(model.TimeIsUp());
    ASSERT_NE(model.Budget(), nullptr);
    EXPECT_EQ(model.Budget()->RemainingMinutes(), 30);
}

}  // namespace
