// Tooltip windows of the common tooltip control: a tip attached to a window of the program
// (the tool), which shows while the mouse rests over that window. A tooltip window is a
// number, 0 for none; a window is named by its name, as each window is a single instance.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pv {

using TooltipHandle = int32_t;

// Window styles of a tooltip window.
inline constexpr uint32_t TTS_ALWAYSTIP = 0x01;
inline constexpr uint32_t TTS_NOPREFIX = 0x02;
inline constexpr uint32_t TTS_BALLOON = 0x40;
// Tool flags.
inline constexpr uint32_t TTF_IDISHWND = 0x01;
inline constexpr uint32_t TTF_CENTERTIP = 0x02;
inline constexpr uint32_t TTF_SUBCLASS = 0x10;
// The delay times.
inline constexpr int32_t TTDT_AUTOPOP = 2;
inline constexpr int32_t TTDT_INITIAL = 3;
// Title icons.
inline constexpr int32_t TTI_NONE = 0, TTI_INFO = 1, TTI_WARNING = 2, TTI_ERROR = 3;

// The tool-information record.
struct ToolInfo {
  uint32_t size = 0;  // 44: the record's size in its ANSI form
  uint32_t flags = 0;
  std::string window;  // the window the tool belongs to
  std::string id;      // with TTF_IDISHWND: the window that is the tool
  std::string text;
  int32_t param = 0;
};

// What a tooltip window holds.
struct TooltipWindow {
  uint32_t style = 0;
  std::vector<ToolInfo> tools;
  int32_t icon = TTI_NONE;
  std::string title;
  bool text_color_set = false, back_color_set = false;
  uint32_t text_color = 0, back_color = 0;  // 0xRRGGBB
  int32_t autopop_ms = 5000;                // how long a tip stays
  int32_t initial_ms = 500;                 // how long the mouse rests before it shows
};

// The operations of the tooltip control; each on a window that does not exist does
// nothing, as a message to a destroyed window does.
class Tooltips {
 public:
  virtual ~Tooltips() = default;
  virtual void init_common_controls() = 0;
  // A new tooltip window (window class "tooltips_class32") with these styles.
  virtual TooltipHandle create_window(uint32_t style) = 0;
  // False when there was no such window.
  virtual bool destroy_window(TooltipHandle tip) = 0;
  // The tooltip messages: TTM_ADDTOOLA, TTM_SETTITLEA, TTM_SETTIPTEXTCOLOR,
  // TTM_SETTIPBKCOLOR, TTM_SETDELAYTIME and TTM_UPDATETIPTEXTA.
  virtual void add_tool(TooltipHandle tip, const ToolInfo& tool) = 0;
  virtual void set_title(TooltipHandle tip, int32_t icon, const std::string& title) = 0;
  virtual void set_tip_text_color(TooltipHandle tip, uint32_t colour) = 0;
  virtual void set_tip_bk_color(TooltipHandle tip, uint32_t colour) = 0;
  virtual void set_delay_time(TooltipHandle tip, int32_t which, int32_t ms) = 0;
  virtual void update_tip_text(TooltipHandle tip, const ToolInfo& tool) = 0;
};

// The tooltip windows of the program, which the front-end draws.
class TooltipTable : public Tooltips {
 public:
  void init_common_controls() override {}
  TooltipHandle create_window(uint32_t style) override;
  bool destroy_window(TooltipHandle tip) override;
  void add_tool(TooltipHandle tip, const ToolInfo& tool) override;
  void set_title(TooltipHandle tip, int32_t icon, const std::string& title) override;
  void set_tip_text_color(TooltipHandle tip, uint32_t colour) override;
  void set_tip_bk_color(TooltipHandle tip, uint32_t colour) override;
  void set_delay_time(TooltipHandle tip, int32_t which, int32_t ms) override;
  void update_tip_text(TooltipHandle tip, const ToolInfo& tool) override;

  const std::map<TooltipHandle, TooltipWindow>& windows() const { return windows_; }
  // Changes with every change of a tooltip window.
  uint64_t generation() const { return generation_; }

 private:
  TooltipWindow* find(TooltipHandle tip);

  std::map<TooltipHandle, TooltipWindow> windows_;
  TooltipHandle last_ = 0;
  uint64_t generation_ = 0;
};

}  // namespace pv
