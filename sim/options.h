#pragma once
// Command line of j5-radio-sim.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/radio.h"

namespace sim {

struct ServerOptions {
  RadioConfig radio;
  std::vector<Fault> faults;
  std::optional<std::string> loadFile;
  std::optional<std::string> dumpFile;
  bool pacing = true;
  bool logFrames = false;
  bool help = false;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws UsageError with a message naming the offending argument.
ServerOptions parseServerOptions(const std::vector<std::string>& args);

// KIND[,on=FRAME][,skip=N][,count=N|always][,ms=N][,byte=N], e.g. "late,on=read,ms=1500".
Fault parseFault(const std::string& text);

extern const char* const kServerUsage;

}  // namespace sim
