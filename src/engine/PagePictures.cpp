#include "engine/PagePictures.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace engine {

const char* FindPicturesScript() {
    // Run apart from the page's own scripts, so a page cannot change what these calls answer;
    // whatever it declares is still judged by the filter before anything is fetched.
    return R"JS((function () {
  var out = [];
  function add(kind, url, size) { if (url) out.push(kind + '\t' + size + '\t' + url); }
  document.querySelectorAll('link[rel][href]').forEach(function (link) {
    var rel = ' ' + link.rel.toLowerCase() + ' ';
    var size = 0;
    (link.getAttribute('sizes') || '').split(/\s+/).forEach(function (token) {
      var m = /^(\d+)x(\d+)$/i.exec(token);
      if (m) size = Math.max(size, Math.min(+m[1], +m[2]));
    });
    if (/ apple-touch-icon(-precomposed)? /.test(rel)) add('t', link.href, size);
    else if (/ icon /.test(rel)) add('i', link.href, size);
  });
  var meta = document.querySelector('meta[property="og:image"][content], meta[name="og:image"][content]');
  if (meta) { try { add('s', new URL(meta.content, document.baseURI).href, 0); } catch (e) {} }
  return out.join('\n');
})())JS";
}

std::vector<PagePicture> ReadPagePictures(std::string_view answer) {
    std::vector<PagePicture> pictures;
    while (!answer.empty()) {
        const auto end = answer.find('\n');
        std::string_view line = answer.substr(0, end);
        answer = end == std::string_view::npos ? std::string_view() : answer.substr(end + 1);
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab1 != 1 || tab2 == std::string_view::npos || tab2 + 1 >= line.size()) {
            continue;
        }
        PagePicture picture;
        switch (line[0]) {
            case 't':
                picture.kind = PagePicture::Kind::TouchIcon;
                break;
            case 'i':
                picture.kind = PagePicture::Kind::Icon;
                break;
            case 's':
                picture.kind = PagePicture::Kind::SharingImage;
                break;
            default:
                continue;
        }
        const std::string_view size = line.substr(tab1 + 1, tab2 - tab1 - 1);
        const auto read = std::from_chars(size.data(), size.data() + size.size(), picture.size);
        if (read.ec != std::errc() || read.ptr != size.data() + size.size() || picture.size < 0) {
            continue;
        }
        picture.url = std::string(line.substr(tab2 + 1));
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::vector<PagePicture> PicturesToTry(std::vector<PagePicture> declared) {
    using Kind = PagePicture::Kind;
    auto rank = [](const PagePicture& p) {
        switch (p.kind) {
            case Kind::TouchIcon:
                return 0;
            case Kind::Icon:
                return p.size > 0 ? 1 : 2;
            case Kind::SharingImage:
                return 3;
        }
        return 3;
    };
    std::erase_if(declared, [](const PagePicture& p) {
        return p.url.empty() || (p.kind == Kind::Icon && p.size > 0 && p.size < kMinIconSide);
    });
    std::stable_sort(declared.begin(), declared.end(),
                     [&](const PagePicture& a, const PagePicture& b) {
                         return rank(a) != rank(b) ? rank(a) < rank(b) : a.size > b.size;
                     });
    std::set<std::string> seen;
    std::erase_if(declared, [&](const PagePicture& p) { return !seen.insert(p.url).second; });
    return declared;
}

}  // namespace engine
