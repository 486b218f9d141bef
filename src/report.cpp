#include "report.h"

#include <exception>
#include <new>

#include "errors.h"
#include "path.h"

namespace cleaner {

const char* const kErrorCaption = "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ";

std::vector<platform::TextPiece> ComposeErrorReport(const std::string& class_name,
                                                    const std::string& module_name,
                                                    std::size_t code_offset,
                                                    const std::string& message_template,
                                                    const std::string& argument) {
  // Eight hexadecimal digits, as the report has always shown the address.
  std::string address(8, '0');
  for (std::size_t i = 0; i < address.size(); ++i) {
    address[address.size() - 1 - i] = "0123456789ABCDEF"[(code_offset >> (4 * i)) & 0xF];
  }
  std::vector<platform::TextPiece> text = {
      {class_name, false},
      {"がﾓｼﾞｭｰﾙ ", false},
      {module_name, true},
      {" の " + address + " で発生しました。\n", false},
  };
  const std::string::size_type slot = message_template.find("%s");
  if (slot == std::string::npos) {
    text.push_back({message_template, false});
  } else {
    text.push_back({message_template.substr(0, slot), false});
    text.push_back({argument, true});
    text.push_back({message_template.substr(slot + 2), false});
  }
  // The full stop goes after the last non-empty piece, whatever its encoding.
  std::string ending;
  for (const platform::TextPiece& piece : text) {
    if (!piece.bytes.empty()) ending = piece.bytes;
  }
  if (ending.empty() || ending.back() != '.') text.push_back({".", false});
  return text;
}

namespace {

[[noreturn]] void Report(const char* class_name, const std::string& message_template,
                         const std::string& argument, const void* address) {
  const std::string module_name =
      ExtractFileName(platform::OwnExecutablePath(), platform::kPathStops, platform::IsLeadByte);
  platform::ShowErrorReport(
      kErrorCaption, ComposeErrorReport(class_name, module_name, platform::ModuleOffset(address),
                                        message_template, argument));
  platform::EndProcess(1);
}

}  // namespace

void GuardUnhandledErrors(void (*body)()) {
  try {
    body();
  } catch (const RtlError& error) {
    Report(error.ClassName(), error.MessageTemplate(), error.Argument(), error.RaiseAddress());
  } catch (const std::bad_alloc&) {
    Report("EOutOfMemory", "Out of memory", "", nullptr);
  } catch (const std::exception& error) {
    Report("Exception", error.what(), "", nullptr);
  } catch (...) {
    Report("Exception", "Unknown error", "", nullptr);
  }
}

}  // namespace cleaner
