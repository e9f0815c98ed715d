#pragma once
// Reading and saving the program's files. Every file the windows keep (the parameter file, the
// adjustment, channel, signal, FM and option files) is a list of whole numbers in the number-file
// layout of runtime.h; each format only says how many numbers it holds and where they go.
//
// Reading is a stream: it stops after the numbers wanted, so whatever follows them, a huge tail or
// an endless device, costs neither memory nor time. Saving is done as a careful editor does it,
// so that a failed save never costs the user the file that was there.
//
// Failures come back as a FileProblem, which says what went wrong without words: the window puts
// it in the user's language (shell/file_problem.h).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8.h"

namespace j5::rt {

struct FileProblem {
  enum class Kind {
    None,
    // Opening, saving.
    NotFound,       // the file, or a folder on its path, does not exist
    NoAccess,       // the system refuses access to the file or its folder
    IsDirectory,    // the name is a folder
    NotPlainFile,   // a pipe, a device or a socket: never read or replaced
    ReadOnly,       // the file may not be written (no write permission at all, or not for us)
    ReadOnlyDisk,   // the disk or volume is mounted read-only
    FolderRefuses,  // no new file may be made in the folder (and there is no file to write over)
    NoSpace,        // the disk or the user's quota is full
    NameTooLong,
    TooLarge,     // the file would exceed the largest file allowed
    LinkLoop,     // the path goes round in symbolic links, or through too many of them
    SystemError,  // anything else; `sys_error` holds the system's error number
    // The content.
    Empty,          // nothing but blanks and line ends
    NotText,        // bytes that are no UTF-8 text, or invisible characters: not a text file at all
    TooFewNumbers,  // the file ends after `found` of `wanted` numbers, the last on `line`
    NotANumber,     // `item` on `line` is not a whole number
    OutOfRange,     // `item` on `line` lies outside `low` to `high`
    EmptyField,     // two commas, or a comma before the first number, on `line`
  };

  Kind kind = Kind::None;
  int sys_error = 0;
  std::size_t line = 0;  // file line, counted from 1 as an editor shows it
  std::size_t found = 0, wanted = 0;
  int low = 0, high = 0;  // the range a number had to lie in
  std::string item;       // the offending item (always text), cut short at a character boundary

  explicit operator bool() const { return kind != Kind::None; }
};

// The problem that a system error number stands for.
FileProblem problemFromErrno(int error);

// ---- Reading ----------------------------------------------------------------------------------
// A number is an optional "-" and decimal digits within the format's range (16 bits signed unless
// it says less, as a file of bytes for the radio does). Numbers are separated by
// blanks, tabs, line ends or one comma, in any split over lines; a UTF-8 byte order mark at the
// start is skipped, as editors write one. Reading stops at the last number wanted. The bytes read
// must be UTF-8 text without invisible characters (utf8::invisible; the blanks and line ends
// aside): anything else (a UTF-16 file, another code page, binary data, a direction override or a
// zero-width space) is no text file, and none of its bytes are quoted back.

struct NumberRange {
  int low = -32768;
  int high = 32767;
};

struct NumberRead {
  std::vector<std::int16_t> values;  // the numbers read; all `count` of them when ok()
  FileProblem problem;
  bool ok() const { return !problem; }
};

// Takes a file's bytes piece by piece, in any pieces, and keeps only the numbers and the start of
// the item being read, so its memory does not grow with the file.
class NumberScanner {
 public:
  explicit NumberScanner(std::size_t count, NumberRange range = {});
  // The next bytes of the file. False once no more are needed: all numbers read, or a problem.
  bool feed(std::string_view bytes);
  // The end of the file; the result.
  NumberRead finish();

 private:
  bool take(char c);
  bool endItem();
  bool fail(FileProblem::Kind kind);
  bool notText();

  static constexpr std::size_t kItemKept = 24;
  NumberRead read_;
  std::size_t count_;
  NumberRange range_;
  bool done_ = false;
  std::size_t bom_ = 0;  // bytes of a byte order mark matched so far at the start
  kit::utf8::Checker text_;
  bool started_ = false;
  std::size_t line_ = 1;
  std::size_t lastNumberLine_ = 0;
  bool comma_ = false;  // a comma since the last number
  // The item being read.
  bool inItem_ = false;
  std::size_t itemLine_ = 0;
  std::string item_;  // its first kItemKept bytes
  std::size_t itemLength_ = 0;
  bool digitsOnly_ = true;
  long value_ = 0;  // held just past the 16-bit range once it leaves it
};

NumberRead readNumbers(std::string_view text, std::size_t count, NumberRange range = {});

// Reads `count` numbers from the file. Only a plain file is opened: a pipe or device is refused
// before anything is read from it.
NumberRead readNumberFile(const std::string& path, std::size_t count, NumberRange range = {});

// ---- Saving -----------------------------------------------------------------------------------

// Replaces the file at path with bytes as a careful editor does:
// - a symbolic link is followed: the file it names is written and the link stays;
// - a folder, a pipe or a device is refused, and so is a file that may not be written (one without
//   any write permission is refused even where the system would let us write it);
// - the new content goes to a short-named temporary file beside the target, is flushed to disk and
//   renamed over the target, so a failure at any point leaves the old file as it was;
// - the file keeps its mode (and, where allowed, its owner); a new file gets the usual mode;
// - where the folder refuses new files but the file itself may be written, it is written in
//   place, after its room on the disk has been claimed.
FileProblem saveFile(const std::string& path, std::string_view bytes);

// One line of numbers each; written in the number-file layout, every line ending CR LF.
using NumberLines = std::vector<std::vector<int>>;

// Lines for rows 0..rows-1 with `perLine` values each, cell(row, column) giving the values.
NumberLines tableLines(std::size_t rows, std::size_t perLine,
                       const std::function<int(std::size_t, std::size_t)>& cell);

// saveFile of the lines in the number-file layout.
FileProblem saveNumberLines(const std::string& path, const NumberLines& lines);

}  // namespace j5::rt
