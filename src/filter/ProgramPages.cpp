#include "filter/ProgramPages.h"

#include <cctype>
#include <initializer_list>
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

// "Not this way" without a word: a raised flat hand, as a crossing guard holds it up, on a round
// coral sign. It says stop to a child who cannot read yet, and nothing of it scolds.
constexpr std::string_view kPicture = R"svg(<svg viewBox="0 0 200 200" aria-hidden="true">
 <circle cx="100" cy="100" r="90" fill="#ef5b4c" stroke="#c9372c" stroke-width="8"/>
 <circle cx="100" cy="100" r="72" fill="none" stroke="#ffffff" stroke-width="5" opacity="0.5"/>
 <g fill="#ffffff">
  <rect x="63" y="58" width="17" height="62" rx="8.5"/>
  <rect x="82" y="42" width="17" height="76" rx="8.5"/>
  <rect x="101" y="44" width="17" height="74" rx="8.5"/>
  <rect x="120" y="56" width="17" height="64" rx="8.5"/>
  <rect x="42" y="104" width="17" height="46" rx="8.5" transform="rotate(-38 50 127)"/>
  <rect x="63" y="96" width="74" height="66" rx="28"/>
 </g>
</svg>)svg";

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

// The buttons' pictures, drawn as the toolbar draws its own on tiles of the same colours, so a
// child knows them from there: the green tile's arrow back, the purple tile's grown-up, the blue
// tile's arrow round, the orange tile's house. Each is as high as one and a half lines of its
// button's text.
constexpr std::string_view kBackPicture = R"(<svg viewBox="0 0 100 100" aria-hidden="true">
 <rect x="4" y="4" width="92" height="92" rx="20" fill="#2ea043" stroke="#1e682c" stroke-width="2"/>
 <path d="M91.4 35.3 L48.2 35.3 L48.2 13.2 L5.8 50 L48.2 86.8 L48.2 64.7 L91.4 64.7 Z" fill="#fff"/>
</svg>)";

constexpr std::string_view kGrownUpPicture = R"(<svg viewBox="0 0 100 100" aria-hidden="true">
 <rect x="4" y="4" width="92" height="92" rx="20" fill="#8a4fc9" stroke="#5a3383" stroke-width="2"/>
 <g fill="#fff">
  <circle cx="50" cy="26.6" r="12.6"/>
  <rect x="20.6" y="41.7" width="58.8" height="27.4" rx="14"/>
  <rect x="31.8" y="63.6" width="15.4" height="22.4" rx="5.6"/>
  <rect x="52.8" y="63.6" width="15.4" height="22.4" rx="5.6"/>
 </g>
</svg>)";

constexpr std::string_view kRetryPicture = R"(<svg viewBox="0 0 100 100" aria-hidden="true">
 <rect x="4" y="4" width="92" height="92" rx="20" fill="#1f6fc5" stroke="#144880" stroke-width="2"/>
 <path d="M62.5 25.4 A27.6 27.6 0 1 1 37.5 25.4" fill="none" stroke="#fff" stroke-width="12"/>
 <path d="M46.9 23.6 L78.2 23.6 L62.5 43.8 Z" fill="#fff"/>
</svg>)";

constexpr std::string_view kHomePicture = R"(<svg viewBox="0 0 100 100" aria-hidden="true">
 <rect x="4" y="4" width="92" height="92" rx="20" fill="#f08c1a" stroke="#9c5b11" stroke-width="2"/>
 <path d="M50 11.4 L90.5 48.2 L79.4 48.2 L79.4 85 L20.6 85 L20.6 48.2 L9.5 48.2 Z" fill="#fff"/>
 <rect x="41.7" y="59.2" width="16.6" height="25.8" rx="3.7" fill="#f08c1a"/>
</svg>)";

// Later: an envelope on the purple of the grown-up, as the question waits for them in the post.
constexpr std::string_view kLaterPicture = R"(<svg viewBox="0 0 100 100" aria-hidden="true">
 <rect x="4" y="4" width="92" height="92" rx="20" fill="#8a4fc9" stroke="#5a3383" stroke-width="2"/>
 <rect x="16" y="27" width="68" height="46" rx="6" fill="#fff"/>
 <path d="M18 30 L50 54 L82 30" fill="none" stroke="#8a4fc9" stroke-width="6"
   stroke-linejoin="round"/>
</svg>)";

// The question on its way: a grown-up with a heart above, nothing to wait at the screen for.
constexpr std::string_view kAskedPicture = R"(<svg viewBox="0 0 200 200" aria-hidden="true">
 <circle cx="100" cy="100" r="90" fill="#8a4fc9" stroke="#5a3383" stroke-width="8"/>
 <path d="M100 62 C88 44 60 50 66 72 C70 84 100 98 100 98 C100 98 130 84 134 72 C140 50 112 44 100 62 Z"
   fill="#ff7a9a"/>
 <g fill="#fff">
  <circle cx="100" cy="112" r="14"/>
  <rect x="70" y="128" width="60" height="30" rx="14"/>
 </g>
</svg>)";

constexpr std::string_view kStyle = R"(<style>
 html, body { height: 100%; margin: 0; }
 body { display: flex; flex-direction: column; align-items: center; justify-content: center;
        background: #bfe8ff; font-family: sans-serif; color: #1d3557; text-align: center; }
 body > svg { flex: none; width: clamp(80px, 26vh, 300px); height: clamp(80px, 26vh, 300px); }
 p { font-size: clamp(18px, 5vh, 32px); font-weight: bold; margin: min(14px, 1.5vh) 24px min(26px, 3vh); }
 nav { display: flex; gap: min(30px, 3vh) 30px; flex-wrap: wrap; justify-content: center; }
 a { display: inline-flex; align-items: center; justify-content: center; gap: 0.4em;
     min-width: 180px; padding: min(18px, 1.8vh) 30px min(18px, 1.8vh) 22px; border-radius: 26px;
     font-size: clamp(16px, 4.6vh, 28px); font-weight: bold; text-decoration: none; color: #fff;
     box-shadow: 0 6px 0 rgba(0,0,0,0.25); }
 a svg { width: 1.5em; height: 1.5em; }
 #back { background: #2a9d8f; }
 #ask { background: #e76f51; }
 #later { background: #8a4fc9; }
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
    std::string_view picture;
    const std::string& caption;
};

std::string PageHtml(std::string_view picture, const std::string& sentence,
                     std::initializer_list<Button> buttons) {
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title></title>";
    html += kStyle;
    html += "</head><body>";
    html += picture;
    html += "<p id=\"sentence\">" + Escaped(sentence) + "</p><nav>";
    for (const Button& button : buttons) {
        if (button.caption.empty()) {
            continue;  // a button the page does not offer here
        }
        html += "<a id=\"" + std::string(button.id) + "\" href=\"" + std::string(button.link) +
                "\">" + std::string(button.picture) + Escaped(button.caption) + "</a>";
    }
    html += "</nav></body></html>";
    return html;
}

}  // namespace

std::string RefusalPageHtml(const RefusalTexts& texts) {
    return PageHtml(kPicture, texts.sentence,
                    {{"back", kBackLink, kBackPicture, texts.back},
                     {"ask", kAskLink, kGrownUpPicture, texts.ask},
                     {"later", kLaterLink, kLaterPicture, texts.later}});
}

std::string AskedPageHtml(const AskedTexts& texts) {
    return PageHtml(kAskedPicture, texts.sentence, {{"back", kBackLink, kBackPicture, texts.back}});
}

std::string NotAnsweringPageHtml(const NotAnsweringTexts& texts) {
    return PageHtml(kSleepyPicture, texts.sentence,
                    {{"retry", kRetryLink, kRetryPicture, texts.retry},
                     {"home", kHomeLink, kHomePicture, texts.home}});
}

}  // namespace filter
