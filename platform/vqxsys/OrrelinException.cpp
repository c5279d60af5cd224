#include "vqxsys/OrrelinException.h"

#include <utility>

std::string ErrorPlace::Path() const {
  std::string path;
  for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
    if (!path.empty() && !step->empty() && step->front() != '[') path += " > ";
    path += *step;
  }
  return path;
}

std::string ErrorPathOf(const std::exception& error) {
  const auto* place = dynamic_cast<const ErrorPlace*>(&error);
  return place ? place->Path() : std::string();
}

OrrelinError::OrrelinError(std::uint32_t code, std::string messageKey, std::string source,
                           int line, std::string text)
    : m_code(code),
      m_messageKey(std::move(messageKey)),
      m_source(std::move(source)),
      m_line(line),
      m_text(std::move(text)) {}

OrrelinException::OrrelinException(OrrelinError error) : m_error(std::move(error)) {}
OrrelinException::~OrrelinException() = default;
const char* OrrelinException::what() const noexcept { return m_error.Text().c_str(); }

LogicException::~LogicException() = default;

void ThrowLogicException(const OrrelinError& error) { throw LogicException(error); }

void ThrowLogicAssert(const char* source, int line, const char* text) {
  ThrowLogicException(OrrelinError(kLogicAssertCode, "LogicException_LogicAssert_0x00BF554A",
                                   source, line, text));
}

void ThrowNullPointerDereferenced() {
  ThrowLogicAssert("ReferenceCount", 342, "Null pointer dereferenced");
}
