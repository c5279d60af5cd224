#include "framework/Sampler.h"

#include "framework/DocParameterID.h"
#include "vqxpreslayer/ParametersRegistry.h"

Sampler::Sampler(std::uint64_t seed, const ParametersRegistry& registry, int maxDepth)
    : m_state(seed * 0x9E3779B97F4A7C15ull + 1), m_registry(registry), m_maxDepth(maxDepth) {}

std::uint64_t Sampler::Next() {  // splitmix64: the same numbers on every platform
  std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::int64_t Sampler::Between(std::int64_t lo, std::int64_t hi) {
  return lo + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
}

TString Sampler::Text() {
  static const char16_t* const kWords[] = {u"Sales", u"Region", u"Profit", u"Order Date", u"caf\u00e9",
                                           u"\u6570\u636e", u"a \"quoted\" word", u"back\\slash", u"line\nbreak",
                                           u"\U0001F4CA chart"};
  std::u16string s = kWords[Next() % std::size(kWords)];
  if (Chance(20)) {
    s += u' ';
    s += kWords[Next() % std::size(kWords)];
  }
  if (m_loneSurrogates && Chance(5)) s += char16_t(0xD800 + Between(0, 0x7FF));  // a lone surrogate now and then
  return TString(std::move(s));
}

TString Sampler::Key() {
  std::u16string s = u"key";
  s += char16_t(u'a' + Between(0, 25));
  s += char16_t(u'0' + Between(0, 9));
  return TString(std::move(s));
}

std::uint32_t Sampler::KnownParameterId() {
  if (m_ids.empty()) m_ids = m_registry.GetNamedIds();
  return m_ids.empty() ? 0 : m_ids[Next() % m_ids.size()];
}

RefCntPtr<PresentationModel> Sampler::Model(const ModelInfo& info) {
  // A checked level that hands its models on to subclasses is sampled as one of them, whose
  // constructor sets the discriminants that name it.
  if (info.level && !info.level->cases.empty())
    return Model(info.level->cases[Next() % info.level->cases.size()].info());
  // A kind root that reads back only the classes its kinds name, and names none of its own,
  // is sampled as one of them.
  if (info.kinds && info.kinds->readByKind && !info.kinds->tags.empty()) {
    bool tagged = false;
    for (const KindTag& t : info.kinds->tags) tagged = tagged || &t.info() == &info;
    if (!tagged) return Model(info.kinds->tags[Next() % info.kinds->tags.size()].info());
  }
  RefCntPtr<PresentationModel> model = info.create();
  ++m_depth;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{m_depth};
  Fill(info, model.get());
  // A class that its family tells apart by a discriminant carries its own value, or that of
  // the nearest class above it that has one.
  const ModelInfo* root = &info;
  std::uint32_t type = info.typeId;
  while (root->dispatchMember < 0 && root->base) {
    root = &root->base();
    if (!type) type = root->typeId;
  }
  // A class with no such value anywhere above it names no class: its discriminant is 0.
  if (root->dispatchMember >= 0) {
    const MemberInfo& d = root->members[static_cast<std::size_t>(root->dispatchMember)];
    *static_cast<DocParameterID*>(d.Field(model.get())) = static_cast<DocParameterID>(type);
  }
  return model;
}

namespace {
// The parameter id of the member that names the kind of the class's family; 0 when none.
std::uint32_t KindId(const ModelInfo& info) {
  for (const ModelInfo* b = &info; b; b = b->base ? &b->base() : nullptr)
    if (b->kinds) return b->kinds->kindId;
  return 0;
}
}  // namespace

void Sampler::Fill(const ModelInfo& info, PresentationModel* model) {
  if (info.base) Fill(info.base(), model);
  const std::uint32_t kindId = KindId(info);
  for (const MemberInfo& m : info.members) {
    if (!m.read || !m.write) continue;  // written and not read back: left as it starts
    if (kindId && m.id == kindId) continue;  // the kind its constructor gives it
    if (info.level && &m == &info.members[static_cast<std::size_t>(info.level->member)]) continue;
    const EncodingKind k = m.codec->kind;
    const bool required = !m.IsConditional() && (k == EncodingKind::NestedStructure ||
                                                 k == EncodingKind::EmbeddedParameters || k == EncodingKind::Command);
    if (Deep() && !required) continue;
    // A value the member's own presence test leaves out would not come back: try another.
    void* field = m.Field(model);
    for (int attempt = 0; attempt < 16; ++attempt) {
      m.codec->sample(m, field, *this);
      if (PassesOwnPresence(m, field)) break;
    }
  }
}
