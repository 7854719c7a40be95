// Reading needs nothing of the toolkit, so the web process's filter can read "words.txt" with
// exactly the rules the program uses.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "storage/LineFile.h"

namespace storage {

std::optional<std::vector<std::string>> ReadAllLines(const std::string& path) {
    // A folder, a device or a pipe in a data file's place is no data file.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return std::nullopt;
        }
        return formats::DecodeLines(bytes);
    } catch (const std::exception&) {
        return std::nullopt;  // a read error part-way is an unreadable file, not half a list
    }
}

}  // namespace storage
