// The preview: runs the cleaner's very reading and sweeping code over a settings file,
// with the deletion replaced by a report of what the cleaner would do.
#pragma once

#include <string>

namespace cleaner {

// The settings file that the cleaner beside the running program reads.
std::string CleanerSettingsBeside();

// Writes the report for `settings_file` to standard output; returns the exit code:
// 0, or 1 when the count is not an integer, as the cleaner would end.
int RunPreview(const std::string& settings_file);

}  // namespace cleaner
