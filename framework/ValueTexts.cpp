#include "framework/ValueTexts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "vqxpreslayer/JsonText.h"
#include "vqxpreslayer/ParameterTypeSerializerImpl.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace {
const ParameterNamespaceName& DocNamespace() {
  static const ParameterNamespaceName ns("vqxdoc");
  return ns;
}
}  // namespace

TString ValueText<DocParameterID>::ToString(DocParameterID id) {
  const auto value = static_cast<std::uint32_t>(id);
  if (const LegacyParameterName* name = ParametersRegistry::Get().FindName(value)) return name->GetValue();
  char buf[16];
  const int n = std::snprintf(buf, sizeof buf, "0x%08x", value);
  return TString::FromAscii(std::string_view(buf, static_cast<std::size_t>(n)));
}

DocParameterID ValueText<DocParameterID>::FromString(const TString& text) {
  if (auto id = ParametersRegistry::Get().FindId(DocNamespace(), LegacyParameterName(text)))
    return static_cast<DocParameterID>(*id);
  const std::string s = text.ToUtf8();
  std::uint32_t value = 0;
  if (s.size() == 10 && s[0] == '0' && s[1] == 'x') {
    auto [p, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), value, 16);
    if (ec == std::errc() && p == s.data() + s.size()) return static_cast<DocParameterID>(value);
  }
  return DocParameterID{0};
}

namespace {

// FromOwnText's answers for texts met before on this thread, under the registry's names of
// the time: a small table by hash of the text (a reader meets the same few ids again and
// again).
struct KnownId {
  std::uint64_t namesVersion = 0;  // 0: an empty slot
  std::string text;
  std::optional<std::uint32_t> id;
};
constexpr std::size_t kKnownIds = 256;
constexpr std::size_t kLongestKnown = 128;  // longer texts are looked up each time

bool OwnText(const ParametersRegistry& registry, std::string_view text, DocParameterID& id);

}  // namespace

bool ValueText<DocParameterID>::FromOwnText(std::string_view text, DocParameterID& id) {
  const ParametersRegistry& registry = ParametersRegistry::Get();
  if (text.size() > kLongestKnown) return OwnText(registry, text, id);
  thread_local std::vector<KnownId> known(kKnownIds);
  KnownId& k = known[std::hash<std::string_view>()(text) & (kKnownIds - 1)];
  if (k.namesVersion != registry.NamesVersion() || k.text != text) {
    DocParameterID found{};
    k.id = OwnText(registry, text, found) ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(found))
                                          : std::nullopt;
    k.namesVersion = registry.NamesVersion();
    k.text.assign(text);
  }
  if (!k.id) return false;
  id = static_cast<DocParameterID>(*k.id);
  return true;
}

namespace {

bool OwnText(const ParametersRegistry& registry, std::string_view text, DocParameterID& id) {
  if (auto named = registry.FindId(DocNamespace(), text)) {
    // Its own name, not an earlier name of an id that was named again.
    const LegacyParameterName* name = registry.FindName(*named);
    const std::u16string_view own = name ? name->GetValue().View() : std::u16string_view();
    if (own.size() != text.size() || !std::equal(text.begin(), text.end(), own.begin())) return false;
    id = static_cast<DocParameterID>(*named);
    return true;
  }
  // An id without a name: "0x%08x", lower-case.
  if (text.size() != 10 || text[0] != '0' || text[1] != 'x') return false;
  std::uint32_t value = 0;
  for (std::size_t i = 2; i < 10; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9')
      value = value * 16 + static_cast<std::uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      value = value * 16 + static_cast<std::uint32_t>(c - 'a' + 10);
    else
      return false;
  }
  if (registry.FindName(value)) return false;
  id = static_cast<DocParameterID>(value);
  return true;
}

}  // namespace

void ValueText<DocParameterID>::WriteText(JsonText& out, DocParameterID id) {
  // The name the process-wide registry holds, as the key of the id has it.
  if (&out.Registry() == &ParametersRegistry::Get())
    out.Raw(out.NameText(static_cast<std::uint32_t>(id)));
  else
    out.String(ToString(id));
}

template class ParameterTypeSerializer<DocParameterID>;
template class ParameterTypeSerializer<ColorObject>;
template class ParameterTypeSerializer<SimpleIdentifier>;
template class ParameterTypeSerializer<ObjectIdentifier>;
template class ParameterTypeSerializer<StateIdentifier>;
template class ParameterTypeSerializer<SlideIdentifier>;
