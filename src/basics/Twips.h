#pragma once

namespace basics {

// Window coordinates are designed in twips, 1440 to the inch; the screen's pixels per inch turn
// them into pixels.
class TwipScale {
public:
    explicit constexpr TwipScale(int pixelsPerInch = 96)
        : ppi_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}
    constexpr int PixelsPerInch() const { return ppi_; }
    // Rounded to the nearest pixel.
    constexpr int ToPixels(int twips) const {
        const long long scaled = static_cast<long long>(twips) * ppi_;
        return static_cast<int>((scaled >= 0 ? scaled + 720 : scaled - 720) / 1440);
    }
    constexpr int ToTwips(int pixels) const {
        return static_cast<int>(static_cast<long long>(pixels) * 1440 / ppi_);
    }
    // The pixel column a twip position falls in.
    constexpr int ColumnOf(int twips) const {
        return static_cast<int>(static_cast<long long>(twips) * ppi_ / 1440);
    }

private:
    int ppi_;
};

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace basics
