#pragma once
// Runtime conventions that every window relies on: reading a number from a text, writing a number
// as text, the two roundings, trimming, and the number-per-line layout of the program's text files.
// All of it is locale independent: a decimal point is always ".", whatever the desktop's locale.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace j5::rt {

// Raised where a value does not fit the type it has to become (CInt outside -32768..32767, a
// number text beyond the range of a double). The form kit catches it like any handler error.
class OverflowError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// The numeric value of a text: the longest beginning that reads as a number. Sign, digits, one
// decimal point, an exponent ("E" or "e", optional sign, digits); blanks, tabs and line feeds are
// ignored anywhere ("1 500" is 1500); reading stops at the first character that cannot continue
// the number ("12abc" is 12). "&H"/"&O" at the start read hexadecimal/octal digits as an unsigned
// value. A text that does not begin with a number is 0. Throws OverflowError beyond a double's
// range; a value too small for a double reads 0.
double Val(std::string_view text);

// Val for a text that a range check judges: a number beyond a double's range reads as the
// infinity of its sign instead of failing, so the check finds it outside any range, as it is.
double Val_Unbounded(std::string_view text);

// Val for a box's or cell's text that is read as a value without a check: a number beyond a
// double's range counts as no number, 0, like a text that does not begin with one.
double Val_Or_Zero(std::string_view text);

// The text of a number: a leading blank for 0 and up, "-" for negative values, at most 15
// significant digits, no trailing zeros and no point for whole numbers (245.625 -> " 245.625").
// Below 1 the leading zero is kept (" 0.5"); from 1E+15 up and below 1E-04 the exponent form
// " 1E+15" is used. Throws OverflowError for infinities and NaN.
std::string Str(double value);

// The largest whole number not above the value (Int(-2.5) is -3).
double Int(double value);

// Nearest 16-bit whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Throws OverflowError when the rounded value lies outside -32768..32767 or is NaN.
std::int16_t CInt(double value);

// Removes leading and trailing blanks (only blanks, not tabs).
std::string Trim(std::string_view text);

// ---- Number files -----------------------------------------------------------------------------
// Layout: each value is its sign position (blank, or "-"), its digits and one blank, so
// neighbouring values stand two blanks apart; one table row per line; every line ends CR LF.

std::string formatNumber(int value);                                 // " 13 ", "-1 "
std::string formatNumberLine(std::span<const std::int16_t> values);  // the values, then CR LF

// Lines for rows 0..rows-1 with `perLine` values each, cell(row, column) giving the values.
std::string formatNumberRows(std::size_t rows, std::size_t perLine,
                             const std::function<int(std::size_t, std::size_t)>& cell);

// Reading and saving these files: number_file.h.

}  // namespace j5::rt
