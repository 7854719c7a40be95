// A login through the family install's helper beside the same login read from a portable data
// folder, as the program makes them. Run as the child whose install `helper` belongs to:
//   bench_helper_login HELPER PASSWORD RUNS
// prints the median milliseconds of each, and what the helper adds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "family/ParentLogin.h"
#include "storage/HelperFiles.h"

namespace {

class WallClock : public basics::Clock {
public:
    std::string DateText() override { return ""; }
    std::string TimeText() override { return ""; }
    double SteadySeconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    basics::LocalTime Now() override { return {{2026, 12, 9}, 12 * 3600}; }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Step>
double Milliseconds(Step step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_helper_login HELPER PASSWORD RUNS\n");
        return 2;
    }
    const std::string password = argv[2];
    const int runs = std::max(1, std::atoi(argv[3]));
    const auto folder = std::filesystem::temp_directory_path() / "lanternwick-bench-login";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "paswoordNaam.txt", std::ios::binary) << "parents\r\n";
    std::ofstream(folder / "paswoordNr.txt", std::ios::binary) << password << "\r\n";

    WallClock clock;
    storage::DataFiles portable(folder.string());
    storage::HelperFiles family(argv[1], folder.string());
    std::vector<double> direct, helped;
    for (int i = 0; i < runs; ++i) {
        family::ParentLogin here(portable, clock);
        family::ParentLogin there(family, clock);
        direct.push_back(Milliseconds([&] {
            if (!here.Try("parents", password).Right()) {
                std::exit(1);
            }
        }));
        helped.push_back(Milliseconds([&] {
            if (!there.Try("parents", password).Right()) {
                std::exit(1);
            }
        }));
    }
    std::filesystem::remove_all(folder);
    std::printf("%.3f %.3f %.3f\n", Median(helped), Median(direct),
                Median(helped) - Median(direct));
    return 0;
}
