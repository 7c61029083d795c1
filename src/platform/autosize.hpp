// What an auto-sized label does when its caption or font changes: with word wrap it keeps
// its width and grows or shrinks to the height of the wrapped lines; without, it takes
// the size of its longest line. The desktop runtime does this on every change; our labels
// are plain values, so the code that changes them asks for it.
#pragma once

namespace pv {

class Label;
class TextMeasure;

// Does nothing for a label that is not auto-sized.
void fit_to_caption(Label& label, const TextMeasure& measure);

}  // namespace pv
