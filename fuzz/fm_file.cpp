// The FM file reader, as the FM window serves an open request from the adjustment file dialog.
// A load succeeds exactly when the file begins with 353 numbers of 16 bits, the first 16 and the
// first sixteen of every following 22 bytes; after a failure Fm_Image and the grid are as they
// were; after a success rows 1..16 hold the numbers and row 0 is untouched, the grid shows what
// those rows decode to, and a save request writes a file that loads the same numbers again.

#include "editors/fm/fm_file.h"

#include <vector>

#include "editors/fm/frm_FM.h"
#include "file_harness.h"

using j5fuzz::Check;

namespace {

constexpr std::size_t kValues = j5::fm::kFileValues;

j5fuzz::File_Harness& The_Harness() {
  static j5fuzz::File_Harness h("fm");
  return h;
}

std::vector<std::string> Grid_Texts(const j5::frm_FM& w) {
  std::vector<std::string> out;
  for (int r = 1; r <= 16; ++r)
    for (int c = 1; c <= 2; ++c) out.push_back(w.MSF_Chann.textMatrix(r, c));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  j5fuzz::File_Harness& h = The_Harness();
  j5::Shared_Data& d = h.program.data;
  j5fuzz::Fuzz_Input in(data, size);

  const std::uint8_t seed = in.Byte();
  d.Lang_Chn = seed & 1 ? j5::kTrue : j5::kFalse;
  d.Band_A_Low = 136, d.Band_A_High = 175, d.Band_B_Low = 400, d.Band_B_High = 480;
  h.program.frm_FM.unload();
  j5::frm_FM& w = h.program.frm_FM.load();
  h.platform.runUntilIdle();
  // Staged rows with values of every kind, outside 0..255 too.
  for (std::size_t r = 0; r < j5::FmImage::kRows; ++r)
    for (std::size_t c = 0; c < j5::FmImage::kCols; ++c)
      d.Fm_Image(r, c) = static_cast<std::int16_t>((r * 23 + c) * (seed | 1) % 700 - 200);
  const j5::FmImage before = d.Fm_Image;
  const auto gridBefore = Grid_Texts(w);

  const std::string_view text = in.Rest();
  d.File_Path = h.Write("fuzz.adj", text);
  h.platform.clearMessageBoxes();
  d.Open_Adj_Req = j5::kTrue;
  h.platform.advance(500);
  j5fuzz::Check_Messages(h.platform);
  Check(d.Open_Adj_Req == 0, "the open request was not served");
  Check(h.platform.messageBoxes().size() == 1, "an open request without exactly one message");
  const bool loaded = h.platform.messageBoxes()[0].text.find("Succeed") == 0 ||
                      h.platform.messageBoxes()[0].text.find("信道参数从文件调入成功") == 0;

  bool undecided = false;
  const auto numbers = j5fuzz::Numbers_In(text, kValues, undecided);
  if (!undecided) {
    bool valid = numbers.has_value() && (*numbers)[0] == 16;
    for (std::size_t i = 1; valid && i < kValues; ++i)
      valid = (i - 1) % 22 >= 16 || ((*numbers)[i] >= 0 && (*numbers)[i] <= 255);
    Check(loaded == valid,
          loaded ? "an FM file that is none loaded" : "a valid FM file did not load");
  }
  if (!loaded) {
    Check(d.Fm_Image == before, "a failed load changed Fm_Image");
    Check(Grid_Texts(w) == gridBefore, "a failed load changed the grid");
    return 0;
  }
  j5::FmImage expected = before;
  for (std::size_t r = 1; r <= 16; ++r)
    for (std::size_t c = 0; c < 22; ++c)
      expected(r, c) = numbers && !undecided ? (*numbers)[1 + (r - 1) * 22 + c] : d.Fm_Image(r, c);
  Check(d.Fm_Image == expected, "Fm_Image after a load is not the file's numbers");
  for (int r = 2; r <= 16; ++r) {
    const std::string freq = w.MSF_Chann.textMatrix(r, 1);
    int sum = 0;
    for (std::size_t c = 0; c < 8; ++c) sum += d.Fm_Image(static_cast<std::size_t>(r - 1), c);
    Check(freq.empty() == (sum == 0), "a loaded channel shown empty, or an empty one shown");
    Check(w.MSF_Chann.textMatrix(r, 2).size() <= 8, "a loaded name longer than its bytes");
  }

  // Saved again (the grid re-encoded) and loaded: the same rows come back.
  const j5::FmImage loadedImage = d.Fm_Image;
  d.Save_Adj_Req = j5::kTrue;
  h.platform.advance(500);
  j5fuzz::Check_Messages(h.platform);
  const j5::FmImage saved = d.Fm_Image;
  for (std::size_t r = 1; r <= 16; ++r)
    for (std::size_t c = 16; c < 22; ++c)
      Check(saved(r, c) == loadedImage(r, c), "a save changed cells that only the file carries");
  const auto again = j5::fm::Read_Fm_File(d.File_Path);
  Check(again.ok(), "the saved FM file does not load");
  for (std::size_t i = 1; i < kValues; ++i)
    Check(again.values[i] == saved(1 + (i - 1) / 22, (i - 1) % 22),
          "save then load changed a number");
  return 0;
}
