#include "wine_probe.h"

#include <gtest/gtest.h>

#include <sstream>

#include "targets.h"

namespace cleaner::testing {

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string Probe(const std::string& mode, const std::string& input, const ScratchDir& dir) {
  const auto wine = WineTarget();
  const std::string probe = std::string(CLEANER_WIN32_DIR) + "/tests/win32/probe.exe";
  WriteFile(dir / "probe.in", input);
  const ProcessResult result =
      wine->Run(probe, {mode, wine->HostPath(dir / "probe.in"), wine->HostPath(dir / "probe.out")},
                dir.path());
  EXPECT_EQ(result.exit_code, 0) << result.std_err;
  return ReadWholeFile(dir / "probe.out");
}

}  // namespace cleaner::testing
