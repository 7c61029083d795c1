#include "testrun/diagram.hpp"

#include <cmath>

#include "platform/errors.hpp"

namespace pv {
namespace {

// The designed size is the smallest.
constexpr float kMinHeight = 7455;
constexpr float kMinWidth = 11040;

}  // namespace

Diagram::Diagram(System& system) : SystemForm(system, "Diagram") {
  design(0, 0, kMinWidth, kMinHeight, "Diagram");
  Image1.move(120, 120, 10695, 6375);
  Command1.caption = "&Close";
  Command1.move(4613, 6600, 1695, 375);
  add_all(Image1, Command1);
  Command1.on_click = [this] { Command1_Click(); };
}

void Diagram::Form_Load() {
  skip([&] {
    picture_top = Image1.top;
    picture_left = Image1.left;
    close_top = Command1.top;
  });
}

void Diagram::Form_Resize() {
  refresh();
  if (window_state() == vbMinimized) return;
  hold_minimum_size(kMinWidth, kMinHeight);
  const float h = height(), w = width();
  skip([&] { Image1.move(picture_left, picture_top, std::nearbyint(w - 345), h - 1080); });
  refresh();
  skip([&] { Command1.move((w - Command1.width) / 2, h - (kMinHeight - close_top)); });
}

void Diagram::Command1_Click() {
  skip([&] { hide(); });
}

}  // namespace pv
