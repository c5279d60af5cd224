#pragma once
// Errors of the runtime library: the error record, the exception that carries it,
// and the logic-assertion entry point.

#pragma GCC visibility push(default)

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

// Where in a tree of structures an error arose. Writers and readers that an error passes
// through on its way out add their step: a model's member ("ZonePresModel.Visual"), a list
// index ("[2]") or a map key ("[\"k\"]"), the innermost first. The error's own text is
// left as it is.
class ErrorPlace {
 public:
  void AddStep(std::string step) { m_steps.push_back(std::move(step)); }
  bool HasPath() const { return !m_steps.empty(); }
  // The outermost step first: "DashboardPresModel.Zones[2] > ZonePresModel.Visual".
  std::string Path() const;

 protected:
  ErrorPlace() = default;
  ErrorPlace(const ErrorPlace&) = default;
  ErrorPlace& operator=(const ErrorPlace&) = default;
  ~ErrorPlace() = default;

 private:
  std::vector<std::string> m_steps;
};

// The path an error carries; empty when it carries none.
std::string ErrorPathOf(const std::exception& error);

class OrrelinError {
 public:
  OrrelinError(std::uint32_t code, std::string messageKey, std::string source, int line,
               std::string text);

  std::uint32_t Code() const { return m_code; }
  const std::string& MessageKey() const { return m_messageKey; }
  const std::string& Source() const { return m_source; }
  int Line() const { return m_line; }
  const std::string& Text() const { return m_text; }

 private:
  std::uint32_t m_code;
  std::string m_messageKey;
  std::string m_source;
  int m_line;
  std::string m_text;
};

class OrrelinException : public std::exception, public ErrorPlace {
 public:
  explicit OrrelinException(OrrelinError error);
  ~OrrelinException() override;
  const char* what() const noexcept override;
  const OrrelinError& Error() const { return m_error; }

 private:
  OrrelinError m_error;
};

// Raised for violated assertions of program logic (null dereference, bad index ...).
class LogicException : public OrrelinException {
 public:
  using OrrelinException::OrrelinException;
  ~LogicException() override;
};

[[noreturn]] void ThrowLogicException(const OrrelinError& error);

// The logic assertion used by reference-counted handles and by hand-written guards.
constexpr std::uint32_t kLogicAssertCode = 0x00BF554A;
[[noreturn]] void ThrowLogicAssert(const char* source, int line, const char* text);

// Raised by an empty RefCntPtr when it is dereferenced.
[[noreturn]] void ThrowNullPointerDereferenced();

#pragma GCC visibility pop
