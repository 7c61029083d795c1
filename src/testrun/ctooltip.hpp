// A tooltip of the platform's tooltip control attached to one window of the program: a
// rectangular tip or a balloon, with an optional title, title icon, colours and timing.
// The whole window is the tool; the tip follows the mouse over it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/tooltips.hpp"

namespace pv {

class Form;

class CTooltip {
 public:
  explicit CTooltip(Tooltips& platform);
  ~CTooltip();
  CTooltip(const CTooltip&) = delete;
  CTooltip& operator=(const CTooltip&) = delete;

  // 1: a balloon; any other value a rectangular tip. Read by Create.
  void Style(int32_t value) { style_ = value; }
  int32_t Style() const { return style_; }
  // The tip centred under the tool. Read by Create.
  void Centered(bool value) { centered_ = value; }
  bool Centered() const { return centered_; }
  // Creates the tip for `parent` (destroying one that exists) with the current
  // properties. Always false.
  bool Create(const Form& parent);
  // The title's icon: 0 none, 1 information, 2 warning, 3 error.
  void Icon(int32_t value);
  int32_t Icon() const { return icon_; }
  void ForeColor(uint32_t value);
  uint32_t ForeColor() const { return fore_color_; }
  void Title(const std::string& value);
  const std::string& Title() const { return title_; }
  void BackColor(uint32_t value);
  uint32_t BackColor() const { return back_color_; }
  void TipText(const std::string& value);
  const std::string& TipText() const { return tip_text_; }
  void Destroy();
  // Milliseconds the tip stays, and the mouse must rest before it shows. Read by Create.
  int32_t VisibleTime() const { return visible_time_; }
  void VisibleTime(int32_t value) { visible_time_ = value; }
  int32_t DelayTime() const { return delay_time_; }
  void DelayTime(int32_t value) { delay_time_ = value; }

 private:
  bool exists() const { return tip_ != 0; }

  Tooltips& platform_;
  uint32_t back_color_ = 0;
  std::string title_;
  uint32_t fore_color_ = 0;
  int32_t icon_ = 0;
  bool centered_ = false;
  int32_t style_ = 0;
  std::string tip_text_;
  int32_t visible_time_ = 5000;
  int32_t delay_time_ = 500;
  TooltipHandle tip_ = 0;
  std::string parent_;
  ToolInfo tool_;
};

}  // namespace pv
