#pragma once

class wxSizer;
class wxWindow;

namespace parents {

// Save and Cancel at the right, as every editor of the panel ends.
wxSizer* SaveCancelRow(wxWindow* save, wxWindow* cancel, int gap);

// An editor's layout: its boxes, then the Save/Cancel row, set as the dialog's sizer.
void LayOutEditor(wxWindow* dialog, wxSizer* boxes, wxWindow* save, wxWindow* cancel, int gap);

}  // namespace parents
