#pragma once
// WireParser: a JSON parser for what the writer writes, and only that: objects, arrays,
// strings and null. It hands a SAX handler the events of the general parser (StartObject,
// Key, String, Null, EndObject, StartArray, EndArray) with the same unescaped texts, but it
// reads strings sixteen bytes at a time and hands over those without escapes where they
// stand in the text, uncopied. It checks nothing it does not have to: on anything else
// (numbers, flags, malformed text, a lone surrogate escape, nesting deeper than it recurses)
// or when the handler stops, it gives up, and the caller reads the text again with the
// general parser, whose errors have their own texts and offsets.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "vqxcoreplatform/TString.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

template <typename Handler>
class WireParser {
 public:
  WireParser(std::string_view text, Handler& handler)
      : m_p(text.data()), m_end(text.data() + text.size()), m_handler(handler) {}

  // True when the whole text was one value, read to its end, and the handler took it all.
  bool Parse() {
    SkipSpace();
    if (!Value(0)) return false;
    SkipSpace();
    return m_p == m_end;
  }

 private:
  static constexpr int kMaxDepth = 512;  // deeper text is left to the general parser

  void SkipSpace() {
    while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t')) ++m_p;
  }

  bool Value(int depth) {
    if (m_p == m_end) return false;
    switch (*m_p) {
      case '"': {
        std::string_view s;
        return Text(s) && m_handler.String(s.data(), static_cast<unsigned>(s.size()), false);
      }
      case '{': return depth < kMaxDepth && Object(depth);
      case '[': return depth < kMaxDepth && Array(depth);
      case 'n':
        if (m_end - m_p < 4 || std::memcmp(m_p, "null", 4) != 0) return false;
        m_p += 4;
        return m_handler.Null();
      default: return false;
    }
  }

  bool Object(int depth) {
    ++m_p;
    if (!m_handler.StartObject()) return false;
    SkipSpace();
    unsigned members = 0;
    bool done = Closes('}');
    while (!done) {
      std::string_view key;
      if (m_p == m_end || *m_p != '"' || !Text(key)) return false;
      if (!m_handler.Key(key.data(), static_cast<unsigned>(key.size()), false)) return false;
      SkipSpace();
      if (m_p == m_end || *m_p != ':') return false;
      ++m_p;
      SkipSpace();
      if (!Value(depth + 1) || !Next('}', done)) return false;
      ++members;
    }
    return m_handler.EndObject(members);
  }

  bool Array(int depth) {
    ++m_p;
    if (!m_handler.StartArray()) return false;
    SkipSpace();
    unsigned items = 0;
    bool done = Closes(']');
    while (!done) {
      if (!Value(depth + 1) || !Next(']', done)) return false;
      ++items;
    }
    return m_handler.EndArray(items);
  }

  // Whether the object or array closes at once (`{}`, `[]`): then past its bracket.
  bool Closes(char close) {
    if (m_p == m_end || *m_p != close) return false;
    ++m_p;
    return true;
  }

  // After a member or an item: a comma (another follows) or the closing bracket (`done`);
  // false for anything else.
  bool Next(char close, bool& done) {
    SkipSpace();
    if (m_p == m_end) return false;
    done = *m_p == close;
    if (!done && *m_p != ',') return false;
    ++m_p;
    if (!done) SkipSpace();
    return true;
  }

  // The position of the first quote, backslash or control character from p on, or m_end.
  const char* Stop(const char* p) const {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\'), control = _mm_set1_epi8(0x1F);
    for (; m_end - p >= 16; p += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, backslash)),
                                       _mm_cmpeq_epi8(_mm_max_epu8(x, control), control));
      if (const int mask = _mm_movemask_epi8(hit)) return p + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    while (p != m_end && *p != '"' && *p != '\\' && static_cast<unsigned char>(*p) >= 0x20) ++p;
    return p;
  }

  // A string at m_p (its opening quote): its unescaped text, in place when it has no escapes.
  bool Text(std::string_view& out) {
    const char* start = ++m_p;
    const char* p = Stop(start);
    if (p == m_end) return false;
    if (*p == '"') {
      out = std::string_view(start, static_cast<std::size_t>(p - start));
      m_p = p + 1;
      return true;
    }
    m_scratch.assign(start, p);
    for (;;) {
      if (p == m_end || static_cast<unsigned char>(*p) < 0x20) return false;
      if (*p == '"') break;
      // A backslash.
      if (m_end - p < 2) return false;
      const char e = p[1];
      p += 2;
      switch (e) {
        case '"': m_scratch.push_back('"'); break;
        case '\\': m_scratch.push_back('\\'); break;
        case '/': m_scratch.push_back('/'); break;
        case 'b': m_scratch.push_back('\b'); break;
        case 'f': m_scratch.push_back('\f'); break;
        case 'n': m_scratch.push_back('\n'); break;
        case 'r': m_scratch.push_back('\r'); break;
        case 't': m_scratch.push_back('\t'); break;
        case 'u': {
          unsigned unit = 0;
          if (!Hex4(p, unit)) return false;
          p += 4;
          if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
          if (unit >= 0xD800 && unit <= 0xDBFF) {
            unsigned low = 0;
            if (m_end - p < 6 || p[0] != '\\' || p[1] != 'u' || !Hex4(p + 2, low) || low < 0xDC00 || low > 0xDFFF)
              return false;
            p += 6;
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          } else {
            AppendUtf8(unit);
          }
          break;
        }
        default: return false;
      }
      const char* next = Stop(p);
      m_scratch.append(p, next);
      p = next;
    }
    out = m_scratch;
    m_p = p + 1;
    return true;
  }

  bool Hex4(const char* p, unsigned& unit) const {
    if (m_end - p < 4) return false;
    unit = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = p[i];
      unsigned digit;
      if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
      else return false;
      unit = unit * 16 + digit;
    }
    return true;
  }

  void AppendUtf8(unsigned cp) {
    char bytes[4];
    m_scratch.append(bytes, EncodeUtf8(cp, bytes));
  }

  const char* m_p;
  const char* m_end;
  Handler& m_handler;
  std::string m_scratch;  // the unescaped text of a string with escapes
};
