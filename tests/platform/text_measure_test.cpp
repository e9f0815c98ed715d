// The headless text measure's word wrap, which lays out the labels the tests see.
#include "platform/text_measure.h"

#include <gtest/gtest.h>

namespace {

TEST(TextMeasure, WrapsAtBlanksAndBesideCjkCharacters) {
  const struct {
    const char* text;
    double widthPx;
    int lines;
  } cases[] = {
      {"", 24, 1},
      {"aaaa", 24, 1},   // exactly the width
      {"aa aa", 24, 2},  // the blank between them too
      {"aa aa", 27, 1},
      {"  aa aa", 27, 2},  // leading blanks take room on the first line
      {"\xe4\xb8\xad\xe4\xb8\xad\xe4\xb8\xad", 24, 2},  // 中中中
      {"aaaaaaaaaa", 24, 1},                            // a word wider than the line stands alone
      {"aa aaaaaaaaaa aa", 24, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kit::wrappedTextHeightTwips(c.text, c.widthPx * 15), c.lines * kit::kTextLineTwips)
        << '"' << c.text << "\" at " << c.widthPx;
  }
}

}  // namespace
