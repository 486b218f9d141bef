#include "errors.h"

#include <utility>

namespace cleaner {

RtlError::RtlError(std::string message_template, std::string argument, const void* raise_address)
    : message_template_(std::move(message_template)),
      argument_(std::move(argument)),
      raise_address_(raise_address),
      message_(FillMessage(message_template_, argument_)) {}

std::string FillMessage(const std::string& message_template, const std::string& argument) {
  std::string message = message_template;
  const std::string::size_type slot = message.find("%s");
  if (slot != std::string::npos) message.replace(slot, 2, argument);
  return message;
}

EInOutError::EInOutError(int error_code, const void* raise_address)
    : RtlError("I/O error " + std::to_string(error_code), "", raise_address),
      error_code_(error_code) {}

__attribute__((noinline)) void RaiseConvertError(const std::string& text) {
  throw EConvertError("'%s' は整数ではありません", text, __builtin_return_address(0));
}

__attribute__((noinline)) void RaiseInOutError(int error_code) {
  throw EInOutError(error_code, __builtin_return_address(0));
}

}  // namespace cleaner
