// The two-tone window: its defaults, its block, and editing its tables.
#include <gtest/gtest.h>

#include "editors/signalling/tone_codecs.h"
#include "tone_fixture.h"

namespace j5::tone_test {
namespace {

using Two_Tone = Tone_Fixture;

TEST_F(Two_Tone, OpensOnTheEncodePageWithItsDefaults) {
  frm_2tone& w = two();
  EXPECT_EQ(w.caption(), "2 TONE");
  ASSERT_EQ(w.TabStrip1.tabCount(), 2);
  EXPECT_EQ(w.TabStrip1.tab(1).caption, "Encode");
  EXPECT_EQ(w.TabStrip1.tab(2).caption, "Decode");
  EXPECT_TRUE(w.Frame_encode.visible());
  EXPECT_FALSE(w.Frame_Decode.visible());
  for (int code : {1, 2, 3, 4, 12, 13, 14, 15})
    EXPECT_FALSE(w.MSF_Encode.textMatrix(code, 1).empty());
  EXPECT_EQ(w.MSF_Encode.textMatrix(5, 1), "");
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "600");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "600");
  EXPECT_EQ(w.Combo_enc_ys3.text(), "300");
  EXPECT_EQ(row_cells(w.MSF_Decode, 15, 1, 6),
            (std::vector<std::string>{"D-A", "0.None", "4", "C-D", "3.Alert+Transpond", "3"}));
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "6000");
  EXPECT_EQ(w.Combo_Dec_Res_Time.listCount(), 80);
  d.clickTab(w.TabStrip1, 2);
  EXPECT_TRUE(w.Frame_Decode.visible());
  EXPECT_EQ(w.Text_A.text(), "1981.0");
  EXPECT_EQ(w.Text_D.text(), "1275.0");
}

// The encode grid shows its three columns whole in either language, with the timing lists still
// beside it.
TEST(Two_Tone_Layout, TheEncodeGridIsAsWideAsItsColumns) {
  for (const bool chinese : {false, true}) {
    SCOPED_TRACE(chinese);
    In_Language f(chinese);
    frm_2tone& w = f.two();
    const kit::Grid& g = w.MSF_Encode;
    EXPECT_FALSE(g.showsHorizontalBar());
    EXPECT_LE(g.colPos(2) + g.colWidth(2), g.width() - kit::Grid::kBorder);
    EXPECT_LT(g.left() + g.width(), w.Label_1st.left());
    EXPECT_GT(w.Label_1st.width(), 0);
  }
}

TEST_F(Two_Tone, BuildOfTheDefaultsLeavesTheChannelRecordsAlone) {
  frm_2tone& w = two();
  w.Grids_To_Image();
  using V = std::vector<int>;
  EXPECT_EQ(stage_row(0), (V{0xBD, 7, 0, 0, 0, 0, 0, 0, 0x64, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(stage_row(15), (V{0x3C, 0x3C, 0x1E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(stage_row(16), (V{0, 1, 1, 4, 2, 2, 8, 3, 3, 9, 0, 4, 0, 0, 0, 0}));
  EXPECT_EQ(stage_row(30), (V{9, 0, 4, 8, 3, 3, 4, 2, 2, 0, 1, 1, 0, 0, 0, 0}));
  for (int r = 18; r <= 28; ++r)
    EXPECT_EQ(stage_row(r),
              (V{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0}));
  EXPECT_EQ(stage_row(32),
            (V{0xBD, 7, 0x64, 4, 0xAD, 4, 0xFB, 4, 0x8B, 4, 2, 8, 0x85, 7, 0x0F, 7}));
  EXPECT_EQ(stage_row(47), (V{0x3B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  expect_image_untouched();
}

struct Entry {
  std::string typed;
  std::string cell;  // the cell afterwards
  bool message;
};

TEST_F(Two_Tone, EncodeCellEntry) {
  frm_2tone& w = two();
  const Entry cases[] = {
      {"1200", " 1200.0", false},  {"1200.5", " 1201.0", false}, {"300", " 300.0", false},
      {"3000", " 3000.0", false},  {"1000.5", " 1001.0", false}, {"299.9", " 1500.0", true},
      {"3000.1", " 1500.0", true}, {"abc", " 1500.0", true},     {"12abc", " 1500.0", true},
      {"", " 1500.0", false},      {"1e999", " 1500.0", true},   {"-1e999", " 1500.0", true}};
  for (const Entry& e : cases) {
    d.clearMessageBoxes();
    w.MSF_Encode.setTextMatrix(5, 1, " 1500.0");
    edit_cell(w.MSF_Encode, 5, 1, w.Text_Encode, e.typed, 5, 0);
    EXPECT_EQ(w.MSF_Encode.textMatrix(5, 1), e.cell) << e.typed;
    EXPECT_EQ(d.messageBoxes().size(), e.message ? 1u : 0u) << e.typed;
    if (e.message) {
      EXPECT_EQ(d.lastMessageBox().text, "Frequency range 300Hz to 3000Hz");
      EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt\"");
    }
    EXPECT_FALSE(w.Text_Encode.visible());
  }
}

// The editor opens with its cell's whole text selected: what the user types replaces it.
TEST_F(Two_Tone, TypingIntoAFilledCellReplacesItsText) {
  frm_2tone& w = two();
  w.MSF_Encode.setTextMatrix(5, 1, " 1500.0");
  d.clickCell(w.MSF_Encode, 5, 1);
  d.type("1200");
  d.clickCell(w.MSF_Encode, 5, 0);
  EXPECT_EQ(w.MSF_Encode.textMatrix(5, 1), " 1200.0");
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(Two_Tone, ToneBoxesRoundHalvesToEvenAndStoreTheWholeSet) {
  frm_2tone& w = two();
  d.clickTab(w.TabStrip1, 2);
  const std::pair<const char*, const char*> cases[] = {{"1000.5", " 1000.0"},
                                                       {"1001.5", " 1002.0"}};
  for (auto [typed, shown] : cases) {
    d.focus(w.Text_B);
    d.selectAll();
    d.type(typed);
    d.focus(w.Text_C);
    EXPECT_EQ(w.Text_B.text(), shown);
  }
  d.focus(w.Text_A);
  d.selectAll();
  d.type("1000");
  d.focus(w.Text_D);
  EXPECT_EQ(w.Dec_Tone_Set(0, 0), 232);
  EXPECT_EQ(w.Dec_Tone_Set(0, 1), 3);
  EXPECT_EQ(w.Dec_Tone_Set(0, 8), 0);
  EXPECT_EQ(w.Dec_Tone_Set(0, 9), 9);  // 2304 ticks

  // Out of range: the message, the box cleared with the focus back, the old tone kept.
  d.focus(w.Text_A);
  d.selectAll();
  d.type("5000");
  d.focus(w.Text_B);
  EXPECT_EQ(d.lastMessageBox().text, "Frequency range 300Hz to 3000Hz");
  EXPECT_EQ(w.Text_A.text(), "");
  EXPECT_EQ(d.focused(), &w.Text_A);
  // Emptied, the box keeps the stored tone: another code and back shows it again.
  d.clickCell(w.MSF_Decode, 2, 0);
  d.clickCell(w.MSF_Decode, 1, 0);
  EXPECT_EQ(w.Text_A.text(), "1000.0");
}

// A tone box only clicked into or tabbed through stores nothing: a tone set read in whose ticks
// are not what the shown Hz would give keeps every byte. A typed tone is stored as before.
TEST_F(Two_Tone, AToneBoxOnlyLookedAtKeepsTheToneSet) {
  frm_2tone& w = two();
  d.clickTab(w.TabStrip1, 2);
  // Tones of 1000 to 1003 Hz, each with a tick count of 1234 (0x04D2).
  for (std::size_t k = 0; k < 4; ++k) {
    w.Dec_Tone_Set(0, 2 * k) = static_cast<std::int16_t>(0xE8 + k);
    w.Dec_Tone_Set(0, 2 * k + 1) = 3;
    w.Dec_Tone_Set(0, 8 + 2 * k) = 0xD2;
    w.Dec_Tone_Set(0, 9 + 2 * k) = 4;
  }
  w.Show_Tone_Set(0);
  ToneRows before = w.Dec_Tone_Set;
  kit::TextBox* const boxes[] = {&w.Text_A, &w.Text_B, &w.Text_C, &w.Text_D};
  for (kit::TextBox* box : boxes) {
    SCOPED_TRACE(box->name());
    d.lookThrough(*box, w.Combo_Dec_Res_Time);
    for (std::size_t c = 0; c < 16; ++c) EXPECT_EQ(w.Dec_Tone_Set(0, c), before(0, c)) << c;
  }
  EXPECT_TRUE(d.messageBoxes().empty());
  d.focus(w.Text_B);
  d.selectAll();
  d.type("1000");
  d.tab();
  EXPECT_EQ(w.Dec_Tone_Set(0, 2), 0xE8);
  EXPECT_EQ(w.Dec_Tone_Set(0, 10), 0);
  EXPECT_EQ(w.Dec_Tone_Set(0, 11), 9);  // 2304 ticks
}

TEST_F(Two_Tone, DecodeCellsCommitTheirPickAndNeedAPair) {
  frm_2tone& w = two();
  d.clickTab(w.TabStrip1, 2);
  // A response picked for code 3 without a pair is cleared at once.
  d.clickCell(w.MSF_Decode, 3, 2);
  EXPECT_TRUE(w.Combo_Decode.visible());
  EXPECT_EQ(w.Combo_Decode.text(), "");
  EXPECT_EQ(w.Frame_Dec_xx.caption(), "3 Decode 2 Tone Frequency");
  d.pick(w.Combo_Decode, "2.Transpond");
  d.clickCell(w.MSF_Decode, 3, 1);
  EXPECT_EQ(w.MSF_Decode.textMatrix(3, 2), "");
  EXPECT_EQ(w.Combo_Decode.items().size(), 12u);
  d.pick(w.Combo_Decode, "C-B");
  d.clickCell(w.MSF_Decode, 3, 2);
  EXPECT_EQ(w.MSF_Decode.textMatrix(3, 1), "C-B");
  d.pick(w.Combo_Decode, "2.Transpond");
  d.clickCell(w.MSF_Decode, 3, 3);
  EXPECT_EQ(w.MSF_Decode.textMatrix(3, 2), "2.Transpond");
  // Typing into the list editor changes nothing.
  d.pick(w.Combo_Decode, "1");
  d.type("x");
  EXPECT_EQ(w.Combo_Decode.text(), "1");
}

TEST_F(Two_Tone, AScrollHidesTheCellEditorsSoNoKeyOrPickChangesACell) {
  frm_2tone& w = two();
  const Scroll_Case cases[] = {
      {"encode frequency, wheel", 1, w.MSF_Encode, 6, 1, w.Text_Encode, false, "1500"},
      {"decode pair, columns scrolled", 2, w.MSF_Decode, 3, 1, w.Combo_Decode, true, ""},
      {"decode alert, wheel", 2, w.MSF_Decode, 1, 3, w.Combo_Decode, false, ""},
  };
  for (const Scroll_Case& c : cases) expect_scroll_hides_editor(c);
}

TEST_F(Two_Tone, APickMadeBeforeAScrollReachesItsCellWhenTheCellIsLeft) {
  frm_2tone& w = two();
  expect_pick_kept_over_scroll(2, w.MSF_Decode, 3, 1, w.Combo_Decode, "C-B", true, 3, 0);
}

// The decode lists open on what their cell shows, in either language, so a cell only looked at
// keeps its pair, its response and its number, and an empty cell stays empty.
TEST(Two_Tone_Look, ACellOnlyLookedAtChangesNothing) {
  for (bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    In_Language f(chinese);
    frm_2tone& w = f.two();
    w.MSF_Encode.setTextMatrix(5, 1, " 1500.0");
    w.MSF_Decode.setTextMatrix(5, 1, "B-C");
    w.MSF_Decode.setTextMatrix(5, 2, f.data.Lang_Text[kTone2ResponseFirst + 3]);
    w.MSF_Decode.setTextMatrix(5, 3, "7");
    const std::vector<const kit::Grid*> grids{&w.MSF_Encode, &w.MSF_Decode};
    const Tone_Fixture::Look_Case cases[] = {
        {"encode frequency", 1, w.MSF_Encode, 5, 1, w.Text_Encode},
        {"decode pair", 2, w.MSF_Decode, 5, 1, w.Combo_Decode},
        {"decode response", 2, w.MSF_Decode, 5, 2, w.Combo_Decode},
        {"decode alert", 2, w.MSF_Decode, 5, 3, w.Combo_Decode},
        {"empty decode pair", 2, w.MSF_Decode, 8, 1, w.Combo_Decode},
    };
    for (const auto& c : cases) f.expect_looked_at_changes_nothing(c, grids);
    f.d.clickTab(w.TabStrip1, 2);
    f.d.clickCell(w.MSF_Decode, 5, 1);
    EXPECT_EQ(w.Combo_Decode.text(), "B-C");
    EXPECT_EQ(w.Combo_Decode.listIndex(), 4);
  }
}

TEST_F(Two_Tone, DoubleClicksClearACodeButNotTheHeader) {
  frm_2tone& w = two();
  d.clickTab(w.TabStrip1, 2);
  d.doubleClickCell(w.MSF_Decode, 0, 0);
  EXPECT_EQ(w.MSF_Decode.textMatrix(0, 1), "Dec_1");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "A-B");
  d.doubleClickCell(w.MSF_Decode, 1, 0);
  EXPECT_EQ(row_cells(w.MSF_Decode, 1, 1, 12), std::vector<std::string>(12, ""));
  for (std::size_t c = 0; c < 16; ++c) EXPECT_EQ(w.Dec_Tone_Set(0, c), 0);
  EXPECT_EQ(w.Text_A.text(), "");
  d.clickTab(w.TabStrip1, 1);
  d.doubleClickCell(w.MSF_Encode, 0, 0);
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), "1981.0");
  d.doubleClickCell(w.MSF_Encode, 1, 0);
  EXPECT_EQ(row_cells(w.MSF_Encode, 1, 1, 2), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 0), "1");
}

TEST_F(Two_Tone, ReadBlocksShowAndBuildBack) {
  frm_2tone& w = two();
  // An erased block: everything empty, the last reset time; FF FF tones do not overflow.
  put_page(2, std::vector<int>(256, 0xFF));
  put_page(6, std::vector<int>(256, 0xFF));
  put_page(10, std::vector<int>(256, 0xFF));
  w.Image_To_Grids();
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), "");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 2), "");
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "8000");
  EXPECT_EQ(w.Text_A.text(), "");
  // A zero block: pairs "A-B", responses entry 0, alerts "0", the first reset time.
  for (int row : {2, 6, 10}) put_page(row, std::vector<int>(256, 0));
  w.Image_To_Grids();
  EXPECT_EQ(row_cells(w.MSF_Decode, 7, 1, 3), (std::vector<std::string>{"A-B", "0.None", "0"}));
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "100");

  // Bytes the block defines come back as they were; the others as the build makes them.
  std::vector<int> enc(256, 0), dec(256, 0), sets(256, 0);
  enc[0] = 0xBD, enc[1] = 7;               // 1981 Hz
  enc[16 + 8] = 0x10, enc[16 + 9] = 0x27;  // 10000 Hz: beyond the range, built as 0
  dec[0] = 11, dec[1] = 3, dec[2] = 16, dec[3] = 12, dec[4] = 7, dec[5] = 17;
  for (int i = 0; i < 240; ++i) sets[i] = (i * 37) % 256;
  sets[240] = 200;  // reset index beyond the list
  put_page(2, enc), put_page(6, dec), put_page(10, sets);
  w.Image_To_Grids();
  EXPECT_EQ(w.Frame_Dec_xx.caption(), "1 Decode 2 Tone Frequency");
  w.Grids_To_Image();
  EXPECT_EQ(stage_row(0)[0], 0xBD);
  EXPECT_EQ(stage_row(1)[8], 0);
  EXPECT_EQ(stage_bytes(16, 0, 5), (std::vector<int>{11, 3, 16, 255, 0, 255}));
  for (int k = 0; k < 15; ++k)
    for (int c = 0; c < 16; ++c)
      ASSERT_EQ(stage_row(32 + k)[static_cast<std::size_t>(c)], sets[16 * k + c]);
  EXPECT_EQ(stage_row(47)[0], 79);
}

TEST_F(Two_Tone, PickOnlyListsUndoTyping) {
  frm_2tone& w = two();
  d.focus(w.Combo_Enc_ys2);
  d.type("7");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "600");
  d.pick(w.Combo_Enc_ys2, "250");
  d.type("9");
  EXPECT_EQ(w.Combo_Enc_ys2.text(), "250");
}

TEST_F(Two_Tone, DefaultsKeepUnnamedCodesAndShowTheLastToneSet) {
  frm_2tone& w = two();
  d.clickTab(w.TabStrip1, 2);
  d.clickCell(w.MSF_Decode, 5, 1);
  d.pick(w.Combo_Decode, "A-B");
  d.clickCell(w.MSF_Decode, 5, 2);
  d.focus(w.Text_A);
  d.type("1500");
  d.focus(w.Text_B);
  d.click(w.Command_def);
  EXPECT_EQ(w.MSF_Decode.textMatrix(5, 1), "A-B");
  EXPECT_EQ(w.Dec_Tone_Set(4, 0), 0);
  EXPECT_EQ(w.Text_A.text(), "1400.0");
  EXPECT_EQ(w.Text_D.text(), "1830.0");
}

// A number beyond a double in a tone cell: an alert and a tone set hold none, a period reads as 0,
// as a text that spells no number.
TEST(Tone_Codecs, NumbersBeyondADouble) {
  const struct {
    const char* name;
    fields::Codec codec;
    const char* text;
    bool stored;
    std::vector<std::int16_t> bytes;
  } cases[] = {
      {"alert", tone::Alert_Codec(), "1e999", true, {0xFF}},
      {"alert", tone::Alert_Codec(), "-1e999", true, {0xFF}},
      {"alert", tone::Alert_Codec(), "16", true, {16}},
      {"period", tone::Period_Codec(), "1e999", true, {0}},
      {"period", tone::Period_Codec(), "2550", true, {255}},
      {"period", tone::Period_Codec(), "2560", false, {7}},
      {"tone set", tone::Tone_Set_Codec(), "1e999", false, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
      {"tone set", tone::Tone_Set_Codec(), "1000", true, {232, 3, 7, 7, 7, 7, 7, 7, 0, 9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.text);
    std::vector<std::int16_t> bytes(static_cast<std::size_t>(c.codec.width), 7);
    EXPECT_EQ(c.codec.encode(bytes, c.text), c.stored);
    EXPECT_EQ(bytes, c.bytes);
  }
}

}  // namespace
}  // namespace j5::tone_test
