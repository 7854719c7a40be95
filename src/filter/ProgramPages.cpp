#include "filter/ProgramPages.h"

#include <cctype>
#include <random>

namespace filter {

namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A round, smiling lantern with a raised hand: friendly, and readable without words.
constexpr std::string_view kPicture = R"(<svg viewBox="0 0 200 200" aria-hidden="true">
 <rect x="80" y="8" width="40" height="18" rx="6" fill="#7a4b1e"/>
 <circle cx="100" cy="105" r="78" fill="#ffd23f" stroke="#e08a00" stroke-width="8"/>
 <circle cx="72" cy="92" r="10" fill="#3b2a14"/>
 <circle cx="128" cy="92" r="10" fill="#3b2a14"/>
 <circle cx="75" cy="89" r="3" fill="#fff"/>
 <circle cx="131" cy="89" r="3" fill="#fff"/>
 <circle cx="58" cy="122" r="9" fill="#ff9f9f" opacity="0.8"/>
 <circle cx="142" cy="122" r="9" fill="#ff9f9f" opacity="0.8"/>
 <path d="M70 128 q30 28 60 0" fill="none" stroke="#3b2a14" stroke-width="7"
   stroke-linecap="round"/>
 <path d="M176 96 l18 -34" stroke="#e08a00" stroke-width="12" stroke-linecap="round"/>
 <circle cx="194" cy="58" r="4" fill="#e08a00"/>
</svg>)";

// The same lantern asleep: nothing is wrong with the child, the page is just not there now.
constexpr std::string_view kSleepyPicture = R"(<svg viewBox="0 0 200 200" aria-hidden="true">
 <rect x="80" y="8" width="40" height="18" rx="6" fill="#7a4b1e"/>
 <circle cx="100" cy="105" r="78" fill="#ffe58a" stroke="#e0a400" stroke-width="8"/>
 <path d="M60 94 q12 10 24 0 M116 94 q12 10 24 0" fill="none" stroke="#3b2a14"
   stroke-width="6" stroke-linecap="round"/>
 <circle cx="58" cy="122" r="9" fill="#ff9f9f" opacity="0.6"/>
 <circle cx="142" cy="122" r="9" fill="#ff9f9f" opacity="0.6"/>
 <ellipse cx="100" cy="136" rx="10" ry="7" fill="#3b2a14"/>
 <text x="150" y="44" font-size="30" font-family="sans-serif" font-weight="bold"
   fill="#1d3557">z</text>
 <text x="170" y="22" font-size="22" font-family="sans-serif" font-weight="bold"
   fill="#1d3557">z</text>
</svg>)";

constexpr std::string_view kStyle = R"(<style>
 html, body { height: 100%; margin: 0; }
 body { display: flex; flex-direction: column; align-items: center; justify-content: center;
        background: #bfe8ff; font-family: sans-serif; color: #1d3557; text-align: center; }
 svg { flex: none; width: min(300px, 34vh); height: min(300px, 34vh); }
 p { font-size: 32px; font-weight: bold; margin: 14px 24px 26px; }
 nav { display: flex; gap: 30px; flex-wrap: wrap; justify-content: center; }
 a { display: inline-block; min-width: 180px; padding: 22px 30px; border-radius: 26px;
     font-size: 28px; font-weight: bold; text-decoration: none; color: #fff;
     box-shadow: 0 6px 0 rgba(0,0,0,0.25); }
 #back { background: #2a9d8f; }
 #ask { background: #e76f51; }
 #retry { background: #2a9d8f; }
 #home { background: #457b9d; }
</style>)";

}  // namespace

std::string ProgramPageAddress(std::string_view page, std::string_view key) {
    return std::string(page) + "?" + std::string(key);
}

bool IsPage(std::string_view url, std::string_view page) {
    return url.starts_with(page) &&
           (url.size() == page.size() || url[page.size()] == '?' || url[page.size()] == '#');
}

bool CarriesKey(std::string_view url, std::string_view key) {
    const auto query = url.find('?');
    if (key.empty() || query == std::string_view::npos) {
        return false;
    }
    std::string_view given = url.substr(query + 1);
    given = given.substr(0, given.find('#'));
    return given == key;
}

std::string NewProgramKey() {
    std::random_device device;
    std::string key;
    constexpr std::string_view kDigits = "0123456789abcdef";
    for (int i = 0; i < 32; ++i) {
        key += kDigits[device() % kDigits.size()];
    }
    return key;
}

bool IsProgramPage(std::string_view url) {
    const std::string_view prefix = "lanternwick:";
    if (url.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

std::string HelpPageHtml(const HelpPage& page) {
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" +
                       Escaped(page.title) + "</title>";
    html += R"(<style>
 body { margin: 0 auto; max-width: 46em; padding: 20px 28px 40px; background: #fffbe8;
        font-family: sans-serif; font-size: 17px; line-height: 1.45; color: #1d3557; }
 h1 { font-size: 28px; margin: 8px 0 18px; }
 h2 { font-size: 19px; margin: 18px 0 4px; color: #8a4b00; }
 p { margin: 0; }
</style></head><body>)";
    html += "<h1>" + Escaped(page.title) + "</h1>";
    for (const auto& [heading, text] : page.sections) {
        html += "<h2>" + Escaped(heading) + "</h2><p>" + Escaped(text) + "</p>";
    }
    html += "</body></html>";
    return html;
}

namespace {

struct Button {
    const char* id;
    std::string_view link;
    const std::string& caption;
};

std::string PageHtml(std::string_view picture, const std::string& sentence, const Button& first,
                     const Button& second) {
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title></title>";
    html += kStyle;
    html += "</head><body>";
    html += picture;
    html += "<p id=\"sentence\">" + Escaped(sentence) + "</p><nav>";
    for (const Button& button : {first, second}) {
        html += "<a id=\"" + std::string(button.id) + "\" href=\"" + std::string(button.link) +
                "\">" + Escaped(button.caption) + "</a>";
    }
    html += "</nav></body></html>";
    return html;
}

}  // namespace

std::string RefusalPageHtml(const RefusalTexts& texts) {
    return PageHtml(kPicture, texts.sentence, {"back", kBackLink, texts.back},
                    {"ask", kAskLink, texts.ask});
}

std::string NotAnsweringPageHtml(const NotAnsweringTexts& texts) {
    return PageHtml(kSleepyPicture, texts.sentence, {"retry", kRetryLink, texts.retry},
                    {"home", kHomeLink, texts.home});
}

}  // namespace filter
