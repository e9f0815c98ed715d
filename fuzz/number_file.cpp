// The number-file reader that every file of the program goes through, and the careful save.
// Whatever the bytes:
// - read in any pieces, they give what they give at once (a number or a byte order mark cut
//   between two reads of the file included);
// - the reader agrees with a plain reading of the rules: the numbers come first (after a byte
//   order mark), separated by blanks, tabs, line ends and at most one comma, each within the
//   format's range; it succeeds exactly when `count` of them are there, and the numbers it returns
//   are the file's, up to where it stopped; what it quotes from the file is UTF-8 text that
//   holds no invisible character;
// - saved with the careful save and read back from the disk, the bytes read the same;
// - the numbers read, saved as number lines, read back the same.
//
// Input: the count wanted, the range (16 bits, bytes, or -5..5), the number of pieces and their
// lengths, then the file's bytes.

#include "platform/number_file.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "support/temp_dir.h"

namespace rt = j5::rt;
using j5fuzz::Check;

namespace {

using Kind = rt::FileProblem::Kind;

// The rules read plainly: the numbers before the first thing that breaks them, and whether the
// wanted count was reached without a break.
struct Plain {
  std::vector<std::int16_t> values;
  bool ok = false;
};

bool Separator(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

Plain Read_Plainly(std::string_view text, std::size_t count, rt::NumberRange range) {
  Plain out;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::size_t i = 0;
  while (out.values.size() < count) {
    int commas = 0;
    while (i < text.size() && Separator(text[i])) commas += text[i++] == ',';
    if (commas > 1 || (commas == 1 && out.values.empty())) return out;
    if (i >= text.size()) return out;
    std::size_t end = i;
    while (end < text.size() && !Separator(text[end])) ++end;
    const std::string_view item = text.substr(i, end - i);
    i = end;
    const std::string_view digits = item.substr(item[0] == '-' ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
      return out;
    long value = 0;
    for (char c : digits) value = std::min(value * 10 + (c - '0'), 100000L);
    if (item[0] == '-') value = -value;
    if (value < range.low || value > range.high) return out;
    out.values.push_back(static_cast<std::int16_t>(value));
  }
  out.ok = true;
  return out;
}

bool Same(const rt::NumberRead& a, const rt::NumberRead& b) {
  const auto& p = a.problem;
  const auto& q = b.problem;
  return a.values == b.values && p.kind == q.kind && p.line == q.line && p.item == q.item &&
         p.found == q.found && p.wanted == q.wanted && p.low == q.low && p.high == q.high;
}

// A folder of this process's own, removed when the fuzzer ends.
struct Own_Folder {
  std::string path;
  ~Own_Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& Folder() {
  static const Own_Folder folder{[] {
    // In memory where the machine has it: the save flushes every file to its disk.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    const auto path = base / ("j5-fuzz-number-file-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }()};
  return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  j5fuzz::Fuzz_Input in(data, size);
  const std::size_t count = in.Byte() % 64;
  const rt::NumberRange ranges[] = {{}, {0, 255}, {-5, 5}};
  const rt::NumberRange range = ranges[in.Byte() % 3];
  std::vector<std::size_t> pieces(in.Byte() % 8);
  for (auto& length : pieces) length = in.Byte();
  const std::string_view text = in.Rest();

  const rt::NumberRead whole = rt::readNumbers(text, count, range);
  Check(whole.ok() ? whole.values.size() == count : whole.values.size() < count,
        "the reader gave a wrong number of values");

  // In pieces.
  rt::NumberScanner scanner(count, range);
  std::size_t at = 0;
  for (std::size_t length : pieces) {
    const std::size_t n = std::min(length, text.size() - at);
    scanner.feed(text.substr(at, n));
    at += n;
  }
  scanner.feed(text.substr(at));
  Check(Same(scanner.finish(), whole), "reading in pieces gave another result");

  // The rules read plainly.
  const Plain plain = Read_Plainly(text, count, range);
  Check(plain.ok == whole.ok(), [&] {
    return std::string(whole.ok() ? "the reader accepted" : "the reader refused") +
           " a file the rules " + (plain.ok ? "accept" : "refuse");
  });
  Check(plain.values == whole.values, "the reader's numbers are not the file's");
  Check(kit::utf8::valid(whole.problem.item), "the reader quotes bytes that are no UTF-8 text");
  Check(!j5fuzz::Holds_Invisible(whole.problem.item),
        "the reader quotes a character that changes how the message reads");
  if (!whole.ok()) {
    const Kind k = whole.problem.kind;
    Check(k != Kind::None && (k == Kind::TooFewNumbers) == (whole.problem.found > 0),
          "a refusal without its reason");
  }

  // Through the disk.
  const std::string path = Folder() + "/file.dat";
  Check(!rt::saveFile(path, text), "the careful save failed");
  Check(j5::test::readFile(path) == text, "the saved bytes differ");
  Check(Same(rt::readNumberFile(path, count, range), whole), "the file read another result");

  if (whole.ok() && count > 0) {
    const std::size_t perLine = 1 + count % 7;
    const rt::NumberLines lines =
        rt::tableLines((count + perLine - 1) / perLine, perLine, [&](std::size_t r, std::size_t c) {
          const std::size_t i = r * perLine + c;
          return i < count ? whole.values[i] : range.low;
        });
    Check(!rt::saveNumberLines(path, lines), "saving number lines failed");
    const rt::NumberRead back = rt::readNumberFile(path, count, range);
    Check(back.ok() && back.values == whole.values, "saved number lines did not read back");
  }
  return 0;
}
