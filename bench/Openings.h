// What the tools that time a window's opening share: the pictures they store and the figures
// they print.
#pragma once

#include <wx/image.h>
#include <wx/mstream.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline std::string PngOf(const wxImage& image) {
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    std::string png(out.GetLength(), '\0');
    out.CopyTo(png.data(), png.size());
    return png;
}

// Times `open` runs + 1 times and leaves out the first, which also loads the toolkit's code for
// it; `between` runs after each opening, untimed.
template <typename Open, typename Between>
std::vector<double> TimeOpenings(int runs, Open&& open, Between&& between) {
    std::vector<double> times;
    for (int run = 0; run < runs + 1; ++run) {
        const auto start = std::chrono::steady_clock::now();
        open();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (run > 0) {
            times.push_back(ms);
        }
        between(run);
    }
    return times;
}

// The line scripts/bench.sh reads: the median and the slowest opening, in milliseconds.
inline void PrintMedianAndSlowest(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%.3f %.3f\n", times[times.size() / 2], times.back());
    std::fflush(stdout);
}

}  // namespace bench
