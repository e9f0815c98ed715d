// The one text measure both platforms use for layout that code reads back
// (grid column widths from header texts), so positions agree in tests and on
// screen.
#pragma once

#include <string>

namespace kit {

// Width of text in twips in the default 8-point dialog font.
double textWidthTwips(const std::string& text);

// Height of one line of that font, in twips.
inline constexpr double kTextLineTwips = 195;

// Height in twips of text word-wrapped at width in that font, as the window system breaks it: a
// line breaks after a blank or beside a CJK character, the blanks at a break take no room, and a
// word wider than the line stands alone on its own.
double wrappedTextHeightTwips(const std::string& text, double width);

}  // namespace kit
