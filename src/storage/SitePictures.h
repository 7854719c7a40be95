#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Pictures.h"
#include "storage/DataFiles.h"

namespace storage {

// The pictures of the site buttons: one PNG file per site in a folder beside the data files,
// named from the site's address, so the site file keeps its format and its meaning.
namespace pictures {

using formats::pictures::FileNameOf;
using formats::pictures::kFolder;
using formats::pictures::kMaxBytes;

// The picture's bytes: a file that is no PNG or larger than kMaxBytes is taken for none.
std::optional<std::string> Read(const DataFiles& files, std::string_view address);
// Replaces the picture whole, making the folder when it is missing. Empty bytes store "no
// picture": the site keeps none, and none is looked for.

WriteResult Write(const DataFiles& files, std::string_view address, std::string_view png);
// Only where nothing is stored for the site yet: a picture its page gave.
WriteResult Add(const DataFiles& files, std::string_view address, std::string_view png);
// Whether a picture or "no picture" is stored for the site, whole or not: then none is looked
// for on the site's pages.
bool Stored(const DataFiles& files, std::string_view address);
// Removes the pictures of every site not among `addresses`, and whatever else lies in the folder
// that is no site's picture (a copy a killed write left).
void KeepOnly(const DataFiles& files, const std::vector<std::string>& addresses);

}  // namespace pictures

}  // namespace storage
