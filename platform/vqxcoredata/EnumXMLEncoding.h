#pragma once
// EnumXMLEncoding<E, S>: the text table of one enumeration, built once when the library
// is loaded. Entries are ordered by value taken as a signed 32-bit integer.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace Implementation {
[[noreturn]] void ThrowXMLEnumEncodingException();
[[noreturn]] void ThrowXMLEnumDecodingException();
}  // namespace Implementation

// The texts of a table by hash: (hash of the text, position of its entry), ordered by hash
// and then position, so that among equal texts the first entry in value order is found.
using EnumTextIndex = std::vector<std::pair<std::size_t, std::uint32_t>>;

// The position of the first entry whose text equals `text`, or -1: what a scan of the
// entries in value order finds, looked up by hash.
template <typename Entries, typename S>
long FindEnumText(const Entries& entries, const EnumTextIndex& index, const S& text) {
  const std::size_t h = std::hash<S>()(text);
  auto it = std::lower_bound(index.begin(), index.end(), h,
                             [](const std::pair<std::size_t, std::uint32_t>& e, std::size_t k) { return e.first < k; });
  for (; it != index.end() && it->first == h; ++it)
    if (entries[it->second].second == text) return static_cast<long>(it->second);
  return -1;
}

// Builds the index of a table's texts, and that of its ASCII texts by hash of their bytes.
template <typename Entries>
void SealEnumTexts(const Entries& entries, EnumTextIndex& index, EnumTextIndex& asciiIndex) {
  index.clear();
  index.reserve(entries.size());
  asciiIndex.clear();
  std::string ascii;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& text = entries[i].second;
    index.emplace_back(std::hash<std::decay_t<decltype(text)>>()(text), static_cast<std::uint32_t>(i));
    ascii.clear();
    for (auto c : text.View()) {
      if (c > 0x7F) break;
      ascii.push_back(static_cast<char>(c));
    }
    if (ascii.size() == text.View().size())
      asciiIndex.emplace_back(std::hash<std::string_view>()(ascii), static_cast<std::uint32_t>(i));
  }
  std::sort(index.begin(), index.end());
  std::sort(asciiIndex.begin(), asciiIndex.end());
}

// The position of the first entry whose text is the ASCII text `text`, or -1.
template <typename Entries>
long FindAsciiEnumText(const Entries& entries, const EnumTextIndex& asciiIndex, std::string_view text) {
  const std::size_t h = std::hash<std::string_view>()(text);
  auto it = std::lower_bound(asciiIndex.begin(), asciiIndex.end(), h,
                             [](const std::pair<std::size_t, std::uint32_t>& e, std::size_t k) { return e.first < k; });
  for (; it != asciiIndex.end() && it->first == h; ++it) {
    const auto entry = entries[it->second].second.View();
    if (entry.size() == text.size() && std::equal(text.begin(), text.end(), entry.begin())) return it->second;
  }
  return -1;
}

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
    m_index.clear();
    m_asciiIndex.clear();
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

  // The first entry in ascending value order whose text matches exactly: looked up by hash
  // once the table is sealed, scanned before.
  E Decode(const S& text, bool throwIfMissing) const {
    if (!m_index.empty() || m_entries.empty()) {
      const long at = FindEnumText(m_entries, m_index, text);
      if (at >= 0) return static_cast<E>(m_entries[static_cast<std::size_t>(at)].first);
    } else {
      for (const Entry& e : m_entries)
        if (e.second == text) return static_cast<E>(e.first);
    }
    if (throwIfMissing) Implementation::ThrowXMLEnumDecodingException();
    return m_default;
  }

  // Builds the index of texts; the table is complete. Changing an entry afterwards drops it.
  void Seal() { SealEnumTexts(m_entries, m_index, m_asciiIndex); }
  const EnumTextIndex& Index() const { return m_index; }

  // The position of the first entry (in value order) whose text is the ASCII text `text`,
  // as Decode finds it; -1 when there is none or the table is not sealed.
  long FindAscii(std::string_view text) const {
    if (m_index.size() != m_entries.size()) return -1;
    return FindAsciiEnumText(m_entries, m_asciiIndex, text);
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
  EnumTextIndex m_index;
  EnumTextIndex m_asciiIndex;  // the entries whose texts are ASCII, by hash of those bytes
  E m_default;
};
