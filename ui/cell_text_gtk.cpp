// A cell's text on GTK. Laying a text out with Pango (its runs, its line breaks, its glyphs)
// costs several times what drawing its glyphs does, and a cell is drawn at every progress
// point. So a text's shape (its digits made 0) is laid out once, and each text of that shape is
// drawn as the shape's glyphs with its own digits' glyphs put in, at the same places: that holds
// because the font's ten digits are one glyph each and equally wide, which is checked. A text
// the shortcut does not fit (more than one run, another font, digits of different widths) is
// laid out as any text is.
#include <gtk/gtk.h>
#include <pango/pangocairo.h>
#include <wx/fontutil.h>
#include <wx/graphics.h>
#include <wx/window.h>

#include <array>
#include <optional>
#include <unordered_map>

#include "cell_text.h"

namespace tallyforge::ui {

namespace {

// A GObject reference held for as long as this lives.
template <typename T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* object) : m_object(object) {}
  ~Ref() { reset(); }
  Ref(Ref&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
  Ref& operator=(Ref&& other) noexcept {
    if (this != &other) {
      reset();
      m_object = other.m_object;
      other.m_object = nullptr;
    }
    return *this;
  }
  T* get() const { return m_object; }
  void reset() {
    if (m_object != nullptr) g_object_unref(m_object);
    m_object = nullptr;
  }

 private:
  T* m_object = nullptr;
};

struct GlyphsDeleter {
  void operator()(PangoGlyphString* glyphs) const { pango_glyph_string_free(glyphs); }
};
using Glyphs = std::unique_ptr<PangoGlyphString, GlyphsDeleter>;

// A shape laid out once: its one run's font and glyphs, and for each glyph the digit it stands
// for (-1: none), so that each text of the shape is its glyphs with the digits put in.
struct Shape {
  Glyphs glyphs;   // the shape's own, as laid out
  Glyphs drawn;    // the last text drawn: the shape's glyphs with its digits
  std::vector<int> digitAt;  // per glyph: the byte of the text it draws, when that is a digit
  double baseline = 0;       // from the top of the line, in pixels
  wxSize extent;             // the line's logical size in pixels
};

// What glyphs are laid out for: the surface's font options (antialiasing, hinting) and the
// scale of the drawing.
struct Target {
  struct OptionsDeleter {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
  };
  std::unique_ptr<cairo_font_options_t, OptionsDeleter> options;
  double xx = 0, yx = 0, xy = 0, yy = 0;

  Target() = default;
  explicit Target(cairo_t* cr) : options(cairo_font_options_create()) {
    cairo_surface_get_font_options(cairo_get_target(cr), options.get());
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    xx = m.xx, yx = m.yx, xy = m.xy, yy = m.yy;
  }
  bool operator==(const Target& other) const {
    return options && other.options && cairo_font_options_equal(options.get(), other.options.get()) &&
           xx == other.xx && yx == other.yx && xy == other.xy && yy == other.yy;
  }
};

// The font as GTK's own widgets draw it (wx scales it likewise for its text).
wxFont ScreenFont(const wxFont& font) {
  GdkScreen* screen = gdk_screen_get_default();
  const double factor = screen != nullptr ? gdk_screen_get_resolution(screen) / 96.0 : 1.0;
  return factor > 0 && factor != 1.0 ? font.Scaled(static_cast<float>(factor)) : font;
}

}  // namespace

struct CellText::Kept {
  wxFont cellFont;
  Ref<PangoLayout> layout;  // in cellFont; reused for every layout
  Target target;            // what it was laid out for
  std::optional<std::array<PangoGlyph, 10>> digits;  // the digits' glyphs, when alike
  Ref<PangoFont> font;      // the digits' font, which every shape's one run must have
  std::unordered_map<std::string, std::optional<Shape>> shapes;  // nullopt: no shortcut

  void Forget() {
    layout.reset();
    target = Target();
    ForgetShapes();
  }

  void ForgetShapes() {
    digits.reset();
    font.reset();
    shapes.clear();
  }

  // The layout for drawing on cr. What was laid out for another kind of surface (other font
  // options, another scale) is laid out again; a mere move (each paint's own origin) is not.
  PangoLayout* Layout(cairo_t* cr, const wxFont& wanted) {
    if (wanted != cellFont) {
      Forget();
      cellFont = wanted;
    }
    Target now(cr);
    if (layout.get() == nullptr) {
      layout = Ref<PangoLayout>(pango_cairo_create_layout(cr));
      pango_layout_set_font_description(layout.get(),
                                        ScreenFont(cellFont).GetNativeFontInfo()->description);
    } else if (!(now == target)) {
      pango_cairo_update_layout(cr, layout.get());
    }
    if (!(now == target)) {
      target = std::move(now);
      ForgetShapes();
      LearnDigits();
    }
    return layout.get();
  }

  void SetText(const char* utf8, int length) { pango_layout_set_text(layout.get(), utf8, length); }

  // The one run of the laid-out line, or none.
  static PangoGlyphItem* OneRun(PangoLayout* laid) {
    if (pango_layout_get_line_count(laid) != 1) return nullptr;
    PangoLayoutLine* line = pango_layout_get_line_readonly(laid, 0);
    if (line->runs == nullptr || line->runs->next != nullptr) return nullptr;
    return static_cast<PangoGlyphItem*>(line->runs->data);
  }

  void LearnDigits() {
    SetText("0123456789", -1);
    PangoGlyphItem* run = OneRun(layout.get());
    if (run == nullptr || run->glyphs->num_glyphs != 10) return;
    std::array<PangoGlyph, 10> glyphs{};
    const int width = run->glyphs->glyphs[0].geometry.width;
    for (int d = 0; d < 10; ++d) {
      const PangoGlyphInfo& info = run->glyphs->glyphs[d];
      if (run->glyphs->log_clusters[d] != d || info.geometry.width != width) {
        return;  // not one glyph each, or not equally wide
      }
      glyphs[static_cast<size_t>(d)] = info.glyph;
    }
    digits = glyphs;
    font = Ref<PangoFont>(PANGO_FONT(g_object_ref(run->item->analysis.font)));
  }

  // The shape of utf8 (its digits 0) laid out, or nullopt when the shortcut does not fit it.
  std::optional<Shape> LayOut(const std::string& utf8) {
    if (!digits) return std::nullopt;
    SetText(utf8.c_str(), static_cast<int>(utf8.size()));
    PangoGlyphItem* run = OneRun(layout.get());
    if (run == nullptr || run->item->analysis.font != font.get()) return std::nullopt;
    Shape shape;
    shape.glyphs = Glyphs(pango_glyph_string_copy(run->glyphs));
    shape.drawn = Glyphs(pango_glyph_string_copy(run->glyphs));
    const int offset = run->item->offset;
    for (int g = 0; g < run->glyphs->num_glyphs; ++g) {
      const int byte = offset + run->glyphs->log_clusters[g];
      shape.digitAt.push_back(utf8[static_cast<size_t>(byte)] == '0' ? byte : -1);
    }
    shape.baseline = double(pango_layout_get_baseline(layout.get())) / PANGO_SCALE;
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    shape.extent = wxSize(logical.width, logical.height);
    return shape;
  }

  // Paints box in face and text in ink, centred in box and clipped to it, on cr.
  void Draw(cairo_t* cr, const wxFont& wanted, const wxString& text, const wxColour& face,
            const wxColour& ink, const wxRect& box) {
    PangoLayout* laid = Layout(cr, wanted);
    const std::string utf8 = text.utf8_string();
    const std::string shapeText = TextShape(text).utf8_string();
    auto known = shapes.find(shapeText);
    if (known == shapes.end()) {
      known = shapes.emplace(shapeText, LayOut(shapeText)).first;
    }
    cairo_save(cr);
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, face.Red() / 255.0, face.Green() / 255.0, face.Blue() / 255.0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, ink.Red() / 255.0, ink.Green() / 255.0, ink.Blue() / 255.0);
    if (known->second) {
      Shape& shape = *known->second;
      for (int g = 0; g < shape.drawn->num_glyphs; ++g) {
        const int byte = shape.digitAt[static_cast<size_t>(g)];
        shape.drawn->glyphs[g].glyph =
            byte >= 0 ? (*digits)[static_cast<size_t>(utf8[static_cast<size_t>(byte)] - '0')]
                      : shape.glyphs->glyphs[g].glyph;
      }
      cairo_move_to(cr, box.x + (box.width - shape.extent.x) / 2,
                    box.y + (box.height - shape.extent.y) / 2 + shape.baseline);
      pango_cairo_show_glyph_string(cr, font.get(), shape.drawn.get());
    } else {
      SetText(utf8.c_str(), static_cast<int>(utf8.size()));
      int width = 0, height = 0;
      pango_layout_get_pixel_size(laid, &width, &height);
      cairo_move_to(cr, box.x + (box.width - width) / 2, box.y + (box.height - height) / 2);
      pango_cairo_show_layout(cr, laid);
    }
    cairo_restore(cr);
  }
};

CellText::CellText() : m_kept(std::make_unique<Kept>()) {}
CellText::~CellText() = default;

void CellText::Paint(wxWindow& cell, wxDC* dc, const wxString& text, const wxColour& face,
                     const wxColour& ink, const wxRect& box) {
  // wx's paint DC draws with Cairo on the context GTK gives the paint; without a DC, on that
  // context directly.
  wxGraphicsContext* gc = dc != nullptr ? dc->GetGraphicsContext() : nullptr;
  auto* cr = static_cast<cairo_t*>(gc != nullptr ? gc->GetNativeContext() : cell.GTKPaintContext());
  if (cr == nullptr) return;
  m_kept->Draw(cr, cell.GetFont(), text, face, ink, box);
}

bool CellText::PaintNow(wxWindow& cell, const wxString& text, const wxColour& face,
                        const wxColour& ink, const wxRect& box) {
  GdkWindow* window = cell.GTKGetDrawingWindow();
  if (window == nullptr || !gtk_widget_is_drawable(cell.GetHandle())) return false;
  // Deprecated for drawing inside GTK's paint cycle, which this is not: it draws straight on the
  // window, clipped to what of it shows, as X draws any window.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  cairo_t* cr = gdk_cairo_create(window);
#pragma GCC diagnostic pop
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr);
    return false;
  }
  m_kept->Draw(cr, cell.GetFont(), text, face, ink, box);
  cairo_destroy(cr);
  return true;
}

}  // namespace tallyforge::ui
