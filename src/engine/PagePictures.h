#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a page declares as pictures of itself, and which of them make a site button's picture.
// No toolkit: the page's answer is plain text, read here.
namespace engine {

struct PagePicture {
    enum class Kind { TouchIcon, Icon, SharingImage };
    Kind kind = Kind::Icon;
    std::string url;  // absolute, as the engine resolved it
    int size = 0;     // the smaller side of the largest size it declares; 0 when it declares none
};

// An icon declared smaller than this is no picture for a button a child must recognise.
inline constexpr int kMinIconSide = 64;

// The script a page answers with its pictures, one per line: a kind letter ("t" touch icon, "i"
// icon, "s" sharing image), a tab, the declared size, a tab, the address.
const char* FindPicturesScript();
// Reads that answer; a line in any other form is left out.
std::vector<PagePicture> ReadPagePictures(std::string_view answer);

// The pictures worth trying, best first: touch icons, the largest first; then icons declared at
// least kMinIconSide, the largest first, then icons that declare no size (their picture must
// show that size); then the sharing image. Smaller icons and addresses twice are left out.
std::vector<PagePicture> PicturesToTry(std::vector<PagePicture> declared);

}  // namespace engine
