// The screen the windows are drawn on: its size in twips, its density, the mouse pointer
// and the cursor's show count.
#pragma once

#include <string>
#include <string_view>

namespace pv {

enum MousePointer : int { vbDefault = 0, vbArrow = 1, vbHourglass = 11, vbCustom = 99 };

// Until the front-end reports the size it has, the screen is of a common laptop's size.
class Screen {
 public:
  Screen(int width_pixels = 1280, int height_pixels = 800, int pixels_per_inch = 96)
      : width_px_(width_pixels), height_px_(height_pixels), ppi_(pixels_per_inch) {}

  int pixels_per_inch() const { return ppi_; }
  int twips_per_pixel_x() const { return 1440 / ppi_; }
  int twips_per_pixel_y() const { return 1440 / ppi_; }
  float width() const { return static_cast<float>(width_px_ * twips_per_pixel_x()); }
  float height() const { return static_cast<float>(height_px_ * twips_per_pixel_y()); }
  void set_size(int width_pixels, int height_pixels) {
    width_px_ = width_pixels;
    height_px_ = height_pixels;
  }
  void set_pixels_per_inch(int ppi) { ppi_ = ppi > 0 ? ppi : 96; }

  int mouse_pointer = vbDefault;
  // ShowCursor: the cursor shows while the count is 0 or more.
  int show_cursor(bool show) { return show ? ++cursor_count_ : --cursor_count_; }
  int cursor_count() const { return cursor_count_; }

 private:
  int width_px_, height_px_, ppi_;
  int cursor_count_ = 0;
};

struct Font;

// Width of a text drawn in a font, in twips.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual float text_width(const Font& font, std::string_view text) const = 0;
  virtual float text_height(const Font& font) const = 0;
};

// Widths from a table of a proportional sans-serif face; good to a few percent, which is
// what layout needs, and the same on every machine.
class TableTextMeasure final : public TextMeasure {
 public:
  float text_width(const Font& font, std::string_view text) const override;
  float text_height(const Font& font) const override;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  virtual void set_text(const std::string& text) = 0;
  virtual std::string text() const = 0;
};

class MemoryClipboard final : public Clipboard {
 public:
  void clear() override { text_.clear(); }
  void set_text(const std::string& text) override { text_ = text; }
  std::string text() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace pv
