#include "platform/port_map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace kit {

namespace {

// The number after `prefix` when the whole rest of `name` is digits.
std::optional<unsigned long> deviceNumber(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  std::string digits = name.substr(prefix.size());
  if (digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::stoul(digits);
}

}  // namespace

std::vector<std::string> buildPortMap(const std::optional<std::string>& env,
                                      const std::vector<std::string>& devEntries) {
  std::vector<std::string> map;
  if (env && !env->empty()) {
    std::string::size_type start = 0;
    while (true) {
      auto comma = env->find(',', start);
      std::string item = env->substr(start, comma - start);
      auto first = item.find_first_not_of(" \t");
      auto last = item.find_last_not_of(" \t");
      map.push_back(first == std::string::npos ? "" : item.substr(first, last - first + 1));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    return map;
  }
  for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
    std::vector<std::pair<unsigned long, std::string>> group;
    for (const auto& name : devEntries) {
      if (auto n = deviceNumber(name, prefix)) group.emplace_back(*n, name);
    }
    std::sort(group.begin(), group.end());
    for (const auto& entry : group) map.push_back("/dev/" + entry.second);
  }
  return map;
}

std::vector<std::string> currentPortMap() {
  std::optional<std::string> env;
  if (const char* value = std::getenv("J5_SERIAL_PORTS")) env = value;
  std::vector<std::string> entries;
  if (!env || env->empty()) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
      entries.push_back(entry.path().filename().string());
    }
  }
  return buildPortMap(env, entries);
}

std::optional<std::string> devicePathForPort(int com, const std::vector<std::string>& map) {
  if (com < 1 || static_cast<std::size_t>(com) > map.size() || map[com - 1].empty()) {
    return std::nullopt;
  }
  return map[com - 1];
}

std::optional<std::string> devicePathForPort(int com) {
  return devicePathForPort(com, currentPortMap());
}

}  // namespace kit
