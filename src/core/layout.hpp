// Placing and rescaling windows.
#pragma once

namespace pv {

class Form;
class Screen;

// Centres the window on the screen, shifted left by x and up by y (twips).
void center_form(Form& form, float x = 0, float y = 0);
// Rescales the window and its controls for a screen density other than 96 pixels per
// inch. Failing statements are skipped.
void scale_for_dpi(Form& form, const Screen& screen);

}  // namespace pv
