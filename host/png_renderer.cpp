#include "png_renderer.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace quillmark::host {

namespace {

// Text at scale 1 is this many pixels high, about what the game's overlay
// font is at 1080 lines.
constexpr double kFontPixels = 15.0;
// The backdrop: a dusky arena grey-blue, plain so the panel reads clearly.
constexpr double kBackdrop[3] = {0.23, 0.30, 0.36};

// Plays the canvas calls onto a Cairo context: the colour and text position
// are state that later calls use, as on the game's canvas.
class Painter {
 public:
  explicit Painter(cairo_t* cairo) : cairo_(cairo) {
    cairo_select_font_face(cairo_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
  }

  void operator()(const canvas::SetColor& op) {
    red_ = op.red / 255.0;
    green_ = op.green / 255.0;
    blue_ = op.blue / 255.0;
    alpha_ = op.opacity / 255.0;
  }
  void operator()(const canvas::SetPosition& op) {
    x_ = op.x;
    y_ = op.y;
  }
  void operator()(const canvas::DrawRect& op) {
    cairo_set_source_rgba(cairo_, red_, green_, blue_, alpha_);
    cairo_rectangle(cairo_, op.x1, op.y1, op.x2 - op.x1, op.y2 - op.y1);
    cairo_fill(cairo_);
  }
  void operator()(const canvas::DrawString& op) {
    cairo_save(cairo_);
    cairo_translate(cairo_, x_, y_);
    cairo_scale(cairo_, op.scaleX, op.scaleY);
    cairo_set_font_size(cairo_, kFontPixels);
    cairo_font_extents_t font;
    cairo_font_extents(cairo_, &font);
    // The canvas position is the text's top left; Cairo's is its baseline.
    if (op.shadow) {
      cairo_set_source_rgba(cairo_, 0, 0, 0, alpha_ * 0.8);
      cairo_move_to(cairo_, 1.5, font.ascent + 1.5);
      cairo_show_text(cairo_, op.text.c_str());
    }
    cairo_set_source_rgba(cairo_, red_, green_, blue_, alpha_);
    cairo_move_to(cairo_, 0, font.ascent);
    cairo_show_text(cairo_, op.text.c_str());
    cairo_restore(cairo_);
  }

 private:
  cairo_t* cairo_;
  double red_ = 1, green_ = 1, blue_ = 1, alpha_ = 1;
  double x_ = 0, y_ = 0;
};

}  // namespace

void renderPng(const RecordedFrame& frame, int width, int height, const std::string& path) {
  // Cairo and fontconfig keep font caches for the process's life; they are
  // let go after the surface and context, declared below, are gone, so leak checkers see none.
  struct ReleaseFontCaches {
    ~ReleaseFontCaches() {
      cairo_debug_reset_static_data();
      FcFini();
    }
  } releaseFontCaches;
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cairo(cairo_create(surface.get()),
                                                           cairo_destroy);
  cairo_set_source_rgb(cairo.get(), kBackdrop[0], kBackdrop[1], kBackdrop[2]);
  cairo_paint(cairo.get());

  Painter painter(cairo.get());
  for (const FrameEntry& entry : frame.entries) {
    if (const auto* op = std::get_if<canvas::CanvasOp>(&entry)) std::visit(painter, *op);
  }
  cairo_surface_flush(surface.get());
  const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(path +
                             ": cannot write the picture: " + cairo_status_to_string(status));
  }
}

}  // namespace quillmark::host
