#include "testrun/ctooltip.hpp"

#include "platform/form.hpp"

namespace pv {
namespace {

// The tool record's size in its ANSI form.
constexpr uint32_t kToolInfoSize = 44;

}  // namespace

CTooltip::CTooltip(Tooltips& platform) : platform_(platform) {
  platform_.init_common_controls();
}

CTooltip::~CTooltip() {
  Destroy();
}

bool CTooltip::Create(const Form& parent) {
  if (exists()) Destroy();
  parent_ = parent.name();
  tip_ = platform_.create_window(style_ == 1 ? TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON
                                             : TTS_ALWAYSTIP | TTS_NOPREFIX);
  tool_.flags =
      centered_ ? TTF_IDISHWND | TTF_CENTERTIP | TTF_SUBCLASS : TTF_IDISHWND | TTF_SUBCLASS;
  tool_.window = parent_;
  tool_.id = parent_;
  tool_.size = kToolInfoSize;
  platform_.add_tool(tip_, tool_);
  if (!title_.empty() || icon_ != 0) platform_.set_title(tip_, icon_, title_);
  if (fore_color_ != 0) platform_.set_tip_text_color(tip_, fore_color_);
  if (back_color_ != 0) platform_.set_tip_bk_color(tip_, back_color_);
  platform_.set_delay_time(tip_, TTDT_AUTOPOP, visible_time_);
  platform_.set_delay_time(tip_, TTDT_INITIAL, delay_time_);
  return false;
}

void CTooltip::Icon(int32_t value) {
  icon_ = value;
  if (exists() && !title_.empty() && icon_ != 0) platform_.set_title(tip_, icon_, title_);
}

void CTooltip::Title(const std::string& value) {
  title_ = value;
  if (exists() && !title_.empty() && icon_ != 0) platform_.set_title(tip_, icon_, title_);
}

void CTooltip::ForeColor(uint32_t value) {
  fore_color_ = value;
  if (exists()) platform_.set_tip_text_color(tip_, fore_color_);
}

void CTooltip::BackColor(uint32_t value) {
  back_color_ = value;
  if (exists()) platform_.set_tip_bk_color(tip_, back_color_);
}

void CTooltip::TipText(const std::string& value) {
  tip_text_ = value;
  tool_.text = value;
  if (exists()) platform_.update_tip_text(tip_, tool_);
}

void CTooltip::Destroy() {
  if (!exists()) return;
  platform_.destroy_window(tip_);
  // Forgotten once destroyed: a later Create, Destroy or the end of the object must not
  // destroy a window that is gone, or one that now has the same number.
  tip_ = 0;
}

}  // namespace pv
