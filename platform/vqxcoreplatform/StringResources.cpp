#include "vqxcoreplatform/StringResources.h"

#include <utility>

namespace {
// The few texts the stand-in knows, in English.
constexpr std::pair<std::uint32_t, const char16_t*> kTexts[] = {
    {381110460u, u"Exact Date"},
    {0xBC871A5Eu, u"Exact"},
};
}  // namespace

TString LookupTStr(std::uint32_t id) {
  for (const auto& [key, text] : kTexts)
    if (key == id) return TString(text);
  return TString();
}
