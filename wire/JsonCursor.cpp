#include "wire/JsonCursor.h"

#include <cstdio>

#include "vqxpreslayer/ParametersRegistry.h"

namespace {

constexpr char kHex[] = "0123456789abcdef";

char* WriteEscape(char* p, unsigned unit) {
  *p++ = '\\';
  *p++ = 'u';
  *p++ = kHex[(unit >> 12) & 0xF];
  *p++ = kHex[(unit >> 8) & 0xF];
  *p++ = kHex[(unit >> 4) & 0xF];
  *p++ = kHex[unit & 0xF];
  return p;
}

}  // namespace

void AppendJsonString(std::string& out, const TString& text) {
  const char16_t* s = text.Data();
  const std::size_t n = text.Length();
  const std::size_t at = out.size();
  // Most texts are printable ASCII without quotes or backslashes: one byte per code unit.
  std::size_t plain = 0;
  while (plain < n && s[plain] >= 0x20 && s[plain] < 0x80 && s[plain] != '"' && s[plain] != '\\') ++plain;
  if (plain == n) {
    out.resize(at + n + 2);
    char* p = out.data() + at;
    *p++ = '"';
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<char>(s[i]);
    p[n] = '"';
    return;
  }
  // Otherwise at most six bytes per code unit, written through a pointer and trimmed afterwards.
  out.resize(at + 6 * n + 2);
  char* p = out.data() + at;
  *p++ = '"';
  for (std::size_t i = 0; i < plain; ++i) *p++ = static_cast<char>(s[i]);
  for (std::size_t i = plain; i < n; ++i) {
    const unsigned c = s[i];
    if (c < 0x80) {
      if (c >= 0x20 && c != '"' && c != '\\') {
        *p++ = static_cast<char>(c);
      } else if (c == '"' || c == '\\') {
        *p++ = '\\';
        *p++ = static_cast<char>(c);
      } else if (c == '\n') {
        *p++ = '\\';
        *p++ = 'n';
      } else if (c == '\t') {
        *p++ = '\\';
        *p++ = 't';
      } else if (c == '\r') {
        *p++ = '\\';
        *p++ = 'r';
      } else {
        p = WriteEscape(p, c);
      }
    } else if (c < 0x800) {
      *p++ = static_cast<char>(0xC0 | (c >> 6));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c >= 0xD800 && c < 0xE000) {
      if (c < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
        const unsigned cp = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00u);
        ++i;
        *p++ = static_cast<char>(0xF0 | (cp >> 18));
        *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
      } else {
        p = WriteEscape(p, c);  // a lone surrogate has no UTF-8 form
      }
    } else {
      *p++ = static_cast<char>(0xE0 | (c >> 12));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  *p++ = '"';
  out.resize(static_cast<std::size_t>(p - out.data()));
}

JsonCursor::JsonCursor(const ParametersRegistry& registry) : SerializeStructure(registry) { Open('{'); }
JsonCursor::JsonCursor(const ParametersRegistry& registry, std::string&& buffer)
    : SerializeStructure(registry), m_out(std::move(buffer)) {
  m_out.clear();
  Open('{');
}
JsonCursor::~JsonCursor() = default;

std::string JsonCursor::Finish() {
  while (!m_scopes.empty()) EndStructure();
  std::string out = std::move(m_out);
  m_out.clear();
  return out;
}

std::string JsonCursor::Write(const ParametersRegistry& registry, const IParameters& bag) {
  JsonCursor cursor(registry);
  VisitParametersStructure(registry, bag, cursor.GetVisitor());
  return cursor.Finish();
}

void JsonCursor::Write(const ParametersRegistry& registry, const IParameters& bag, std::string& out) {
  JsonCursor cursor(registry, std::move(out));
  VisitParametersStructure(registry, bag, cursor.GetVisitor());
  out = cursor.Finish();
}

namespace {
std::size_t KeySlotOf(std::uint32_t id, std::size_t slots) {
  return static_cast<std::size_t>((id * 0x9e3779b1u) >> 8) & (slots - 1);
}
}  // namespace

std::string_view JsonCursor::KeyText(std::uint32_t id) {
  std::size_t mask = m_keySlots.size() - 1, at = KeySlotOf(id, m_keySlots.size());
  while (m_keySlots[at].length && m_keySlots[at].id != id) at = (at + 1) & mask;
  if (!m_keySlots[at].length) {
    const std::size_t offset = m_keyTexts.size();
    if (const LegacyParameterName* name = GetParametersRegistry().FindName(id)) {
      AppendJsonString(m_keyTexts, name->GetValue());
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "\"0x%08x\"", id);
      m_keyTexts += buf;
    }
    m_keyTexts.push_back(':');
    m_keySlots[at] = KeySlot{id, static_cast<std::uint32_t>(m_keyTexts.size() - offset), offset};
    if (2 * ++m_keyCount > m_keySlots.size()) {
      std::vector<KeySlot> old(2 * m_keySlots.size());
      old.swap(m_keySlots);
      mask = m_keySlots.size() - 1;
      for (const KeySlot& slot : old) {
        if (!slot.length) continue;
        std::size_t to = KeySlotOf(slot.id, m_keySlots.size());
        while (m_keySlots[to].length) to = (to + 1) & mask;
        m_keySlots[to] = slot;
      }
      return std::string_view(m_keyTexts).substr(offset);
    }
  }
  return std::string_view(m_keyTexts).substr(m_keySlots[at].offset, m_keySlots[at].length);
}

inline void JsonCursor::Separate() {
  if (m_needsComma) m_out.push_back(',');
  m_needsComma = true;
}

void JsonCursor::Key(std::uint32_t id) {
  Separate();
  m_out += KeyText(id);
}

void JsonCursor::Key(const TString& key) {
  Separate();
  AppendJsonString(m_out, key);
  m_out.push_back(':');
}

void JsonCursor::Open(char bracket) {
  m_out.push_back(bracket);
  m_scopes.push_back(bracket == '{' ? '}' : ']');
  m_needsComma = false;
}

void JsonCursor::Parameter(std::uint32_t id, const TString& text) {
  Key(id);
  AppendJsonString(m_out, text);
}

void JsonCursor::ListItem(const TString& text) {
  Separate();
  AppendJsonString(m_out, text);
}

void JsonCursor::MapItem(const TString& key, const TString& text, bool) {
  Key(key);
  AppendJsonString(m_out, text);
}

void JsonCursor::NullMapItem(const TString& key, bool) {
  Key(key);
  m_out.append("null", 4);
}

void JsonCursor::BeginSubStructure(std::uint32_t id, bool composite) {
  // An item of a list is an element of its array; elsewhere a structure is a member. A
  // structure that is not composite holds list items only: it is an array.
  if (!m_scopes.empty() && m_scopes.back() == ']')
    Separate();
  else
    Key(id);
  Open(composite ? '{' : '[');
}

void JsonCursor::BeginListStructure(std::uint32_t id, ParameterTypeCategory) {
  Key(id);
  Open('[');
}

void JsonCursor::BeginMapStructure(std::uint32_t id) {
  Key(id);
  Open('{');
}

void JsonCursor::BeginMapItemStructure(const TString& key) {
  Key(key);
  Open('{');
}

void JsonCursor::BeginCompositeStructure(std::uint32_t id) {
  Key(id);
  Open('{');
}

void JsonCursor::EndStructure() noexcept {
  if (m_scopes.empty()) return;
  try {
    m_out.push_back(m_scopes.back());
  } catch (...) {  // out of memory while unwinding: the text is abandoned with the error
  }
  m_scopes.pop_back();
  m_needsComma = true;
}

void JsonCursor::BeginCapture() { m_captures.push_back(Capture{m_out.size(), m_needsComma}); }

CapturedText JsonCursor::EndCapture() {
  const Capture c = m_captures.back();
  m_captures.pop_back();
  std::size_t start = c.start;
  if (c.separated && start < m_out.size()) ++start;  // the leading comma belongs to the context
  if (start == m_out.size()) return CapturedText();
  CapturedText text;
  text.reserve(m_out.size() - start + 1);
  text.push_back(kJsonCaptureTag);
  text.append(m_out, start);
  return text;
}

void JsonCursor::ReplayCapture(const CapturedText& text) {
  if (text.empty()) return;
  if (text.front() != kJsonCaptureTag) ThrowForeignCapture();
  m_out.reserve(m_out.size() + text.size() + 64);  // room for the closing brackets that follow
  if (m_needsComma) m_out.push_back(',');
  m_out.append(text, 1);
  m_needsComma = true;
}
