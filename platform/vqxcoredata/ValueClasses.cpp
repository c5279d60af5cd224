#include "vqxcoredata/ValueClasses.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {
bool InByte(int v) { return v >= 0 && v <= 255; }
}  // namespace

bool ColorObject::IsValid() const { return InByte(m_r) && InByte(m_g) && InByte(m_b) && InByte(m_a); }

TString ColorObject::RGBAString() const {
  char buf[96];
  int n = IsValid() ? std::snprintf(buf, sizeof buf, "#%02x%02x%02x%02x", m_r, m_g, m_b, m_a)
                    : std::snprintf(buf, sizeof buf, "rgba(%d,%d,%d,%d)", m_r, m_g, m_b, m_a);
  if (m_type != 0) n += std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), ";%d", m_type);
  return TString::FromAscii(std::string_view(buf, static_cast<std::size_t>(n)));
}

ColorObject ColorObjectParser::Parse(const TString& text) {
  const std::string s = text.ToUtf8();
  std::string_view v = s;
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
