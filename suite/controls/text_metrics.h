// How much room a skinned control's text needs: the ideal-height rule behind ISkinIdealSize
// and the auto-size modes, on the headless 8 x 16 pixel character cell.
//
// The text is broken at explicit line breaks ("\n", "\r\n"), then word-wrapped at spaces to
// the characters that fit in the content width (width - left inset - 2 x padding, at least
// one character); a word longer than a line is split. An empty text counts as one line.
// Ideal height = lines x 16 + 2 x padding, and never less than the control's minimum height.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace suite::controls {

struct TextBox {
  LONG left_inset = 0;      // room taken left of the text (a check mark, a step image)
  LONG padding = 4;         // on every side of the text
  LONG minimum_height = 0;  // the skin's smallest face of this control
};

// The text's lines at `width` pixels under `box`.
std::vector<std::u16string> wrap_text(std::u16string_view text, LONG width, const TextBox& box);
LONG ideal_height(std::u16string_view text, LONG width, const TextBox& box);
// The width that shows the longest explicit line unwrapped.
LONG natural_width(std::u16string_view text, const TextBox& box);

}  // namespace suite::controls
