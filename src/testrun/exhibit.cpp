#include "testrun/exhibit.hpp"

#include <cmath>

#include "platform/errors.hpp"

namespace pv {
namespace {

// The designed size is the smallest.
constexpr float kMinHeight = 5955;
constexpr float kMinWidth = 10215;

}  // namespace

Exhibit::Exhibit(System& system) : SystemForm(system, "Exhibit") {
  design(0, 0, kMinWidth, kMinHeight, "Exhibit");
  text1.multi_line = true;
  text1.font.name = "Lucida Console";
  text1.move(120, 120, 9855, 5055);
  Command1.caption = "&Close";
  Command1.move(4080, 5280, 1455, 255);
  add_all(text1, Command1);
  Command1.on_click = [this] { Command1_Click(); };
}

void Exhibit::Form_Load() {
  skip([&] {
    text_top = text1.top;
    text_left = text1.left;
    close_top = std::nearbyint(Command1.top);
  });
}

void Exhibit::Form_Resize() {
  refresh();
  if (window_state() == vbMinimized) return;
  hold_minimum_size(kMinWidth, kMinHeight);
  const float h = height(), w = width();
  skip([&] { text1.move(text_left, text_top, std::nearbyint(w - 360), h - 900); });
  refresh();
  skip([&] { Command1.move((w - Command1.width) / 2, h - (kMinHeight - close_top)); });
}

void Exhibit::Command1_Click() {
  skip([&] { hide(); });
}

}  // namespace pv
