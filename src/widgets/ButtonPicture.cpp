#include "widgets/ButtonPicture.h"

#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>

namespace widgets {

namespace {

void NeedHandlers() {
    static const bool added = [] {
        wxInitAllImageHandlers();
        return true;
    }();
    (void)added;
}

wxImage Read(std::string_view bytes, wxBitmapType type) {
    NeedHandlers();
    if (bytes.empty()) {
        return {};
    }
    wxLogNull quiet;  // damaged bytes are simply no picture
    wxMemoryInputStream in(bytes.data(), bytes.size());
    wxImage image;
    return image.LoadFile(in, type) && image.IsOk() ? image : wxImage();
}

}  // namespace

wxImage ImageFromBytes(std::string_view bytes) {
    return Read(bytes, wxBITMAP_TYPE_ANY);
}

wxImage ImageFromPng(std::string_view png) {
    return Read(png, wxBITMAP_TYPE_PNG);
}

std::optional<std::string> ButtonPicturePng(const wxImage& image, std::size_t maxBytes) {
    NeedHandlers();
    if (!image.IsOk()) {
        return std::nullopt;
    }
    for (int side = kPictureSide; side >= kPictureSide / 4; side /= 2) {
        const double scale = std::min(
            1.0, static_cast<double>(side) / std::max(image.GetWidth(), image.GetHeight()));
        const wxImage small = image.Scale(std::max(1, static_cast<int>(image.GetWidth() * scale)),
                                          std::max(1, static_cast<int>(image.GetHeight() * scale)),
                                          wxIMAGE_QUALITY_HIGH);
        wxMemoryOutputStream out;
        if (!small.SaveFile(out, wxBITMAP_TYPE_PNG)) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(out.GetLength()) <= maxBytes) {
            std::string png(out.GetLength(), '\0');
            out.CopyTo(png.data(), png.size());
            return png;
        }
    }
    return std::nullopt;
}

}  // namespace widgets
