#include "about_dlg.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "artwork.h"
#include "dialog_units.h"
#include "version_info.h"

namespace tallyforge::ui {

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Informazioni su Tallyforga", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU) {
  ApplyTemplate(*this, 235, 55);
  auto place = [this](wxWindow* control, DialogRect rect) { PlaceControl(*control, *this, rect); };
  place(new wxStaticBitmap(this, wxID_ANY, res::Artwork(res::kAppIcon)), {11, 17, 20, 20});
  place(new wxStaticText(this, wxID_ANY, "Tallyforga Versione 1.0"), {40, 10, 119, 8});
  place(new wxStaticText(this, wxID_ANY, res::kLegalCopyright), {40, 25, 119, 8});
  auto* ok = new wxButton(this, wxID_OK, "OK");
  place(ok, {178, 7, 50, 14});
  ok->SetDefault();
  ok->SetFocus();
}

}  // namespace tallyforge::ui
