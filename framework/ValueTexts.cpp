#include "framework/ValueTexts.h"

#include <charconv>
#include <cstdio>

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

template class ParameterTypeSerializer<DocParameterID>;
template class ParameterTypeSerializer<ColorObject>;
template class ParameterTypeSerializer<SimpleIdentifier>;
template class ParameterTypeSerializer<ObjectIdentifier>;
template class ParameterTypeSerializer<StateIdentifier>;
template class ParameterTypeSerializer<SlideIdentifier>;
