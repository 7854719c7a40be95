#include "storage/LineFile.h"

namespace storage {

WriteResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines) {
    return formats::ReplaceFile(path, formats::CrLfText(lines));
}

WriteResult WriteAllBytes(const std::string& path, std::string_view content) {
    return formats::ReplaceFile(path, content);
}

}  // namespace storage
