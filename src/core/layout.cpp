#include "core/layout.hpp"

#include "platform/errors.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"

namespace pv {

void center_form(Form& form, float x, float y) {
  const Screen& screen = form.forms().screen();
  form.set_left((screen.width() - form.width()) / 2 - x);
  form.set_top((screen.height() - form.height()) / 2 - y);
}

void scale_for_dpi(Form& form, const Screen& screen) {
  const float factor = static_cast<float>(screen.pixels_per_inch()) / 96.0f;
  if (factor == 1.0f) return;
  for (Control* c : form.controls()) {
    skip([&] {
      switch (c->kind()) {
        case ControlKind::ComboBox:
          c->width /= factor;
          c->left /= factor;
          c->top /= factor;
          break;
        case ControlKind::Line: {
          auto* line = static_cast<Line*>(c);
          line->x1 /= factor;
          line->x2 /= factor;
          line->y1 /= factor;
          line->y2 /= factor;
          break;
        }
        case ControlKind::Timer:
        case ControlKind::Menu:
          raise_error(438);  // these have no size to move
        default:
          if (form.window_state() == vbNormal)
            c->move(c->left / factor, c->top / factor, c->width / factor, c->height / factor);
      }
    });
    skip([&] {
      if (!c->has_font || c->font.name.empty()) return;
      if (c->font.size <= 8.0f) c->font.name = "Small Fonts";
      c->font.size /= factor;
    });
  }
  form.move(form.left() / factor, form.top() / factor, form.width() / factor,
            form.height() / factor);
}

}  // namespace pv
