#include "vqxpreslayer/JsonText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "vqxpreslayer/EnumText.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayer/SerializeStructure.h"

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

// An ASCII character written as it is inside a JSON string.
constexpr bool IsPlain(unsigned c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; }

// An ASCII character that needs an escape: a quote, a backslash or a control character.
char* WriteAsciiEscaped(char* p, unsigned c) {
  if (c == '"' || c == '\\') {
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
  return p;
}

// Writes the quoted JSON string of UTF-16 text at p, which has room for 6 bytes per code unit
// and the quotes; returns the end.
char* WriteJsonString(char* p, const char16_t* s, std::size_t n) {
  *p++ = '"';
  // Most texts are printable ASCII without quotes or backslashes: one byte per code unit.
  std::size_t i = 0;
  while (i < n && IsPlain(s[i])) *p++ = static_cast<char>(s[i++]);
  for (; i < n; ++i) {
    const unsigned c = s[i];
    if (c < 0x80) {
      if (IsPlain(c))
        *p++ = static_cast<char>(c);
      else
        p = WriteAsciiEscaped(p, c);
    } else if (c < 0xD800 || c >= 0xE000) {
      p = EncodeUtf8(c, p);
    } else if (c < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      p = EncodeUtf8(0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00u), p);
      ++i;
    } else {
      p = WriteEscape(p, c);  // a lone surrogate has no UTF-8 form
    }
  }
  *p++ = '"';
  return p;
}

}  // namespace

void AppendJsonString(std::string& out, const TString& text) {
  const std::size_t at = out.size();
  out.resize(at + 6 * text.Length() + 2);
  char* end = WriteJsonString(out.data() + at, text.Data(), text.Length());
  out.resize(static_cast<std::size_t>(end - out.data()));
}

namespace {
constexpr std::size_t kPiece = 64 * 1024;  // how far the caller's buffer is opened ahead
// The size of the last text written on this thread: a text of its own starts with room for
// a little more, since trees are written again and again, so that it seldom grows.
thread_local std::size_t t_lastSize = 0;
}  // namespace

std::vector<std::string> EnumJsonTexts(const std::vector<std::pair<std::int32_t, TString>>& entries) {
  std::vector<std::string> json;
  json.reserve(entries.size());
  for (const auto& entry : entries) {
    json.emplace_back();
    AppendJsonString(json.back(), entry.second);
  }
  return json;
}

void FillEnumTable(EnumTextTable& table, std::initializer_list<EnumEntryText> entries) {
  for (const EnumEntryText& entry : entries) table.Slot(entry.value) = entry.text;
  table.Seal();
  table.SetJsonTexts(EnumJsonTexts(table.Entries()));
}

JsonText::JsonText(const ParametersRegistry& registry, std::string&& buffer)
    : m_registry(&registry), m_given(std::move(buffer)) {
  m_given.clear();
  // A text of its own, when the last one was large: room for about that much, made once, so
  // that the text is written in place and handed over as it is.
  if (m_given.capacity() < kPiece && t_lastSize >= kPiece) {
    m_given.reserve(t_lastSize + t_lastSize / 8);
    m_foreseen = true;
  }
  m_begin = m_p = m_end = m_given.data();
  Open('{');
}

JsonText::~JsonText() { std::free(m_heap); }

void JsonText::Grow(std::size_t n) {
  const std::size_t used = Size();
  if (!m_heap && (used + n <= m_given.capacity() || m_given.capacity() >= kPiece)) {
    // A buffer given by the caller grows in place, with room for the next write of the same size.
    if (used + n > m_given.capacity()) m_given.reserve(std::max(2 * m_given.capacity(), used + n));
    m_given.resize(std::min(m_given.capacity(), used + std::max(n, kPiece)));
    m_begin = m_given.data();
  } else {
    const std::size_t size = std::max({2 * static_cast<std::size_t>(m_end - m_begin), used + n, kPiece,
                                       m_heap ? 0 : t_lastSize + t_lastSize / 8});
    char* grown = static_cast<char*>(m_heap ? std::realloc(m_heap, size) : std::malloc(size));
    if (!grown) throw std::bad_alloc();
    if (!m_heap) std::memcpy(grown, m_begin, used);
    m_heap = m_begin = grown;
    m_end = m_begin + size;
    m_p = m_begin + used;
    return;
  }
  m_p = m_begin + used;
  m_end = m_begin + m_given.size();
}

void JsonText::Key(const TString& key) {
  Separate();
  String(key);
  PutChar(':');
}

void JsonText::Close() noexcept {
  if (m_scopes.empty()) return;
  if (m_p == m_end) {
    try {
      Grow(1);
    } catch (...) {  // out of memory while unwinding: the text is abandoned with the error
      m_scopes.pop_back();
      return;
    }
  }
  *m_p++ = m_scopes.back();
  m_scopes.pop_back();
  m_needsComma = true;
}

void JsonText::String(std::u16string_view text) {
  char* p = Room(6 * text.size() + 2);
  m_p = WriteJsonString(p, text.data(), text.size());
}

void JsonText::Utf8(std::string_view text) {
  char* p = Room(6 * text.size() + 2);
  *p++ = '"';
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 || IsPlain(c))
      *p++ = ch;
    else
      p = WriteAsciiEscaped(p, c);
  }
  *p++ = '"';
  m_p = p;
}

namespace {
template <typename T>
char* WriteFloating(char* p, T v) {
  *p++ = '"';
  if (std::isnan(v)) {
    p = std::signbit(v) ? std::copy_n("-nan", 4, p) : std::copy_n("nan", 3, p);
  } else if (std::isinf(v)) {
    p = v < 0 ? std::copy_n("-inf", 4, p) : std::copy_n("inf", 3, p);
  } else {
    p = std::to_chars(p, p + 30, v).ptr;
  }
  *p++ = '"';
  return p;
}
}  // namespace

void JsonText::Float(float value) { m_p = WriteFloating(Room(40), value); }
void JsonText::Double(double value) { m_p = WriteFloating(Room(40), value); }

CapturedText JsonText::EndCapture() {
  const Capture c = m_captures.back();
  m_captures.pop_back();
  std::size_t start = c.start;
  const std::size_t size = Size();
  if (c.separated && start < size) ++start;  // the leading comma belongs to the context
  if (start == size) return CapturedText();
  CapturedText text;
  text.reserve(size - start + 1);
  text.push_back(kJsonCaptureTag);
  text.append(m_begin + start, size - start);
  return text;
}

void JsonText::Replay(const CapturedText& text) {
  if (text.empty()) return;
  if (text.front() != kJsonCaptureTag) ThrowForeignCapture();
  char* p = Room(text.size());
  if (m_needsComma) *p++ = ',';
  std::memcpy(p, text.data() + 1, text.size() - 1);
  m_p = p + text.size() - 1;
  m_needsComma = true;
}

std::string JsonText::Finish() {
  while (!m_scopes.empty()) Close();
  const std::size_t size = Size();
  t_lastSize = size;
  if (m_heap) {
    m_given.assign(m_heap, size);  // into the caller's buffer when it has the room
    std::free(m_heap);
    m_heap = nullptr;
  } else {
    m_given.resize(size);
    // Room made for a larger text than this one is given back.
    if (m_foreseen && m_given.capacity() > size + size / 4 + kPiece) m_given.shrink_to_fit();
    m_foreseen = false;
  }
  std::string out = std::move(m_given);
  m_given.clear();
  m_begin = m_p = m_end = m_given.data();
  return out;
}

std::string_view JsonText::NewKey(std::uint32_t id) {
  const std::size_t offset = m_keyTexts.size();
  if (const LegacyParameterName* name = m_registry->FindName(id)) {
    AppendJsonString(m_keyTexts, name->GetValue());
  } else {
    char buf[16];
    std::snprintf(buf, sizeof buf, "\"0x%08x\"", id);
    m_keyTexts += buf;
  }
  m_keyTexts.push_back(':');
  const KeySlot added{id, static_cast<std::uint32_t>(m_keyTexts.size() - offset), offset};
  if (2 * ++m_keyCount > m_keySlots.size()) {
    std::vector<KeySlot> old(2 * m_keySlots.size());
    old.swap(m_keySlots);
    old.push_back(added);
    for (const KeySlot& slot : old) {
      if (!slot.length) continue;
      const std::size_t mask = m_keySlots.size() - 1;
      std::size_t to = (static_cast<std::size_t>(slot.id * 0x9e3779b1u) >> 8) & mask;
      while (m_keySlots[to].length) to = (to + 1) & mask;
      m_keySlots[to] = slot;
    }
  } else {
    const std::size_t mask = m_keySlots.size() - 1;
    std::size_t to = (static_cast<std::size_t>(id * 0x9e3779b1u) >> 8) & mask;
    while (m_keySlots[to].length) to = (to + 1) & mask;
    m_keySlots[to] = added;
  }
  return std::string_view(m_keyTexts).substr(offset);
}
