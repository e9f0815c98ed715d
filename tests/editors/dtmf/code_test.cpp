// The DTMF character code and the code texts built from it.
#include <gtest/gtest.h>

#include <vector>

#include "editors/dtmf/dtmf_code.h"

namespace j5 {
namespace {

TEST(DtmfCode, CharactersAndCodesConvertBothWays) {
  const struct {
    const char* ch;
    int code;
  } pairs[] = {{"0", 0}, {"9", 9}, {"*", 11}, {"#", 12}, {"A", 13}, {"D", 16}};
  for (const auto& p : pairs) {
    EXPECT_EQ(Dtmf_Char_To_Code(p.ch), p.code) << p.ch;
    EXPECT_EQ(Dtmf_Code_To_Char(p.code), p.ch) << p.code;
  }
  EXPECT_EQ(Dtmf_Char_To_Code("d"), 16);
  EXPECT_EQ(Dtmf_Char_To_Code("a"), 13);
  for (const char* none : {"E", "e", " ", "", "12", "中"}) EXPECT_EQ(Dtmf_Char_To_Code(none), 255);
  for (int none : {10, 17, 254, 255, -1, 300}) EXPECT_EQ(Dtmf_Code_To_Char(none), "") << none;
}

TEST(DtmfCode, AFieldShowsItsCharactersClosedUpAndEmptyFromA255FirstByte) {
  const struct {
    std::vector<std::int16_t> field;
    const char* text;
  } cases[] = {{{1, 10, 2, 255, 255}, "12"},
               {{255, 3, 4, 5, 255}, ""},
               {{13, 14, 15, 16, 11}, "ABCD*"},
               {{12, 0, 0, 0, 9}, "#0009"},
               {{255, 255, 255, 255, 255}, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(Code_Field_Text(std::span<const std::int16_t, 5>(c.field.data(), 5)), c.text);
}

TEST(DtmfCode, TextsBecomeFieldsAndEncodeGroupRows) {
  using Field = std::array<std::int16_t, 5>;
  EXPECT_EQ(Code_Field_Bytes("  1*a# "), (Field{1, 11, 13, 12, 255}));
  EXPECT_EQ(Code_Field_Bytes("1234567"), (Field{1, 2, 3, 4, 5}));
  EXPECT_EQ(Code_Field_Bytes(""), (Field{255, 255, 255, 255, 255}));
  // A character without a code keeps its place.
  EXPECT_EQ(Code_Field_Bytes("x1 2"), (Field{255, 1, 255, 2, 255}));

  std::array<std::int16_t, 16> row;
  row.fill(255);
  row[0] = 13, row[1] = 14, row[2] = 15, row[3] = 16, row[4] = 0;
  EXPECT_EQ(Encode_Group_Bytes("abcd0xyz"), row);
}

TEST(DtmfCode, TheCodeCheckRefusesLengthFirstThenAnyOtherCharacter) {
  const struct {
    const char* text;
    Code_Fault fault;
    bool accepted;
  } cases[] = {{"123", Code_Fault::None, true},         {"1*A#D", Code_Fault::None, true},
               {"12", Code_Fault::None, false},         {"", Code_Fault::None, false},
               {"123456", Code_Fault::Too_Long, false}, {"1 2 3 4", Code_Fault::Too_Long, false},
               {"12a", Code_Fault::Bad_Char, false},    {" 123", Code_Fault::Bad_Char, false},
               {"123 ", Code_Fault::Bad_Char, false},   {"1 3", Code_Fault::Bad_Char, false},
               {"12E", Code_Fault::Bad_Char, false},    {"中12", Code_Fault::Bad_Char, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(Code_Text_Fault(c.text), c.fault) << '"' << c.text << '"';
    EXPECT_EQ(Code_Text_Accepted(c.text), c.accepted) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace j5
