#pragma once
// EnumXMLEncoding<E, S>: the text table of one enumeration, built once when the library
// is loaded. Entries are ordered by value taken as a signed 32-bit integer.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace Implementation {
[[noreturn]] void ThrowXMLEnumEncodingException();
[[noreturn]] void ThrowXMLEnumDecodingException();
}  // namespace Implementation

template <typename E, typename S>
class EnumXMLEncoding {
 public:
  using Entry = std::pair<std::int32_t, S>;

  explicit EnumXMLEncoding(E defaultValue) : m_default(defaultValue) {}
  EnumXMLEncoding(const EnumXMLEncoding&) = delete;
  EnumXMLEncoding& operator=(const EnumXMLEncoding&) = delete;
  EnumXMLEncoding(EnumXMLEncoding&&) noexcept = default;

  // The text slot of a value, created empty when absent. Used while the table is built.
  S& operator[](E&& value) {
    const auto key = static_cast<std::int32_t>(value);
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry& e, std::int32_t k) { return e.first < k; });
    if (it == m_entries.end() || it->first != key) it = m_entries.insert(it, Entry(key, S()));
    return it->second;
  }

  S Encode(E value) const {
    if (const S* text = Find(value)) return *text;
    Implementation::ThrowXMLEnumEncodingException();
  }

  // Linear scan in ascending value order; the first exact match wins.
  E Decode(const S& text, bool throwIfMissing) const {
    for (const Entry& e : m_entries)
      if (e.second == text) return static_cast<E>(e.first);
    if (throwIfMissing) Implementation::ThrowXMLEnumDecodingException();
    return m_default;
  }

  const S* Find(E value) const {
    const auto key = static_cast<std::int32_t>(value);
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry& e, std::int32_t k) { return e.first < k; });
    return it != m_entries.end() && it->first == key ? &it->second : nullptr;
  }

  E DefaultValue() const { return m_default; }
  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  std::vector<Entry> m_entries;
  E m_default;
};
