#include "platform/headless.h"

#include <algorithm>
#include <deque>

namespace kit {

// Both directions of a headless port on the virtual clock. The wire state
// is shared with the events in flight, so bytes already written still reach
// the device after the port closed (closing drains), while replies to a
// closed port are dropped. The program's side of the wire belongs to the
// port, not to one opening: a new opening's bytes follow what a closed one
// still had on the line, as on a real line.
struct Wire : SerialDeviceLink, std::enable_shared_from_this<Wire> {
  Wire(HeadlessPlatform& p, Platform& base, int com, SerialDevice* dev, SerialReceiver recv,
       std::vector<HeadlessPlatform::SentByte>& log, double& portTxFree)
      : headless(p),
        platform(base),
        com(com),
        device(dev),
        receiver(std::move(recv)),
        log(log),
        txFree(portTxFree),
        openedTxFree(std::max(portTxFree, base.nowMs())) {}

  HeadlessPlatform& headless;
  Platform& platform;
  int com;
  SerialDevice* device;
  SerialReceiver receiver;
  std::vector<HeadlessPlatform::SentByte>& log;
  bool open = true;
  bool hungUp = false;
  double& txFree;       // when the program's side of the wire is free
  double openedTxFree;  // ... as it was when this opening began
  double rxFree = 0;    // when the device's side is free
  struct Outgoing {
    double start;
    EventLoop::Id id;
  };
  std::deque<Outgoing> outgoing;                         // written, not yet arrived at the device
  std::deque<std::pair<double, std::uint8_t>> incoming;  // to the program
  bool handOverQueued = false;

  void write(const std::vector<std::uint8_t>& bytes) {
    const double now = platform.nowMs();
    for (std::uint8_t b : bytes) {
      const double start = std::max(now, txFree);
      const double arrive = start + kByteMs9600;
      txFree = arrive;
      log.push_back({b, start});
      if (hungUp) continue;
      auto self = shared_from_this();
      const EventLoop::Id id = platform.postAt(arrive, [self, b, arrive] {
        self->outgoing.pop_front();
        if (self->device) self->device->receive(b, arrive, *self);
      });
      outgoing.push_back({start, id});
    }
  }

  void discardOutput() {
    const double now = platform.nowMs();
    while (!outgoing.empty() && outgoing.back().start > now) {
      platform.loop().cancel(outgoing.back().id);
      outgoing.pop_back();
    }
    txFree = outgoing.empty() ? std::max(now, openedTxFree) : outgoing.back().start + kByteMs9600;
  }

  // Bytes that have arrived but wait for their hand-over are the driver's.
  void discardInput() {
    const double now = platform.nowMs();
    while (!incoming.empty() && incoming.front().first <= now) incoming.pop_front();
  }

  void send(const std::vector<std::uint8_t>& bytes, double notBeforeMs) override {
    queueIncoming(bytes, notBeforeMs, false);
  }
  void sendTogether(const std::vector<std::uint8_t>& bytes, double notBeforeMs) override {
    queueIncoming(bytes, notBeforeMs, true);
  }

  void queueIncoming(const std::vector<std::uint8_t>& bytes, double notBeforeMs, bool together) {
    if (!open || hungUp || bytes.empty()) return;
    const double start = std::max(notBeforeMs, rxFree);
    const double last = start + kByteMs9600 * static_cast<double>(bytes.size());
    std::weak_ptr<Wire> weak = shared_from_this();
    double t = start;
    for (std::uint8_t b : bytes) {
      t += kByteMs9600;
      const double at = together ? last : t;
      incoming.emplace_back(at, b);
      if (!together || at == last) {
        platform.postAt(at, [weak] {
          if (auto w = weak.lock()) w->deliver();
        });
      }
    }
    rxFree = last;
  }

  // A byte has arrived. The hand-over to the program runs after every
  // entry that fell due by now, so bytes that came in while a handler held
  // the thread reach the program as one arrival, as a driver buffer would
  // pass them on.
  void deliver() {
    if (!open || handOverQueued) return;
    handOverQueued = true;
    std::weak_ptr<Wire> weak = shared_from_this();
    platform.post([weak] {
      if (auto w = weak.lock()) w->handOver();
    });
  }

  void handOver() {
    handOverQueued = false;
    if (!open) return;
    const double now = platform.nowMs();
    std::vector<std::uint8_t> bytes;
    while (!incoming.empty() && incoming.front().first <= now) {
      bytes.push_back(incoming.front().second);
      incoming.pop_front();
    }
    if (!bytes.empty() && receiver) receiver(bytes);
  }

  void close() {
    if (!open) return;
    open = false;
    receiver = nullptr;
    incoming.clear();
    if (device) device->closed(platform.nowMs());
  }
};

class HeadlessPlatform::VirtualLine : public SerialLine {
 public:
  explicit VirtualLine(std::shared_ptr<Wire> wire) : wire_(std::move(wire)) {}
  ~VirtualLine() override { wire_->close(); }
  void write(const std::vector<std::uint8_t>& bytes) override { wire_->write(bytes); }
  std::size_t outputPending() const override { return wire_->outgoing.size(); }
  void discardOutput() override { wire_->discardOutput(); }
  void discardInput() override { wire_->discardInput(); }
  void close() override { wire_->close(); }
  bool hungUp() const override { return wire_->hungUp; }

 private:
  std::shared_ptr<Wire> wire_;
};

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::advance(double ms) {
  const double target = now_ + std::max(0.0, ms);
  for (;;) {
    const auto due = loop().nextDue();
    if (!due || *due > target) break;
    now_ = std::max(now_, *due);
    runEntriesDue();
  }
  now_ = std::max(now_, target);
  runEntriesDue();
}

void HeadlessPlatform::runUntilIdle() {
  runEntriesDue();
}

bool HeadlessPlatform::advanceUntil(const std::function<bool()>& pred, double maxMs,
                                    double stepMs) {
  runUntilIdle();
  for (double spent = 0; !pred() && spent < maxMs; spent += stepMs) advance(stepMs);
  return pred();
}

void HeadlessPlatform::pauseMs(double ms) {
  if (ms > 0) now_ += ms;
}

void HeadlessPlatform::showMessageBox(const MessageBoxInfo& box) {
  boxes_.push_back(MessageBoxRecord{box.text, box.title, box.icon, now_});
  if (onMessageBox) onMessageBox(boxes_.back());
}

void HeadlessPlatform::attachDevice(int comPort, SerialDevice& device) {
  ports_[comPort] = &device;
}

void HeadlessPlatform::addPort(int comPort) {
  ports_.emplace(comPort, nullptr);
}

void HeadlessPlatform::removePort(int comPort) {
  ports_.erase(comPort);
}

void HeadlessPlatform::hangUp(int comPort) {
  auto it = openWires_.find(comPort);
  if (it == openWires_.end()) return;
  if (auto wire = it->second.lock()) {
    wire->hungUp = true;
    wire->incoming.clear();
  }
}

const std::vector<HeadlessPlatform::SentByte>& HeadlessPlatform::sent(int comPort) const {
  static const std::vector<SentByte> none;
  auto it = sent_.find(comPort);
  return it == sent_.end() ? none : it->second;
}

std::string HeadlessPlatform::currentDirectory() const {
  return currentDir_.empty() ? Platform::currentDirectory() : currentDir_;
}

std::vector<std::string> HeadlessPlatform::drives() const {
  return drives_.empty() ? Platform::drives() : drives_;
}

std::unique_ptr<SerialLine> HeadlessPlatform::createSerialLine(int comPort,
                                                               SerialReceiver receiver) {
  auto it = ports_.find(comPort);
  if (it == ports_.end()) return nullptr;
  auto wire = std::make_shared<Wire>(*this, *this, comPort, it->second, std::move(receiver),
                                     sent_[comPort], txFree_[comPort]);
  wire->rxFree = now_;
  if (it->second) it->second->opened(now_);
  openWires_[comPort] = wire;
  return std::make_unique<VirtualLine>(std::move(wire));
}

}  // namespace kit
