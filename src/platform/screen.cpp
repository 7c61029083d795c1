#include "platform/screen.hpp"

#include <array>

#include "platform/controls.hpp"

namespace pv {
namespace {

// Advance widths of a proportional sans-serif face for ASCII 32..126, in 1/1000 em.
constexpr std::array<int, 95> kWidths = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '..'/'
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // '0'..'?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // '@'..'O'
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // 'P'..'_'
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // '`'..'o'
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // 'p'..'~'

}  // namespace

float TableTextMeasure::text_width(const Font& font, std::string_view text) const {
  // Points to twips: 20 twips a point; bold faces run about 6% wider.
  const float em = font.size * 20.0f;
  float total = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;  // continuation byte of a wider character
    const int w = (c >= 32 && c <= 126) ? kWidths[c - 32] : 556;
    total += static_cast<float>(w) * em / 1000.0f;
  }
  return font.bold ? total * 1.06f : total;
}

float TableTextMeasure::text_height(const Font& font) const {
  return font.size * 20.0f * 1.15f;
}

}  // namespace pv
