#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "i18n/CaptionTables.h"

namespace browser {

// The HTML of one of the program's own pages (kRefusedPage, kAskedPage, kNotAnsweringPage,
// kHelpPage) in `language` (none: the built-in texts); empty for any other address. The help
// page names `dataFolder`, where the parent finds the files it speaks of. `offerLater`: the
// refusal page has its button that keeps the address for later.
std::string ProgramPageHtml(std::string_view url, std::optional<i18n::Language> language,
                            const std::string& dataFolder, bool offerLater);

}  // namespace browser
