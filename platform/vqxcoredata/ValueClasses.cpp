#include "vqxcoredata/ValueClasses.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

namespace {
bool InByte(int v) { return v >= 0 && v <= 255; }
}  // namespace

bool ColorObject::IsValid() const { return InByte(m_r) && InByte(m_g) && InByte(m_b) && InByte(m_a); }

// "#rrggbbaa" (lower-case hex) when every channel is a byte, else "rgba(r,g,b,a)"; then
// ";type" unless the type is 0. Colours are written often: formatted by hand.
std::size_t ColorObject::WriteRGBA(char* buf) const {
  char* p = buf;
  char* const end = buf + kMaxTextSize;
  if (IsValid()) {
    static constexpr char kHex[] = "0123456789abcdef";
    *p++ = '#';
    for (int c : {m_r, m_g, m_b, m_a}) {
      *p++ = kHex[c >> 4];
      *p++ = kHex[c & 15];
    }
  } else {
    const char* prefix = "rgba(";
    p = std::copy(prefix, prefix + 5, p);
    for (int c : {m_r, m_g, m_b, m_a}) {
      p = std::to_chars(p, end, c).ptr;
      *p++ = ',';
    }
    p[-1] = ')';
  }
  if (m_type != 0) {
    *p++ = ';';
    p = std::to_chars(p, end, m_type).ptr;
  }
  return static_cast<std::size_t>(p - buf);
}

TString ColorObject::RGBAString() const {
  char buf[kMaxTextSize];
  return TString::FromAscii(std::string_view(buf, WriteRGBA(buf)));
}

ColorObject ColorObjectParser::Parse(const TString& text) { return ParseUtf8(text.ToUtf8()); }

ColorObject ColorObjectParser::ParseUtf8(std::string_view v) {
  int type = 0;
  if (auto semi = v.find(';'); semi != std::string_view::npos) {
    auto tail = v.substr(semi + 1);
    auto [p, ec] = std::from_chars(tail.data(), tail.data() + tail.size(), type);
    if (ec != std::errc() || p != tail.data() + tail.size()) return ColorObject();
    v = v.substr(0, semi);
  }
  int c[4] = {0, 0, 0, 255};
  if (v.size() == 9 && v[0] == '#') {
    for (int i = 0; i < 4; ++i) {
      auto [p, ec] = std::from_chars(v.data() + 1 + 2 * i, v.data() + 3 + 2 * i, c[i], 16);
      if (ec != std::errc() || p != v.data() + 3 + 2 * i) return ColorObject();
    }
  } else if (v.size() > 6 && v.substr(0, 5) == "rgba(" && v.back() == ')') {
    const char* p = v.data() + 5;
    const char* end = v.data() + v.size() - 1;
    for (int i = 0; i < 4; ++i) {
      auto [q, ec] = std::from_chars(p, end, c[i]);
      if (ec != std::errc()) return ColorObject();
      p = q;
      if (i < 3) {
        if (p == end || *p != ',') return ColorObject();
        ++p;
      }
    }
    if (p != end) return ColorObject();
  } else {
    return ColorObject();
  }
  return ColorObject(c[0], c[1], c[2], c[3], type);
}
