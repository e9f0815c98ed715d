// The option window copies' two readers of outside bytes, reached as a user and the radio reach
// them: an option file served by the window's Timer4, and the replies of the window's read.
//
// File (first byte even): a load succeeds exactly when the file begins with 192 numbers from 0 to
// 255; after a failure the image and the controls are as before; after a success rows 0-11 hold
// the numbers and rows 12-15 are as before; a save after the load, loaded and saved again, gives
// the same file (the controls keep every setting they packed).
// Read (first byte odd): the radio's memory and how it answers come from the input; the image
// changes only when the read completes, and then holds the radio's bytes; the window ends idle.

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "editors/option_copies/copy_file.h"
#include "editors/option_copies/option_copy_window.h"
#include "fuzz_support.h"
#include "platform/headless.h"
#include "platform/number_file.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/sim_device.h"
#include "support/temp_dir.h"

using j5fuzz::Check;

namespace {

struct Harness {
  kit::HeadlessPlatform platform;
  j5test::Sim_Device device;
  j5::Program program{platform};
  kit::FormSlot<j5::frm_Adj_Tune> slot{
      [this] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
  std::string dir;

  Harness() {
    device.radio.config().identForm = sim::IdentForm::Ident8Dec;
    device.attach(platform, 1);
    program.MDImain.load();
    platform.advance(5000);
    program.data.Comm_Port = 1;
    dir = (std::filesystem::temp_directory_path() / ("j5-fuzz-copies-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Harness() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

void No_Escaped_Error(const kit::HeadlessPlatform& p) {
  for (const auto& box : p.messageBoxes())
    Check(!box.title.empty(), [&] { return "an error escaped a handler: " + box.text; });
}

std::string Snapshot(j5::Option_Copy_Window& w) {
  std::string s;
  for (kit::Control* c : w.controls()) {
    if (auto* t = dynamic_cast<kit::TextBox*>(c)) s += t->text() + "|";
    if (auto* b = dynamic_cast<kit::ComboBox*>(c)) s += b->text() + "|";
    if (auto* k = dynamic_cast<kit::CheckBox*>(c)) s += std::to_string(k->value());
  }
  return s;
}

void Serve(Harness& h, bool open, const std::string& path) {
  h.program.data.File_Path = path;
  (open ? h.program.data.Open_File_Req : h.program.data.Save_File_Req) = j5::kTrue;
  h.platform.advance(500);
}

void File_Case(Harness& h, j5::Option_Copy_Window& w, j5fuzz::Fuzz_Input& in) {
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c) w.Copy_Image(r, c) = static_cast<std::int16_t>(r * 16 + c);
  const j5::CopyImage before = w.Copy_Image;
  const std::string shown = Snapshot(w);
  const std::string_view text = in.Rest();
  const std::string path = h.dir + "/fuzz.dat";
  j5::test::writeFile(path, std::string(text));
  const j5::rt::NumberRead expected = j5::copy::Read_Option_Text(text);
  h.platform.clearMessageBoxes();
  Serve(h, true, path);
  No_Escaped_Error(h.platform);
  Check(h.platform.messageBoxes().size() == 1, "a load did not say how it went");
  const bool loaded =
      h.platform.messageBoxes().back().text == "Succeed fold the optional parameters from file.";
  Check(loaded == expected.ok(), loaded ? "a bad option file loaded" : "a good option file failed");
  if (!loaded) {
    Check(w.Copy_Image == before, "a failed load changed the image");
    Check(Snapshot(w) == shown, "a failed load changed the controls");
    return;
  }
  for (std::size_t i = 0; i < j5::copy::kFileValues; ++i)
    Check(w.Copy_Image(i / 16, i % 16) == expected.values[i],
          "the image is not the file's numbers");
  for (std::size_t r = 12; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      Check(w.Copy_Image(r, c) == before(r, c), "a load changed rows beyond the file");

  Serve(h, false, h.dir + "/one.dat");
  Serve(h, true, h.dir + "/one.dat");
  Serve(h, false, h.dir + "/two.dat");
  No_Escaped_Error(h.platform);
  Check(j5::test::readFile(h.dir + "/one.dat") == j5::test::readFile(h.dir + "/two.dat"),
        "a saved file, loaded and saved again, changed");
}

void Read_Case(Harness& h, j5::Option_Copy_Window& w, j5fuzz::Fuzz_Input& in) {
  sim::Radio& radio = h.device.radio;
  radio.clearFaults();
  radio.reset();
  for (std::uint16_t a = 0x0E20; a < 0x0F60; ++a) radio.memory().set(a, in.Byte());
  for (int n = in.Byte() % 4; n > 0; --n) {
    sim::Fault f;
    f.what = static_cast<sim::Misbehaviour>(in.Byte() % 8);
    f.skip = in.Byte() % 8;
    f.count = 1 + in.Byte() % 3;
    f.delay = 1000 * (in.Byte() % 200) * 10;
    f.byte = in.Byte();
    radio.inject(f);
  }
  const j5::CopyImage before = w.Copy_Image;
  h.platform.clearMessageBoxes();
  w.Command_read.userClick();
  h.platform.advance(40000);
  No_Escaped_Error(h.platform);
  Check(!w.Busy(), "the read did not end");
  Check(!w.MSC.portOpen(), "the port stayed open");
  bool done = false;
  for (const auto& box : h.platform.messageBoxes())
    done |= box.text == "Complete reading the data from transceiver.";
  if (!done) {
    Check(w.Copy_Image == before, "a read that did not complete changed the image");
    return;
  }
  constexpr std::uint16_t kRows[16] = {0x0E20, 0x0E30, 0x0E40, 0x0E50, 0x0E60, 0x0E70,
                                       0x0E80, 0x0E90, 0x0EE0, 0x0EF0, 0x0F00, 0x0F10,
                                       0x0F20, 0x0F30, 0x0F40, 0x0F50};
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      Check(w.Copy_Image(r, c) == radio.memory().at(static_cast<std::uint16_t>(kRows[r] + c)),
            "a completed read does not hold the radio's bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness h;
  j5fuzz::Fuzz_Input in(data, size);
  const std::uint8_t mode = in.Byte();
  h.program.data.Lang_Chn = j5::kFalse;
  j5::Option_Copy_Window& w = h.slot.load();
  h.platform.runUntilIdle();
  if (mode & 1) {
    Read_Case(h, w, in);
  } else {
    File_Case(h, w, in);
  }
  h.slot.unload();
  h.platform.runUntilIdle();
  return 0;
}
