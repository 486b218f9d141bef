// The probe helper: asks the real Windows API, under Wine, what the tests compare with.
#pragma once

#include <string>
#include <vector>

#include "scratch.h"

namespace cleaner::testing {

std::string Unhex(const std::string& hex);
std::vector<std::string> Lines(const std::string& text);

// Runs "probe MODE INPUT OUTPUT" with `input` as the input file and returns the output.
std::string Probe(const std::string& mode, const std::string& input, const ScratchDir& dir);

}  // namespace cleaner::testing
