#include "platform/number_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <random>

#include "platform/runtime.h"

namespace j5::rt {

using Kind = FileProblem::Kind;

FileProblem problemFromErrno(int error) {
  FileProblem p;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      p.kind = Kind::NotFound;
      break;
    case EACCES:
    case EPERM:
      p.kind = Kind::NoAccess;
      break;
    case EISDIR:
      p.kind = Kind::IsDirectory;
      break;
    case EROFS:
      p.kind = Kind::ReadOnlyDisk;
      break;
    case ENOSPC:
    case EDQUOT:
      p.kind = Kind::NoSpace;
      break;
    case ENAMETOOLONG:
      p.kind = Kind::NameTooLong;
      break;
    case EFBIG:
      p.kind = Kind::TooLarge;
      break;
    case ELOOP:
      p.kind = Kind::LinkLoop;
      break;
    default:
      p.kind = Kind::SystemError;
      break;
  }
  p.sys_error = error;
  return p;
}

// ---- Reading ----------------------------------------------------------------------------------

namespace {

constexpr std::array<unsigned char, 3> kByteOrderMark = {0xEF, 0xBB, 0xBF};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The kept start of an item, without a character cut in two at its end.
std::string wholeCharacters(std::string s) {
  std::size_t end = s.size();
  std::size_t lead = end;
  while (lead > 0 && (static_cast<unsigned char>(s[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0) {
    const auto c = static_cast<unsigned char>(s[lead - 1]);
    const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (end - (lead - 1) < need) end = lead - 1;
  }
  s.resize(end);
  return s;
}

}  // namespace

NumberScanner::NumberScanner(std::size_t count, NumberRange range) : count_(count), range_(range) {
  read_.values.reserve(count);
  done_ = count == 0;
}

bool NumberScanner::feed(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size() && !done_; ++i) {
    const char c = bytes[i];
    if (!started_) {
      if (static_cast<unsigned char>(c) == kByteOrderMark[bom_]) {
        if (++bom_ == kByteOrderMark.size()) started_ = true;
        continue;
      }
      // Not a mark after all: what matched of it is content.
      started_ = true;
      for (std::size_t k = 0; k < bom_ && !done_; ++k) take(static_cast<char>(kByteOrderMark[k]));
      if (done_) break;
    }
    take(c);
  }
  return !done_;
}

bool NumberScanner::fail(Kind kind) {
  read_.problem.kind = kind;
  done_ = true;
  return false;
}

bool NumberScanner::notText() {
  read_.problem = {};
  read_.problem.line = line_;
  return fail(Kind::NotText);
}

bool NumberScanner::take(char c) {
  // Bytes that are no text, or a character that shows nothing or turns the text around it (a
  // control or format character), mean the file is not what it should be: such a character could
  // not be quoted back as it stands. Reading on (through gigabytes of zero bytes, say) would tell
  // nothing more.
  if (!text_.take(static_cast<unsigned char>(c)) ||
      (text_.whole() && !isBlank(c) && kit::utf8::invisible(text_.last())))
    return notText();
  if (isBlank(c) || c == ',') {
    if (inItem_ && !endItem()) return false;
    if (done_) return true;
    if (c == '\n') ++line_;
    if (c == ',') {
      // One comma may stand between two numbers; none before the first.
      if (comma_ || read_.values.empty()) {
        read_.problem.line = line_;
        return fail(Kind::EmptyField);
      }
      comma_ = true;
    }
    return true;
  }
  if (!inItem_) {
    inItem_ = true;
    itemLine_ = line_;
    item_.clear();
    itemLength_ = 0;
    digitsOnly_ = true;
    value_ = 0;
  }
  if (item_.size() < kItemKept) item_ += c;
  const bool sign = c == '-' && itemLength_ == 0;
  if (!sign) {
    if (c >= '0' && c <= '9') {
      // Held just past the range, so no length of digits can overflow it.
      if (value_ <= 32768) value_ = value_ * 10 + (c - '0');
    } else {
      digitsOnly_ = false;
    }
  }
  ++itemLength_;
  // An item known to be bad is read only as far as it is shown.
  if (itemLength_ > kItemKept && (!digitsOnly_ || value_ > 32768)) return endItem();
  return true;
}

bool NumberScanner::endItem() {
  inItem_ = false;
  const bool negative = item_[0] == '-';
  const bool hasDigits = itemLength_ > (negative ? 1u : 0u);
  read_.problem.line = itemLine_;
  read_.problem.item = wholeCharacters(item_) + (itemLength_ > item_.size() ? "..." : "");
  if (!digitsOnly_ || !hasDigits) return fail(Kind::NotANumber);
  const long value = negative ? -value_ : value_;
  if (value < range_.low || value > range_.high) {
    read_.problem.low = range_.low;
    read_.problem.high = range_.high;
    return fail(Kind::OutOfRange);
  }
  read_.problem = {};
  read_.values.push_back(static_cast<std::int16_t>(value));
  lastNumberLine_ = itemLine_;
  comma_ = false;
  if (read_.values.size() == count_) done_ = true;
  return true;
}

NumberRead NumberScanner::finish() {
  if (!done_) {
    // An unfinished mark is content too.
    if (!started_) {
      started_ = true;
      for (std::size_t k = 0; k < bom_ && !done_; ++k) take(static_cast<char>(kByteOrderMark[k]));
    }
    // The file ends inside a character.
    if (!done_ && !text_.whole()) notText();
    if (!done_ && inItem_) endItem();
    if (!done_) {
      if (read_.values.empty()) {
        fail(Kind::Empty);
      } else {
        read_.problem.line = lastNumberLine_;
        read_.problem.found = read_.values.size();
        read_.problem.wanted = count_;
        fail(Kind::TooFewNumbers);
      }
    }
  }
  done_ = true;
  return std::move(read_);
}

NumberRead readNumbers(std::string_view text, std::size_t count, NumberRange range) {
  NumberScanner scanner(count, range);
  scanner.feed(text);
  return scanner.finish();
}

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; the system's error number, or 0.
  int close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
  }

 private:
  int fd_;
};

FileProblem kindOfFile(const struct stat& st) {
  FileProblem p;
  if (S_ISDIR(st.st_mode)) {
    p.kind = Kind::IsDirectory;
  } else if (!S_ISREG(st.st_mode)) {
    p.kind = Kind::NotPlainFile;
  }
  return p;
}

NumberRead failedRead(FileProblem problem) {
  NumberRead read;
  read.problem = std::move(problem);
  return read;
}

}  // namespace

NumberRead readNumberFile(const std::string& path, std::size_t count, NumberRange range) {
  // Looked at before it is opened: opening a device can already do something to it.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return failedRead(problemFromErrno(errno));
  if (auto p = kindOfFile(st)) return failedRead(p);

  // Non-blocking, so that what took the file's place meanwhile cannot hold the program.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return failedRead(problemFromErrno(errno));
  if (::fstat(fd.get(), &st) != 0) return failedRead(problemFromErrno(errno));
  if (auto p = kindOfFile(st)) return failedRead(p);

  NumberScanner scanner(count, range);
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failedRead(problemFromErrno(errno));
    if (n == 0) break;
    if (!scanner.feed({buffer.data(), static_cast<std::size_t>(n)})) break;
  }
  return scanner.finish();
}

// ---- Saving -----------------------------------------------------------------------------------

namespace {

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a path names once every symbolic link on its last part is followed. A link to a name
// that does not exist yet names the file to be made. A chain of links is followed as far as the
// system follows one when it opens a file, so a file that reads through its links saves through
// them too; one link more, or a loop, is a loop.
bool followLinks(std::string& path, FileProblem& problem) {
  constexpr int kMostLinks = 40;
  for (int links = 0;; ++links) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno == ENOENT) return true;
      problem = problemFromErrno(errno);
      return false;
    }
    if (!S_ISLNK(st.st_mode)) return true;
    if (links == kMostLinks) break;
    std::array<char, PATH_MAX> target{};
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
      problem = problemFromErrno(n < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    const std::string link(target.data(), static_cast<std::size_t>(n));
    path = link.front() == '/' ? link : folderOf(path) + "/" + link;
  }
  problem = problemFromErrno(ELOOP);
  return false;
}

FileProblem writeAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return problemFromErrno(n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

FileProblem flushAndClose(Descriptor& fd) {
  if (::fsync(fd.get()) != 0 && errno != EINVAL) {
    const int error = errno;
    fd.close();
    return problemFromErrno(error);
  }
  if (const int error = fd.close()) return problemFromErrno(error);
  return {};
}

// A short name of its own beside the target: the target's name may already use up the longest
// name the folder allows.
Descriptor createTemporary(const std::string& folder, std::string& name, int& error) {
  static std::mt19937 random(static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/.j5-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    // Made like any new file, so the user's umask applies.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0) return Descriptor(fd);
    if (errno != EEXIST) break;
  }
  error = errno;
  return Descriptor(-1);
}

FileProblem problemOf(Kind kind, int error = 0) {
  FileProblem p;
  p.kind = kind;
  p.sys_error = error;
  return p;
}

bool refusedByFolder(int error) {
  return error == EACCES || error == EPERM;
}

// The file itself is written over: only where the folder will not take a new file. The room is
// claimed first, so a full disk is found before a byte of the old content is lost.
FileProblem writeInPlace(const std::string& target, std::string_view bytes) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return problemFromErrno(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return problemFromErrno(errno);
  if (auto p = kindOfFile(st)) return p;
  if (!bytes.empty()) {
    const int error = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
    if (error != 0 && error != EOPNOTSUPP && error != EINVAL) return problemFromErrno(error);
  }
  if (auto p = writeAll(fd.get(), bytes)) return p;
  if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) return problemFromErrno(errno);
  return flushAndClose(fd);
}

}  // namespace

FileProblem saveFile(const std::string& path, std::string_view bytes) {
  std::string target = path;
  FileProblem problem;
  if (!followLinks(target, problem)) return problem;

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return problemFromErrno(errno);
  if (exists) {
    if (auto p = kindOfFile(old)) return p;
    // A file nobody may write is read-only even to the one user the system would let write it.
    if ((old.st_mode & 0222) == 0) return problemOf(Kind::ReadOnly);
    if (::access(target.c_str(), W_OK) != 0)
      return errno == EROFS ? problemFromErrno(EROFS) : problemOf(Kind::ReadOnly);
  }

  std::string temporary;
  int error = 0;
  Descriptor fd = createTemporary(folderOf(target), temporary, error);
  if (fd.get() < 0) {
    if (exists && refusedByFolder(error)) return writeInPlace(target, bytes);
    if (refusedByFolder(error)) return problemOf(Kind::FolderRefuses, error);
    return problemFromErrno(error);
  }
  const auto discard = [&](FileProblem p) {
    ::unlink(temporary.c_str());
    return p;
  };
  if (exists) {
    ::fchmod(fd.get(), old.st_mode & 07777);
    // Another user's file stays theirs where the system allows it; where not, it becomes ours.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
        // Ignored: only the owner could keep it.
      }
    }
  }
  if (auto p = writeAll(fd.get(), bytes)) return discard(p);
  if (auto p = flushAndClose(fd)) return discard(p);
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(temporary.c_str());
    // A sticky folder lets us write another user's file but not replace it.
    if (exists && refusedByFolder(error)) return writeInPlace(target, bytes);
    return problemFromErrno(error);
  }
  // The rename itself reaches the disk with the folder.
  Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return {};
}

NumberLines tableLines(std::size_t rows, std::size_t perLine,
                       const std::function<int(std::size_t, std::size_t)>& cell) {
  NumberLines lines(rows, std::vector<int>(perLine));
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < perLine; ++c) lines[r][c] = cell(r, c);
  return lines;
}

FileProblem saveNumberLines(const std::string& path, const NumberLines& lines) {
  std::string text;
  for (const auto& line : lines) {
    for (const int v : line) text += formatNumber(v);
    text += "\r\n";
  }
  return saveFile(path, text);
}

}  // namespace j5::rt
