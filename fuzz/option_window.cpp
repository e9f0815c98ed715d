// The optional features window under a user who picks, types, pastes, ticks, tabs, presses
// Default and Close and leaves and returns, on an image whose option records hold any bytes (an
// erased radio, a hand-made file), and who runs the window's own read and write against a radio
// whose answers may go astray (or which refuses a written frame). Whatever happens:
// - nothing escapes a handler;
// - nothing outside the option block, the two frequency-mode records and the power-on row
//   changes, and within them the bytes and bits no control stands for keep their values (Default
//   alone rewrites the records, and the FM band texts beside them);
// - every stored value is a byte;
// - a read changes the image only when it completes, and then brings rows 224 to 243 from the
//   radio, changed only in the bits the controls stand for; a completed write leaves the radio
//   holding rows 224 to 246;
// - the window shows what a freshly opened one shows for the same image, and opening it a second
//   time changes nothing, whatever band limits the radio reported (inverted and equal ones too:
//   a display corrects a frequency at most once and ends).
//
// Input: a set-up byte (language, how many record bytes to set), the bytes to set (index into the
// records, value), then the user's steps.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "fuzz_support.h"
#include "link/Form_Comm_Read.h"
#include "link/link_bytes.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"
#include "support/sim_device.h"

using j5fuzz::Check;

namespace {

constexpr int kOptionRow = j5::Option_Block.first;
constexpr int kVfoRow = j5::Vfo_Record.first;
constexpr int kPonRow = j5::Pon_Line;

// The image cells of the records: option block, records A and B, power-on row.
std::array<int, 2> Record_Cell(int k) {
  if (k < 64) return {kOptionRow + k / 16, k % 16};
  if (k < 128) return {kVfoRow + (k - 64) / 16, (k - 64) % 16};
  return {kPonRow, (k - 128) % 16};
}

// The bits of a record byte that a control of the window may change.
int Edited_Bits(int row, int col) {
  if (row >= kOptionRow && row < kOptionRow + 4) {
    const int n = (row - kOptionRow) * 16 + col;
    static const std::vector<int> bytes = {3,  5,  6,  7,  8,  9,  11, 12, 14, 15,
                                           16, 17, 18, 19, 20, 21, 22, 31, 32, 33,
                                           36, 37, 39, 40, 41, 42, 61, 62, 63, 0};
    if (n == 59) return 0x1B;
    for (int b : bytes)
      if (b == n) return 0xFF;
    return 0;
  }
  if (row >= kVfoRow && row < kVfoRow + 4) {
    const int k = (row - kVfoRow) % 2 * 16 + col;
    if (k < 8 || k == 27) return 0;
    if (k == 31) return 0x47;
    return 0xFF;
  }
  if (row == kPonRow) return col < 14 ? 0xFF : 0;
  return 0;
}

struct Harness {
  kit::HeadlessPlatform platform;
  // The radio outlives the program, which closes its port when it goes.
  j5test::Sim_Device device;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;
  j5::frm_option* w = nullptr;
  j5::MemImage before;
  bool defaultPressed = false;

  void Open() {
    program.frm_option.unload();
    w = &program.frm_option.load();
    d.runUntilIdle();
    w->Command_def.Click = [this, pressed = w->Command_def.Click] {
      defaultPressed = true;
      pressed();
    };
  }

  void Check_Image() {
    for (const auto& box : platform.messageBoxes())
      Check(!box.title.empty(),
            [&] { return std::string("an error escaped a handler: " + box.text); });
    platform.clearMessageBoxes();
    const j5::MemImage& m = data.Mem_Image;
    if (m == before) return;
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r) {
      // Rows away from the records: whole rows compared at once.
      if (r < 224 || r > 246) {
        Check(std::equal(m.row(r).begin(), m.row(r).end(), before.row(r).begin()),
              [&] { return "the window changed row " + std::to_string(r); });
        continue;
      }
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
        const bool record = c < 16 && ((r >= 226 && r <= 229) || (r >= 240 && r <= 246));
        const int bits = defaultPressed && record ? 0xFF : Edited_Bits(int(r), int(c));
        const int fixed = ~bits & 0xFF;
        const auto where = [&] {
          return "row " + std::to_string(r) + " column " + std::to_string(c);
        };
        if (bits == 0) {
          Check(m(r, c) == before(r, c), [&] { return "the window changed " + where(); });
          continue;
        }
        Check(m(r, c) >= 0 && m(r, c) <= 255,
              [&] { return "the window stored " + std::to_string(m(r, c)) + " in " + where(); });
        Check((m(r, c) & fixed) == (before(r, c) & fixed),
              [&] { return "the window changed bits no control stands for in " + where(); });
      }
    }
  }

  // Every list's, box's and check box's state.
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (kit::Control* c : w->controls()) {
      if (auto* box = dynamic_cast<kit::ComboBox*>(c)) out.push_back(box->text());
      if (auto* box = dynamic_cast<kit::TextBox*>(c)) out.push_back(box->text());
      if (auto* box = dynamic_cast<kit::CheckBox*>(c)) out.push_back(std::to_string(box->value()));
    }
    return out;
  }

  // The window's own read or write (its buttons are not visible: the handlers run directly),
  // against a radio that may misbehave once, until it is over.
  void Transfer(j5fuzz::Fuzz_Input& in) {
    sim::Radio& radio = device.radio;
    radio.clearFaults();
    if (in.Byte() % 2) {
      sim::Fault fault;
      fault.what = static_cast<sim::Misbehaviour>(
          in.Byte() % (static_cast<int>(sim::Misbehaviour::OtherIdent) + 1));
      fault.skip = in.Byte() % 24;
      fault.count = 1 + in.Byte() % 3;
      fault.delay = in.Byte() * 10'000;
      fault.byte = in.Byte();
      radio.inject(fault);
    }
    for (int a = 0x0E00; a < 0x0F70; a += 1 + in.Byte() % 64)
      radio.memory().set(static_cast<std::uint16_t>(a), in.Byte());
    const bool write = in.Byte() % 2;
    (write ? w->Command_Write : w->Command_read).Click();
    if (write) {
      // A write first points the work channels at programmed channels, as the whole write does
      // (and clears the channel display mode where none is programmed): those cells may change.
      const j5::MemImage& m = data.Mem_Image;
      Check(
          m(231, 1) == 0 && m(231, 6) >= 0 && m(231, 6) < 128 && m(231, 7) >= 0 && m(231, 7) < 128,
          [] { return std::string("a write left the work channels naming no channel"); });
      const std::pair<std::size_t, std::size_t> prepared[] = {
          {231, 1}, {231, 6}, {231, 7}, {228, 12}};
      for (auto [r, c] : prepared) before(r, c) = m(r, c);
    }
    // Until it is over, a restart and the failure report included.
    for (int n = 0; n < 3; ++n) {
      platform.advanceUntil([&] { return !w->Transfer.Busy(); }, 60000, 25);
      d.advance(3000);
    }
    bool done = false;
    for (const auto& box : platform.messageBoxes())
      done = done || box.text == "Complete reading the data from transceiver." ||
             box.text == "从对讲机中读取数据完毕 ！";
    if (done && !write) {
      // What the read brought is what the image is now held to.
      for (int r = 224; r <= 243; ++r)
        for (int c = 0; c < 16; ++c)
          before(r, c) = radio.memory().at(static_cast<std::uint16_t>(r * 16 + c));
    }
    bool written = false;
    for (const auto& box : platform.messageBoxes())
      written = written || box.text == "Complete writing optional parameters to the transceiver." ||
                box.text == "向对讲机写入可选参数完毕 ！";
    if (written) {
      for (int r = 224; r <= 246; ++r)
        for (int c = 0; c < 16; ++c)
          Check(radio.memory().at(static_cast<std::uint16_t>(r * 16 + c)) == data.Mem_Image(r, c),
                [&] {
                  return "the write left radio row " + std::to_string(r) + " unlike the image";
                });
    }
  }

  // Band limits as a radio may report them (an identification carries any bytes): inverted,
  // equal, or any pair of limit bytes. The window shows them when the user comes back.
  void Odd_Limits(j5fuzz::Fuzz_Input& in) {
    double* limits[3][2] = {{&data.VHF_Low, &data.VHF_High},
                            {&data.UHF0_Low, &data.UHF0_High},
                            {&data.UHF1_Low, &data.UHF1_High}};
    for (auto& band : limits) {
      const double low = j5::Band_Limit_Pair(in.Byte(), in.Byte());
      switch (in.Byte() % 3) {
        case 0:  // inverted
          *band[0] = low + 1 + in.Byte(), *band[1] = low;
          break;
        case 1:  // equal
          *band[0] = *band[1] = low;
          break;
        default:
          *band[0] = low, *band[1] = j5::Band_Limit_Pair(in.Byte(), in.Byte());
          break;
      }
    }
  }

  // The user works in another window and comes back: the window shows the image anew.
  void Leave_And_Return() {
    auto& other = program.Form_Comm_Read.load();
    d.activate(other);
    d.activate(*w);
  }
};

const char kTyped[] = "0123456789.-  ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz,;/#DINdin\x01";

std::string Text(j5fuzz::Fuzz_Input& in) {
  std::string text;
  for (int n = in.Byte() % 12; n > 0; --n) text += kTyped[in.Byte() % (sizeof kTyped - 1)];
  return text;
}

// A control the user can reach.
kit::Control* Reachable(Harness& h, j5fuzz::Fuzz_Input& in) {
  std::vector<kit::Control*> reachable;
  for (kit::Control* c : h.w->controls())
    if (c->focusable() && c != &h.w->Command_close) reachable.push_back(c);
  if (reachable.empty()) return nullptr;
  return reachable[in.Byte() % reachable.size()];
}

void Step(Harness& h, j5fuzz::Fuzz_Input& in) {
  kit::Driver& d = h.d;
  switch (in.Byte() % 13) {
    case 0:
    case 1: {
      auto* box = dynamic_cast<kit::ComboBox*>(Reachable(h, in));
      if (box && box->listCount() > 0) d.pick(*box, in.Byte() % box->listCount());
      return;
    }
    case 2:
      if (kit::Control* c = Reachable(h, in)) d.focus(*c);
      return;
    case 3:
      return d.type(Text(in));
    case 4:
      return d.paste(Text(in));
    case 5:
      return d.selectAll();
    case 6:
      return d.backspace();
    case 7:
      return d.del();
    case 8:
      return d.tab();
    case 9:
      if (auto* box = dynamic_cast<kit::CheckBox*>(Reachable(h, in))) d.click(*box);
      return;
    case 10:
      switch (in.Byte() % 8) {
        case 0:
          return d.click(h.w->Command_def);
        case 1:
          h.Odd_Limits(in);
          [[fallthrough]];
        default:
          return h.Leave_And_Return();
      }
    case 11:
      if (in.Byte() % 4 == 0) return h.Transfer(in);
      [[fallthrough]];
    default:
      return d.key(in.Byte());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  j5fuzz::Fuzz_Input in(bytes, size);
  Harness h;
  h.device.radio.config().identForm = sim::IdentForm::Ident8;
  h.device.attach(h.platform, 1);
  h.program.MDImain.load();
  h.d.advance(5000);  // the start-up exchange is over

  j5::Shared_Data& data = h.data;
  j5::Fill_Access_Code(data);
  data.Comm_Port = 1;
  const std::uint8_t setup = in.Byte();
  data.Lang_Chn = setup & 1 ? j5::kTrue : j5::kFalse;
  j5::Init_Tone_Table(data);
  j5::Init_Opt_Id(data);
  if (setup & 2) {
    // An erased radio.
    data.Mem_Image.fill(224, 246, 0, 15, j5::kEmptyByte);
  }
  for (int n = setup >> 2; n > 0; --n) {
    const auto [r, c] = Record_Cell(in.Byte() % 144);
    data.Mem_Image(r, c) = in.Byte();
  }
  h.before = data.Mem_Image;
  h.Open();
  h.Check_Image();

  while (!in.empty()) {
    try {
      Step(h, in);
    } catch (const std::logic_error&) {
      // The driver refused a step no user can take (a key with no control in focus).
    }
    h.Check_Image();
    // Enter on the focused Close button closes the window; the user opens it again.
    if (h.program.frm_option.get() != h.w) h.Open();
  }

  h.Leave_And_Return();
  h.Check_Image();
  const std::vector<std::string> shown = h.Shown();
  h.Open();
  h.Check_Image();
  if (std::getenv("J5_FUZZ_TRACE")) {
    const std::vector<std::string> fresh = h.Shown();
    std::size_t i = 0;
    for (kit::Control* c : h.w->controls()) {
      if (!dynamic_cast<kit::ComboBox*>(c) && !dynamic_cast<kit::TextBox*>(c) &&
          !dynamic_cast<kit::CheckBox*>(c))
        continue;
      if (fresh[i] != shown[i])
        std::fprintf(stderr, "%s: %s / %s\n", c->name().c_str(), shown[i].c_str(),
                     fresh[i].c_str());
      ++i;
    }
  }
  Check(h.Shown() == shown, "the window shows other values than a freshly opened one");
  // A fresh window stores what its lists show (a tone of FF FF that Default left under a list
  // already showing OFF becomes 0 0); a second one finds nothing more to store.
  const j5::MemImage image = data.Mem_Image;
  h.Open();
  Check(data.Mem_Image == image, "opening the window again changed the image");
  return 0;
}
