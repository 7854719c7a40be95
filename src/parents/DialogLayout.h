#pragma once

#include <functional>
#include <optional>
#include <string>

#include <wx/bitmap.h>
#include <wx/colour.h>

class wxSizer;
class wxWindow;

namespace parents {

// Save and Cancel at the right, as every editor of the panel ends.
wxSizer* SaveCancelRow(wxWindow* save, wxWindow* cancel, int gap);

// An editor's layout: its boxes, then the Save/Cancel row, set as the dialog's sizer.
void LayOutEditor(wxWindow* dialog, wxSizer* boxes, wxWindow* save, wxWindow* cancel, int gap);

// Sizes a dialog anew after rows were shown or hidden in it, keeping its minimum width.
void RefitGrown(wxWindow* dialog);

// Keys a dialog answers as its buttons would: Enter in `last` (its last box) as `ok`, Escape
// anywhere in it as `cancel`.
void BindEnterAndEscape(wxWindow* dialog, wxWindow* last, std::function<void()> ok,
                        std::function<void()> cancel);

// A row's picture in a list of sites, `side` pixels square: the PNG scaled, or where there is
// none (or it is no picture) an empty square of `background`, so the rows keep their column.
wxBitmap RowPicture(const std::optional<std::string>& png, int side, const wxColour& background);

}  // namespace parents
