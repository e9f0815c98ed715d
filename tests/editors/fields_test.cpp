// The field model in the shape of the option editor: general settings kept in a working copy that
// is written out after every change, check boxes on the bits of one shared byte, and frames A and
// B built from one table two image rows apart.
#include "editors/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/kit.h"
#include "support/driver.h"

namespace j5::fields_test {

using fields::At;
using fields::Bits;
using fields::Field;

constexpr int kBlockRow = 226;  // the 64 option bytes, rows 226..229
constexpr int kVfoRow = 240;    // record A; record B two rows below

class Form_Opt : public kit::Form {
 public:
  Form_Opt(kit::Platform& p, SharedData& d) : Form(p, "Form_Opt"), data(d) {
    Load = [this] { show(); };
    Fill(Combo_tot, 40);
    Fill(Combo_sql, 10);
    General.list(Combo_tot, Bits{{0, 11}});
    General.list(Combo_sql, Bits{{0, 5}});
    General.check(Check_tdr, Bits{{0, 6}});
    General.checks({0, 59}, {{Check_chann_menu, 0x01}, {Check_radio, 0x10}});
    General.check(Check_Lock, Bits{{0, 61}}, fields::Tick::ClearFirst);
    // A box whose display and store the window writes itself, stored when it loses the focus.
    Text_chann_total.LostFocus = General.custom(
        Text_chann_total,
        [this] {
          Text_chann_total.setText(std::to_string(std::min<int>(data.Option_Val[0], 200)));
        },
        [this] {
          data.Option_Val[0] = static_cast<std::int16_t>(std::stoi(Text_chann_total.text()));
        });

    // One table of frame A's lists; frame B is the same two rows further down.
    struct Vfo_List {
      kit::ComboBox Form_Opt::*box[2];
      Field field;
      int items;
    };
    const Vfo_List lists[] = {
        {{&Form_Opt::Combo_step_a, &Form_Opt::Combo_step_b}, Bits{At(kVfoRow, 30), 0xF0}, 8},
        {{&Form_Opt::Combo_scr_a, &Form_Opt::Combo_scr_b}, Bits{At(kVfoRow, 30), 0x0F}, 9},
        {{&Form_Opt::Combo_txp_a, &Form_Opt::Combo_txp_b}, Bits{At(kVfoRow, 31), 0x07}, 2},
        {{&Form_Opt::Combo_wn_a, &Form_Opt::Combo_wn_b}, Bits{At(kVfoRow, 31), 0x40}, 2},
    };
    for (int side : {0, 1}) {
      for (const Vfo_List& l : lists) {
        Fill(this->*l.box[side], l.items);
        Vfo.list(this->*l.box[side], l.field.shifted(2 * side));
      }
    }
  }

  // The display: the working copy from the image, then every control from its binding.
  void Show_Options() {
    for (int n = 0; n < 64; ++n) data.Option_Val[n] = data.Mem_Image(kBlockRow + n / 16, n % 16);
    General.show();
    Vfo.show();
  }

  SharedData& data;
  kit::ComboBox Combo_tot{*this, "Combo_tot"};
  kit::ComboBox Combo_sql{*this, "Combo_sql"};
  kit::CheckBox Check_tdr{*this, "Check_tdr"};
  kit::CheckBox Check_chann_menu{*this, "Check_chann_menu"};
  kit::CheckBox Check_radio{*this, "Check_radio"};
  kit::CheckBox Check_Lock{*this, "Check_Lock"};
  kit::TextBox Text_chann_total{*this, "Text_chann_total"};
  kit::ComboBox Combo_step_a{*this, "Combo_step_a"}, Combo_step_b{*this, "Combo_step_b"};
  kit::ComboBox Combo_scr_a{*this, "Combo_scr_a"}, Combo_scr_b{*this, "Combo_scr_b"};
  kit::ComboBox Combo_txp_a{*this, "Combo_txp_a"}, Combo_txp_b{*this, "Combo_txp_b"};
  kit::ComboBox Combo_wn_a{*this, "Combo_wn_a"}, Combo_wn_b{*this, "Combo_wn_b"};
  int stores = 0;

  fields::Bindings General{data.Option_Val, [this] {
                             ++stores;
                             for (int n = 0; n < 64; ++n)
                               data.Mem_Image(kBlockRow + n / 16, n % 16) = data.Option_Val[n];
                           }};
  fields::Bindings Vfo{data.Mem_Image};

 private:
  static void Fill(kit::ComboBox& box, int items) {
    for (int i = 0; i < items; ++i) box.addItem(std::to_string(i));
  }
};

struct FieldsFixture : ::testing::Test {
  kit::HeadlessPlatform platform;
  kit::Driver driver{platform};
  SharedData data;
  kit::FormSlot<Form_Opt> slot{[this] { return std::make_unique<Form_Opt>(platform, data); }};

  std::int16_t& option(int n) { return data.Mem_Image(kBlockRow + n / 16, n % 16); }
  std::int16_t& vfo(int side, int offset) {
    const fields::Place p = At(kVfoRow + 2 * side, offset);
    return data.Mem_Image(p.row, p.col);
  }
  Form_Opt& open() {
    Form_Opt& w = slot.load();
    w.Show_Options();
    driver.runUntilIdle();
    return w;
  }
};

TEST_F(FieldsFixture, ShowingStoresWhatTheControlsShowAndASecondShowChangesNothing) {
  option(11) = 45;  // beyond the 40 time-out items
  option(6) = 5;    // a whole-byte box stores exactly 1
  option(59) = 0x1F;
  option(61) = 3;
  vfo(0, 30) = 0x18;  // step 1, scrambler 8: both in range
  vfo(0, 31) = 0x87;  // power 7 beyond its 2 items; bit 7 belongs to nobody
  vfo(1, 31) = 0x41;
  Form_Opt& w = open();

  EXPECT_EQ(w.Combo_tot.listIndex(), 39);
  EXPECT_EQ(option(11), 39);
  EXPECT_EQ(w.Check_tdr.value(), 1);
  EXPECT_EQ(option(6), 1);
  EXPECT_EQ(option(61), 1);
  EXPECT_EQ(w.Check_chann_menu.value(), 1);
  EXPECT_EQ(w.Check_radio.value(), 1);
  EXPECT_EQ(option(59), 0x1F);  // bits without a box are carried through
  EXPECT_EQ(w.Combo_step_a.listIndex(), 1);
  EXPECT_EQ(w.Combo_scr_a.listIndex(), 8);
  EXPECT_EQ(vfo(0, 30), 0x18);
  EXPECT_EQ(w.Combo_txp_a.listIndex(), 1);
  EXPECT_EQ(vfo(0, 31), 0x81);
  EXPECT_EQ(w.Combo_wn_b.listIndex(), 1);
  EXPECT_EQ(w.Combo_txp_b.listIndex(), 1);
  EXPECT_EQ(vfo(1, 31), 0x41);

  const MemImage before = data.Mem_Image;
  w.stores = 0;
  w.Show_Options();
  EXPECT_EQ(data.Mem_Image, before);
  // Only the ticked clear-first boxes store again (0, then 1), three of them here; no list and no
  // set-once box does.
  EXPECT_EQ(w.stores, 6);
}

TEST_F(FieldsFixture, APickRewritesOnlyItsOwnBitsOfASharedByteOnItsOwnSide) {
  vfo(1, 30) = 0x05;
  vfo(0, 31) = 0xC3;
  vfo(1, 31) = 0x01;
  Form_Opt& w = open();
  const MemImage before = data.Mem_Image;
  const auto sideA = [&](const MemImage& image) {
    std::vector<int> bytes;
    for (int k = 0; k < 32; ++k) bytes.push_back(image(kVfoRow + k / 16, k % 16));
    return bytes;
  };

  driver.pick(w.Combo_step_b, 7);
  EXPECT_EQ(vfo(1, 30), 0x75);
  driver.pick(w.Combo_scr_b, 3);
  EXPECT_EQ(vfo(1, 30), 0x73);
  driver.pick(w.Combo_wn_b, 1);
  EXPECT_EQ(vfo(1, 31), 0x41);
  driver.pick(w.Combo_wn_b, 0);
  EXPECT_EQ(vfo(1, 31), 0x01);
  EXPECT_EQ(sideA(data.Mem_Image), sideA(before));

  driver.pick(w.Combo_txp_a, 0);
  EXPECT_EQ(vfo(0, 31), 0xC0);  // the power writes bits 0-2 and keeps 7-3
}

TEST_F(FieldsFixture, BitBoxesShareOneByteOfTheWorkingCopy) {
  option(59) = 0x04;
  Form_Opt& w = open();
  EXPECT_EQ(w.Check_radio.value(), 0);

  driver.click(w.Check_radio);
  EXPECT_EQ(option(59), 0x14);
  driver.click(w.Check_chann_menu);
  EXPECT_EQ(option(59), 0x15);
  driver.click(w.Check_radio);
  EXPECT_EQ(option(59), 0x05);

  // Every store writes the whole working copy: an option byte changed in the image behind the
  // window's back is overwritten by the next change, unless the display ran in between.
  option(2) = 77;
  driver.pick(w.Combo_sql, 4);
  EXPECT_EQ(option(5), 4);
  EXPECT_EQ(option(2), 0);
}

TEST_F(FieldsFixture, AHandlerThatDoesMoreStoresThroughItsBinding) {
  option(0) = 250;
  Form_Opt& w = open();
  EXPECT_EQ(w.Text_chann_total.text(), "200");
  driver.focus(w.Text_chann_total);
  w.Text_chann_total.setText("64");
  driver.focus(w.Check_tdr);
  EXPECT_EQ(option(0), 64);  // the custom store, then the working copy written out

  std::vector<int> seen;
  w.Combo_sql.Click = [&] {
    w.General.store(w.Combo_sql);
    seen.push_back(data.Option_Val[5]);
  };
  driver.pick(w.Combo_sql, 6);
  EXPECT_EQ(option(5), 6);
  EXPECT_EQ(seen, std::vector<int>{6});
  EXPECT_THROW(w.General.store(w.Combo_step_a), std::logic_error);

  // Packing every control at once writes what each shows, whatever the image held meanwhile.
  driver.pick(w.Combo_step_b, 3);
  driver.pick(w.Combo_scr_b, 2);
  option(5) = 1;
  vfo(1, 30) = 0;
  w.stores = 0;
  w.General.storeAll();
  w.Vfo.storeAll();
  EXPECT_EQ(option(5), 6);
  EXPECT_EQ(vfo(1, 30), 0x32);
  EXPECT_EQ(w.stores, 1);
}

}  // namespace j5::fields_test
