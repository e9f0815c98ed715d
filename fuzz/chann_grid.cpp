// The channel grid under a user who clicks, double-clicks, types, pastes, picks, moves with the
// arrow keys and Tab, scrolls, presses Default and Clear and leaves and returns, on an image of
// random channels (erased ones among them) and a random channel count. Whatever happens:
// - nothing escapes a handler;
// - nothing outside the records and name rows of the channels shown changes (Default alone
//   rewrites every record);
// - every stored value is a byte;
// - after a rebuild, every cell shows what a freshly opened window shows for the same image;
// - a channel whose record a step changed shows what the bytes hold, read by the target's own
//   reading of packed-digit frequencies and two-byte tone codes (a stored edit is the encoding
//   of what the cell shows);
// - a step changes only channels the user changed: with nothing typed or picked into a cell
//   editor since the last click on a cell, no step but Default, Clear and leaving the window
//   changes any channel (a cell only looked at, a key or a pick after a scroll hid the editor);
//   with something typed or picked, only the channels of the cells it was typed or picked in.
//
// Input: a set-up byte (language, channel count, how many channels to set), the channels to set
// (index, 16 record bytes, 6 name bytes), then the user's steps.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/channels/frm_chann.h"
#include "fuzz_support.h"
#include "link/Form_Comm_Read.h"
#include "platform/headless.h"
#include "platform/runtime.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"

using j5fuzz::Check;

namespace {

struct Harness {
  kit::HeadlessPlatform platform;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;
  j5::frm_chann* w = nullptr;
  j5::MemImage before;
  bool defaultPressed = false;
  // Default or Clear pressed during the current step, by mouse, Enter or the space bar.
  bool buttonPressed = false;
  // The rows of the cells the user typed or picked into since the last click on a cell: their
  // channels may change when the cell is left. Empty: no step may change a channel.
  std::vector<int> userRows;

  int Shown() const { return std::clamp<int>(data.Chann_Total, 1, 128); }

  void Open() {
    program.frm_chann.unload();
    w = &program.frm_chann.load();
    d.runUntilIdle();
    // Default may also be pressed with Enter or its access key once the focus is on it.
    w->Command_def.Click = [this, pressed = w->Command_def.Click] {
      defaultPressed = buttonPressed = true;
      pressed();
    };
    w->Command_Clear.Click = [this, pressed = w->Command_Clear.Click] {
      buttonPressed = true;
      pressed();
    };
    userRows.clear();
  }

  // The channels of rows the user did not type or pick into are as they were before the step.
  void Check_Untouched(const j5::MemImage& last) {
    for (int r = 1; r <= Shown(); ++r) {
      if (std::find(userRows.begin(), userRows.end(), r) != userRows.end()) continue;
      const auto ch = static_cast<std::size_t>(r - 1);
      for (std::size_t k = 0; k < 16; ++k) {
        Check(data.Mem_Image(ch, k) == last(ch, k) &&
                  (k >= 6 || data.Mem_Image(256 + ch, k) == last(256 + ch, k)),
              [&] {
                return "channel " + std::to_string(r - 1) +
                       " changed, though nothing was typed or picked into its cells";
              });
      }
    }
  }

  // What may change: the records of the channels shown (all of them after Default) and their
  // name rows.
  bool May_Change(std::size_t r, std::size_t c) const {
    if (c > 15) return false;
    const auto shown = static_cast<std::size_t>(Shown());
    if (r < 128) return r < shown || defaultPressed;
    return r >= 256 && r < 256 + shown;
  }

  void Check_Image() {
    for (const auto& box : platform.messageBoxes())
      Check(!box.title.empty(),
            [&] { return std::string("an error escaped a handler: " + box.text); });
    platform.clearMessageBoxes();
    const j5::MemImage& m = data.Mem_Image;
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
        if (!May_Change(r, c)) {
          Check(m(r, c) == before(r, c), [&] {
            return std::string("the grid changed image row " + std::to_string(r) + " column " +
                               std::to_string(c));
          });
        } else {
          Check(m(r, c) >= 0 && m(r, c) <= 255, [&] {
            return std::string("the grid stored " + std::to_string(m(r, c)) + " in row " +
                               std::to_string(r));
          });
        }
      }
  }

  // Every channel whose record an edit changed shows what its bytes hold, read here apart from
  // the window's codecs: the frequencies as packed digits, the tones as their two-byte codes.
  void Check_Edited(const j5::MemImage& last) {
    const kit::Grid& g = w->MSF_Chann;
    for (int r = 1; r <= Shown() && r < g.rows(); ++r) {
      const auto ch = static_cast<std::size_t>(r - 1);
      bool changed = false;
      for (std::size_t k = 0; k < 16; ++k)
        changed = changed || data.Mem_Image(ch, k) != last(ch, k);
      if (!changed) continue;
      const auto cell = [&](int c) { return j5::rt::Trim(g.textMatrix(r, c)); };
      const auto where = [&](int c) {
        return "channel " + std::to_string(r) + " column " + std::to_string(c) + " shows \"" +
               cell(c) + "\" for bytes it does not hold";
      };
      const std::optional<double> rx = Bcd_Freq(ch, 0), tx = Bcd_Freq(ch, 4);
      if (data.Mem_Image(ch, 0) == j5::kEmptyByte) {
        Check(cell(j5::frm_chann::kColRx).empty() && cell(j5::frm_chann::kColTx).empty(),
              [&] { return where(j5::frm_chann::kColRx); });
        continue;
      }
      Check(Same_Freq(cell(j5::frm_chann::kColRx), rx),
            [&] { return where(j5::frm_chann::kColRx); });
      Check(Tone_Text(ch, 8) == std::nullopt || cell(j5::frm_chann::kColDec) == *Tone_Text(ch, 8),
            [&] { return where(j5::frm_chann::kColDec); });
      if (data.Mem_Image(ch, 4) == j5::kEmptyByte) {
        Check(cell(j5::frm_chann::kColTx).empty(), [&] { return where(j5::frm_chann::kColTx); });
        continue;
      }
      Check(Same_Freq(cell(j5::frm_chann::kColTx), tx),
            [&] { return where(j5::frm_chann::kColTx); });
      Check(Tone_Text(ch, 10) == std::nullopt || cell(j5::frm_chann::kColEnc) == *Tone_Text(ch, 10),
            [&] { return where(j5::frm_chann::kColEnc); });
    }
  }

  // Four packed-digit bytes, least significant first (byte 3 holds the 100 and 10 MHz digits);
  // nothing when a nibble is no digit.
  std::optional<double> Bcd_Freq(std::size_t ch, std::size_t at) const {
    long long tenHz = 0;
    for (std::size_t k = 4; k-- > 0;) {
      const int b = data.Mem_Image(ch, at + k);
      if (b < 0 || b > 255 || b >> 4 > 9 || (b & 15) > 9) return std::nullopt;
      tenHz = tenHz * 100 + (b >> 4) * 10 + (b & 15);
    }
    return tenHz / 100000.0;
  }
  static bool Same_Freq(const std::string& shown, std::optional<double> mhz) {
    if (!mhz) return true;  // nibbles that are no digits: the window's own choice
    return !shown.empty() && std::abs(std::strtod(shown.c_str(), nullptr) - *mhz) < 5e-6;
  }
  // "OFF" for 0 0 and FF FF, "D023N".."D754N" for 1..105 and "D023I".."D754I" for 106..210
  // under a high byte of 0, else the tone in 0.1 Hz ("67.0"); nothing for a DCS number past the
  // codes.
  std::optional<std::string> Tone_Text(std::size_t ch, std::size_t at) const {
    const int low = data.Mem_Image(ch, at), high = data.Mem_Image(ch, at + 1);
    if ((low == 0 && high == 0) || (low == 255 && high == 255)) return "OFF";
    if (high == 0) {
      if (low < 1 || low > 210) return std::nullopt;
      const auto code = j5::kDcsCodes[static_cast<std::size_t>((low - 1) % 105)];
      return "D" + std::string(code) + (low <= 105 ? "N" : "I");
    }
    const int tenths = high * 256 + low;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
  }

  std::vector<std::string> Cells() const {
    std::vector<std::string> out;
    const kit::Grid& g = w->MSF_Chann;
    for (int r = 0; r < g.rows(); ++r)
      for (int c = 0; c < g.cols(); ++c) out.push_back(g.textMatrix(r, c));
    return out;
  }

  // The user works in another window and comes back: the grid rebuilds from the image. The read
  // window leaves the image alone until a read, so whatever changes is the grid's doing.
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

// What a step was, for the check that only channels the user changed change.
enum class Kind { Click, Entry, Enter, Other, Leave };

Kind Step(Harness& h, j5fuzz::Fuzz_Input& in) {
  kit::Driver& d = h.d;
  j5::frm_chann& w = *h.w;
  kit::Grid& grid = w.MSF_Chann;
  const int kind = in.Byte() % 16;
  const bool editing = d.focused() == &w.Text_Edit || d.focused() == &w.Combo_edit;
  const Kind entry = editing ? Kind::Entry : Kind::Other;
  switch (kind) {
    case 0: {
      const int r = in.Byte() % grid.rows(), c = in.Byte() % grid.cols();
      d.clickCell(grid, r, c);
      return Kind::Click;
    }
    case 1: {
      const int r = in.Byte() % grid.rows(), c = in.Byte() % grid.cols();
      d.doubleClickCell(grid, r, c);
      return Kind::Click;
    }
    case 2:
      d.type(Text(in));
      return entry;
    case 3:
      d.enter();
      return Kind::Enter;
    case 4:
      d.backspace();
      return entry;
    case 5:
      d.del();
      return entry;
    case 6:
      // Up and Down in a list pick its neighbouring item.
      d.arrow(static_cast<kit::Arrow>(in.Byte() % 4));
      return entry;
    case 7:
      d.selectAll();
      return Kind::Other;
    case 8:
      if (!w.Combo_edit.visible() || w.Combo_edit.listCount() == 0) return Kind::Other;
      d.pick(w.Combo_edit, in.Byte() % w.Combo_edit.listCount());
      return Kind::Entry;
    case 9:
      d.paste(Text(in));
      return entry;
    case 10:
      d.tab();
      return Kind::Other;
    case 11:
      d.click(w.Command_def);
      return Kind::Other;
    case 12:
      d.click(w.Command_Clear);
      return Kind::Other;
    case 13:
      d.scroll(grid, 1 + in.Byte() % std::max(1, grid.rows() - 1));
      return Kind::Other;
    case 14:
      h.Leave_And_Return();
      return Kind::Leave;
    default: {
      const int key = in.Byte();
      d.key(key);
      return key == 13 ? Kind::Enter : entry;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  j5fuzz::Fuzz_Input in(bytes, size);
  Harness h;
  h.program.MDImain.load();
  h.d.runUntilIdle();

  const std::uint8_t setup = in.Byte();
  j5::Shared_Data& data = h.data;
  data.Lang_Chn = setup & 1 ? j5::kTrue : j5::kFalse;
  data.Chann_Total = static_cast<std::int16_t>(setup & 2 ? 128 : 1 + in.Byte() % 128);
  for (int n = setup >> 2 & 7; n > 0; --n) {
    const auto ch = static_cast<std::size_t>(in.Byte() % 128);
    for (std::size_t k = 0; k < 16; ++k) data.Mem_Image(ch, k) = in.Byte();
    for (std::size_t k = 0; k < 6; ++k) data.Mem_Image(256 + ch, k) = in.Byte();
  }
  h.Open();
  h.before = data.Mem_Image;

  // Three hundred steps tell any story; more only slow the fuzzer down.
  for (int steps = 0; steps < 300 && !in.empty(); ++steps) {
    const j5::MemImage last = data.Mem_Image;
    const int row = h.w->MSF_Chann.row();
    h.buttonPressed = false;
    Kind kind = Kind::Other;
    try {
      kind = Step(h, in);
    } catch (const std::logic_error&) {
      // The driver refused a step no user can take (a key with no control in focus, a cell
      // outside the grid); the program was not reached.
    }
    h.Check_Image();
    const bool open = h.program.frm_chann.get() == h.w;
    if (open) h.Check_Edited(last);
    // A pick stores at once.
    if (kind == Kind::Entry) h.userRows.push_back(row);
    // Default, Clear and a rebuild on return may rewrite channels of their own.
    if (!h.buttonPressed && kind != Kind::Leave) h.Check_Untouched(last);
    if (kind == Kind::Click) h.userRows.clear();
    // Enter takes a typed frequency on to the next cell, whose commit may follow.
    if (kind == Kind::Enter && !h.userRows.empty() && open)
      h.userRows.push_back(h.w->MSF_Chann.row());
    // Enter on the focused Close button closes the window; the user opens it again.
    if (h.program.frm_chann.get() != h.w) h.Open();
  }

  h.Leave_And_Return();
  h.Check_Image();
  const std::vector<std::string> rebuilt = h.Cells();
  const j5::MemImage image = data.Mem_Image;
  h.Open();
  Check(data.Mem_Image == image, "opening the window again changed the image");
  Check(h.Cells() == rebuilt, "a rebuilt grid differs from a freshly opened one");
  return 0;
}
