#include "browser/ProgramPageHtml.h"

#include "filter/ProgramPages.h"

namespace browser {

namespace {

// The caption a control of the panel has in `language`, without a closing colon.
std::string PanelCaption(std::optional<i18n::Language> language, std::string_view control) {
    const i18n::CaptionRow* row = nullptr;
    if (language) {
        row = i18n::FindRow(i18n::CaptionTable(*language), "Parents", control,
                            i18n::Property::Caption);
    }
    if (row == nullptr) {
        row = i18n::FindRow(i18n::BuiltInCaptions(), "Parents", control, i18n::Property::Caption);
    }
    std::string caption(row != nullptr ? row->text : control);
    if (caption.ends_with(':')) {
        caption.pop_back();
    }
    return caption;
}

std::string WithFolder(std::string_view text, const std::string& folder) {
    std::string out(text);
    if (const auto at = out.find("{}"); at != std::string::npos) {
        out.replace(at, 2, folder);
    }
    return out;
}

std::string HelpPage(std::optional<i18n::Language> language, std::string folder) {
    filter::HelpPage page{.title = std::string(i18n::HelpTitle(language)), .sections = {}};
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    for (const i18n::HelpSection& section : i18n::HelpSections(language)) {
        page.sections.emplace_back(section.control.empty()
                                       ? std::string(section.heading)
                                       : PanelCaption(language, section.control),
                                   WithFolder(section.text, folder));
    }
    return filter::HelpPageHtml(page);
}

}  // namespace

std::string ProgramPageHtml(std::string_view url, std::optional<i18n::Language> language,
                            const std::string& dataFolder, bool offerLater) {
    auto text = [language](i18n::Message message) {
        return i18n::MessageText(language, message, {});
    };
    if (filter::IsPage(url, filter::kHelpPage)) {
        return HelpPage(language, dataFolder);
    }
    if (filter::IsPage(url, filter::kNotAnsweringPage)) {
        return filter::NotAnsweringPageHtml({
            .sentence = text(i18n::Message::NotAnsweringSentence),
            .retry = text(i18n::Message::NotAnsweringRetry),
            .home = text(i18n::Message::NotAnsweringHome),
        });
    }
    if (filter::IsPage(url, filter::kRefusedPage)) {
        return filter::RefusalPageHtml({
            .sentence = text(i18n::Message::RefusalSentence),
            .back = text(i18n::Message::RefusalBack),
            .ask = text(i18n::Message::RefusalAsk),
            .later = offerLater ? text(i18n::Message::RefusalLater) : std::string(),
        });
    }
    if (filter::IsPage(url, filter::kAskedPage)) {
        return filter::AskedPageHtml({
            .sentence = text(i18n::Message::AskedSentence),
            .back = text(i18n::Message::RefusalBack),
        });
    }
    return {};
}

}  // namespace browser
