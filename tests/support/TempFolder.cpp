#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

TempFolder::TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ =
        fs::temp_directory_path() / ("lanternwick-" + std::string(test ? test->name() : "data") +
                                     "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempFolder::Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempFolder::Get(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace testsupport
