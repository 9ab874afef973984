#pragma once
// One text cell of the main window: its text centred both ways inside a frame.
#include <wx/control.h>
#include <wx/dc.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cell_text.h"

namespace tallyforge::ui {

class BoardCell final : public wxControl {
 public:
  enum class Frame { kBorder, kRaised, kSunken };

  // text: how the cells draw their texts, shared by the cells of a window.
  BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame,
            std::shared_ptr<CellText> text);

  // Shows text; when it differs from what is shown, only the inside of the frame is drawn again.
  void SetLabel(const wxString& text) override;
  // Shows the text of bytes from the engine (see ShownText); nothing at all happens when they
  // are the bytes shown, which is most of a board's 29 cells at each progress point.
  void SetBytes(const std::string& bytes);

  // While one lives, the cells whose text changes are drawn when it ends, one after the other and
  // at once, straight on the screen (on GTK), so that a board's changes show together and cost no
  // repaint through the toolkit; where that drawing is not offered, they are repainted as usual.
  // On the window's thread, one at a time.
  class TextsTogether {
   public:
    TextsTogether();
    ~TextsTogether();
    TextsTogether(const TextsTogether&) = delete;
    TextsTogether& operator=(const TextsTogether&) = delete;

   private:
    friend class BoardCell;
    std::vector<BoardCell*> m_changed;
    static inline TextsTogether* s_active = nullptr;
  };
  // A cell shows text; it is no stop of the Tab cycle and takes no click's focus.
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  wxSize DoGetBestSize() const override;
  // Inside the frame: where the text goes.
  wxRect Inside() const;
  void DrawFrame(wxDC& dc) const;
  void ShowText(const wxString& text);
  // The text as the cell shows it: its first line.
  wxString ShownLine() const;
  // Draws the inside of the frame now, or asks for its repaint.
  void DrawNow();

  Frame m_frame;
  // Taken once: asking the toolkit's theme for a colour at every paint costs more than the
  // paint itself.
  wxColour m_face, m_shadow, m_light;
  std::shared_ptr<CellText> m_text;
  std::optional<std::string> m_bytes;  // what SetBytes last showed, unless SetLabel came after
};

}  // namespace tallyforge::ui
