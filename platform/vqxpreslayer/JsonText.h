#pragma once
// JsonText: the JSON text that a text cursor writes: one growing buffer, the keys of
// parameter ids as the registry names them ("0x%08x" for an id without a name), the open
// scopes, and the recording and replaying of captured text. Every value is a JSON string.
//
// A cursor that writes such a text offers it (SerializeStructure::DirectText), so that
// serializers that know a value's text form write it straight into the buffer instead of
// making a text object for a cursor call; what they write is byte for byte what the cursor
// call would write.

#pragma GCC visibility push(default)

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/PresentationModel.h"

class ParametersRegistry;

class JsonText {
 public:
  // Writes into `buffer`: its text is dropped, its capacity kept. The text starts as an open
  // object: the bag being written.
  JsonText(const ParametersRegistry& registry, std::string&& buffer);
  ~JsonText();
  JsonText(const JsonText&) = delete;
  JsonText& operator=(const JsonText&) = delete;

  const ParametersRegistry& Registry() const { return *m_registry; }

  // ---- scopes

  // The comma before a member or item, when one came before it in the same scope.
  void Separate() {
    if (m_needsComma) PutChar(',');
    m_needsComma = true;
  }
  // A member's key: the separator and "name":.
  void Key(std::uint32_t id) {
    Separate();
    Put(KeyText(id));
  }
  void Key(const TString& key);
  // Opens an object ('{') or an array ('[').
  void Open(char bracket) {
    PutChar(bracket);
    m_scopes.push_back(bracket == '{' ? '}' : ']');
    m_needsComma = false;
  }
  // Closes the innermost open scope. Never throws: it runs while errors unwind.
  void Close() noexcept;
  bool InArray() const { return !m_scopes.empty() && m_scopes.back() == ']'; }

  // ---- values: each a JSON string, quoted and escaped

  void String(const TString& text) { String(text.View()); }
  void String(std::u16string_view text);
  // A text of UTF-8 bytes (escaped as needed).
  void Utf8(std::string_view text);
  // A text known to need no escape (printable ASCII without quotes or backslashes).
  void Plain(std::string_view text) {
    char* p = Room(text.size() + 2);
    *p++ = '"';
    std::memcpy(p, text.data(), text.size());
    p += text.size();
    *p++ = '"';
    m_p = p;
  }
  template <typename I>
  void Integer(I value) {
    char* p = Room(24);
    *p++ = '"';
    p = std::to_chars(p, p + 21, value).ptr;
    *p++ = '"';
    m_p = p;
  }
  void Float(float value);
  void Double(double value);
  // Text written as it is (a literal such as null, or a ready JSON string).
  void Raw(std::string_view text) { Put(text); }
  // The name of a parameter id as a JSON string, as its key has it.
  std::string_view NameText(std::uint32_t id) {
    const std::string_view key = KeyText(id);
    return key.substr(0, key.size() - 1);
  }

  // ---- captures: the text written between Begin and End, replayed in place of a write

  void BeginCapture() { m_captures.push_back(Capture{Size(), m_needsComma}); }
  CapturedText EndCapture();
  void Replay(const CapturedText& text);

  // Closes every open scope and hands the text over; the writer is empty afterwards.
  std::string Finish();

  // Room for at least n more bytes; the caller writes through the pointer and then calls
  // Advance with the end of what it wrote.
  char* Room(std::size_t n) {
    if (static_cast<std::size_t>(m_end - m_p) < n) Grow(n);
    return m_p;
  }
  char*& Cursor() { return m_p; }
  void PutChar(char c) {
    Room(1);
    *m_p++ = c;
  }
  void Put(std::string_view text) {
    char* p = Room(text.size());
    std::memcpy(p, text.data(), text.size());
    m_p = p + text.size();
  }

 private:
  struct Capture {
    std::size_t start;
    bool separated;  // the first member inside writes a leading comma
  };
  // "\"name\":" per parameter id, made once per writer: an open-addressing table (a
  // power-of-two number of slots, at most half of them used) into one text of all keys.
  struct KeySlot {
    std::uint32_t id = 0;
    std::uint32_t length = 0;  // 0: an empty slot
    std::size_t offset = 0;
  };

  std::size_t Size() const { return static_cast<std::size_t>(m_p - m_begin); }
  void Grow(std::size_t n);
  std::string_view KeyText(std::uint32_t id) {
    const std::size_t mask = m_keySlots.size() - 1;
    for (std::size_t at = (static_cast<std::size_t>(id * 0x9e3779b1u) >> 8) & mask;; at = (at + 1) & mask) {
      const KeySlot& slot = m_keySlots[at];
      if (slot.id == id && slot.length) return {m_keyTexts.data() + slot.offset, slot.length};
      if (!slot.length) return NewKey(id);
    }
  }
  std::string_view NewKey(std::uint32_t id);

  const ParametersRegistry* m_registry;
  // The text is written into the caller's buffer (its size grows ahead of the text, a piece
  // at a time) while it has room, and beyond that when the buffer is a large one, which then
  // doubles in place so that the next text of the same size fits; else into memory of its
  // own, grown by realloc, which moves large texts without copying them, and which Finish
  // copies into a string. A text of its own after a large one starts as a buffer with room
  // for that size, written in place and handed over without a copy.
  std::string m_given;
  bool m_foreseen = false;  // m_given's room was made for the size of the last text
  char* m_heap = nullptr;
  char* m_begin;
  char* m_p;
  char* m_end;
  std::vector<char> m_scopes;  // '}' or ']' per open scope
  bool m_needsComma = false;
  std::vector<Capture> m_captures;
  std::vector<KeySlot> m_keySlots = std::vector<KeySlot>(256);
  std::size_t m_keyCount = 0;
  std::string m_keyTexts;
};

// Recorded text starts with a tag naming the cursor kind that recorded it.
constexpr char kJsonCaptureTag = 'J';

// Appends text as a JSON string: quoted, escaped, UTF-8; a lone surrogate as its \u escape.
void AppendJsonString(std::string& out, const TString& text);

#pragma GCC visibility pop
