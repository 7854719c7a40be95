#include "basics/TextEncoding.h"

#include <array>
#include <cstdint>

namespace basics {

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        size_t extra = 0;
        uint32_t min = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n) {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<uint8_t>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Code points of bytes 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr std::array<uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto b = static_cast<uint8_t>(ch);
        if (b >= 0x80 && b <= 0x9F) {
            AppendUtf8(out, kHighControls[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    if (!IsValidUtf8(bytes)) {
        return Windows1252ToUtf8(bytes);
    }
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom) {
        bytes.remove_prefix(kBom.size());
    }
    return std::string(bytes);
}

}  // namespace basics

namespace basics {

namespace {

bool IsContinuation(char c) {
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

// Byte offset of the character with index `chars`, or the size when the text is shorter.
size_t ByteOffset(std::string_view utf8, size_t chars) {
    size_t i = 0;
    while (i < utf8.size() && chars > 0) {
        ++i;
        while (i < utf8.size() && IsContinuation(utf8[i])) {
            ++i;
        }
        --chars;
    }
    return i;
}

}  // namespace

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (char c : utf8) {
        n += IsContinuation(c) ? 0 : 1;
    }
    return n;
}

std::string CharSubstr(std::string_view utf8, size_t first, size_t count) {
    const size_t begin = ByteOffset(utf8, first);
    const std::string_view rest = utf8.substr(begin);
    const size_t end = count == std::string_view::npos ? rest.size() : ByteOffset(rest, count);
    return std::string(rest.substr(0, end));
}

std::string TrimTrailingSpaces(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string TrimSpaces(std::string_view text) {
    const size_t begin = text.find_first_not_of(' ');
    return begin == std::string_view::npos ? std::string() : TrimTrailingSpaces(text.substr(begin));
}

}  // namespace basics
