#include "sim/options.h"

#include <charconv>
#include <sstream>
#include <utility>

namespace sim {

const char* const kServerUsage =
    "usage: j5-radio-sim [options]\n"
    "Serves the radio's side of the programming link on a pseudo-terminal; prints its path.\n"
    "  --ident 14|8|50|dec     identification form (default 14): 14 and 8 answer STX after\n"
    "                          the access code, 50 and dec the other code\n"
    "  --bands VL,VH,U0L,U0H,U1L,U1H\n"
    "                          band limits in MHz (default 136,174,400,520,220,260)\n"
    "  --load FILE             load the memory from a parameter file (.dat)\n"
    "  --dump FILE             write the memory to a parameter file on exit\n"
    "  --pacing on|off         space answer bytes at 9600 baud 8N1 (default on)\n"
    "  --reply-delay MS        time from a frame's last byte to the answer (default 0)\n"
    "  --min-read N            least data bytes of a read reply (default 64; 0: as asked)\n"
    "  --ack-after-ident MS    with --ident dec: the ACK behind the identification, MS after\n"
    "                          its last byte (0: right behind it), not in front of it\n"
    "  --log                   log every frame on stderr\n"
    "  --fault FAULT           misbehave; repeatable. FAULT is\n"
    "                          KIND[,on=FRAME][,skip=N][,count=N|always][,ms=N][,byte=N]\n"
    "                          KIND: silence late wrong-first-byte stray-byte short-frame\n"
    "                                extra-byte no-leading-ack early-ack refuse other-ident\n"
    "                          FRAME (the tool frame answered): code stx ack read data short\n"
    "  --help                  this text\n";

namespace {

long number(const std::string& text, long low, long high, const std::string& what) {
  long value = 0;
  int base = 10;
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || value < low ||
      value > high) {
    throw UsageError(what + ": \"" + text + "\" is not a number from " + std::to_string(low) +
                     " to " + std::to_string(high));
  }
  return value;
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!text.empty() && text.back() == sep) parts.emplace_back();
  return parts;
}

Misbehaviour misbehaviourNamed(const std::string& name) {
  for (int k = 0; k <= static_cast<int>(Misbehaviour::OtherIdent); ++k) {
    auto what = static_cast<Misbehaviour>(k);
    if (misbehaviourName(what) == name) return what;
  }
  throw UsageError("--fault: unknown \"" + name + "\"");
}

const std::pair<const char*, FrameKind> kFrames[] = {
    {"code", FrameKind::AccessCode}, {"stx", FrameKind::Stx},
    {"ack", FrameKind::Ack},         {"read", FrameKind::ReadRequest},
    {"data", FrameKind::DataFrame},  {"short", FrameKind::ShortRowFrame},
};

template <typename T, std::size_t N>
T lookup(const std::pair<const char*, T> (&table)[N], const std::string& name,
         const std::string& what) {
  for (const auto& [key, value] : table) {
    if (name == key) return value;
  }
  throw UsageError(what + ": unknown \"" + name + "\"");
}

}  // namespace

Fault parseFault(const std::string& text) {
  auto items = split(text, ',');
  if (items.empty()) throw UsageError("--fault: empty");
  Fault fault;
  fault.what = misbehaviourNamed(items[0]);
  for (std::size_t i = 1; i < items.size(); ++i) {
    auto eq = items[i].find('=');
    std::string key = items[i].substr(0, eq);
    std::string value = eq == std::string::npos ? "" : items[i].substr(eq + 1);
    if (key == "on") {
      fault.answering = lookup(kFrames, value, "--fault on");
    } else if (key == "skip") {
      fault.skip = static_cast<int>(number(value, 0, 1'000'000, "--fault skip"));
    } else if (key == "count") {
      fault.count = value == "always"
                        ? Fault::kAlways
                        : static_cast<int>(number(value, 1, 1'000'000, "--fault count"));
    } else if (key == "ms") {
      fault.delay = number(value, 0, 3'600'000, "--fault ms") * 1000;
    } else if (key == "byte") {
      fault.byte = static_cast<std::uint8_t>(number(value, 0, 255, "--fault byte"));
    } else {
      throw UsageError("--fault: unknown setting \"" + items[i] + "\"");
    }
  }
  return fault;
}

ServerOptions parseServerOptions(const std::vector<std::string>& args) {
  ServerOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--ident") {
      const std::string& v = value();
      if (v == "14") {
        o.radio.identForm = IdentForm::Ident14;
      } else if (v == "8") {
        o.radio.identForm = IdentForm::Ident8;
      } else if (v == "50") {
        o.radio.identForm = IdentForm::Ident50;
      } else if (v == "dec") {
        o.radio.identForm = IdentForm::Ident8Dec;
      } else {
        throw UsageError("--ident: \"" + v + "\" is none of 14, 8, 50, dec");
      }
    } else if (arg == "--bands") {
      auto parts = split(value(), ',');
      if (parts.size() != 6) throw UsageError("--bands needs six limits");
      int* limits[] = {&o.radio.bands.vhfLow,   &o.radio.bands.vhfHigh, &o.radio.bands.uhf0Low,
                       &o.radio.bands.uhf0High, &o.radio.bands.uhf1Low, &o.radio.bands.uhf1High};
      for (std::size_t k = 0; k < 6; ++k) {
        *limits[k] = static_cast<int>(number(parts[k], 0, 25599, "--bands"));
      }
    } else if (arg == "--load") {
      o.loadFile = value();
    } else if (arg == "--dump") {
      o.dumpFile = value();
    } else if (arg == "--pacing") {
      const std::string& v = value();
      if (v != "on" && v != "off")
        throw UsageError("--pacing: \"" + v + "\" is neither on nor off");
      o.pacing = v == "on";
    } else if (arg == "--reply-delay") {
      o.radio.replyDelay = number(value(), 0, 3'600'000, "--reply-delay") * 1000;
    } else if (arg == "--min-read") {
      o.radio.minReadLength = static_cast<int>(number(value(), 0, 255, "--min-read"));
    } else if (arg == "--ack-after-ident") {
      o.radio.ackAfterIdent = number(value(), 0, 3'600'000, "--ack-after-ident") * 1000;
    } else if (arg == "--log") {
      o.logFrames = true;
    } else if (arg == "--fault") {
      o.faults.push_back(parseFault(value()));
    } else {
      throw UsageError("unknown option \"" + arg + "\"");
    }
  }
  if (o.radio.ackAfterIdent && o.radio.identForm != IdentForm::Ident8Dec)
    throw UsageError("--ack-after-ident: only the dec identification comes with an ACK");
  try {
    checkBandLimits(o.radio.identForm, o.radio.bands);
  } catch (const std::invalid_argument& e) {
    throw UsageError(std::string("--bands: ") + e.what());
  }
  return o;
}

}  // namespace sim
