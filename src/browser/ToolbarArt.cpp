#include "browser/ToolbarArt.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/settings.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace browser {

namespace {

// The band runs from a light sky blue at the top to a deeper blue at the bottom; the toolbar
// pictures repeat the part of it behind them so they sit on it without a seam.
const wxColour kBandTop(0x8f, 0xd3, 0xff);
const wxColour kBandBottom(0x3a, 0x7b, 0xd5);

wxColour Mix(const wxColour& a, const wxColour& b, double t) {
    auto mix = [t](int x, int y) { return static_cast<unsigned char>(x + (y - x) * t + 0.5); };
    return wxColour(mix(a.Red(), b.Red()), mix(a.Green(), b.Green()), mix(a.Blue(), b.Blue()));
}

wxColour Lighter(const wxColour& c, double amount) {
    return Mix(c, *wxWHITE, amount);
}

struct Canvas {
    Canvas(int width, int height) : bitmap(width, height, 24) {
        dc.SelectObject(bitmap);
        gc.reset(wxGraphicsContext::Create(dc));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    }
    ~Canvas() {
        gc.reset();
        dc.SelectObject(wxNullBitmap);
    }
    // The band's gradient for the rows [top, top + height) of the band, in twips.
    void BandBackground(int bandTopTwips, const TwipScale& scale) {
        const double bandHeight = scale.ToPixels(kBandRect.height);
        const double offset = scale.ToPixels(bandTopTwips);
        const int h = bitmap.GetHeight();
        gc->SetPen(*wxTRANSPARENT_PEN);
        gc->SetBrush(gc->CreateLinearGradientBrush(0, -offset, 0, bandHeight - offset, kBandTop,
                                                   kBandBottom));
        gc->DrawRectangle(0, 0, bitmap.GetWidth(), h);
    }
    void Fill(const wxColour& colour) {
        gc->SetPen(*wxTRANSPARENT_PEN);
        gc->SetBrush(wxBrush(colour));
        gc->DrawRectangle(0, 0, bitmap.GetWidth(), bitmap.GetHeight());
    }
    wxBitmap Take() {
        gc.reset();
        dc.SelectObject(wxNullBitmap);
        return bitmap;
    }

    wxBitmap bitmap;
    wxMemoryDC dc;
    std::unique_ptr<wxGraphicsContext> gc;
};

wxColour TileColour(ToolbarSymbol symbol) {
    switch (symbol) {
        case ToolbarSymbol::Back:
        case ToolbarSymbol::Forward:
            return wxColour(0x2e, 0xa0, 0x43);  // green: go
        case ToolbarSymbol::Refresh:
            return wxColour(0x1f, 0x6f, 0xc5);
        case ToolbarSymbol::Stop:
            return wxColour(0xd6, 0x2d, 0x2d);  // red: stop
        case ToolbarSymbol::Home:
            return wxColour(0xf0, 0x8c, 0x1a);
        case ToolbarSymbol::Parent:
            return wxColour(0x8a, 0x4f, 0xc9);
    }
    return *wxBLACK;
}

void Arrow(wxGraphicsContext& gc, double cx, double cy, double size, bool left) {
    const double s = left ? -1 : 1;
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(cx - s * size * 0.45, cy - size * 0.16);
    path.AddLineToPoint(cx + s * size * 0.02, cy - size * 0.16);
    path.AddLineToPoint(cx + s * size * 0.02, cy - size * 0.40);
    path.AddLineToPoint(cx + s * size * 0.48, cy);
    path.AddLineToPoint(cx + s * size * 0.02, cy + size * 0.40);
    path.AddLineToPoint(cx + s * size * 0.02, cy + size * 0.16);
    path.AddLineToPoint(cx - s * size * 0.45, cy + size * 0.16);
    path.CloseSubpath();
    gc.FillPath(path);
}

void CircularArrow(wxGraphicsContext& gc, double cx, double cy, double size) {
    const double r = size * 0.30;
    const double pi = std::numbers::pi;
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(*wxWHITE).Width(size * 0.13).Cap(wxCAP_BUTT)));
    wxGraphicsPath arc = gc.CreatePath();
    arc.AddArc(cx, cy, r, -pi * 0.35, pi * 1.35, true);
    gc.StrokePath(arc);
    gc.SetPen(*wxTRANSPARENT_PEN);
    // The head sits on the arc's open end and points along it.
    const double a = -pi * 0.35;
    const double hx = cx + r * std::cos(a);
    const double hy = cy + r * std::sin(a);
    wxGraphicsPath head = gc.CreatePath();
    head.MoveToPoint(hx - size * 0.17, hy - size * 0.02);
    head.AddLineToPoint(hx + size * 0.17, hy - size * 0.02);
    head.AddLineToPoint(hx, hy + size * 0.20);
    head.CloseSubpath();
    gc.FillPath(head);
}

void StopSign(wxGraphicsContext& gc, double cx, double cy, double size) {
    const double r = size * 0.42;
    wxGraphicsPath octagon = gc.CreatePath();
    for (int i = 0; i < 8; ++i) {
        const double a = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        const double x = cx + r * std::cos(a);
        const double y = cy + r * std::sin(a);
        i == 0 ? octagon.MoveToPoint(x, y) : octagon.AddLineToPoint(x, y);
    }
    octagon.CloseSubpath();
    gc.FillPath(octagon);
    gc.SetBrush(wxBrush(TileColour(ToolbarSymbol::Stop)));
    gc.DrawRoundedRectangle(cx - r * 0.62, cy - r * 0.17, r * 1.24, r * 0.34, r * 0.1);
}

void House(wxGraphicsContext& gc, double cx, double cy, double size, const wxColour& door) {
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(cx, cy - size * 0.42);
    path.AddLineToPoint(cx + size * 0.44, cy - size * 0.02);
    path.AddLineToPoint(cx + size * 0.32, cy - size * 0.02);
    path.AddLineToPoint(cx + size * 0.32, cy + size * 0.38);
    path.AddLineToPoint(cx - size * 0.32, cy + size * 0.38);
    path.AddLineToPoint(cx - size * 0.32, cy - size * 0.02);
    path.AddLineToPoint(cx - size * 0.44, cy - size * 0.02);
    path.CloseSubpath();
    gc.FillPath(path);
    gc.SetBrush(wxBrush(door));
    gc.DrawRoundedRectangle(cx - size * 0.09, cy + size * 0.10, size * 0.18, size * 0.28,
                            size * 0.04);
}

// A grown-up as a road-sign pictogram: head, shoulders with arms, two legs.
void Figure(wxGraphicsContext& gc, double cx, double top, double width, double height) {
    const double head = width * 0.36;
    gc.DrawEllipse(cx - head / 2, top, head, head);
    const double bodyTop = top + head * 1.1;
    const double bodyHeight = height * 0.38;
    gc.DrawRoundedRectangle(cx - width * 0.42, bodyTop, width * 0.84, bodyHeight, width * 0.2);
    const double legTop = bodyTop + bodyHeight * 0.8;
    const double legHeight = top + height - legTop;
    gc.DrawRoundedRectangle(cx - width * 0.26, legTop, width * 0.22, legHeight, width * 0.08);
    gc.DrawRoundedRectangle(cx + width * 0.04, legTop, width * 0.22, legHeight, width * 0.08);
}

}  // namespace

wxBitmap ToolbarPicture(ToolbarSymbol symbol, bool highlighted, const TwipRect& place,
                        const TwipScale& scale) {
    const int w = std::max(1, scale.ToPixels(place.width));
    const int h = std::max(1, scale.ToPixels(place.height));
    Canvas canvas(w, h);
    canvas.BandBackground(place.top, scale);
    wxGraphicsContext& gc = *canvas.gc;

    const wxColour base = TileColour(symbol);
    const wxColour tile = highlighted ? Lighter(base, 0.35) : base;
    const double margin = std::max(1.0, w * 0.04);
    const double radius = std::min(w, h) * 0.2;
    if (highlighted) {
        // A white glow around the tile makes the lit button stand out even at a glance.
        gc.SetPen(*wxTRANSPARENT_PEN);
        gc.SetBrush(wxBrush(wxColour(255, 255, 255)));
        gc.DrawRoundedRectangle(0, 0, w, h, radius + margin);
    }
    gc.SetPen(
        gc.CreatePen(wxGraphicsPenInfo(Mix(base, *wxBLACK, 0.35)).Width(std::max(1.0, w * 0.02))));
    gc.SetBrush(gc.CreateLinearGradientBrush(0, 0, 0, h, Lighter(tile, 0.25), tile));
    gc.DrawRoundedRectangle(margin, margin, w - 2 * margin, h - 2 * margin, radius);

    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(*wxWHITE_BRUSH);
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    const double size = std::min(w, h) - 2 * margin;
    switch (symbol) {
        case ToolbarSymbol::Back:
            Arrow(gc, cx, cy, size, true);
            break;
        case ToolbarSymbol::Forward:
            Arrow(gc, cx, cy, size, false);
            break;
        case ToolbarSymbol::Refresh:
            CircularArrow(gc, cx, cy, size);
            break;
        case ToolbarSymbol::Stop:
            StopSign(gc, cx, cy, size);
            break;
        case ToolbarSymbol::Home:
            House(gc, cx, cy, size, tile);
            break;
        case ToolbarSymbol::Parent:
            Figure(gc, cx, h * 0.14, w * 0.7, h * 0.72);
            break;
    }
    return canvas.Take();
}

wxBitmap BandPicture(const TwipScale& scale) {
    Canvas canvas(scale.ToPixels(kBandRect.width), scale.ToPixels(kBandRect.height));
    canvas.BandBackground(0, scale);
    return canvas.Take();
}

wxBitmap LogoPicture(const TwipScale& scale, const wxColour& background) {
    const int w = scale.ToPixels(kLogoRect.width);
    const int h = scale.ToPixels(kLogoRect.height);
    Canvas canvas(w, h);
    canvas.Fill(background);
    wxGraphicsContext& gc = *canvas.gc;

    // A little lantern above the name.
    const double cx = w / 2.0;
    const double lw = w * 0.22;
    const double lh = h * 0.42;
    const double top = h * 0.08;
    gc.SetBrush(wxBrush(wxColour(0x5b, 0x3a, 0x1e)));
    gc.DrawRoundedRectangle(cx - lw * 0.6, top, lw * 1.2, lh * 0.14, lh * 0.05);
    gc.DrawRoundedRectangle(cx - lw * 0.6, top + lh * 0.86, lw * 1.2, lh * 0.14, lh * 0.05);
    gc.SetBrush(gc.CreateRadialGradientBrush(cx, top + lh / 2, cx, top + lh / 2, lw * 0.6,
                                             wxColour(0xff, 0xf3, 0x9a),
                                             wxColour(0xff, 0xa3, 0x1a)));
    gc.DrawRoundedRectangle(cx - lw / 2, top + lh * 0.14, lw, lh * 0.72, lw * 0.25);

    wxFont font(wxFontInfo(std::max(8, h / 7)).Family(wxFONTFAMILY_SWISS).Bold());
    gc.SetFont(font, wxColour(0x1f, 0x4e, 0x9c));
    double tw = 0, th = 0;
    gc.GetTextExtent("Lanternwick", &tw, &th);
    gc.DrawText("Lanternwick", cx - tw / 2, top + lh + h * 0.08);
    return canvas.Take();
}

wxBitmap BannerPicture(const TwipScale& scale, const wxColour& background) {
    const int w = scale.ToPixels(kBannerRect.width);
    const int h = scale.ToPixels(kBannerRect.height);
    Canvas canvas(w, h);
    canvas.Fill(background);
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetBrush(gc.CreateLinearGradientBrush(0, 0, w, 0, wxColour(0xff, 0xc9, 0x3c),
                                             wxColour(0xff, 0x8a, 0x5b)));
    gc.DrawRoundedRectangle(0, 0, w, h, h * 0.3);
    wxFont font(wxFontInfo(std::max(7, h * 2 / 5)).Family(wxFONTFAMILY_SWISS).Bold());
    gc.SetFont(font, *wxWHITE);
    const wxString text = "A safe place to explore";
    double tw = 0, th = 0;
    gc.GetTextExtent(text, &tw, &th);
    gc.DrawText(text, (w - tw) / 2, (h - th) / 2);
    return canvas.Take();
}

namespace {

const wxColour kTimeGreen(0x2e, 0xa0, 0x43);
const wxColour kTimeOrange(0xf0, 0x6a, 0x1a);

// A clock face whose coloured wedge, from twelve o'clock clockwise, is what is left.
void ClockFace(wxGraphicsContext& gc, double cx, double cy, double r, double left,
               const wxColour& colour) {
    const double pi = std::numbers::pi;
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(Mix(colour, *wxBLACK, 0.4)).Width(r * 0.08)));
    gc.SetBrush(*wxWHITE_BRUSH);
    gc.DrawEllipse(cx - r, cy - r, 2 * r, 2 * r);
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(colour));
    if (left >= 1) {
        gc.DrawEllipse(cx - r * 0.88, cy - r * 0.88, r * 1.76, r * 1.76);
    } else if (left > 0) {
        wxGraphicsPath wedge = gc.CreatePath();
        wedge.MoveToPoint(cx, cy);
        wedge.AddArc(cx, cy, r * 0.88, -pi / 2, -pi / 2 + 2 * pi * left, true);
        wedge.CloseSubpath();
        gc.FillPath(wedge);
    }
    gc.SetBrush(wxBrush(Mix(colour, *wxBLACK, 0.4)));
    gc.DrawEllipse(cx - r * 0.1, cy - r * 0.1, r * 0.2, r * 0.2);
}

void CentredText(wxGraphicsContext& gc, const wxString& text, double cx, double cy) {
    double tw = 0, th = 0;
    gc.GetTextExtent(text, &tw, &th);
    gc.DrawText(text, cx - tw / 2, cy - th / 2);
}

// The largest bold font up to `points` in which `text` fits `width`.
wxFont FittingFont(wxGraphicsContext& gc, const wxString& text, int points, double width,
                   const wxColour& colour) {
    for (; points > 6; --points) {
        wxFont font(wxFontInfo(points).Family(wxFONTFAMILY_SWISS).Bold());
        gc.SetFont(font, colour);
        double tw = 0, th = 0;
        gc.GetTextExtent(text, &tw, &th);
        if (tw <= width) {
            return font;
        }
    }
    return wxFont(wxFontInfo(6).Family(wxFONTFAMILY_SWISS).Bold());
}

}  // namespace

wxBitmap TimeLeftPicture(const TimeLook& look, const wxString& minutes, const TwipScale& scale) {
    const int w = scale.ToPixels(kTimeLeftRect.width);
    const int h = scale.ToPixels(kTimeLeftRect.height);
    Canvas canvas(w, h);
    canvas.BandBackground(kTimeLeftRect.top, scale);
    wxGraphicsContext& gc = *canvas.gc;
    const wxColour colour = look.LastMinutes() ? kTimeOrange : kTimeGreen;
    const double r = h * 0.44;
    ClockFace(gc, h / 2.0, h / 2.0, r, look.FractionLeft(), colour);

    const double textLeft = h + w * 0.03;
    const double textWidth = w - textLeft;
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(look.LastMinutes() ? kTimeOrange : wxColour(255, 255, 255)));
    gc.DrawRoundedRectangle(textLeft, h * 0.22, textWidth, h * 0.56, h * 0.14);
    gc.SetFont(FittingFont(gc, minutes, std::max(8, h / 3), textWidth * 0.9, *wxBLACK),
               look.LastMinutes() ? *wxWHITE : Mix(kTimeGreen, *wxBLACK, 0.5));
    CentredText(gc, minutes, textLeft + textWidth / 2, h / 2.0);
    return canvas.Take();
}

wxBitmap NoticePicture(const wxString& text, const TwipScale& scale) {
    const int w = scale.ToPixels(kNoticeRect.width);
    const int h = scale.ToPixels(kNoticeRect.height);
    Canvas canvas(w, h);
    canvas.Fill(wxColour(0x3a, 0x7b, 0xd5));
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(kTimeOrange).Width(std::max(2.0, h * 0.05))));
    gc.SetBrush(wxBrush(wxColour(0xff, 0xf4, 0xc2)));
    gc.DrawRoundedRectangle(h * 0.03, h * 0.03, w - h * 0.06, h * 0.94, h * 0.3);
    ClockFace(gc, h * 0.55, h / 2.0, h * 0.32, 0.1, kTimeOrange);
    const double textLeft = h * 1.0;
    const double textWidth = w - textLeft - h * 0.3;
    gc.SetFont(FittingFont(gc, text, std::max(8, h / 4), textWidth, *wxBLACK),
               wxColour(0x5b, 0x3a, 0x1e));
    CentredText(gc, text, textLeft + textWidth / 2, h / 2.0);
    return canvas.Take();
}

wxBitmap TimeUpPicture(const wxSize& size, const wxString& sentence) {
    const int w = std::max(1, size.x);
    const int h = std::max(1, size.y);
    Canvas canvas(w, h);
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(gc.CreateLinearGradientBrush(0, 0, 0, h, wxColour(0x14, 0x1e, 0x4f),
                                             wxColour(0x3a, 0x4f, 0x9a)));
    gc.DrawRectangle(0, 0, w, h);
    const double unit = std::min(w, h);
    // Stars at fixed places, so the picture is the same at every size.
    gc.SetBrush(wxBrush(wxColour(0xff, 0xf3, 0x9a)));
    const double stars[][2] = {{0.08, 0.12}, {0.22, 0.30}, {0.35, 0.08}, {0.62, 0.16},
                               {0.78, 0.34}, {0.90, 0.10}, {0.12, 0.55}, {0.86, 0.60}};
    for (const auto& star : stars) {
        const double d = unit * 0.025;
        gc.DrawEllipse(w * star[0] - d / 2, h * star[1] - d / 2, d, d);
    }
    // The moon: a bright disc with a bite of the sky taken out of it.
    const double r = unit * 0.18;
    const double mx = w / 2.0;
    const double my = h * 0.36;
    gc.DrawEllipse(mx - r, my - r, 2 * r, 2 * r);
    gc.SetBrush(wxBrush(wxColour(0x1d, 0x2a, 0x63)));
    gc.DrawEllipse(mx - r * 0.45, my - r * 1.15, 2 * r, 2 * r);

    gc.SetFont(
        FittingFont(gc, sentence, std::max(10, static_cast<int>(unit / 14)), w * 0.9, *wxWHITE),
        *wxWHITE);
    CentredText(gc, sentence, w / 2.0, h * 0.72);
    return canvas.Take();
}

wxImage NameTilePicture(const wxString& name, int side) {
    // Bright colours a child tells apart; the name picks one, so it stays the same every run.
    static const wxColour kColours[] = {
        {0xe5, 0x39, 0x35}, {0xfb, 0x8c, 0x00}, {0xf9, 0xa8, 0x25}, {0x43, 0xa0, 0x47},
        {0x00, 0x89, 0x7b}, {0x1e, 0x88, 0xe5}, {0x5e, 0x35, 0xb1}, {0xd8, 0x1b, 0x60},
    };
    unsigned hash = 0;
    for (const wxUniChar c : name) {
        hash = hash * 31 + static_cast<unsigned>(c.GetValue());
    }
    const int s = std::max(8, side);
    Canvas canvas(s, s);
    wxGraphicsContext& gc = *canvas.gc;
    canvas.Fill(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));  // the tile's own face
    gc.SetBrush(wxBrush(kColours[hash % std::size(kColours)]));
    gc.DrawRoundedRectangle(0, 0, s, s, s * 0.12);
    const wxString trimmed = wxString(name).Trim(false);
    const wxString letter = trimmed.empty() ? wxString("?") : trimmed.Left(1).Upper();
    gc.SetFont(FittingFont(gc, letter, static_cast<int>(s * 0.6), s * 0.8, *wxWHITE), *wxWHITE);
    CentredText(gc, letter, s / 2.0, s / 2.0);
    return canvas.Take().ConvertToImage();
}

wxBitmap VisitPicture(int side) {
    const int s = std::max(8, side);
    Canvas canvas(s, s);
    wxGraphicsContext& gc = *canvas.gc;
    canvas.Fill(wxColour(0xff, 0xf4, 0xc2));  // the strip's colour
    const wxColour colours[] = {
        {0xe5, 0x39, 0x35}, {0x1e, 0x88, 0xe5}, {0x43, 0xa0, 0x47}, {0xf9, 0xa8, 0x25}};
    const double gap = s * 0.08;
    const double tile = (s - 3 * gap) / 2;
    gc.SetPen(*wxTRANSPARENT_PEN);
    for (int i = 0; i < 4; ++i) {
        gc.SetBrush(wxBrush(colours[i]));
        gc.DrawRoundedRectangle(gap + (i % 2) * (tile + gap), gap + (i / 2) * (tile + gap), tile,
                                tile, tile * 0.18);
    }
    return canvas.Take();
}

}  // namespace browser
