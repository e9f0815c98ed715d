// The one text measure both platforms use for layout that code reads back
// (grid column widths from header texts), so positions agree in tests and on
// screen.
#pragma once

#include <string>

namespace kit {

// Width of text in twips in the default 8-point dialog font.
double textWidthTwips(const std::string& text);

}  // namespace kit
