#include "platform/tooltips.hpp"

#include <algorithm>

namespace pv {

TooltipHandle TooltipTable::create_window(uint32_t style) {
  ++generation_;
  windows_[++last_].style = style;
  return last_;
}

bool TooltipTable::destroy_window(TooltipHandle tip) {
  ++generation_;
  return windows_.erase(tip) > 0;
}

TooltipWindow* TooltipTable::find(TooltipHandle tip) {
  const auto it = windows_.find(tip);
  if (it == windows_.end()) return nullptr;
  ++generation_;
  return &it->second;
}

void TooltipTable::add_tool(TooltipHandle tip, const ToolInfo& tool) {
  if (TooltipWindow* w = find(tip)) w->tools.push_back(tool);
}

void TooltipTable::set_title(TooltipHandle tip, int32_t icon, const std::string& title) {
  if (TooltipWindow* w = find(tip)) w->icon = icon, w->title = title;
}

void TooltipTable::set_tip_text_color(TooltipHandle tip, uint32_t colour) {
  if (TooltipWindow* w = find(tip)) w->text_color_set = true, w->text_color = colour;
}

void TooltipTable::set_tip_bk_color(TooltipHandle tip, uint32_t colour) {
  if (TooltipWindow* w = find(tip)) w->back_color_set = true, w->back_color = colour;
}

void TooltipTable::set_delay_time(TooltipHandle tip, int32_t which, int32_t ms) {
  TooltipWindow* w = find(tip);
  if (w == nullptr) return;
  if (which == TTDT_AUTOPOP) w->autopop_ms = ms;
  if (which == TTDT_INITIAL) w->initial_ms = ms;
}

void TooltipTable::update_tip_text(TooltipHandle tip, const ToolInfo& tool) {
  TooltipWindow* w = find(tip);
  if (w == nullptr) return;
  const auto same = [&](const ToolInfo& t) { return t.window == tool.window && t.id == tool.id; };
  const auto it = std::find_if(w->tools.begin(), w->tools.end(), same);
  if (it != w->tools.end()) it->text = tool.text;
}

}  // namespace pv
