#include "vqxcoreplatform/TUUID.h"

#include <random>

TUUID TUUID::CreateUUID() {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  std::array<std::uint8_t, 16> b{};
  for (int i = 0; i < 16; i += 8) {
    std::uint64_t v = rng();
    for (int j = 0; j < 8; ++j) b[i + j] = static_cast<std::uint8_t>(v >> (8 * j));
  }
  b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
  b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // variant 1
  return TUUID(b);
}

bool TUUID::IsNull() const {
  for (auto v : m_bytes)
    if (v) return false;
  return true;
}

TString TUUID::ToString(int format) const {
  static const char16_t kHex[] = u"0123456789abcdef";
  std::u16string s;
  if (format == 0) s.push_back(u'{');
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) s.push_back(u'-');
    s.push_back(kHex[m_bytes[i] >> 4]);
    s.push_back(kHex[m_bytes[i] & 0xF]);
  }
  if (format == 0) s.push_back(u'}');
  return TString(std::move(s));
}

TUUID TUUID::FromString(const TString& text) {
  std::u16string_view v = text.View();
  if (v.size() == 38 && v.front() == u'{' && v.back() == u'}') v = v.substr(1, 36);
  if (v.size() != 36) return TUUID();
  std::array<std::uint8_t, 16> b{};
  int nibble = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    char16_t c = v[i];
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (c != u'-') return TUUID();
      continue;
    }
    int d = c >= u'0' && c <= u'9' ? c - u'0'
            : c >= u'a' && c <= u'f' ? c - u'a' + 10
            : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                     : -1;
    if (d < 0) return TUUID();
    b[nibble / 2] = static_cast<std::uint8_t>(b[nibble / 2] | (nibble % 2 ? d : d << 4));
    ++nibble;
  }
  return TUUID(b);
}
