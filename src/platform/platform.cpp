#include "platform/platform.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/form.h"
#include "platform/text_measure.h"

namespace kit {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// EventLoop

EventLoop::Id EventLoop::schedule(double atMs, std::function<void()> fn, const void* owner) {
  Key key{atMs, ++seq_};
  Id id = key.seq;
  queue_.emplace(key, Entry{id, owner, std::move(fn)});
  byId_.emplace(id, key);
  return id;
}

void EventLoop::cancel(Id id) {
  auto it = byId_.find(id);
  if (it == byId_.end()) return;
  queue_.erase(it->second);
  byId_.erase(it);
}

void EventLoop::dropOwner(const void* owner) {
  if (!owner) return;
  for (auto it = queue_.begin(); it != queue_.end();) {
    if (it->second.owner == owner) {
      byId_.erase(it->second.id);
      it = queue_.erase(it);
    } else {
      ++it;
    }
  }
}

std::optional<double> EventLoop::nextDue() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.begin()->first.due;
}

std::function<void()> EventLoop::takeDue(double nowMs) {
  if (queue_.empty() || queue_.begin()->first.due > nowMs) return {};
  auto node = queue_.extract(queue_.begin());
  byId_.erase(node.mapped().id);
  return std::move(node.mapped().fn);
}

// ---------------------------------------------------------------------------
// Platform

Platform::Platform() = default;

Platform::~Platform() {
  // Forms still around at the end are the program's own; their slots own
  // them. Only retired forms are ours.
  retired_.clear();
}

EventLoop::Id Platform::post(std::function<void()> fn, const void* owner) {
  return postAt(nowMs(), std::move(fn), owner);
}

EventLoop::Id Platform::postAt(double atMs, std::function<void()> fn, const void* owner) {
  EventLoop::Id id = loop_.schedule(atMs, std::move(fn), owner);
  wake(atMs);
  return id;
}

void Platform::dispatch(const std::function<void()>& handler) {
  if (!handler) return;
  ++handlerDepth_;
  std::string error;
  bool failed = false;
  try {
    handler();
  } catch (const std::exception& e) {
    failed = true;
    error = e.what();
  } catch (...) {
    failed = true;
    error = "Unexpected error";
  }
  if (failed) {
    // Reported while still counted as inside the handler, so the loop does
    // not run other events under this box unless it is modal.
    try {
      if (error.empty()) error = "Error";
      messageBox(handlerErrorText_ ? handlerErrorText_(error) : error, "", MsgIcon::Exclamation);
    } catch (...) {
    }
  }
  --handlerDepth_;
  flushRetired();
}

void Platform::runDue() {
  if (handlerDepth_ > 0 && modalDepth_ == 0) return;
  runEntriesDue();
}

void Platform::runEntriesDue() {
  while (auto fn = loop_.takeDue(nowMs())) dispatch(fn);
  flushRetired();
}

void Platform::flushRetired() {
  // A retired form may still have a handler on the stack (it unloaded
  // itself); it goes only when no handler runs.
  if (handlerDepth_ > 0 || modalDepth_ > 0 || retired_.empty()) return;
  auto dead = std::move(retired_);
  retired_.clear();
  dead.clear();
}

void Platform::messageBox(const std::string& text, const std::string& title, MsgIcon icon) {
  ++messageBoxesShown_;
  ++modalDepth_;
  try {
    showMessageBox(MessageBoxInfo{text, title, icon});
  } catch (...) {
    --modalDepth_;
    throw;
  }
  --modalDepth_;
}

bool Platform::commitPending() {
  const std::vector<Form*> forms = forms_;
  for (Form* f : forms) {
    // A form unloaded while an earlier commit's message box was open is gone from the list.
    if (std::find(forms_.begin(), forms_.end(), f) == forms_.end()) continue;
    if (!f->commitPending()) return false;
  }
  return true;
}

namespace {

// The text of a box the user types into; nullptr for other controls.
const std::string* typedText(const Control* c) {
  if (!c) return nullptr;
  if (c->kind() == ControlKind::TextBox) return &static_cast<const TextBox*>(c)->text();
  if (c->kind() == ControlKind::ComboBox) return &static_cast<const ComboBox*>(c)->text();
  return nullptr;
}

}  // namespace

bool Platform::leaveDone(const Control* c) const {
  const std::string* text = typedText(c);
  return text && c == leaveDone_ && *text == leaveDoneText_;
}

void Platform::markLeaveDone(Control* c) {
  const std::string* text = typedText(c);
  leaveDone_ = text ? c : nullptr;
  leaveDoneText_ = text ? *text : std::string();
}

bool Platform::takeLeaveDone(const Control* c) {
  const bool done = leaveDone(c);
  leaveDone_ = nullptr;
  leaveDoneText_.clear();
  return done;
}

double Platform::gridTextWidthTwips(const std::string& text) const {
  return textWidthTwips(text);
}

double Platform::labelTextWidthTwips(const std::string& text) const {
  return textWidthTwips(text);
}

double Platform::labelTextHeightTwips(const std::string& text, double width) const {
  return wrappedTextHeightTwips(text, width);
}

std::unique_ptr<SerialLine> Platform::openSerial(int comPort, SerialReceiver receiver) {
  if (held_.count(comPort)) return nullptr;
  auto line = createSerialLine(comPort, std::move(receiver));
  if (line) held_.insert(comPort);
  return line;
}

void Platform::releaseSerial(int comPort) {
  held_.erase(comPort);
}

std::vector<std::string> Platform::drives() const {
  // The root, the home directory, and volumes mounted where desktops put
  // removable media.
  std::vector<std::string> out{"/"};
  if (const char* home = std::getenv("HOME"); home && *home) out.emplace_back(home);
  std::ifstream mounts("/proc/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream in(line);
    std::string dev, dir;
    in >> dev >> dir;
    if (dir.rfind("/media/", 0) == 0 || dir.rfind("/mnt/", 0) == 0 ||
        dir.rfind("/run/media/", 0) == 0) {
      if (std::find(out.begin(), out.end(), dir) == out.end()) out.push_back(dir);
    }
  }
  return out;
}

std::string Platform::currentDirectory() const {
  std::error_code ec;
  auto p = fs::current_path(ec);
  return ec ? std::string("/") : p.string();
}

namespace {
std::vector<std::string> listDir(const std::string& dir, bool wantDirs) {
  std::vector<std::string> out;
  std::error_code ec;
  fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
  if (ec) return out;
  for (fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::error_code e2;
    bool isDir = it->is_directory(e2);
    if (e2) continue;
    if (isDir == wantDirs && (wantDirs || it->is_regular_file(e2)))
      out.push_back(it->path().filename().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}
}  // namespace

std::vector<std::string> Platform::listDirectories(const std::string& dir) const {
  return listDir(dir, true);
}

std::vector<std::string> Platform::listFiles(const std::string& dir) const {
  return listDir(dir, false);
}

bool Platform::fileExists(const std::string& path) const {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::optional<std::string> Platform::registryValue(const std::string&, const std::string&) const {
  return std::nullopt;
}

bool Platform::launchProgram(const std::string&) {
  return false;
}

void Platform::retire(std::unique_ptr<Form> form) {
  retired_.push_back(std::move(form));
}

}  // namespace kit
