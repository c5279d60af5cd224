#pragma once
// EnumXMLEncoding<E, S>: the text table of one enumeration, built once when the library
// is loaded. Entries are ordered by value taken as a signed 32-bit integer.

#pragma GCC visibility push(default)

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
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

// The table of one enumeration apart from its type: values as signed 32-bit integers, in
// ascending order, each with its text. Shared by every EnumXMLEncoding<E, TString>, so that
// what tables do is written, and compiled, once.
class EnumTextTable {
 public:
  using Entry = std::pair<std::int32_t, TString>;

  explicit EnumTextTable(std::int32_t defaultValue) : m_default(defaultValue) {}
  EnumTextTable(const EnumTextTable&) = delete;
  EnumTextTable& operator=(const EnumTextTable&) = delete;
  EnumTextTable(EnumTextTable&&) noexcept = default;

  // The text slot of a value, created empty when absent. Used while the table is built.
  TString& Slot(std::int32_t value);
  // Builds the index of texts; the table is complete. Changing an entry afterwards drops it.
  void Seal();

  // The value's text, or null when it has none.
  const TString* Find(std::int32_t value) const;
  // The value's text; raises the encoding error when it has none.
  const TString& Encode(std::int32_t value) const;
  // The first entry in ascending value order whose text matches exactly (looked up by hash
  // once the table is sealed, scanned before): its value, else the default value or, with
  // throwIfMissing, the decoding error.
  std::int32_t Decode(const TString& text, bool throwIfMissing) const;
  // The position of the first entry (in value order) whose text is the ASCII text `text`,
  // as Decode finds it; -1 when there is none or the table is not sealed.
  long FindAscii(std::string_view text) const;

  // Each entry's text as written in JSON, in entry order, once the table is sealed.
  void SetJsonTexts(std::vector<std::string> json) { m_views.json = std::move(json); }
  // The value's text as written in JSON; empty when the value has none or the table has no
  // JSON texts.
  std::string_view JsonText(std::int32_t value) const;

  std::int32_t Default() const { return m_default; }
  const std::vector<Entry>& Entries() const { return m_entries; }
  const EnumTextIndex& Index() const { return m_index; }

 private:
  // Where the entry of `key` is or would go, in value order.
  std::size_t Lower(std::int32_t key) const;
  // The position of the value's entry, or -1.
  long Position(std::int32_t value) const;

  std::vector<Entry> m_entries;
  EnumTextIndex m_index;
  EnumTextViews m_views;
  std::int32_t m_default;
};

// EnumXMLEncoding<E, TString>: the table of E, its values typed.
template <typename E, typename S>
class EnumXMLEncoding : public EnumTextTable {
  static_assert(std::is_same_v<S, TString>, "tables hold TString texts");

 public:
  explicit EnumXMLEncoding(E defaultValue) : EnumTextTable(static_cast<std::int32_t>(defaultValue)) {}
  EnumXMLEncoding(EnumXMLEncoding&&) noexcept = default;

  S& operator[](E&& value) { return Slot(static_cast<std::int32_t>(value)); }
  S Encode(E value) const { return EnumTextTable::Encode(static_cast<std::int32_t>(value)); }
  E Decode(const S& text, bool throwIfMissing) const {
    return static_cast<E>(EnumTextTable::Decode(text, throwIfMissing));
  }
  const S* Find(E value) const { return EnumTextTable::Find(static_cast<std::int32_t>(value)); }
  std::string_view JsonText(E value) const { return EnumTextTable::JsonText(static_cast<std::int32_t>(value)); }
  E DefaultValue() const { return static_cast<E>(Default()); }
};

#pragma GCC visibility pop
