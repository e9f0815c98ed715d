#include "platform/number_file.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace j5::rt {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;
using Kind = FileProblem::Kind;
using Values = std::vector<std::int16_t>;

// ---- Reading ----------------------------------------------------------------------------------

TEST(NumberReader, TakesTheNumbersHoweverTheyAreSplitOrFed) {
  Values expected;
  for (int i = 0; i < 48; ++i) expected.push_back(static_cast<std::int16_t>(i * 7 - 20));
  const std::string written =
      formatNumberRows(3, 16, [&](std::size_t r, std::size_t c) { return expected[r * 16 + c]; });

  std::string oneLine, onePerLine, commas, tabsAndCommas;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::string n = std::to_string(expected[i]);
    oneLine += n + " ";
    onePerLine += n + "\r\n";
    commas += (i ? "," : "") + n;
    tabsAndCommas += (i ? " ,\t" : "\t") + n + (i % 5 == 4 ? "\n" : "");
  }
  for (const std::string& text :
       {written, oneLine, onePerLine, commas, tabsAndCommas, "\xEF\xBB\xBF" + written}) {
    SCOPED_TRACE(text);
    const NumberRead whole = readNumbers(text, expected.size());
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(whole.values, expected);
    // A byte at a time: a number or the byte order mark cut between two pieces reads the same.
    NumberScanner scanner(expected.size());
    for (char c : text) scanner.feed(std::string_view(&c, 1));
    EXPECT_EQ(scanner.finish().values, expected);
  }
}

TEST(NumberReader, StopsAtTheCountAndKeepsValuesAsGiven) {
  const NumberRead read = readNumbers(" 300 -1 32767 -32768 \r\n 9 junk \x01", 4);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.values, (Values{300, -1, 32767, -32768}));
}

struct BadText {
  std::string text;
  Kind kind;
  std::size_t line;
  std::string item;
};

TEST(NumberReader, NamesWhatIsWrongAndWhere) {
  const std::string longItem(5000, '7');
  const BadText cases[] = {
      {"", Kind::Empty, 0, ""},
      {" \r\n\t\r\n", Kind::Empty, 0, ""},
      {"\xEF\xBB\xBF", Kind::Empty, 0, ""},
      {" 1 \r\n 2 \r\n\r\n", Kind::TooFewNumbers, 2, ""},  // the line of the last number
      {"1 2\r\n12abc", Kind::NotANumber, 2, "12abc"},
      {"1 1.5 3", Kind::NotANumber, 1, "1.5"},
      {"1 + 3", Kind::NotANumber, 1, "+"},
      {"1 - 3", Kind::NotANumber, 1, "-"},
      {"1 2-3 4", Kind::NotANumber, 1, "2-3"},

      {"1 参数 3", Kind::NotANumber, 1, "参数"},
      {"1 " + std::string(5000, 'x') + " 3", Kind::NotANumber, 1, std::string(24, 'x') + "..."},
      {"1 x甲乙丙丁戊己庚辛壬癸 3", Kind::NotANumber, 1, "x甲乙丙丁戊己庚..."},  // whole characters
      {"1 32768 3", Kind::OutOfRange, 1, "32768"},
      {"1\n\n-32769 3", Kind::OutOfRange, 3, "-32769"},
      {"1 " + longItem + " 3", Kind::OutOfRange, 1, std::string(24, '7') + "..."},
      {"1,,3", Kind::EmptyField, 1, ""},
      {"1 ,\n, 3", Kind::EmptyField, 2, ""},
      {",1 2 3", Kind::EmptyField, 1, ""},
      {std::string("\x7f"
                   "ELF\x02\x01\x01\0\0\0 12 ",
                   14),
       Kind::NotText, 1, ""},
      {std::string("1 2\n\0\0\0", 7), Kind::NotText, 2, ""},
      // Bytes that are no UTF-8 text are never quoted back: the file is no text file.
      {std::string("\xFF\xFE \0001\0", 6), Kind::NotText, 1, ""},  // UTF-16LE
      {"1 2\n\x80\x9F\xA0\xFF", Kind::NotText, 2, ""},
      {"1 caf\xE9 3", Kind::NotText, 1, ""},           // another code page
      {"1 \xC0\xB1 3", Kind::NotText, 1, ""},          // "1" in an overlong form
      {"1 \xED\xA0\x80 3", Kind::NotText, 1, ""},      // a surrogate
      {"1 \xF4\x90\x80\x80 3", Kind::NotText, 1, ""},  // beyond U+10FFFF
      {"1 \xC2\x85 3", Kind::NotText, 1, ""},          // a control character of the upper half
      {"1 2 \xE5\x8F", Kind::NotText, 1, ""},          // the file ends inside a character
      {"\xEF\xBB", Kind::NotText, 1, ""},              // a byte order mark cut short
      {"\xEF\xBB"
       "1 2 3",
       Kind::NotText, 1, ""},
      // Nor is a character that shows nothing or turns the text around it, which a message
      // quoting it would carry: the file is no text file.
      {"1 2\n1\u202E23 3", Kind::NotText, 2, ""},  // a right-to-left override
      {"1 1\u200B 3", Kind::NotText, 1, ""},       // a zero-width space
      {"1 \uFEFF2 3", Kind::NotText, 1, ""},       // a byte order mark inside
      {"1 \u2028 3", Kind::NotText, 1, ""},        // a line separator
      {"1 \u2029 3", Kind::NotText, 1, ""},        // a paragraph separator
      {"1 x\u00ADy 3", Kind::NotText, 1, ""},      // a soft hyphen
      {"1 \u20662 3", Kind::NotText, 1, ""},       // a left-to-right isolate
      {"1 2\U000E0001 3", Kind::NotText, 1, ""},   // a language tag
      {"1 \xF0\x9F\x98\x80 3", Kind::NotANumber, 1, "\xF0\x9F\x98\x80"},  // text, if no number
      {"1 \u2010 3", Kind::NotANumber, 1, "\u2010"},                      // a hyphen shows itself
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    const NumberRead read = readNumbers(c.text, 3);
    EXPECT_EQ(read.problem.kind, c.kind);
    EXPECT_EQ(read.problem.line, c.line);
    EXPECT_EQ(read.problem.item, c.item);
  }
  const NumberRead shortFile = readNumbers(" 1  2 \r\n", 3);
  EXPECT_EQ(shortFile.problem.found, 2u);
  EXPECT_EQ(shortFile.problem.wanted, 3u);
  EXPECT_EQ(readNumbers("4 5 x", 3).values, (Values{4, 5}));
  // A format of bytes reads the same, within its own range.
  const NumberRead bytes = readNumbers("0 255\n 256", 3, {0, 255});
  EXPECT_EQ(bytes.problem.kind, Kind::OutOfRange);
  EXPECT_EQ(bytes.problem.line, 2u);
  EXPECT_EQ(bytes.problem.item, "256");
  EXPECT_EQ(bytes.problem.low, 0);
  EXPECT_EQ(bytes.problem.high, 255);
  EXPECT_EQ(readNumbers("0 -1 2", 3, {0, 255}).problem.item, "-1");
}

class NumberFileOnDisk : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir / name; }
  TempDir dir;
};

TEST_F(NumberFileOnDisk, ReadingTakesLittleMemoryWhateverFollowsTheNumbers) {
  // A valid file followed by a tail of a quarter gigabyte, and a file of nothing but zero bytes
  // (sparse: the disk holds next to nothing of either). Each is read in a child, whose peak size
  // is set against a child that reads nothing.
  writeFile(path("tail.dat"), " 1  2 \r\n 3 ");
  writeFile(path("zeros.dat"), "");
  for (const char* name : {"tail.dat", "zeros.dat"})
    ASSERT_EQ(::truncate(path(name).c_str(), 256LL << 20), 0);
  const test::ChildRun none = test::runInChild([] { return 0; });
  const test::ChildRun tail = test::runInChild([&] {
    const NumberRead read = readNumberFile(path("tail.dat"), 3);
    return read.values == Values{1, 2, 3} ? 0 : 1;
  });
  const test::ChildRun zeros = test::runInChild(
      [&] { return static_cast<int>(readNumberFile(path("zeros.dat"), 3).problem.kind); });
  EXPECT_EQ(tail.exitCode, 0);
  EXPECT_EQ(zeros.exitCode, static_cast<int>(Kind::NotText));
  EXPECT_LT(tail.peakKiB - none.peakKiB, 4096);
  EXPECT_LT(zeros.peakKiB - none.peakKiB, 4096);
}

TEST_F(NumberFileOnDisk, OnlyAPlainFileIsRead) {
  ASSERT_EQ(::mkfifo(path("pipe.dat").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero.dat"));
  fs::create_directory(path("folder.dat"));
  writeFile(path("real.dat"), "5 6");
  fs::create_symlink("real.dat", path("link.dat"));

  // A pipe without a writer would hold the program for good; a device never ends.
  EXPECT_EQ(readNumberFile(path("pipe.dat"), 2).problem.kind, Kind::NotPlainFile);
  EXPECT_EQ(readNumberFile(path("zero.dat"), 2).problem.kind, Kind::NotPlainFile);
  EXPECT_EQ(readNumberFile(path("folder.dat"), 2).problem.kind, Kind::IsDirectory);
  EXPECT_EQ(readNumberFile(path("missing.dat"), 2).problem.kind, Kind::NotFound);
  EXPECT_EQ(readNumberFile(path("link.dat"), 2).values, (Values{5, 6}));
}

// Links that go round, or a chain longer than the system follows, are named as such on reading
// and on saving; a chain as long as the system follows reads and saves through to its file.
TEST_F(NumberFileOnDisk, APathThatGoesRoundInLinksIsALinkLoop) {
  fs::create_symlink("round-b.dat", path("round-a.dat"));
  fs::create_symlink("round-a.dat", path("round-b.dat"));
  writeFile(path("real.dat"), "5 6");
  std::string previous = "real.dat";
  for (int n = 1; n <= 41; ++n) {
    const std::string name = "chain" + std::to_string(n) + ".dat";
    fs::create_symlink(previous, path(name));
    previous = name;
  }
  for (const char* name : {"round-a.dat", "chain41.dat"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(readNumberFile(path(name), 2).problem.kind, Kind::LinkLoop);
    EXPECT_EQ(saveFile(path(name), "7 8").kind, Kind::LinkLoop);
  }
  EXPECT_EQ(readFile(path("real.dat")), "5 6");
  EXPECT_EQ(readNumberFile(path("chain40.dat"), 2).values, (Values{5, 6}));
  EXPECT_FALSE(saveFile(path("chain40.dat"), "7 8"));
  EXPECT_EQ(readFile(path("real.dat")), "7 8");
  EXPECT_TRUE(fs::is_symlink(path("chain40.dat")));
}

// ---- Saving -----------------------------------------------------------------------------------

mode_t modeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

std::size_t entries(const std::string& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST_F(NumberFileOnDisk, SavingKeepsTheFileItsModeAndLinks) {
  // An existing file keeps its mode; a new one gets what any new file gets.
  writeFile(path("private.dat"), "old");
  ::chmod(path("private.dat").c_str(), 0600);
  EXPECT_FALSE(saveFile(path("private.dat"), "new"));
  EXPECT_EQ(readFile(path("private.dat")), "new");
  EXPECT_EQ(modeOf(path("private.dat")), 0600u);

  const mode_t mask = ::umask(022);
  EXPECT_FALSE(saveFile(path("fresh.dat"), "x"));
  ::umask(mask);
  EXPECT_EQ(modeOf(path("fresh.dat")), 0644u);

  // Links are followed to the file they name, through a chain and into another folder, and stay
  // links; a link to a name not yet used makes that file.
  fs::create_directory(path("sub"));
  writeFile(path("sub/target.dat"), "old target");
  fs::create_symlink("sub/target.dat", path("first.dat"));
  fs::create_symlink("first.dat", path("second.dat"));
  fs::create_symlink("later.dat", path("sub/dangling.dat"));
  EXPECT_FALSE(saveFile(path("second.dat"), "through links"));
  EXPECT_FALSE(saveFile(path("sub/dangling.dat"), "made"));
  EXPECT_TRUE(fs::is_symlink(path("first.dat")));
  EXPECT_TRUE(fs::is_symlink(path("second.dat")));
  EXPECT_TRUE(fs::is_symlink(path("sub/dangling.dat")));
  EXPECT_EQ(readFile(path("sub/target.dat")), "through links");
  EXPECT_EQ(readFile(path("sub/later.dat")), "made");

  // The longest name a folder allows can be saved again: the temporary name is short.
  const std::string longest = path(std::string(251, 'n') + ".dat");
  writeFile(longest, "old");
  EXPECT_FALSE(saveFile(longest, "new"));
  EXPECT_EQ(readFile(longest), "new");

  // Nothing of the saves is left beside the files.
  EXPECT_EQ(entries(dir.path()), 6u);
  EXPECT_EQ(entries(path("sub")), 3u);
}

TEST_F(NumberFileOnDisk, WhatMayNotBeReplacedIsRefusedAndKept) {
  writeFile(path("locked.dat"), "old");
  ::chmod(path("locked.dat").c_str(), 0444);
  ASSERT_EQ(::mkfifo(path("pipe.dat").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", path("null.dat"));
  fs::create_directories(path("folder.dat/inner"));

  EXPECT_EQ(saveFile(path("locked.dat"), "new").kind, Kind::ReadOnly);
  EXPECT_EQ(saveFile(path("pipe.dat"), "new").kind, Kind::NotPlainFile);
  EXPECT_EQ(saveFile(path("null.dat"), "new").kind, Kind::NotPlainFile);
  EXPECT_EQ(saveFile(path("folder.dat"), "new").kind, Kind::IsDirectory);
  EXPECT_EQ(saveFile(path("no/such.dat"), "new").kind, Kind::NotFound);

  EXPECT_EQ(readFile(path("locked.dat")), "old");
  EXPECT_EQ(modeOf(path("locked.dat")), 0444u);
  EXPECT_TRUE(fs::is_fifo(path("pipe.dat")));
  EXPECT_TRUE(fs::is_symlink(path("null.dat")));
  EXPECT_TRUE(fs::is_directory(path("folder.dat/inner")));
  EXPECT_EQ(entries(dir.path()), 4u);
}

TEST_F(NumberFileOnDisk, AFailedWriteKeepsTheOldFile) {
  writeFile(path("keep.dat"), "old contents");
  FileProblem problem;
  test::withFileSizeLimit(4096,
                          [&] { problem = saveFile(path("keep.dat"), std::string(10000, '1')); });
  EXPECT_EQ(problem.kind, Kind::TooLarge);
  EXPECT_EQ(readFile(path("keep.dat")), "old contents");
  EXPECT_EQ(entries(dir.path()), 1u);
}

// Runs fn as a user without special rights (the tests may run as root, whom no folder refuses),
// in a child process; its result comes back as the exit code.
int asOrdinaryUser(const std::function<int()>& fn) {
  return test::runInChild([&] {
           if (::geteuid() == 0 &&
               (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
             return 100;
           return fn();
         })
      .exitCode;
}

TEST_F(NumberFileOnDisk, AFolderThatRefusesNewFilesHasItsFileWrittenInPlace) {
  const std::string folder = path("closed");
  fs::create_directory(folder);
  writeFile(folder + "/shared.dat", "old and longer contents");
  ::chmod((folder + "/shared.dat").c_str(), 0666);
  ::chmod(folder.c_str(), 0555);
  const int inPlace = asOrdinaryUser(
      [&] { return static_cast<int>(saveFile(folder + "/shared.dat", "new").kind); });
  const int fresh =
      asOrdinaryUser([&] { return static_cast<int>(saveFile(folder + "/new.dat", "new").kind); });
  ::chmod(folder.c_str(), 0755);

  EXPECT_EQ(inPlace, static_cast<int>(Kind::None));
  EXPECT_EQ(readFile(folder + "/shared.dat"), "new");
  EXPECT_EQ(modeOf(folder + "/shared.dat"), 0666u);
  EXPECT_EQ(fresh, static_cast<int>(Kind::FolderRefuses));
  EXPECT_EQ(entries(folder), 1u);

  // A shared folder with the sticky bit, as /tmp: new files may be made there, but another user's
  // file may only be written, not replaced.
  const std::string sticky = path("sticky");
  fs::create_directory(sticky);
  ::chmod(sticky.c_str(), 01777);
  writeFile(sticky + "/theirs.dat", "old and longer contents");
  ::chmod((sticky + "/theirs.dat").c_str(), 0666);
  const int theirs = asOrdinaryUser(
      [&] { return static_cast<int>(saveFile(sticky + "/theirs.dat", "new").kind); });
  EXPECT_EQ(theirs, static_cast<int>(Kind::None));
  EXPECT_EQ(readFile(sticky + "/theirs.dat"), "new");
  EXPECT_EQ(entries(sticky), 1u);
}

TEST_F(NumberFileOnDisk, NumberLinesAreSavedInTheFileLayout) {
  // A count line, then lines of another length: each line holds what it is given.
  NumberLines lines = {{16}};
  const NumberLines table =
      tableLines(2, 3, [](std::size_t r, std::size_t c) { return int(r * 10 + c) - 1; });
  lines.insert(lines.end(), table.begin(), table.end());
  EXPECT_FALSE(saveNumberLines(path("lines.dat"), lines));
  EXPECT_EQ(readFile(path("lines.dat")), " 16 \r\n-1  0  1 \r\n 9  10  11 \r\n");
  EXPECT_EQ(readNumberFile(path("lines.dat"), 7).values, (Values{16, -1, 0, 1, 9, 10, 11}));
}

}  // namespace
}  // namespace j5::rt
