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
  const std::size_t h = std::hash<std::string_view>()(text);
  auto it = std::lower_bound(views.asciiIndex.begin(), views.asciiIndex.end(), h,
                             [](const std::pair<std::size_t, std::uint32_t>& e, std::size_t k) { return e.first < k; });
  for (; it != views.asciiIndex.end() && it->first == h; ++it) {
    const std::u16string_view entry = entries[it->second].second.View();
    if (entry.size() == text.size() && std::equal(text.begin(), text.end(), entry.begin())) return it->second;
  }
  return -1;
}
