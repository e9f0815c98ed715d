// Bindings of controls to fields, on a form of a few controls over a working copy and a two-sided
// record: what a display stores, what a pick, a custom store and a store of everything write.
// The option editor's own settings are tested on the window itself (editors/options).
#include "editors/fields.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/kit.h"
#include "support/driver.h"

namespace j5::fields_test {

using fields::At;
using fields::Bits;

// Working copy: cells 0..7 (copied to image row 0 after each store). Record: side 0 in image
// rows 4-5, side 1 two rows further down.
constexpr int kRecordRow = 4;

class Bound_Form : public kit::Form {
 public:
  Bound_Form(kit::Platform& p, Shared_Data& d) : Form(p, "Bound_Form"), data(d) {
    Load = [this] { show(); };
    for (int i = 0; i < 4; ++i) Level.addItem(std::to_string(i));
    Copy.list(Level, Bits{{0, 1}});
    Copy.check(Once, Bits{{0, 2}});
    Copy.check(Cleared_First, Bits{{0, 3}}, fields::Tick::ClearFirst);
    Copy.checks({0, 4}, {{Bit_1, 0x01}, {Bit_10, 0x10}});
    Count.LostFocus = Copy.custom(
        Count, [this] { Count.setText(std::to_string(data.Option_Val[0])); },
        [this] { data.Option_Val[0] = static_cast<std::int16_t>(std::stoi(Count.text())); });
    kit::ComboBox* high[2] = {&High_0, &High_1};
    kit::ComboBox* low[2] = {&Low_0, &Low_1};
    for (int side : {0, 1}) {
      for (int i = 0; i < 8; ++i) {
        high[side]->addItem(std::to_string(i));
        low[side]->addItem(std::to_string(i));
      }
      Record.list(*high[side], Bits{At(kRecordRow + 2 * side, 30), 0x70});
      Record.list(*low[side], Bits{At(kRecordRow + 2 * side, 30), 0x07});
    }
  }

  void Show_All() {
    for (int n = 0; n < 8; ++n) data.Option_Val[static_cast<std::size_t>(n)] = data.Mem_Image(0, n);
    Copy.show();
    Record.show();
  }

  Shared_Data& data;
  kit::ComboBox Level{*this, "Level"};
  kit::CheckBox Once{*this, "Once"};
  kit::CheckBox Cleared_First{*this, "Cleared_First"};
  kit::CheckBox Bit_1{*this, "Bit_1"};
  kit::CheckBox Bit_10{*this, "Bit_10"};
  kit::TextBox Count{*this, "Count"};
  kit::ComboBox High_0{*this, "High_0"}, High_1{*this, "High_1"};
  kit::ComboBox Low_0{*this, "Low_0"}, Low_1{*this, "Low_1"};
  int stores = 0;

  fields::Bindings Copy{data.Option_Val, [this] {
                          ++stores;
                          for (int n = 0; n < 8; ++n)
                            data.Mem_Image(0, n) = data.Option_Val[static_cast<std::size_t>(n)];
                        }};
  fields::Bindings Record{data.Mem_Image};
};

struct FieldsFixture : ::testing::Test {
  kit::HeadlessPlatform platform;
  kit::Driver driver{platform};
  Shared_Data data;
  FieldsFixture() { data.Mem_Image.fill(0, 7, 0, 15, 0); }
  kit::FormSlot<Bound_Form> slot{[this] { return std::make_unique<Bound_Form>(platform, data); }};

  std::vector<int> copyRow() {
    std::vector<int> out;
    for (int n = 0; n < 8; ++n) out.push_back(data.Mem_Image(0, n));
    return out;
  }
  Bound_Form& open() {
    Bound_Form& w = slot.load();
    w.Show_All();
    driver.runUntilIdle();
    return w;
  }
};

TEST_F(FieldsFixture, ShowingStoresWhatTheControlsShowAndASecondShowChangesNothing) {
  const int row[8] = {9, 7, 5, 3, 0x1F, 0, 0, 0};
  for (int n = 0; n < 8; ++n) data.Mem_Image(0, n) = static_cast<std::int16_t>(row[n]);
  data.Mem_Image(kRecordRow + 1, 14) = 0x8D;  // side 0: high 0 (bit 7 no list's), low 5
  data.Mem_Image(kRecordRow + 3, 14) = 0x7F;  // side 1: high 7, low 7
  Bound_Form& w = open();
  // The list beyond its items stores its last; the boxes store 1; the bit boxes keep the others.
  EXPECT_EQ(copyRow(), (std::vector<int>{9, 3, 1, 1, 0x1F, 0, 0, 0}));
  EXPECT_EQ(w.Count.text(), "9");
  EXPECT_EQ(w.Low_0.listIndex(), 5);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 1, 14), 0x8D);
  EXPECT_EQ(w.High_1.listIndex(), 7);

  const MemImage before = data.Mem_Image;
  w.stores = 0;
  w.Show_All();
  EXPECT_EQ(data.Mem_Image, before);
  // Only the ticked boxes shown cleared first store again, 0 and then 1 (the clear-first box and
  // the two bit boxes); no list and no set-once box does.
  EXPECT_EQ(w.stores, 6);
}

TEST_F(FieldsFixture, APickRewritesOnlyItsOwnBitsOnItsOwnSide) {
  data.Mem_Image(kRecordRow + 1, 14) = 0x83;
  data.Mem_Image(kRecordRow + 3, 14) = 0x05;
  Bound_Form& w = open();
  driver.pick(w.High_1, 7);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 3, 14), 0x75);
  driver.pick(w.Low_1, 2);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 3, 14), 0x72);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 1, 14), 0x83);
  driver.pick(w.Low_0, 0);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 1, 14), 0x80);

  driver.click(w.Bit_10);
  EXPECT_EQ(data.Mem_Image(0, 4), 0x10);
  // Every store writes the whole working copy: a byte changed behind the form's back is
  // overwritten by the next change, unless the display ran in between.
  data.Mem_Image(0, 6) = 77;
  driver.click(w.Bit_1);
  EXPECT_EQ(copyRow(), (std::vector<int>{0, 0, 0, 0, 0x11, 0, 0, 0}));
}

TEST_F(FieldsFixture, AHandlerThatDoesMoreStoresThroughItsBinding) {
  Bound_Form& w = open();
  driver.focus(w.Count);
  w.Count.setText("64");
  driver.focus(w.Once);
  EXPECT_EQ(data.Mem_Image(0, 0), 64);  // the custom store, then the working copy written out

  std::vector<int> seen;
  w.Level.Click = [&] {
    w.Copy.store(w.Level);
    seen.push_back(data.Option_Val[1]);
  };
  driver.pick(w.Level, 2);
  EXPECT_EQ(data.Mem_Image(0, 1), 2);
  EXPECT_EQ(seen, std::vector<int>{2});
  EXPECT_THROW(w.Copy.store(w.High_0), std::logic_error);

  // Packing every control at once writes what each shows, whatever the image held meanwhile,
  // and runs the after-store step once.
  driver.pick(w.High_1, 3);
  driver.pick(w.Low_1, 2);
  data.Mem_Image(0, 1) = 0;
  data.Mem_Image(kRecordRow + 3, 14) = 0;
  w.stores = 0;
  w.Copy.storeAll();
  w.Record.storeAll();
  EXPECT_EQ(data.Mem_Image(0, 1), 2);
  EXPECT_EQ(data.Mem_Image(kRecordRow + 3, 14), 0x32);
  EXPECT_EQ(w.stores, 1);
}

}  // namespace j5::fields_test
