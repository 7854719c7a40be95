#include "storage/DataPath.h"

#include <filesystem>

namespace storage {

std::string DataPath(const std::string& folder, char separator) {
    if (!folder.empty() && folder.back() == separator) {
        return folder;
    }
    return folder + separator;
}

std::string DataPath(const std::string& folder) {
    return DataPath(folder, static_cast<char>(std::filesystem::path::preferred_separator));
}

}  // namespace storage
