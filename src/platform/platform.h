// The platform under the form kit: clock, event loop, message boxes, screen,
// serial lines, file system and the few operating-system look-ups the windows
// make. The kit itself (forms, controls, event rules) is plain C++ on top of
// this; the headless platform (tests) and the Qt backend implement the
// virtual parts.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace kit {

class Control;
class Form;

enum class MsgIcon { None, Exclamation, Information };

struct MessageBoxInfo {
  std::string text;
  std::string title;  // empty: the program's default title
  MsgIcon icon = MsgIcon::None;
};

// Screen size in twips (15 twips a pixel at 96 dpi).
struct ScreenSize {
  double width = 15360;
  double height = 11520;
};

// One time-ordered queue of everything that runs from the event loop: posted
// events, timer ticks, serial arrivals. Entries due at the same moment run in
// the order they were added, which gives timers their arming order.
class EventLoop {
 public:
  using Id = std::uint64_t;

  // Adds fn to run at atMs. owner tags the entry so a form's pending events
  // can be dropped when it unloads (nullptr: nobody's).
  Id schedule(double atMs, std::function<void()> fn, const void* owner = nullptr);
  void cancel(Id id);
  void dropOwner(const void* owner);
  std::optional<double> nextDue() const;
  bool empty() const { return queue_.empty(); }
  // Removes and returns the earliest entry due at or before nowMs.
  std::function<void()> takeDue(double nowMs);

 private:
  struct Key {
    double due;
    std::uint64_t seq;
    bool operator<(const Key& o) const { return due != o.due ? due < o.due : seq < o.seq; }
  };
  struct Entry {
    Id id;
    const void* owner;
    std::function<void()> fn;
  };
  std::map<Key, Entry> queue_;
  std::unordered_map<Id, Key> byId_;
  std::uint64_t seq_ = 0;
};

// A serial device opened by the platform for one port control. Incoming bytes
// are handed to the receiver that was given at opening, always from the
// event loop.
class SerialLine {
 public:
  virtual ~SerialLine() = default;
  virtual void write(const std::vector<std::uint8_t>& bytes) = 0;
  // Bytes written that have not left yet.
  virtual std::size_t outputPending() const = 0;
  virtual void discardOutput() = 0;
  // Drops what has come in but not been handed to the receiver yet (what
  // waits in the driver).
  virtual void discardInput() = 0;
  // Lets pending output drain, then releases the device; no receive call
  // follows. A line that hung up closes at once: nothing can leave it.
  virtual void close() = 0;
  // The far end went away (the device or its cable hung up the line): nothing more comes in and
  // nothing written leaves.
  virtual bool hungUp() const { return false; }
};
using SerialReceiver = std::function<void(const std::vector<std::uint8_t>&)>;

// Wire time of one byte at 9600 baud, 8N1 (start, 8 data, stop).
inline constexpr double kByteMs9600 = 10.0 * 1000.0 / 9600.0;

class Platform {
 public:
  Platform();
  virtual ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  // --- clock and event loop
  virtual double nowMs() const = 0;
  EventLoop& loop() { return loop_; }
  // Queues fn to run from the event loop, never nested in a handler.
  EventLoop::Id post(std::function<void()> fn, const void* owner = nullptr);
  EventLoop::Id postAt(double atMs, std::function<void()> fn, const void* owner = nullptr);
  // Runs an event handler: an exception that escapes it is reported in a
  // message box and the program goes on.
  void dispatch(const std::function<void()>& handler);
  // How the program words that report: the box's text for the error's own (English) text, so
  // the box speaks the program's language; its title stays the program's name. Unset, the box
  // shows the error's own text.
  void setHandlerErrorText(std::function<std::string(const std::string& what)> text) {
    handlerErrorText_ = std::move(text);
  }
  // True while a handler runs (message boxes excepted: see runDue).
  bool inHandler() const { return handlerDepth_ > 0; }
  // Backend entry: runs every loop entry that is due. Does nothing when
  // called from inside a handler, unless a message box is open there.
  void runDue();
  // The pause between bytes of a frame: a real sleep, or a clock step.
  virtual void pauseMs(double ms) = 0;

  // --- message boxes (modal, OK only)
  void messageBox(const std::string& text, const std::string& title = "",
                  MsgIcon icon = MsgIcon::None);
  bool messageBoxOpen() const { return modalDepth_ > 0; }
  // How many message boxes have been shown so far.
  std::uint64_t messageBoxesShown() const { return messageBoxesShown_; }

  // --- the platform's own texts (the buttons of its message boxes, the menus of its widgets):
  // Chinese while the program speaks Chinese, else English. Headless, only kept.
  virtual void useChineseTexts(bool chinese) { chineseTexts_ = chinese; }
  bool chineseTexts() const { return chineseTexts_; }

  // --- screen
  virtual ScreenSize screen() const = 0;
  // Width in twips of text in the font grids draw with (grid columns take
  // their widths from it). The headless platform's fixed table keeps tests
  // exact; a real platform measures its font, so texts fit on screen.
  virtual double gridTextWidthTwips(const std::string& text) const;
  // Width in twips of text on one line, and the height of text word-wrapped
  // at a width, in the font labels and status panels draw with (the same
  // measure: fixed headless, the real font on a real platform).
  virtual double labelTextWidthTwips(const std::string& text) const;
  virtual double labelTextHeightTwips(const std::string& text, double width) const;
  // Thickness in twips of a grid's scroll bar.
  virtual double scrollBarTwips() const { return 255; }

  // --- serial ports
  // Opens COM port n for a port control; nullptr when the port does not
  // exist, cannot be opened or is held by another control of the program.
  std::unique_ptr<SerialLine> openSerial(int comPort, SerialReceiver receiver);
  void releaseSerial(int comPort);
  bool serialHeld(int comPort) const { return held_.count(comPort) != 0; }

  // --- file system (drive, directory and file lists)
  // The "drives": the file-system root and the mounted volumes worth offering.
  virtual std::vector<std::string> drives() const;
  virtual std::string currentDirectory() const;
  // Directory names (sorted, without "." and "..") and file names in dir;
  // empty when dir cannot be read.
  virtual std::vector<std::string> listDirectories(const std::string& dir) const;
  virtual std::vector<std::string> listFiles(const std::string& dir) const;
  virtual bool fileExists(const std::string& path) const;

  // --- the about box's look-up of its system information program and the
  // program's launch: on Linux the look-up finds nothing and nothing is
  // launched.
  virtual std::optional<std::string> registryValue(const std::string& key,
                                                   const std::string& valueName) const;
  virtual bool launchProgram(const std::string& path);

  // --- forms and focus (kept by the kit, shared by all forms)
  Control* focused() const { return focused_; }
  // While a LostFocus handler runs for a move the user or the program asked for: the control the
  // focus is going to (nullptr otherwise).
  Control* focusTarget() const { return focusTarget_; }
  // The active child or dialog (the main window's own activation is apart).
  Form* activeForm() const { return activeForm_; }
  const std::vector<Form*>& loadedForms() const { return forms_; }
  // Form::commitPending of every loaded form, in the order they were loaded; false at the first
  // that refuses (the rest are left as they are).
  bool commitPending();

  // Backend hooks around a form's life: called when a form starts loading
  // (before its Load handler, so a backend can mirror everything Load sets),
  // when it has unloaded, and when the form object goes (one still loaded
  // then goes with the program). After formUnloaded, and after formDestroyed
  // for a form that never unloaded, nothing of the backend may reach the form
  // or its controls again, whatever the window system still does with what
  // it drew them with.
  virtual void formLoading(Form&) {}
  virtual void formUnloaded(Form&) {}
  virtual void formDestroyed(Form&) {}

 protected:
  // A loop entry was added at atMs: a backend with a real loop arranges to
  // call runDue() then.
  virtual void wake(double atMs) = 0;
  virtual void showMessageBox(const MessageBoxInfo& box) = 0;
  virtual std::unique_ptr<SerialLine> createSerialLine(int comPort, SerialReceiver receiver) = 0;
  // Runs loop entries due at nowMs, for subclasses that drive the clock.
  void runEntriesDue();

 private:
  friend class Form;
  friend class FormSlotBase;
  friend class Control;
  EventLoop loop_;
  std::function<std::string(const std::string&)> handlerErrorText_;
  int handlerDepth_ = 0;
  int modalDepth_ = 0;
  std::uint64_t messageBoxesShown_ = 0;
  bool chineseTexts_ = false;
  std::set<int> held_;
  Control* focused_ = nullptr;
  std::uint64_t focusGeneration_ = 0;
  Control* losingFocus_ = nullptr;
  Control* focusTarget_ = nullptr;
  // The box whose leave a pending commit has run while the box kept the focus, and the text it
  // ran for (Form::commitPending): the real leave that follows has nothing left to commit.
  Control* leaveDone_ = nullptr;
  std::string leaveDoneText_;
  // The box the user has typed, deleted or pasted into since it got the focus: only such a box
  // has a value waiting for its leave. One the user only looked at has none, even where its leave
  // would refuse what it shows (limits the radio has not told yet).
  Control* typedInto_ = nullptr;
  bool leaveDone(const Control* c) const;
  void markLeaveDone(Control* c);
  // leaveDone(c), forgetting the box either way: its focus is moving on.
  bool takeLeaveDone(const Control* c);
  Form* activeForm_ = nullptr;
  std::vector<Form*> activations_;  // most recently active last
  std::vector<Form*> forms_;
  std::vector<std::unique_ptr<Form>> retired_;
  void retire(std::unique_ptr<Form> form);
  void flushRetired();
};

// Raised by the serial control when a port cannot be opened (does not exist,
// held elsewhere) or is used while closed.
class PortError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kit
