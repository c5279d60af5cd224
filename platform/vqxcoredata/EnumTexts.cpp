#include <algorithm>

#include "vqxcoredata/EnumXMLEncoding.h"

void SealEnumTexts(const std::vector<std::pair<std::int32_t, TString>>& entries, EnumTextIndex& index,
                   EnumTextViews& views) {
  index.clear();
  index.reserve(entries.size());
  views = EnumTextViews();
  std::string ascii;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TString& text = entries[i].second;
    index.emplace_back(std::hash<TString>()(text), static_cast<std::uint32_t>(i));
    ascii.clear();
    for (char16_t c : text.View()) {
      if (c > 0x7F) break;
      ascii.push_back(static_cast<char>(c));
    }
    if (ascii.size() == text.Length())
      views.asciiIndex.emplace_back(std::hash<std::string_view>()(ascii), static_cast<std::uint32_t>(i));
  }
  std::sort(index.begin(), index.end());
  std::sort(views.asciiIndex.begin(), views.asciiIndex.end());
}

long FindAsciiEnumText(const std::vector<std::pair<std::int32_t, TString>>& entries, const EnumTextViews& views,
                       std::string_view text) {
  return FindInEnumIndex(views.asciiIndex, std::hash<std::string_view>()(text), [&](std::uint32_t at) {
    const std::u16string_view entry = entries[at].second.View();
    return entry.size() == text.size() && std::equal(text.begin(), text.end(), entry.begin());
  });
}

TString& EnumTextTable::Slot(std::int32_t value) {
  m_index.clear();
  m_views = EnumTextViews();
  auto it = m_entries.begin() + static_cast<std::ptrdiff_t>(Lower(value));
  if (it == m_entries.end() || it->first != value) it = m_entries.insert(it, Entry(value, TString()));
  return it->second;
}

void EnumTextTable::Seal() { SealEnumTexts(m_entries, m_index, m_views); }

const TString* EnumTextTable::Find(std::int32_t value) const {
  const long at = Position(value);
  return at >= 0 ? &m_entries[static_cast<std::size_t>(at)].second : nullptr;
}

const TString& EnumTextTable::Encode(std::int32_t value) const {
  if (const TString* text = Find(value)) return *text;
  Implementation::ThrowXMLEnumEncodingException();
}

std::int32_t EnumTextTable::Decode(const TString& text, bool throwIfMissing) const {
  if (!m_index.empty() || m_entries.empty()) {
    const long at = FindEnumText(m_entries, m_index, text);
    if (at >= 0) return m_entries[static_cast<std::size_t>(at)].first;
  } else {
    for (const Entry& e : m_entries)
      if (e.second == text) return e.first;
  }
  if (throwIfMissing) Implementation::ThrowXMLEnumDecodingException();
  return m_default;
}

long EnumTextTable::FindAscii(std::string_view text) const {
  if (m_index.size() != m_entries.size()) return -1;
  return FindAsciiEnumText(m_entries, m_views, text);
}

std::string_view EnumTextTable::JsonText(std::int32_t value) const {
  if (m_views.json.size() != m_entries.size()) return {};
  const long at = Position(value);
  return at >= 0 ? std::string_view(m_views.json[static_cast<std::size_t>(at)]) : std::string_view();
}

std::size_t EnumTextTable::Lower(std::int32_t key) const {
  auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                             [](const Entry& e, std::int32_t k) { return e.first < k; });
  return static_cast<std::size_t>(it - m_entries.begin());
}

long EnumTextTable::Position(std::int32_t value) const {
  const std::size_t at = Lower(value);
  return at < m_entries.size() && m_entries[at].first == value ? static_cast<long>(at) : -1;
}
