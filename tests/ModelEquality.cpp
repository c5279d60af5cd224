#include "ModelEquality.h"

#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/Catalogue.h"
#include "models/FrameworkTestModels.h"
#include "wire/JsonCursor.h"

namespace test {

namespace {

// The table entry of a model's own class, found by its dynamic type.
const ModelInfo* ClassOf(const PresentationModel& model) {
  static const auto classes = [] {
    std::unordered_map<std::type_index, const ModelInfo*> map;
    for (auto models : {AllModels(), FrameworkTestFamilyModels()})
      for (ModelInfoGetter get : models) {
        const ModelInfo& info = get();
        const RefCntPtr<PresentationModel> made = info.create();
        if (const PresentationModel* model = made.get()) map.emplace(typeid(*model), &info);
      }
    return map;
  }();
  const auto found = classes.find(typeid(model));
  return found == classes.end() ? nullptr : found->second;
}

// A test on another member of the level that leaves this one out of the text.
bool GuardedOut(const ModelInfo& level, const MemberInfo& m, const PresentationModel* model) {
  const MemberCondition& g = m.guard;
  if (g.op == CompareOp::None || g.member < 0) return false;  // own tests: PassesOwnPresence
  const MemberInfo& subject = level.members[static_cast<std::size_t>(g.member)];
  const void* field = subject.Field(model);
  if (g.op == CompareOp::Set) return subject.codec->isEmpty(subject, field);
  const int c = subject.codec->compare(subject, field, g.value);
  const bool holds = g.op == CompareOp::Eq   ? c == 0
                     : g.op == CompareOp::Ne ? c != 0
                     : g.op == CompareOp::Gt ? c == 1
                                             : c == 0 || c == 1;
  return !holds;
}

// The class whose levels a model is written with, when its writer is that of `declared`:
// its own, except that a kind root that tries classes in order writes a model of none of
// them as the root itself (and so it reads back as the root).
const ModelInfo& WrittenAs(const ModelInfo& declared, const ModelInfo& own, const PresentationModel* model) {
  const KindDispatch* kinds = declared.kinds;
  if (!kinds || kinds->scheme != KindScheme::TryOrder) return own;
  for (ModelInfoGetter tried : kinds->tried)
    if (tried().isInstance(model)) return own;
  return declared;
}

bool Written(const ModelInfo& level, const MemberInfo& m, const PresentationModel* model) {
  const void* field = m.Field(model);
  if (!m.write || !PassesOwnPresence(m, field) || GuardedOut(level, m, model)) return false;
  const EncodingKind k = m.codec->kind;
  return !((k == EncodingKind::TextMap || k == EncodingKind::StructureMap) && m.codec->isEmpty(m, field));
}

struct Held {
  const TString* key;
  const PresentationModel* model;
};

std::vector<Held> HeldModels(const MemberInfo& m, const void* field) {
  std::vector<Held> held;
  m.codec->eachModel(m, field, &held, [](void* context, const TString* key, const PresentationModel* model) {
    static_cast<std::vector<Held>*>(context)->push_back({key, model});
  });
  return held;
}

class Comparison {
 public:
  explicit Comparison(const ParametersRegistry& registry) : m_registry(registry) {}

  // `declared`: the class whose writer wrote `a`; null for its own.
  std::string Models(const ModelInfo* declared, const PresentationModel* a, const PresentationModel* b) const {
    if (!a || !b) return a == b ? "" : a ? ": read back as null" : ": null read back as a model";
    const ModelInfo* own = ClassOf(*a);
    if (!own) return ": a model of no known class";
    const ModelInfo* info = declared ? &WrittenAs(*declared, *own, a) : own;
    if (const ModelInfo* other = ClassOf(*b); other != info)
      return std::string(": a ") + own->name + " read back as a " + (other ? other->name : typeid(*b).name());
    for (const ModelInfo* level = info; level; level = level->base ? &level->base() : nullptr)
      for (const MemberInfo& m : level->members) {
        if (!m.read || !Written(*level, m, a)) continue;
        if (std::string d = Member(m, m.Field(a), m.Field(b)); !d.empty()) return "." + std::string(m.stem) + d;
      }
    return {};
  }

 private:
  std::string Member(const MemberInfo& m, const void* a, const void* b) const {
    if (m.codec->eachModel) return HeldDifference(m, a, b);
    const int order = m.codec->compare(m, a, b);
    if (order == 0) return {};
    const std::string ta = Text(m, a), tb = Text(m, b);
    if (order == kUnordered && ta == tb) return {};
    return ": " + ta.substr(0, 200) + " read back as " + tb.substr(0, 200);
  }

  std::string HeldDifference(const MemberInfo& m, const void* a, const void* b) const {
    const std::vector<Held> ha = HeldModels(m, a), hb = HeldModels(m, b);
    if (ha.size() != hb.size())
      return ": " + std::to_string(ha.size()) + " models read back as " + std::to_string(hb.size());
    for (std::size_t i = 0; i < ha.size(); ++i) {
      const std::string where = ha[i].key ? "[" + ha[i].key->ToUtf8() + "]" : "[" + std::to_string(i) + "]";
      if (ha[i].key && !(*ha[i].key == *hb[i].key)) return where + ": read back as key " + hb[i].key->ToUtf8();
      if (std::string d = Models(&m.model(), ha[i].model, hb[i].model); !d.empty())
        return m.codec->kind == EncodingKind::NestedStructure ? d : where + d;
    }
    return {};
  }

  // The member alone as wire text.
  std::string Text(const MemberInfo& m, const void* field) const {
    JsonCursor cursor(m_registry);
    try {
      m.codec->write(m, field, cursor, true);
    } catch (const std::exception& e) {
      return std::string("(not written: ") + e.what() + ")";
    }
    return cursor.Finish();
  }

  const ParametersRegistry& m_registry;
};

}  // namespace

std::string ModelDifference(const ParametersRegistry& registry, const PresentationModel* a,
                            const PresentationModel* b, const ModelInfo* writtenBy) {
  const std::string d = Comparison(registry).Models(writtenBy, a, b);
  if (d.empty()) return d;
  const ModelInfo* info = a ? ClassOf(*a) : nullptr;
  return (info ? info->name : "model") + d;
}

}  // namespace test
