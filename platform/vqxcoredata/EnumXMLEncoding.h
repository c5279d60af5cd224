#pragma once
// EnumXMLEncoding<E, S>: the text table of one enumeration, built once when the library
// is loaded. Entries are ordered by value taken as a signed 32-bit integer.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vqxcoreplatform/TString.h"

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

// What a sealed table keeps beside its entries: the index of its ASCII texts by hash of
// their bytes, for readers of UTF-8 text, and, when its builder gives them, each text as
// written in JSON (quoted and escaped), for writers of JSON text.
struct EnumTextViews {
  EnumTextIndex asciiIndex;
  std::vector<std::string> json;
};
void SealEnumTexts(const std::vector<std::pair<std::int32_t, TString>>& entries, EnumTextIndex& index,
                   EnumTextViews& views);

// The position of the first entry whose text is the ASCII text `text`, or -1.
long FindAsciiEnumText(const std::vector<std::pair<std::int32_t, TString>>& entries, const EnumTextViews& views,
                       std::string_view text);

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
    m_views = EnumTextViews();
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
  void Seal() { SealEnumTexts(m_entries, m_index, m_views); }
  const EnumTextIndex& Index() const { return m_index; }

  // The position of the first entry (in value order) whose text is the ASCII text `text`,
  // as Decode finds it; -1 when there is none or the table is not sealed.
  long FindAscii(std::string_view text) const {
    if (m_index.size() != m_entries.size()) return -1;
    return FindAsciiEnumText(m_entries, m_views, text);
  }

  // Each entry's text as written in JSON, in entry order, once the table is sealed.
  void SetJsonTexts(std::vector<std::string> json) { m_views.json = std::move(json); }
  // The value's text as written in JSON; empty when the value has none or the table has no
  // JSON texts.
  std::string_view JsonText(E value) const {
    if (m_views.json.size() != m_entries.size()) return {};
    const auto key = static_cast<std::int32_t>(value);
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry& e, std::int32_t k) { return e.first < k; });
    return it != m_entries.end() && it->first == key ? std::string_view(m_views.json[it - m_entries.begin()])
                                                     : std::string_view();
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
  EnumTextViews m_views;
  E m_default;
};
