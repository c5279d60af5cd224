#include "vqxcoreplatform/TString.h"

namespace {

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

TString::TString(const wchar_t* s) {
  for (; *s; ++s) AppendCodePoint(m_s, static_cast<char32_t>(*s));
}

TString TString::FromAscii(std::string_view ascii) {
  std::u16string s(ascii.size(), u'\0');
  for (std::size_t i = 0; i < ascii.size(); ++i) s[i] = static_cast<unsigned char>(ascii[i]);
  return TString(std::move(s));
}

TString TString::FromUtf8(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* end = p + in.size();
  while (p < end) {
    unsigned char c = *p;
    if (c < 0x80) {
      out.push_back(c);
      ++p;
      continue;
    }
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0 || end - p <= extra) {  // stray or truncated byte: replacement character
      out.push_back(u'\uFFFD');
      ++p;
      continue;
    }
    char32_t cp = c & (0x3F >> extra);
    bool ok = true;
    for (int i = 1; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out.push_back(u'\uFFFD');
      ++p;
      continue;
    }
    AppendCodePoint(out, cp);
    p += extra + 1;
  }
  return TString(std::move(out));
}

void TString::AppendUtf8To(std::string& out) const {
  const std::size_t n = m_s.size();
  for (std::size_t i = 0; i < n; ++i) {
    char32_t cp = m_s[i];
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < n && m_s[i + 1] >= 0xDC00 && m_s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (m_s[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
}

std::string TString::ToUtf8() const {
  std::string out;
  out.reserve(m_s.size());
  AppendUtf8To(out);
  return out;
}
