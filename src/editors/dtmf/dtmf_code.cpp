#include "editors/dtmf/dtmf_code.h"

#include <algorithm>
#include <vector>

#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5 {

namespace {

// The characters of a text, one string each (the windows count characters, not bytes).
std::vector<std::string> characters(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    kit::utf8::decode(text, pos);
    out.push_back(text.substr(start, pos - start));
  }
  return out;
}

bool acceptable(const std::string& ch) {
  if (ch.size() != 1) return false;
  const char c = ch[0];
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
}

}  // namespace

std::int16_t Dtmf_Char_To_Code(std::string_view ch) {
  if (ch.size() != 1) return kDtmfNoChar;
  const char c = ch[0];
  if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c - '0');
  if (c >= 'A' && c <= 'D') return static_cast<std::int16_t>(13 + (c - 'A'));
  if (c >= 'a' && c <= 'd') return static_cast<std::int16_t>(13 + (c - 'a'));
  if (c == '*') return 11;
  if (c == '#') return 12;
  return kDtmfNoChar;
}

std::string Dtmf_Code_To_Char(int code) {
  if (code >= 0 && code <= 9) return std::string(1, static_cast<char>('0' + code));
  switch (code) {
    case 11:
      return "*";
    case 12:
      return "#";
    case 13:
    case 14:
    case 15:
    case 16:
      return std::string(1, static_cast<char>('A' + (code - 13)));
    default:
      return "";
  }
}

std::string Dtmf_Codes_To_Text(std::span<const std::int16_t> codes) {
  std::string text;
  for (std::int16_t c : codes) text += Dtmf_Code_To_Char(c);
  return text;
}

std::string Code_Field_Text(std::span<const std::int16_t, kDtmfFieldLen> field) {
  if (field[0] == kDtmfNoChar) return "";
  return Dtmf_Codes_To_Text(field);
}

std::array<std::int16_t, kDtmfFieldLen> Code_Field_Bytes(const std::string& text) {
  std::array<std::int16_t, kDtmfFieldLen> field;
  field.fill(kDtmfNoChar);
  const std::vector<std::string> chars = characters(rt::Trim(text));
  const std::size_t n = std::min<std::size_t>(chars.size(), kDtmfFieldLen);
  for (std::size_t i = 0; i < n; ++i) field[i] = Dtmf_Char_To_Code(chars[i]);
  return field;
}

std::array<std::int16_t, 16> Encode_Group_Bytes(const std::string& text) {
  std::array<std::int16_t, 16> row;
  row.fill(kDtmfNoChar);
  // Past the end of the trimmed text the positions count as blanks, which have no code.
  const std::array<std::int16_t, kDtmfFieldLen> field = Code_Field_Bytes(text);
  std::copy(field.begin(), field.end(), row.begin());
  return row;
}

namespace {

// A code shown from the first five of `N` bytes and stored as `bytes` gives it for the text.
template <std::size_t N>
fields::Codec codeCodec(std::array<std::int16_t, N> (*bytes)(const std::string&)) {
  return {static_cast<int>(N),
          [](std::span<const std::int16_t> b) { return Code_Field_Text(b.first<kDtmfFieldLen>()); },
          [bytes](std::span<std::int16_t> b, std::string_view text) {
            const auto stored = bytes(std::string(text));
            std::copy(stored.begin(), stored.end(), b.begin());
            return true;
          }};
}

}  // namespace

fields::Codec Dtmf_Field_Codec() {
  return codeCodec(&Code_Field_Bytes);
}

fields::Codec Dtmf_Group_Codec() {
  return codeCodec(&Encode_Group_Bytes);
}

fields::Codec Dtmf_Char_Codec() {
  return {1, [](std::span<const std::int16_t> b) { return Dtmf_Code_To_Char(b[0]); },
          [](std::span<std::int16_t> b, std::string_view text) {
            b[0] = Dtmf_Char_To_Code(text);
            return true;
          }};
}

Code_Fault Code_Text_Fault(const std::string& text) {
  const std::vector<std::string> chars = characters(text);
  if (chars.size() > kDtmfFieldLen) return Code_Fault::Too_Long;
  // A blank anywhere, at the ends too, is a character the radio cannot send.
  if (!std::all_of(chars.begin(), chars.end(), acceptable)) return Code_Fault::Bad_Char;
  return Code_Fault::None;
}

bool Code_Text_Accepted(const std::string& text) {
  const int length = kit::utf8::length(text);
  return Code_Text_Fault(text) == Code_Fault::None && length >= 3 && length <= kDtmfFieldLen;
}

}  // namespace j5
