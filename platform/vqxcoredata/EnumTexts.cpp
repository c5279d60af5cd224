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
