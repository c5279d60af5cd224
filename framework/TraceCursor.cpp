#include "framework/TraceCursor.h"

#include <cstdio>

namespace {
constexpr char kTraceCaptureTag = 'T';

std::string Hex(std::uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08x", id);
  return buf;
}
const char* Flag(bool b) { return b ? "true" : "false"; }
}  // namespace

TraceCursor::TraceCursor(const ParametersRegistry& registry) : SerializeStructure(registry) {}
TraceCursor::~TraceCursor() = default;

void TraceCursor::Emit(std::string line) {
  m_calls.push_back(line);
  m_output.push_back(std::move(line));
}

void TraceCursor::Parameter(std::uint32_t id, const TString& text) {
  Emit("Parameter " + Hex(id) + " " + text.ToUtf8());
}
void TraceCursor::ListItem(const TString& text) { Emit("ListItem " + text.ToUtf8()); }
void TraceCursor::MapItem(const TString& key, const TString& text, bool flag) {
  Emit("MapItem " + key.ToUtf8() + " " + text.ToUtf8() + " " + Flag(flag));
}
void TraceCursor::NullMapItem(const TString& key, bool flag) {
  Emit("NullMapItem " + key.ToUtf8() + " " + Flag(flag));
}

void TraceCursor::BeginSubStructure(std::uint32_t id, bool) {
  ++m_depth;
  Emit("Begin SubStructure " + Hex(id));
}
void TraceCursor::BeginListStructure(std::uint32_t id, ParameterTypeCategory) {
  ++m_depth;
  Emit("Begin ListStructure " + Hex(id));
}
void TraceCursor::BeginMapStructure(std::uint32_t id) {
  ++m_depth;
  Emit("Begin MapStructure " + Hex(id));
}
void TraceCursor::BeginMapItemStructure(const TString& key) {
  ++m_depth;
  Emit("Begin MapItemStructure " + key.ToUtf8());
}
void TraceCursor::BeginCompositeStructure(std::uint32_t id) {
  ++m_depth;
  Emit("Begin CompositeStructure " + Hex(id));
}
void TraceCursor::EndStructure() noexcept {
  --m_depth;
  try {
    Emit("End");
  } catch (...) {  // out of memory while unwinding: the line is lost, the scope still closes
  }
}

void TraceCursor::BeginCapture() {
  m_calls.emplace_back("BeginCapture");
  m_captures.push_back(m_output.size());
}

CapturedText TraceCursor::EndCapture() {
  m_calls.emplace_back("EndCapture");
  const std::size_t begin = m_captures.back();
  m_captures.pop_back();
  CapturedText text;
  if (begin == m_output.size()) return text;
  text.push_back(kTraceCaptureTag);
  for (std::size_t i = begin; i < m_output.size(); ++i) {
    text += m_output[i];
    text += '\n';
  }
  return text;
}

void TraceCursor::ReplayCapture(const CapturedText& text) {
  m_calls.emplace_back("ReplayCapture");
  if (text.empty()) return;
  if (text.front() != kTraceCaptureTag) ThrowForeignCapture();
  std::size_t pos = 1;
  while (pos < text.size()) {
    const std::size_t nl = text.find('\n', pos);
    m_output.push_back(text.substr(pos, nl - pos));
    pos = nl + 1;
  }
}
