#pragma once
// List rows as tall as a line of the dialog's font, as Windows' list boxes draw them, so that
// a list of the template's size shows as many rows. One implementation per toolkit
// (list_rows_gtk.cpp, list_rows_msw.cpp).
#include <wx/listbox.h>

namespace tallyforge::ui {

// Takes the toolkit's padding out of list's rows. Call before the list is shown.
void CompactListRows(wxListBox& list);

}  // namespace tallyforge::ui
