// The FM window's transfer, receive side: the radio at the end of the line answers every byte the
// tool sends with whatever bytes the fuzzer gives, while the user presses Read or Write (and
// again during the exchange). Whatever comes:
// - nothing escapes a handler;
// - the tool asks only for the FM blocks and writes only Fm_Image's rows, each to its address,
//   so no value outside 0..255 goes out;
// - the exchange ends: the port is closed and the window idle once the line has been quiet for
//   the time-outs and every retry;
// - a read changes neither Fm_Image nor the image; after a completed read every channel shown is
//   empty or a frequency text, every name at most six characters of codes 33 to 127, every band
//   box empty or a whole MHz text;
// - decoding then encoding gives back the radio's bytes: every frequency shown below 1000 MHz
//   (eight digit bytes) has two or three integer digits and five decimals, and stores as digits
//   that show the same text again.
//
// Input: a set-up byte (bit 0 Write, bit 1 Chinese, bits 2-3 a second press), then, for each byte
// the tool sends, a count n and n bytes the radio answers with at once (n = 0: no answer).

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/lang_text.h"
#include "editors/fm/fm_record.h"
#include "editors/fm/frm_FM.h"
#include "file_harness.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"

using j5fuzz::Check;

namespace {

struct Scripted_Radio : kit::SerialDevice {
  j5fuzz::Fuzz_Input* input = nullptr;
  std::vector<std::uint8_t> heard;
  bool open = false;
  void receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) override {
    if (!input) return;  // the main window's start-up probe: no radio answers it
    heard.push_back(byte);
    const std::string_view answer = input->Bytes(input->Byte());
    if (!answer.empty()) link.send({answer.begin(), answer.end()}, atMs);
  }
  void opened(double) override { open = true; }
  void closed(double) override { open = false; }
};

struct Harness {
  kit::HeadlessPlatform platform;
  Scripted_Radio radio;
  j5::Program program{platform};
  kit::Driver d{platform};
  Harness() {
    platform.attachDevice(1, radio);
    program.MDImain.load();
    platform.advance(5000);
  }
};

Harness& The_Harness() {
  static Harness h;
  return h;
}

bool Is_Freq_Text(const std::string& t) {
  if (t.empty()) return true;
  const auto point = t.find('.');
  return point != std::string::npos && t.size() >= 8 &&
         t.find_first_not_of("0123456789.E+-") == std::string::npos;
}

// The text of a frequency below 1000 MHz: two or three integer digits and five decimals.
bool Is_Fixed_Freq_Text(const std::string& t) {
  const auto point = t.find('.');
  return (point == 2 || point == 3) && t.size() == point + 6 &&
         t.find_first_not_of("0123456789.") == std::string::npos &&
         t.find('.', point + 1) == std::string::npos;
}

// Decoding then encoding gives the radio's digits back: a shown frequency below 1000 MHz is
// written with all its digits in place, and storing it reads back as the same text. Decoding is
// one to one on digit bytes, so the digits stored are the digits read.
void Check_Freq_Round_Trip(const std::string& shown) {
  if (shown.empty() || shown.find_first_not_of("0123456789.") != std::string::npos ||
      shown.find('.') > 3)
    return;  // from 1000 MHz on (bytes that are no digits) there are no digits to give back
  Check(Is_Fixed_Freq_Text(shown), [&] { return "a frequency below 1000 MHz shown as " + shown; });
  j5::FmImage scratch = j5::Erased_Fm_Image();
  const j5::fields::Cells cells{scratch};
  j5::fm::Freq_Column().store(cells, 0, shown);
  Check(j5::fm::Freq_Column().text(cells, 0) == shown, [&] {
    return "the frequency " + shown + " reads back as " + j5::fm::Freq_Column().text(cells, 0);
  });
}

// Every write frame (ACK, 0x58, address, 0x10, 16 bytes) in what the tool sent holds its row.
void Check_Frames(const std::vector<std::uint8_t>& b, const j5::FmImage& image, bool readOnly) {
  for (std::size_t i = 0; i + 20 < b.size(); ++i) {
    if (b[i] != 0x06 || b[i + 1] != 0x58 || b[i + 4] != 0x10) continue;
    const int address = b[i + 2] << 8 | b[i + 3];
    Check((address >= 0x3000 && address <= 0x30F0 && address % 16 == 0) || address == 0x3F80,
          [&] { return "a frame for address " + std::to_string(address); });
    const std::size_t row =
        address == 0x3F80 ? 16 : static_cast<std::size_t>(address - 0x3000) / 16;
    for (std::size_t c = 0; c < 16; ++c)
      Check(b[i + 5 + c] == image(row, c), "a write frame that differs from its row");
  }
  // A write frame's data may look like a request: requests are looked for in reads alone.
  for (std::size_t i = 0; readOnly && i + 3 < b.size(); ++i) {
    if (b[i] != 0x53 || b[i + 3] != 0x40) continue;
    const int address = b[i + 1] << 8 | b[i + 2];
    Check(address == 0x3000 || address == 0x3040 || address == 0x3080 || address == 0x30C0 ||
              address == 0x3F80,
          [&] { return "a read request for " + std::to_string(address); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness& h = The_Harness();
  j5fuzz::Fuzz_Input in(data, size);
  j5::Shared_Data& d = h.program.data;
  const std::uint8_t setup = in.Byte();
  d.Comm_Port = 1;
  d.Lang_Chn = setup & 2 ? j5::kTrue : j5::kFalse;
  j5::Set_Lang_Text(d);
  d.Band_A_Low = 136, d.Band_A_High = 175, d.Band_B_Low = 400, d.Band_B_High = 480;
  h.program.frm_FM.unload();
  j5::frm_FM& w = h.program.frm_FM.load();
  h.platform.runUntilIdle();
  h.radio.input = &in;
  h.radio.heard.clear();
  h.platform.clearMessageBoxes();
  const j5::MemImage image = d.Mem_Image;

  const bool write = setup & 1;
  h.d.click(write ? w.Command_Write : w.Command_read);
  const j5::FmImage staged = d.Fm_Image;
  if (setup & 0x0C) {
    h.platform.advance(100.0 * (setup >> 2 & 3));
    h.d.click(setup & 0x10 ? w.Command_Write : w.Command_read);
  }
  // Four attempts of at most a few seconds each, with a 1500 ms pause (idle, port closed) before
  // each retry: the exchange has ended once the window stayed idle longer than that pause.
  double idleMs = 0;
  for (int i = 0; i < 600 && idleMs <= 2000; ++i) {
    h.platform.advance(100);
    idleMs = w.Transfer.Busy() || h.radio.open ? 0 : idleMs + 100;
  }
  h.radio.input = nullptr;
  if (std::getenv("J5_FUZZ_TRACE")) {
    std::fprintf(stderr, "at %.0f ms: busy %d, port open %d, %zu bytes heard, input left %zu\n",
                 h.platform.nowMs(), w.Transfer.Busy(), h.radio.open, h.radio.heard.size(),
                 in.left());
    for (const auto& box : h.platform.messageBoxes())
      std::fprintf(stderr, "box: %s\n", box.text.c_str());
  }
  j5fuzz::Check_Messages(h.platform);
  Check(!w.Transfer.Busy() && !h.radio.open, "the exchange never ended");
  Check(d.Mem_Image == image, "the FM transfer changed the image");
  Check(d.Fm_Image == staged, "the FM transfer changed Fm_Image");
  Check_Frames(h.radio.heard, d.Fm_Image, !write && !(setup & 0x0C && setup & 0x10));
  for (int r = 1; r <= 16; ++r) {
    Check(Is_Freq_Text(w.MSF_Chann.textMatrix(r, 1)),
          [&] { return "a frequency shown as " + w.MSF_Chann.textMatrix(r, 1); });
    Check_Freq_Round_Trip(w.MSF_Chann.textMatrix(r, 1));
    const std::string name = w.MSF_Chann.textMatrix(r, 2);
    Check(name.size() <= 8, "a name longer than its bytes");
    for (const unsigned char c : name)
      Check(c > 32 && c <= 127, "a name character outside 33..127");
  }
  for (const kit::TextBox* b : {&w.Text_pvfo1_A, &w.Text_pvfo2_A, &w.Text_pvfo1_B, &w.Text_pvfo2_B})
    Check(b->text().empty() || (b->text().size() >= 7 && b->text().ends_with(".00000")),
          [&] { return "a band box shows " + b->text(); });
  return 0;
}
