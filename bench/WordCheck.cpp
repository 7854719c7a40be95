// One blocked-word check the way the browser window makes it right after "words.txt" changed:
// read the file from the data folder, prepare the words, then look for all of them in the
// address. (While the file stays the same, the window keeps the prepared words and a check only
// looks at the file's size and times first.)
//   bench_wordcheck FOLDER ADDRESS RUNS
// makes RUNS checks one after another and prints the median time of one, in microseconds, and
// the number of words found.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "filter/BlockedWords.h"
#include "storage/DataFiles.h"

namespace {

int Check(const storage::DataFiles& data, const std::string& address) {
    const auto words = data.Read("words.txt");
    return words ? filter::BlockedWordCount(*words, address) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER ADDRESS RUNS\n", argv[0]);
        return 2;
    }
    const storage::DataFiles data(argv[1]);
    const std::string address = argv[2];
    const int runs = std::max(1, std::atoi(argv[3]));
    std::vector<double> micros;
    int hits = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        hits = Check(data, address);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        micros.push_back(took.count());
    }
    std::nth_element(micros.begin(), micros.begin() + runs / 2, micros.end());
    std::printf("%.3f %d\n", micros[runs / 2], hits);
    return 0;
}
