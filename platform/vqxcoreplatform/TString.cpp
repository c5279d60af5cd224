#include "vqxcoreplatform/TString.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// How many bytes from p on are ASCII, sixteen at a time.
std::size_t AsciiPrefix(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16)
    if (const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))))
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
#endif
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// The ASCII bytes as UTF-16 code units.
void Widen(const unsigned char* p, std::size_t n, char16_t* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(x, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(x, zero));
  }
#endif
  for (; i < n; ++i) out[i] = p[i];
}

// Decodes UTF-8, also surrogates encoded one by one (as lone surrogates travel). Malformed
// sequences become U+FFFD, or stop the decoding when strict.
bool DecodeUtf8(std::string_view in, std::u16string& out, bool strict) {
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* end = p + in.size();
  // Plain ASCII, the usual case, is widened in one pass.
  const std::size_t ascii = AsciiPrefix(p, in.size());
  out.resize(ascii);
  Widen(p, ascii, out.data());
  p += ascii;
  if (p == end) return true;
  out.reserve(in.size());
  while (p < end) {
    const unsigned char c = *p;
    if (c < 0x80) {
      out.push_back(c);
      ++p;
      continue;
    }
    const int extra = c >= 0xF8 ? -1 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
    bool ok = extra > 0 && end - p > extra;
    char32_t cp = ok ? c & (0x3F >> extra) : 0;
    for (int i = 1; ok && i <= extra; ++i) {
      ok = (p[i] & 0xC0) == 0x80;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    // Overlong forms and values past the last code point are malformed.
    if (ok && ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))) ok = false;
    if (!ok) {
      if (strict) return false;
      out.push_back(u'\uFFFD');
      ++p;
      continue;
    }
    AppendCodePoint(out, cp);
    p += extra + 1;
  }
  return true;
}

}  // namespace

TString TString::FromUtf8(std::string_view in) {
  std::u16string out;
  DecodeUtf8(in, out, false);
  return TString(std::move(out));
}

std::optional<TString> TString::FromUtf8Checked(std::string_view in) {
  std::u16string out;
  if (!DecodeUtf8(in, out, true)) return std::nullopt;
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
    char bytes[4];
    out.append(bytes, EncodeUtf8(cp, bytes));
  }
}

std::string TString::ToUtf8() const {
  std::string out;
  out.reserve(m_s.size());
  AppendUtf8To(out);
  return out;
}
