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
// The first position among those of hash `h` in `index` whose entry `matches`, or -1.
template <typename Matches>
long FindInEnumIndex(const EnumTextIndex& index, std::size_t h, Matches matches) {
  auto it = std::lower_bound(index.begin(), index.end(), h,
                             [](const std::pair<std::size_t, std::uint32_t>& e, std::size_t k) { return e.first < k; });
  for (; it != index.end() && it->first == h; ++it)
    if (matches(it->second)) return static_cast<long>(it->second);
  return -1;
}

template <typename Entries, typename S>
long FindEnumText(const Entries& entries, const EnumTextIndex& index, const S& text) {
  return FindInEnumIndex(index, std::hash<S>()(text), [&](std::uint32_t at) { return entries[at].second == text; });
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
    auto it = m_entries.begin() + static_cast<std::ptrdiff_t>(Lower(key));
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
    const long at = Position(value);
    return at >= 0 ? std::string_view(m_views.json[static_cast<std::size_t>(at)]) : std::string_view();
  }

  const S* Find(E value) const {
    const long at = Position(value);
    return at >= 0 ? &m_entries[static_cast<std::size_t>(at)].second : nullptr;
  }

  E DefaultValue() const { return m_default; }
  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  // Where the entry of `key` is or would go, in value order.
  std::size_t Lower(std::int32_t key) const {
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry& e, std::int32_t k) { return e.first < k; });
    return static_cast<std::size_t>(it - m_entries.begin());
  }
  // The position of the value's entry, or -1.
  long Position(E value) const {
    const auto key = static_cast<std::int32_t>(value);
    const std::size_t at = Lower(key);
    return at < m_entries.size() && m_entries[at].first == key ? static_cast<long>(at) : -1;
  }

  std::vector<Entry> m_entries;
  EnumTextIndex m_index;
  EnumTextViews m_views;
  E m_default;
};
