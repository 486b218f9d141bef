// Failures of the run-time library, raised as C++ exceptions.
#pragma once

#include <exception>
#include <string>

namespace cleaner {

// Base of the run-time library's failures. The message is kept in two parts so that the
// error report can convert each from its own encoding: the fixed text is UTF-8, the
// quoted argument is bytes as read (the ANSI code page on Windows).
class RtlError : public std::exception {
 public:
  RtlError(std::string message_template, std::string argument, const void* raise_address);

  virtual const char* ClassName() const noexcept = 0;
  // Holds at most one "%s", which stands for Argument().
  const std::string& MessageTemplate() const noexcept { return message_template_; }
  const std::string& Argument() const noexcept { return argument_; }
  // Where the failing call was made from, for the error report.
  const void* RaiseAddress() const noexcept { return raise_address_; }
  // The template filled in, bytes as they are.
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_template_;
  std::string argument_;
  const void* raise_address_;
  std::string message_;
};

// A string that is not an integer.
class EConvertError : public RtlError {
 public:
  using RtlError::RtlError;
  const char* ClassName() const noexcept override { return "EConvertError"; }
};

// A failed file operation; carries the platform's error code.
class EInOutError : public RtlError {
 public:
  EInOutError(int error_code, const void* raise_address);
  const char* ClassName() const noexcept override { return "EInOutError"; }
  int ErrorCode() const noexcept { return error_code_; }

 private:
  int error_code_;
};

// `message_template` with its "%s" replaced by `argument`.
std::string FillMessage(const std::string& message_template, const std::string& argument);

// Raise helpers record their caller as the failing code. They are never inlined, so that
// the recorded address lies in the code that asked for the failing operation.
[[noreturn]] void RaiseConvertError(const std::string& text);
[[noreturn]] void RaiseInOutError(int error_code);

}  // namespace cleaner
