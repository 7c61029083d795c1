#include "platform/autosize.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.hpp"
#include "platform/filesystem.hpp"
#include "platform/screen.hpp"

namespace pv {
namespace {

// Lines of one paragraph broken at blanks so that each fits the width; a word wider than
// the width stands on a line of its own.
int wrapped_lines(std::string_view paragraph, float width, const Font& font,
                  const TextMeasure& measure) {
  int lines = 1;
  std::string line;
  size_t at = 0;
  while (at <= paragraph.size()) {
    size_t end = paragraph.find(' ', at);
    if (end == std::string_view::npos) end = paragraph.size();
    const std::string_view word = paragraph.substr(at, end - at);
    const std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (!line.empty() && measure.text_width(font, candidate) > width) {
      ++lines;
      line = std::string(word);
    } else {
      line = candidate;
    }
    at = end + 1;
  }
  return lines;
}

}  // namespace

void fit_to_caption(Label& label, const TextMeasure& measure) {
  if (!label.auto_size) return;
  const std::vector<std::string> paragraphs =
      label.caption.empty() ? std::vector<std::string>{""} : split_lines(label.caption);
  int lines = 0;
  float widest = 0;
  for (const std::string& p : paragraphs) {
    if (label.word_wrap)
      lines += wrapped_lines(p, label.width, label.font, measure);
    else
      ++lines;
    widest = std::max(widest, measure.text_width(label.font, p));
  }
  if (!label.word_wrap) label.width = widest;
  label.height = static_cast<float>(std::max(lines, 1)) * measure.text_height(label.font);
}

}  // namespace pv
