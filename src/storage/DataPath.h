#pragma once

#include <string>

#include "formats/Files.h"

namespace storage {

// The data files' names are formats' (formats/Files.h), shared with the family install's helper.
namespace files = formats::files;

// The folder with exactly one trailing separator, so callers can append a file name.
// A folder that already ends in the separator (a root such as "/" or "C:\") gets no second one.
std::string DataPath(const std::string& folder, char separator);

// DataPath with this platform's separator.
std::string DataPath(const std::string& folder);

}  // namespace storage
