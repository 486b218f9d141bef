// The report of an unhandled error, and the guard that shows it.
#pragma once

#include <string>
#include <vector>

#include "platform.h"

namespace cleaner {

extern const char* const kErrorCaption;

// "<class>がﾓｼﾞｭｰﾙ <module> の <address> で発生しました。", a line break, then the message
// with a "." added when it does not already end in one.
std::vector<platform::TextPiece> ComposeErrorReport(const std::string& class_name,
                                                    const std::string& module_name,
                                                    std::size_t code_offset,
                                                    const std::string& message_template,
                                                    const std::string& argument);

// Runs `body`; any exception that leaves it is reported as an unhandled error and ends
// the process with exit code 1.
void GuardUnhandledErrors(void (*body)());

}  // namespace cleaner
