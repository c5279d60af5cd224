#pragma once
// TString: the application's UTF-16 string. Ordered and compared by code unit.

#pragma GCC visibility push(default)

#include <compare>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Writes the UTF-8 form of a code point at p, which has room for four bytes; a surrogate
// (a lone one) takes its three-byte form. Returns the end.
inline char* EncodeUtf8(char32_t cp, char* p) {
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | (cp >> 6));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (cp >> 12));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return p;
}

class TString {
 public:
  TString() = default;
  TString(const char16_t* s) : m_s(s) {}  // NOLINT: u"..." literals
  TString(const wchar_t* s);              // NOLINT: L"..." literals
  TString(std::u16string s) : m_s(std::move(s)) {}  // NOLINT
  TString(std::u16string_view s) : m_s(s) {}        // NOLINT
  TString(const char16_t* s, std::size_t n) : m_s(s, n) {}

  // UTF-8 in and out. Lone surrogates travel as their three-byte forms.
  static TString FromUtf8(std::string_view utf8);  // malformed bytes become U+FFFD
  // Null when the bytes are not well-formed; surrogates encoded one by one are accepted.
  static std::optional<TString> FromUtf8Checked(std::string_view utf8);
  static TString FromAscii(std::string_view ascii);
  std::string ToUtf8() const;
  void AppendUtf8To(std::string& out) const;

  bool IsEmpty() const { return m_s.empty(); }
  std::size_t Length() const { return m_s.size(); }
  const char16_t* Data() const { return m_s.data(); }
  const std::u16string& Str() const { return m_s; }
  std::u16string_view View() const { return m_s; }
  void Append(std::u16string_view s) { m_s.append(s); }
  void Clear() { m_s.clear(); }

  friend bool operator==(const TString& a, const TString& b) { return a.m_s == b.m_s; }
  friend std::strong_ordering operator<=>(const TString& a, const TString& b) {
    return a.m_s <=> b.m_s;
  }

 private:
  std::u16string m_s;
};

template <>
struct std::hash<TString> {
  std::size_t operator()(const TString& s) const noexcept {
    return std::hash<std::u16string>()(s.Str());
  }
};

#pragma GCC visibility pop
