#include "wire/WireReader.h"

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/ModelInfo.h"
#include "framework/StructSerializer.h"
#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayerdata/HostStructures.h"
#include "wire/WireParser.h"

WireFormatException::WireFormatException(std::size_t offset, const std::string& reason, const std::string& path)
    : std::runtime_error("wire text, byte " + std::to_string(offset) + ": " + reason),
      m_offset(offset),
      m_reason(reason) {
  if (!path.empty()) AddStep(path);
}

namespace {

struct ModelPlan;

// What the reader needs of one parameter id.
struct Target {
  std::uint32_t id = 0;
  std::string name;
  ParameterShape shape = ParameterShape::Single;
  const IParameterSerializer* values = nullptr;
  const IStructureSerializer* structures = nullptr;
  // A text value: its holder takes the read text over instead of a copy of it.
  bool plainText = false;
  // An enumeration's value: a text its table does not hold is an unknown text.
  bool enumeration = false;
  // Structures of a model class: how that class is read straight from text.
  const ModelPlan* plan = nullptr;
  // Value structures read straight from text, without a bag: their serializer's way.
  const IValueStructureReading* reading = nullptr;
};

// One member of a model read straight from text.
struct PlanMember {
  std::uint32_t id;
  const MemberInfo* member;
  const Target* target;  // what the registry reads the id as; null for an id it does not know
  // Generic: the value is made as a bag would hold it and handed to the member's codec.
  // Text: the text is decoded into the field. Items: each text of the list is decoded into
  // an item of the field. Models: the models of the id are of the member's own class and go
  // into the field as they are read. Values: the value structures of the id (nested, or a
  // map's entries) are of the member's type and go into the field as they are read.
  enum class How : std::uint8_t { Generic, Text, Items, Models, Values } how = How::Generic;
  // Members sharing the id: the first of them, and the next after this one (-1: none).
  std::int16_t first = 0;
  std::int16_t next = -1;
};

// How the models of one class are read straight from text into their members, skipping the
// bag of parameters that the structure serializer's ToObject reads (the reference way, which
// every class takes whose reader does more than set its members: hooks, checked levels,
// kind roots, contextual values).
struct ModelPlan {
  const ModelInfo* info = nullptr;  // the serializer's class, whose holder carries the model on
  bool direct = false;
  // A class that hands its models on by a discriminant: that member, else null. Its models
  // are read straight from text when the discriminant comes first and names a class read so.
  const MemberInfo* discriminant = nullptr;
  std::vector<PlanMember> members;  // every level's, in the order the writer writes them

  // The first member with the id, or -1. Text lists members in the order of the plan, most
  // of them present, so the search starts where the last one was found (`hint`, moved on).
  int Find(std::uint32_t id, std::size_t& hint) const {
    const std::size_t n = members.size();
    std::size_t at = hint < n ? hint : 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (members[at].id == id) {
        hint = at + 1;
        return members[at].first;
      }
      if (++at == n) at = 0;
    }
    return -1;
  }
  int Find(std::uint32_t id) const {
    std::size_t hint = 0;
    return Find(id, hint);
  }
  // The member at `hint` or a few after it whose name is `name`, as text in the writer's
  // order has it (the members between are absent): its place, or -1 when the name is
  // further on, elsewhere or unknown, for the lookup by name.
  int Expect(std::size_t hint, std::string_view name) const {
    static constexpr std::size_t kAhead = 8;
    for (std::size_t at = hint, end = std::min(members.size(), hint + kAhead); at < end; ++at) {
      const Target* t = members[at].target;
      if (t && t->name.size() == name.size() && std::memcmp(t->name.data(), name.data(), name.size()) == 0)
        return static_cast<int>(at);
    }
    return -1;
  }
  // The class a discriminant's value names, as the reader of the class chooses it.
  const ModelInfo& Named(std::uint32_t type) const {
    for (const ConcreteClass& c : info->concrete)
      if (c.type == type) return c.info();
    return info->fallback ? info->fallback() : *info;
  }
};

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

// Names to their targets: every key of a text is looked up here, so an open-addressing
// table (a power-of-two number of slots, at most a quarter used) with a cheap hash of the
// name's first and last eight bytes and its length.
class NameTable {
 public:
  void Build(const std::vector<const Target*>& targets) {
    std::size_t size = 64;
    while (size < 4 * targets.size()) size *= 2;
    m_slots.assign(size, Slot{});
    for (const Target* t : targets) {
      const std::uint64_t h = Hash(t->name);
      std::size_t at = h & (size - 1);
      while (m_slots[at].target) at = (at + 1) & (size - 1);
      m_slots[at] = Slot{h, t->name.data(), t->name.size(), t};
    }
  }

  const Target* Find(std::string_view name) const {
    if (m_slots.empty()) return nullptr;
    const std::uint64_t h = Hash(name);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = h & mask;; at = (at + 1) & mask) {
      const Slot& slot = m_slots[at];
      if (!slot.target) return nullptr;
      if (slot.hash == h && slot.size == name.size() && std::memcmp(slot.name, name.data(), name.size()) == 0)
        return slot.target;
    }
  }

 private:
  static std::uint64_t Hash(std::string_view s) {
    std::uint64_t a = 0, b = 0;
    if (s.size() >= 8) {
      std::memcpy(&a, s.data(), 8);
      std::memcpy(&b, s.data() + s.size() - 8, 8);
    } else {
      for (char c : s) a = (a << 8) | static_cast<unsigned char>(c);
    }
    const std::uint64_t h = (a * 0x9E3779B97F4A7C15ull) ^ (b * 0xBF58476D1CE4E5B9ull) ^ s.size();
    return h ^ (h >> 29);
  }

  struct Slot {
    std::uint64_t hash = 0;
    const char* name = nullptr;
    std::size_t size = 0;
    const Target* target = nullptr;  // null: an empty slot
  };
  std::vector<Slot> m_slots;
};

// Whether the reader of a class does nothing but set its members from the bag, at every level.
bool SetsMembersOnly(const ModelInfo& info) {
  for (const ModelInfo* level = &info; level; level = level->base ? &level->base() : nullptr) {
    if (level->readHook || level->level || (level->kinds && level->kinds->readByKind)) return false;
    for (const MemberInfo& m : level->members)
      if (m.read && m.codec->kind == EncodingKind::ContextualValue) return false;
  }
  return true;
}

}  // namespace

struct WireReader::Index {
  const ParametersRegistry* registry;
  std::unordered_map<std::string, Target, NameHash, std::equal_to<>> byName;
  NameTable names;  // byName's targets, for the lookup of every key
  // The registered ids without a name, as they are written ("0x%08x"), described up front:
  // reading never changes the index, so threads may share it.
  std::unordered_map<std::uint32_t, Target> byHex;
  std::unordered_map<std::uint32_t, const Target*> byId;
  std::unordered_map<const ModelInfo*, ModelPlan> plans;

  const Target* Find(std::string_view name) const {
    if (const Target* t = names.Find(name)) return t;
    std::uint32_t id = 0;
    if (name.size() == 10 && name.substr(0, 2) == "0x") {
      auto [p, ec] = std::from_chars(name.data() + 2, name.data() + name.size(), id, 16);
      if (ec == std::errc() && p == name.data() + name.size()) {
        if (auto it = byHex.find(id); it != byHex.end()) return &it->second;
        // A named id given by number.
        if (const LegacyParameterName* named = registry->FindName(id))
          if (auto it = byName.find(named->GetValue().ToUtf8()); it != byName.end()) return &it->second;
      }
    }
    return nullptr;
  }

  Target Describe(std::uint32_t id, std::string name) const {
    Target t;
    t.id = id;
    t.name = std::move(name);
    t.shape = registry->GetShape(id).value_or(ParameterShape::Single);
    t.values = registry->GetParameterSerializer(id);
    t.structures = registry->GetStructureSerializer(id);
    t.plainText = dynamic_cast<const ParameterTypeSerializer<TString>*>(t.values) != nullptr;
    t.enumeration = dynamic_cast<const EnumerationSerializer*>(t.values) != nullptr;
    t.reading = dynamic_cast<const IValueStructureReading*>(t.structures);
    return t;
  }

  // How a member is read, given what the registry reads its id as.
  PlanMember::How HowRead(const MemberInfo& m) const {
    const auto it = byId.find(m.id);
    if (it == byId.end()) return PlanMember::How::Generic;
    const Target& t = *it->second;
    const MemberCodec& c = *m.codec;
    if (c.decode && t.values && !t.structures && t.shape == ParameterShape::Single &&
        typeid(*t.values) == *m.Serializer())
      return PlanMember::How::Text;
    if (c.decodeItem && t.values && !t.structures && t.shape == ParameterShape::List &&
        typeid(*t.values) == *m.Serializer())
      return PlanMember::How::Items;
    if (c.add && m.model && t.structures && ModelInfoOf(t.structures) == &m.model()) {
      const ParameterShape shape = c.kind == EncodingKind::NestedStructure  ? ParameterShape::Single
                                   : c.kind == EncodingKind::StructureList ? ParameterShape::List
                                                                           : ParameterShape::Map;
      if (t.shape == shape) return PlanMember::How::Models;
    }
    if (c.addValue && t.reading && typeid(*t.structures) == *m.Serializer()) {
      const ParameterShape shape = c.kind == EncodingKind::NestedStructure ? ParameterShape::Single : ParameterShape::Map;
      if (t.shape == shape) return PlanMember::How::Values;
    }
    return PlanMember::How::Generic;
  }

  void Plan(const ModelInfo& info) {
    if (plans.count(&info)) return;
    ModelPlan& plan = plans[&info];
    plan.info = &info;
    plan.direct = SetsMembersOnly(info);
    if (info.dispatchMember >= 0) plan.discriminant = &info.members[static_cast<std::size_t>(info.dispatchMember)];
    std::vector<const ModelInfo*> levels;  // the root first
    for (const ModelInfo* level = &info; level; level = level->base ? &level->base() : nullptr)
      levels.insert(levels.begin(), level);
    for (const ModelInfo* level : levels)
      for (const MemberInfo& m : level->members)
        if (m.read) {
          const auto it = byId.find(m.id);
          plan.members.push_back(PlanMember{m.id, &m, it == byId.end() ? nullptr : it->second, HowRead(m)});
        }
    std::unordered_map<std::uint32_t, std::size_t> last;  // the last member so far of each id
    for (std::size_t i = 0; i < plan.members.size(); ++i) {
      PlanMember& pm = plan.members[i];
      const auto [it, fresh] = last.try_emplace(pm.id, i);
      if (fresh) {
        pm.first = static_cast<std::int16_t>(i);
      } else {
        plan.members[it->second].next = static_cast<std::int16_t>(i);
        pm.first = plan.members[it->second].first;
        it->second = i;
      }
    }
  }

  // Every model class the registry reads, and every class their discriminants name.
  void PlanModels() {
    std::vector<const ModelInfo*> todo;
    for (auto& [id, t] : byId)
      if (const ModelInfo* info = ModelInfoOf(t->structures)) todo.push_back(info);
    while (!todo.empty()) {
      const ModelInfo* info = todo.back();
      todo.pop_back();
      if (plans.count(info)) continue;
      Plan(*info);
      for (const ConcreteClass& c : info->concrete) todo.push_back(&c.info());
      if (info->fallback) todo.push_back(&info->fallback());
    }
    for (auto& [id, t] : byHex) t.plan = PlanOf(t);
    for (auto& [name, t] : byName) t.plan = PlanOf(t);
  }

  const ModelPlan* PlanOf(const Target& t) const {
    const ModelInfo* info = ModelInfoOf(t.structures);
    if (!info) return nullptr;
    const auto it = plans.find(info);
    return it == plans.end() ? nullptr : &it->second;
  }
  const ModelPlan* PlanOf(const ModelInfo& info) const {
    const auto it = plans.find(&info);
    return it == plans.end() ? nullptr : &it->second;
  }
};

WireReader::WireReader(const ParametersRegistry& registry) : WireReader(registry, Limits()) {}

WireReader::WireReader(const ParametersRegistry& registry, Limits limits)
    : m_index(std::make_unique<Index>()), m_limits(limits) {
  m_index->registry = &registry;
  for (std::uint32_t id : registry.GetNamedIds()) {
    std::string name = registry.FindName(id)->GetValue().ToUtf8();
    m_index->byName.emplace(name, m_index->Describe(id, name));
  }
  for (std::uint32_t id : registry.GetIds()) {
    if (registry.FindName(id)) continue;
    char hex[11];
    std::snprintf(hex, sizeof hex, "0x%08x", id);
    Target t = m_index->Describe(id, hex);
    if (t.values || t.structures || t.shape == ParameterShape::Bag) m_index->byHex.emplace(id, std::move(t));
  }
  std::vector<const Target*> named;
  for (const auto& [name, t] : m_index->byName) {
    m_index->byId.emplace(t.id, &t);
    named.push_back(&t);
  }
  m_index->names.Build(named);
  for (const auto& [id, t] : m_index->byHex) m_index->byId.emplace(id, &t);
  m_index->PlanModels();
}

WireReader::~WireReader() = default;

namespace {

// A reason to stop, raised from inside the handler and reported with the parser's offset.
struct Stop {
  std::string reason;
};

// Bag: the outer bag. Structure: a structure read into a bag, rebuilt by its serializer at
// its end. Composite: embedded parameters. Model: a model read straight into its members.
// Pending: a structure whose class depends on its discriminant, not yet known: it becomes a
// Model or a Structure. ModelList and ModelMap: a model's list or map member filled item by
// item; ValueList the same for a list of texts (it becomes a TextList at a text it cannot
// decode). Value: a value structure read straight into a value by its serializer; ValueMap: a
// model's map of them filled entry by entry. The others collect texts, or item holders, for
// their serializers.
enum class FrameKind {
  Bag, Structure, Composite, Model, Pending, TextList, ValueList, StructureList, ModelList, TextMap, StructureMap,
  ModelMap, Value, ValueMap
};

// A value structure being read, owned by its frame until it is handed on (moved from).
class OwnedValue {
 public:
  OwnedValue() = default;
  OwnedValue(OwnedValue&& o) noexcept : m_reading(o.m_reading), m_value(std::exchange(o.m_value, nullptr)) {}
  OwnedValue& operator=(OwnedValue&& o) noexcept {
    Reset(o.m_reading, std::exchange(o.m_value, nullptr));
    return *this;
  }
  ~OwnedValue() { Reset(); }
  void Reset(const IValueStructureReading* reading = nullptr, void* value = nullptr) {
    if (m_value) m_reading->DeleteValue(m_value);
    m_reading = reading;
    m_value = value;
  }
  const IValueStructureReading& Reading() const { return *m_reading; }
  void* Get() const { return m_value; }

 private:
  const IValueStructureReading* m_reading = nullptr;
  void* m_value = nullptr;
};

struct Frame {
  FrameKind kind;
  const Target* target = nullptr;  // the member this frame fills; null for the outer bag
  RefCntPtr<IParameters> bag;
  const Target* key = nullptr;  // the member named by the last key of a bag or model
  std::vector<TString> texts;
  std::vector<RefCntPtr<IParameter>> items;
  std::map<TString, TString> textMap;
  std::map<TString, RefCntPtr<IParameter>> itemMap;
  std::optional<TString> mapKey;
  std::size_t count = 0;  // parameters, items or entries so far
  // Model and Pending frames: the model, how its class is read, the members of the last key,
  // and which ids were given (members by their place in the plan, up to 64, others by id).
  RefCntPtr<PresentationModel> model;
  const ModelPlan* plan = nullptr;
  int keyMember = -1;    // the first member of the last key, or -1
  std::size_t next = 0;  // where the search for the next key's member starts
  std::uint64_t seenMembers = 0;
  std::vector<std::uint32_t> seenOthers;
  // ModelList, ModelMap and ValueMap frames: the member of the parent's model they fill, and
  // its field.
  const MemberInfo* member = nullptr;
  void* field = nullptr;
  OwnedValue value;  // Value frames
};

bool IsBag(FrameKind k) {
  return k == FrameKind::Bag || k == FrameKind::Structure || k == FrameKind::Composite || k == FrameKind::Model ||
         k == FrameKind::Pending || k == FrameKind::Value;
}
bool IsList(FrameKind k) { return k == FrameKind::StructureList || k == FrameKind::ModelList; }
bool IsStructureMap(FrameKind k) {
  return k == FrameKind::StructureMap || k == FrameKind::ModelMap || k == FrameKind::ValueMap;
}
// Frames whose structure lists and maps are joined in a bag of their own and handed over.
bool HasNoBag(FrameKind k) { return k == FrameKind::Model || k == FrameKind::Value; }

// A bag that no codec of a model read straight from text looks into.
const IParameters& NoBag() {
  static const RefCntPtr<IParameters> bag = MakeRefCnt<Parameters>();
  return *bag;
}

// The members of a plan sharing an id, from the first of them (-1: none).
class Chain {
 public:
  Chain(const ModelPlan& plan, int first) : m_plan(plan), m_first(first) {}
  class Iterator {
   public:
    Iterator(const ModelPlan& plan, int at) : m_plan(&plan), m_at(at) {}
    const PlanMember& operator*() const { return m_plan->members[static_cast<std::size_t>(m_at)]; }
    Iterator& operator++() {
      m_at = m_plan->members[static_cast<std::size_t>(m_at)].next;
      return *this;
    }
    bool operator!=(const Iterator& o) const { return m_at != o.m_at; }

   private:
    const ModelPlan* m_plan;
    int m_at;
  };
  Iterator begin() const { return Iterator(m_plan, m_first); }
  Iterator end() const { return Iterator(m_plan, -1); }

 private:
  const ModelPlan& m_plan;
  int m_first;
};

class Handler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Handler> {
 public:
  // `where` gives the offset in the original text of the parser's position; `skipped`, when
  // set, makes the read lenient; `direct`: models are read straight into their members
  // where their class allows it.
  Handler(const WireReader::Index& index, const ParametersRegistry& registry, const WireReader::Limits& limits,
          std::function<std::size_t()> where, std::vector<WireReader::Skipped>* skipped, bool direct)
      : m_index(index),
        m_registry(registry),
        m_limits(limits),
        m_where(std::move(where)),
        m_skipped(skipped),
        m_direct(direct) {
    m_stack.reserve(kFramesAhead);
  }

  RefCntPtr<IParameters> TakeResult() { return std::move(m_result); }
  const std::string& Reason() const { return m_reason; }
  const std::string& Path() const { return m_path; }

  template <typename F>
  bool Guard(F&& f) {
    try {
      f();
      return true;
    } catch (const Stop& s) {
      m_reason = s.reason;
      m_path = PlaceNow();
    } catch (const std::exception& e) {
      m_reason = e.what();
      m_path = PlaceNow();
      if (const std::string inner = ErrorPathOf(e); !inner.empty()) m_path += (m_path.empty() ? "" : " > ") + inner;
    }
    return false;
  }

  bool StartObject() {
    if (InSkipped()) return Guard([&] { PassOver(true); });
    return Guard([&] {
      if (m_depth == 0) {
        if (m_result) throw Stop{"more than one bag"};
        Push(FrameKind::Bag, nullptr);
        return;
      }
      Frame& top = Top();
      if (top.kind == FrameKind::Pending) Settle(top);
      if (IsBag(top.kind)) {
        const Target& t = TakeKey(top);
        switch (t.shape) {
          case ParameterShape::Bag: Push(FrameKind::Composite, &t); return;
          case ParameterShape::Map:
            if (t.structures && top.kind == FrameKind::Model && HowMembers(top) == PlanMember::How::Models)
              return PushMembers(FrameKind::ModelMap, top, t);
            if (top.kind == FrameKind::Model && HowMembers(top) == PlanMember::How::Values)
              return PushMembers(FrameKind::ValueMap, top, t);
            Push(t.structures ? FrameKind::StructureMap : FrameKind::TextMap, &t);
            return;
          case ParameterShape::Single:
            if (t.structures) return PushStructure(t);
            throw Stop{"'" + t.name + "' holds a text, not a structure"};
          case ParameterShape::List: throw Stop{"'" + t.name + "' holds a list, not a structure"};
        }
      }
      if (IsList(top.kind) || (IsStructureMap(top.kind) && top.mapKey)) {
        if (IsList(top.kind)) Count(top);
        PushStructure(*top.target);
        return;
      }
      throw Stop{"unexpected structure"};
    });
  }

  bool Key(const char* s, rapidjson::SizeType n, bool) {
    if (m_skipDepth > 0) return true;
    return Guard([&] {
      Frame& top = Top();
      CheckLength(n);
      Count(top);
      if (IsBag(top.kind)) {
        // A model's members come in its plan's order: the key is most often the next of them.
        const int at = top.plan ? top.plan->Expect(top.next, std::string_view(s, n)) : -1;
        const Target* t = at >= 0 ? top.plan->members[static_cast<std::size_t>(at)].target
                                  : m_index.Find(std::string_view(s, n));
        if (!t) {
          if (top.kind == FrameKind::Pending) Settle(top);
          const std::string reason = "unknown parameter name '" + std::string(s, n) + "'";
          if (!m_skipped) throw Stop{reason};
          Skip(reason);
          m_skipNext = true;  // and the value it names
          return;
        }
        if (top.kind == FrameKind::Pending && (top.count > 1 || t->id != top.plan->discriminant->id)) Settle(top);
        if (Given(top, *t, at)) throw Stop{"'" + t->name + "' given twice"};
        top.key = t;
      } else {
        TString key = Text(s, n);
        if (top.textMap.count(key) || top.itemMap.count(key) ||
            ((top.kind == FrameKind::ModelMap || top.kind == FrameKind::ValueMap) &&
             top.member->codec->hasKey(*top.member, top.field, key)))
          throw Stop{"map key '" + std::string(s, n) + "' given twice"};
        top.mapKey = std::move(key);
      }
    });
  }

  bool String(const char* s, rapidjson::SizeType n, bool) {
    if (InSkipped()) {
      PassOver(false);
      return true;
    }
    return Guard([&] {
      Frame& top = Top();
      CheckLength(n);
      if (top.kind == FrameKind::Pending) Choose(top, std::string_view(s, n));
      switch (top.kind) {
        case FrameKind::Bag:
        case FrameKind::Structure:
        case FrameKind::Composite:
        case FrameKind::Model:
        case FrameKind::Value: {
          const Target& t = TakeKey(top);
          if (t.shape != ParameterShape::Single || !t.values) throw Stop{"'" + t.name + "' does not hold a text"};
          if (top.kind == FrameKind::Model && DecodeInto(top, std::string_view(s, n))) return;
          if (top.kind == FrameKind::Value &&
              top.value.Reading().MemberText(top.value.Get(), t.id, std::string_view(s, n)))
            return;
          TString text = Text(s, n);
          if (!t.enumeration) {
            Deliver(top, t.id, ValueOf(t, std::move(text)));
            return;
          }
          RefCntPtr<IParameter> value = ValueOf(t, text);
          CheckKnown(t, text, {s, n}, [&] { return (m_depth > 1 ? " > " : "") + t.name; }, value);
          Deliver(top, t.id, std::move(value));
          return;
        }
        case FrameKind::ValueList:
          Count(top);
          if (top.member->codec->decodeItem(*top.member, std::string_view(s, n), top.field)) return;
          // From here on the serializer's way: the texts of the items so far read back as they are.
          top.kind = FrameKind::TextList;
          top.member->codec->itemTexts(*top.member, top.field, top.texts);
          return AddText(top, s, n);
        case FrameKind::TextList:
          Count(top);
          return AddText(top, s, n);
        case FrameKind::TextMap: {
          TString key = TakeMapKey(top);
          TString text = Text(s, n);
          CheckKnown(*top.target, text, {s, n}, [&] { return KeyStep(key); });
          top.textMap.emplace(std::move(key), std::move(text));
          return;
        }
        default: throw Stop{"'" + top.target->name + "' holds structures, not texts"};
      }
    });
  }

  bool Null() {
    if (InSkipped()) {
      PassOver(false);
      return true;
    }
    return Guard([&] {
      Frame& top = Top();
      if (top.kind == FrameKind::Pending) Settle(top);
      if (top.kind == FrameKind::ModelMap) {
        const TString key = TakeMapKey(top);
        top.member->codec->add(*top.member, top.field, &key, nullptr);
        return;
      }
      if (top.kind == FrameKind::ValueMap) {  // a value has no null form: the default value
        const TString key = TakeMapKey(top);
        OwnedValue value;
        value.Reset(top.target->reading, top.target->reading->NewValue());
        top.member->codec->addValue(*top.member, top.field, &key, value.Get());
        return;
      }
      if (top.kind != FrameKind::StructureMap) throw Stop{"null is only a structure map's entry"};
      top.itemMap.emplace(TakeMapKey(top), top.target->structures->MakeNullParameter());
    });
  }

  bool StartArray() {
    if (InSkipped()) return Guard([&] { PassOver(true); });
    return Guard([&] {
      if (m_depth == 0) throw Stop{"the text is a bag: an object"};
      Frame& top = Top();
      if (top.kind == FrameKind::Pending) Settle(top);
      // A structure parsed from its list items (a tuple) is an array: as an item of a
      // structure list, or as a member.
      if (top.kind == FrameKind::StructureList && ParsesList(*top.target)) {
        Count(top);
        Push(FrameKind::TextList, top.target);
        return;
      }
      if (!IsBag(top.kind)) throw Stop{"unexpected list"};
      const Target& t = TakeKey(top);
      if (t.shape == ParameterShape::Single && ParsesList(t)) {
        Push(FrameKind::TextList, &t);
        return;
      }
      if (t.shape != ParameterShape::List) throw Stop{"'" + t.name + "' does not hold a list"};
      if (!t.structures && !t.values) throw Stop{"no serializer for '" + t.name + "'"};
      if (t.structures && top.kind == FrameKind::Model && HowMembers(top) == PlanMember::How::Models)
        return PushMembers(FrameKind::ModelList, top, t);
      if (top.kind == FrameKind::Model && HowMembers(top) == PlanMember::How::Items)
        return PushMembers(FrameKind::ValueList, top, t);
      Push(t.structures ? FrameKind::StructureList : FrameKind::TextList, &t);
    });
  }

  bool EndArray(rapidjson::SizeType) {
    if (EndSkipped()) return true;
    return Guard([&] {
      Frame& done = Top();  // popped once closed, so that an error's place names it
      Frame& parent = m_stack[m_depth - 2];
      if (done.kind == FrameKind::StructureList) {
        if (HasNoBag(parent.kind)) {
          RefCntPtr<IParameters> scratch = m_registry.CreateParameters();
          done.target->structures->JoinList(done.items, scratch, done.target->id);
          Deliver(parent, done.target->id, RefCntPtr<IParameter>(const_cast<IParameter*>(scratch->GetParameter(done.target->id))));
        } else {
          done.target->structures->JoinList(done.items, parent.bag, done.target->id);
        }
      } else if (done.kind == FrameKind::TextList &&
                 !(parent.kind == FrameKind::Value &&
                   parent.value.Reading().MemberTexts(parent.value.Get(), done.target->id, done.texts))) {
        RefCntPtr<IParameter> value = done.target->values->ListParameterFromStrings(done.texts);
        if (parent.kind == FrameKind::StructureList)
          parent.items.push_back(std::move(value));
        else
          Deliver(parent, done.target->id, std::move(value));
      }
      Pop();
    });
  }

  bool EndObject(rapidjson::SizeType) {
    if (EndSkipped()) return true;
    return Guard([&] {
      Frame& done = Top();  // popped once closed, so that an error's place names it
      if (done.kind == FrameKind::Pending) Settle(done);
      if (done.kind == FrameKind::Bag) {
        m_result = std::move(done.bag);
        Pop();
        return;
      }
      Close(done, m_stack[m_depth - 2]);
      Pop();
    });
  }

  // Hands the value of a closed object to the structure it is in.
  void Close(Frame& done, Frame& parent) {
    switch (done.kind) {
      case FrameKind::Structure:
        return HandOn(parent, *done.target, done.target->structures->DeserializeParameter(done.bag, done.target->id));
      case FrameKind::Model: return HandOn(parent, *done.target, std::move(done.model));
      case FrameKind::Composite:
        return Deliver(parent, done.target->id,
                       MakeRefCnt<ValParameter<RefCntPtr<const IParameters>>>(std::move(done.bag)));
      case FrameKind::TextMap:
        return Deliver(parent, done.target->id, done.target->values->MapParameterFromStrings(done.textMap));
      case FrameKind::StructureMap: {
        if (!HasNoBag(parent.kind))
          return done.target->structures->JoinMap(done.itemMap, parent.bag, done.target->id);
        RefCntPtr<IParameters> scratch = m_registry.CreateParameters();
        done.target->structures->JoinMap(done.itemMap, scratch, done.target->id);
        return Deliver(parent, done.target->id,
                       RefCntPtr<IParameter>(const_cast<IParameter*>(scratch->GetParameter(done.target->id))));
      }
      case FrameKind::Value: return HandOn(parent, *done.target, done.value);
      case FrameKind::ModelMap:
      case FrameKind::ValueMap: return;  // its entries are in the model already
      default: throw Stop{"unbalanced structure"};
    }
  }

  bool Default() {
    if (InSkipped()) {  // a newer writer's number or flag, left out with its name
      PassOver(false);
      return true;
    }
    m_reason = "every value is a text: numbers and flags are written as strings";
    m_path = PlaceNow();
    return false;
  }

 private:
  // Whether the member's structures are read from list items (and so are arrays in text).
  static bool ParsesList(const Target& t) { return t.structures && t.values && t.structures->ParsesStringList(); }

  // The open structure; a value outside any is not a bag.
  Frame& Top() {
    if (m_depth == 0) throw Stop{"the text is a bag: an object"};
    return m_stack[m_depth - 1];
  }

  // Opens a frame. Frames are kept for reuse: a frame's lists and maps are emptied, not freed.
  Frame& Push(FrameKind kind, const Target* target) {
    CheckDepth(m_depth + 1);
    if (m_depth == m_stack.size()) m_stack.emplace_back();
    Frame& f = m_stack[m_depth++];
    f.kind = kind;
    f.target = target;
    f.key = nullptr;
    f.count = 0;
    f.plan = nullptr;
    f.keyMember = -1;
    f.next = 0;
    f.seenMembers = 0;
    f.member = nullptr;
    f.field = nullptr;
    f.value.Reset();
    if (kind == FrameKind::Bag || kind == FrameKind::Structure || kind == FrameKind::Composite)
      f.bag = m_registry.CreateParameters();
    return f;
  }

  void Pop() {
    Frame& f = m_stack[--m_depth];
    f.bag = nullptr;
    f.model = nullptr;
    f.texts.clear();
    f.items.clear();
    f.textMap.clear();
    f.itemMap.clear();
    f.mapKey.reset();
    f.seenOthers.clear();
    f.value.Reset();
  }

  // A structure of the target's class: straight into a model where its class allows it.
  void PushStructure(const Target& t) {
    if (m_direct && t.reading) {
      Push(FrameKind::Value, &t).value.Reset(t.reading, t.reading->NewValue());
      return;
    }
    const ModelPlan* plan = m_direct ? t.plan : nullptr;
    if (!plan || !plan->direct) {
      Push(FrameKind::Structure, &t);
      return;
    }
    Frame& f = Push(plan->discriminant ? FrameKind::Pending : FrameKind::Model, &t);
    f.plan = plan;
    if (!plan->discriminant) f.model = plan->info->create();
  }

  // A model's list or map member whose items are read straight into it.
  void PushMembers(FrameKind kind, Frame& owner, const Target& t) {
    const MemberInfo& m = *KeyMember(owner).member;
    void* field = m.Field(owner.model.get());
    Frame& f = Push(kind, &t);  // `owner` is not used past this point: the stack may grow
    f.member = &m;
    f.field = field;
    m.codec->clear(m, field);
  }

  // How the last key's member is read; Generic for none, or several sharing the id.
  static PlanMember::How HowMembers(const Frame& model) {
    if (model.keyMember < 0) return PlanMember::How::Generic;
    const PlanMember& pm = KeyMember(model);
    return pm.next < 0 ? pm.how : PlanMember::How::Generic;
  }
  // The first member of the model frame's last key, which names one.
  static const PlanMember& KeyMember(const Frame& model) {
    return model.plan->members[static_cast<std::size_t>(model.keyMember)];
  }

  void AddText(Frame& list, const char* s, std::size_t n) {
    TString text = Text(s, n);
    CheckKnown(*list.target, text, {s, n}, [&] { return "[" + std::to_string(list.texts.size()) + "]"; });
    list.texts.push_back(std::move(text));
  }

  // ---- models read straight from text

  // Whether the model frame was given the id before; notes it given. `at`: the place in the
  // plan of a member with the id, when the key was found there, or -1.
  static bool Given(Frame& f, const Target& t, int at = -1) {
    if (f.kind == FrameKind::Value) return Noted(f, t.id);
    if (f.kind != FrameKind::Model && f.kind != FrameKind::Pending) return f.bag->HasParameter(t.id);
    if (at >= 0) {
      f.keyMember = f.plan->members[static_cast<std::size_t>(at)].first;
      f.next = static_cast<std::size_t>(at) + 1;
    } else {
      f.keyMember = f.plan->Find(t.id, f.next);
    }
    if (f.keyMember >= 0) {
      const auto at = static_cast<std::size_t>(f.keyMember);
      if (at < 64) {
        const std::uint64_t bit = std::uint64_t{1} << at;
        if (f.seenMembers & bit) return true;
        f.seenMembers |= bit;
        return false;
      }
    }
    return Noted(f, t.id);
  }
  // Whether the id was noted in the frame before; notes it.
  static bool Noted(Frame& f, std::uint32_t id) {
    if (std::find(f.seenOthers.begin(), f.seenOthers.end(), id) != f.seenOthers.end()) return true;
    f.seenOthers.push_back(id);
    return false;
  }

  // A Pending frame turns into a Structure frame: its class is read the reference way.
  void Settle(Frame& f) {
    f.kind = FrameKind::Structure;
    f.bag = m_registry.CreateParameters();
    f.seenMembers = 0;
    f.seenOthers.clear();
    f.keyMember = -1;
  }

  // A Pending frame's first text is its discriminant's: the class it names is read straight
  // into a model when it can be, else the frame settles into a Structure frame.
  void Choose(Frame& f, std::string_view text) {
    const MemberInfo& d = *f.plan->discriminant;
    if (!f.key || f.key->id != d.id || HowMembers(f) != PlanMember::How::Text) return Settle(f);
    void* scratch = d.Field(Scratch(*f.plan->info));
    if (!d.codec->decode(d, text, scratch)) return Settle(f);
    const ModelPlan* named = m_index.PlanOf(f.plan->Named(static_cast<std::uint32_t>(d.codec->asInteger(d, scratch))));
    if (!named || !named->direct) return Settle(f);
    f.kind = FrameKind::Model;
    f.plan = named;
    f.model = named->info->create();
    f.seenMembers = 0;
    f.seenOthers.clear();
    f.keyMember = -1;
    f.next = 0;
    Given(f, *f.key);
  }

  // A model of the class, kept for decoding discriminants into.
  PresentationModel* Scratch(const ModelInfo& info) {
    for (const auto& [i, model] : m_scratch)
      if (i == &info) return model.get();
    m_scratch.emplace_back(&info, info.create());
    return m_scratch.back().second.get();
  }

  // Decodes a text straight into the members the model frame's last key names; false when
  // the text is read the reference way instead.
  bool DecodeInto(Frame& f, std::string_view text) {
    if (f.keyMember < 0) return false;
    for (const PlanMember& pm : Chain(*f.plan, f.keyMember))
      if (pm.how != PlanMember::How::Text) return false;
    for (const PlanMember& pm : Chain(*f.plan, f.keyMember))
      if (!pm.member->codec->decode(*pm.member, text, pm.member->Field(f.model.get()))) return false;
    return true;
  }

  // Hands a parameter to the frame: into its bag, or to the model's members that have its id
  // (as the model's reader would take it from the bag).
  void Deliver(Frame& f, std::uint32_t id, RefCntPtr<IParameter> value) {
    if (f.kind == FrameKind::Value) return f.value.Reading().MemberParameter(f.value.Get(), id, *value);
    if (f.kind != FrameKind::Model) {
      f.bag->SetParameter(id, std::move(value));
      return;
    }
    for (const PlanMember& pm : Chain(*f.plan, f.plan->Find(id)))
      pm.member->codec->read(*pm.member, NoBag(), *value, pm.member->Field(f.model.get()));
  }

  // Hands a structure read the reference way to where it belongs.
  void HandOn(Frame& parent, const Target& t, RefCntPtr<IParameter> value) {
    if (parent.kind == FrameKind::StructureList) return parent.items.push_back(std::move(value));
    if (parent.kind == FrameKind::StructureMap) {
      parent.itemMap.emplace(TakeMapKey(parent), std::move(value));
      return;
    }
    if (parent.kind == FrameKind::ModelList || parent.kind == FrameKind::ModelMap) {
      const PresentationModel* model = nullptr;
      if (!parent.member->model().unwrap(value.get(), &model)) throw Stop{"unbalanced structure"};
      if (parent.kind == FrameKind::ModelList) return Add(parent, nullptr, model);
      const TString key = TakeMapKey(parent);
      return Add(parent, &key, model);
    }
    Deliver(parent, t.id, std::move(value));
  }

  // Hands a model read straight from text to where it belongs.
  void HandOn(Frame& parent, const Target& t, RefCntPtr<PresentationModel> model) {
    switch (parent.kind) {
      case FrameKind::ModelList:
        parent.member->codec->add(*parent.member, parent.field, nullptr, std::move(model));
        return;
      case FrameKind::ModelMap: {
        const TString key = TakeMapKey(parent);
        parent.member->codec->add(*parent.member, parent.field, &key, std::move(model));
        return;
      }
      case FrameKind::Model:
        if (HowMembers(parent) == PlanMember::How::Models &&
            KeyMember(parent).member->codec->kind == EncodingKind::NestedStructure) {
          const MemberInfo& m = *KeyMember(parent).member;
          m.codec->add(m, m.Field(parent.model.get()), nullptr, std::move(model));
          return;
        }
        break;
      default: break;
    }
    // The holder of the serializer's class, as the serializer's reader would make it.
    HandOn(parent, t, t.plan->info->wrap(model.get()));
  }

  // Hands a value structure read straight from text to where it belongs; the value is moved
  // from.
  void HandOn(Frame& parent, const Target& t, OwnedValue& value) {
    if (parent.kind == FrameKind::ValueMap) {
      const TString key = TakeMapKey(parent);
      parent.member->codec->addValue(*parent.member, parent.field, &key, value.Get());
      return;
    }
    if (parent.kind == FrameKind::Model && HowMembers(parent) == PlanMember::How::Values &&
        KeyMember(parent).member->codec->kind == EncodingKind::NestedStructure) {
      const MemberInfo& m = *KeyMember(parent).member;
      m.codec->addValue(m, m.Field(parent.model.get()), nullptr, value.Get());
      return;
    }
    // The holder the serializer's DeserializeParameter makes.
    HandOn(parent, t, value.Reading().Wrap(value.Get()));
  }

  static void Add(Frame& f, const TString* key, const PresentationModel* model) {
    f.member->codec->add(*f.member, f.field, key, RefCntPtr<PresentationModel>(const_cast<PresentationModel*>(model)));
  }

  static const Target& TakeKey(Frame& f) {
    const Target* t = f.key;
    f.key = nullptr;
    return *t;
  }

  static TString TakeMapKey(Frame& f) {
    TString k = std::move(*f.mapKey);
    f.mapKey.reset();
    return k;
  }

  // ---- lenient reading: a skipped name's value is passed over whole, however deep.

  bool InSkipped() const { return m_skipDepth > 0 || m_skipNext; }

  // Passes over a value of a skipped name, or a part of one; `opens`: an object or array.
  void PassOver(bool opens) {
    m_skipNext = false;
    if (opens) CheckDepth(m_depth + ++m_skipDepth);
  }

  bool EndSkipped() {
    if (m_skipDepth == 0) return false;
    --m_skipDepth;
    return true;
  }

  // `last`: what the path to the open structure is followed by (" > name", "[index]").
  void Skip(const std::string& reason, const std::string& last = {}) {
    m_skipped->push_back(WireReader::Skipped{m_where(), PlaceNow() + last, reason});
  }

  // A text checked as Unknown says when the member is an enumeration; `value`, when given,
  // is what the text decoded to.
  template <typename Place>
  void CheckKnown(const Target& t, const TString& text, std::string_view raw, Place&& place,
                  const RefCntPtr<IParameter>& value = {}) {
    if (!t.enumeration || SeenKnown(t, raw)) return;
    if (!HoldsText(t, value ? value : ValueOf(t, text), text)) Unknown(t, text, place);
    NoteKnown(t, raw);
  }

  // Enumeration texts this read found in their tables (or, leniently, passed), so that a text
  // met again is not encoded again to be checked: a small table by hash of member and text.
  // Made on the first enumeration text, so that reads without any pay nothing for it.
  bool SeenKnown(const Target& t, std::string_view raw) const {
    if (m_known.empty()) return false;
    const KnownText& k = m_known[KnownSlot(t, raw)];
    return k.target == &t && k.text == raw;
  }
  void NoteKnown(const Target& t, std::string_view raw) {
    if (m_known.empty()) m_known.resize(kKnownSlots);
    KnownText& k = m_known[KnownSlot(t, raw)];
    k.target = &t;
    k.text.assign(raw);
  }
  static std::size_t KnownSlot(const Target& t, std::string_view raw) {
    return (std::hash<std::string_view>()(raw) ^ (reinterpret_cast<std::uintptr_t>(&t) >> 4)) & (kKnownSlots - 1);
  }

  // An enumeration's text its table does not hold: an error, or when reading leniently, read
  // as the table decodes it (the enumeration's default value) and reported at place() (see
  // Skip).
  template <typename Place>
  void Unknown(const Target& t, const TString& text, Place&& place) {
    const std::string reason = "unknown text '" + text.ToUtf8() + "' for '" + t.name + "'";
    if (!m_skipped) throw Stop{reason};
    Skip(reason + ", read as the default value", place());
  }

  // Whether the enumeration value read from `text` is written as that text again.
  static bool HoldsText(const Target& t, const RefCntPtr<IParameter>& value, const TString& text) {
    try {
      return t.values->ParameterToString(value) == text;
    } catch (const std::exception&) {
      return false;  // the default it decoded to has no text
    }
  }

  // ---- limits

  // `open`: the objects and arrays open once the one starting now is.
  void CheckDepth(std::size_t open) const {
    if (open > m_limits.depth) throw Stop{"nesting deeper than " + std::to_string(m_limits.depth) + " levels"};
  }

  void CheckLength(std::size_t n) const {
    if (n > m_limits.textBytes) throw Stop{"a text longer than " + std::to_string(m_limits.textBytes) + " bytes"};
  }

  void Count(Frame& f) const {
    if (++f.count > m_limits.count)
      throw Stop{"more than " + std::to_string(m_limits.count) + (IsBag(f.kind) ? " parameters in one bag" : " entries in one list or map")};
  }

  // The path of names and indexes to the value being read: "zones[2] > visual".
  std::string PlaceNow() const {
    std::string path;
    for (std::size_t i = 1; i < m_depth; ++i) {
      const Frame& f = m_stack[i];
      const Frame& parent = m_stack[i - 1];
      if (IsList(parent.kind)) {
        path += "[" + std::to_string(parent.count - 1) + "]";
      } else if (IsStructureMap(parent.kind) && parent.mapKey) {
        path += KeyStep(*parent.mapKey);
      } else {
        if (!path.empty()) path += " > ";
        path += f.target->name;
      }
    }
    return path;
  }

  static TString Text(const char* s, std::size_t n) {
    std::optional<TString> t = TString::FromUtf8Checked(std::string_view(s, n));
    if (!t) throw Stop{"a text that is not UTF-8"};
    return std::move(*t);
  }

  static RefCntPtr<IParameter> ValueOf(const Target& t, TString&& text) {
    if (t.plainText) return MakeRefCnt<ValParameter<TString>>(std::move(text));
    return ValueOf(t, static_cast<const TString&>(text));
  }

  static RefCntPtr<IParameter> ValueOf(const Target& t, const TString& text) {
    try {
      return t.values->ParameterFromString(text);
    } catch (const std::exception& e) {
      throw Stop{"bad value for '" + t.name + "': " + e.what()};
    }
  }

  const WireReader::Index& m_index;
  const ParametersRegistry& m_registry;
  const WireReader::Limits& m_limits;
  std::function<std::size_t()> m_where;
  std::vector<WireReader::Skipped>* m_skipped;
  bool m_direct;
  // The first m_depth are open. Room for the usual depth is made before the read starts,
  // so that the stack seldom grows (moving its frames) while the text is read.
  static constexpr std::size_t kFramesAhead = 16;
  std::vector<Frame> m_stack;
  std::size_t m_depth = 0;
  std::vector<std::pair<const ModelInfo*, RefCntPtr<PresentationModel>>> m_scratch;
  RefCntPtr<IParameters> m_result;
  std::string m_reason;
  std::string m_path;
  struct KnownText {
    const Target* target = nullptr;
    std::string text;
  };
  static constexpr std::size_t kKnownSlots = 1024;
  std::vector<KnownText> m_known;
  bool m_skipNext = false;       // the next value belongs to a skipped name
  std::size_t m_skipDepth = 0;   // open objects and arrays of a skipped value
};

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

unsigned Hex4(const char* p) {
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) {
    const char c = p[i];
    v = v * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  return v;
}

bool SurrogateEscapeAt(std::string_view s, std::size_t i, unsigned lo, unsigned hi, unsigned* unit) {
  if (i + 6 > s.size() || s[i] != '\\' || s[i + 1] != 'u') return false;
  for (std::size_t k = 2; k < 6; ++k)
    if (!IsHex(s[i + k])) return false;
  *unit = Hex4(s.data() + i + 2);
  return *unit >= lo && *unit <= hi;
}

// The JSON parser refuses escapes of lone surrogates, which the writer uses for texts that
// hold them. Those escapes are replaced by the surrogates' three-byte forms before parsing;
// `shifts` maps offsets in the rewritten text back to the original.
std::optional<std::string> RewriteLoneSurrogates(std::string_view in, std::vector<std::pair<std::size_t, std::size_t>>& shifts) {
  std::size_t pos = in.find('\\');
  if (pos == std::string_view::npos) return std::nullopt;
  std::string out;
  std::size_t copied = 0, removed = 0;
  while (pos != std::string_view::npos && pos + 1 < in.size()) {
    unsigned unit = 0, low = 0;
    if (SurrogateEscapeAt(in, pos, 0xD800, 0xDFFF, &unit)) {
      if (unit < 0xDC00 && SurrogateEscapeAt(in, pos + 6, 0xDC00, 0xDFFF, &low)) {
        pos = in.find('\\', pos + 12);  // a proper pair: left to the parser
        continue;
      }
      if (out.empty()) out.reserve(in.size());
      out.append(in, copied, pos - copied);
      out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
      copied = pos + 6;
      removed += 3;
      shifts.emplace_back(out.size(), removed);
      pos = in.find('\\', pos + 6);
      continue;
    }
    pos = in.find('\\', pos + 2);  // any other escape, "\\\\" included, stays
  }
  if (copied == 0) return std::nullopt;
  out.append(in, copied, std::string_view::npos);
  return out;
}

std::size_t OriginalOffset(std::size_t offset, const std::vector<std::pair<std::size_t, std::size_t>>& shifts) {
  std::size_t add = 0;
  for (const auto& [at, removed] : shifts) {
    if (at > offset) break;
    add = removed;
  }
  return offset + add;
}

}  // namespace

RefCntPtr<IParameters> WireReader::Read(std::string_view text) const { return Parse(text, nullptr); }

RefCntPtr<IParameters> WireReader::ReadLenient(std::string_view text, std::vector<Skipped>& skipped) const {
  return Parse(text, &skipped);
}

RefCntPtr<IParameters> WireReader::Parse(std::string_view text, std::vector<Skipped>* skipped) const {
  if (text.size() > kMaxTextSize)
    throw WireFormatException(kMaxTextSize, "the text is longer than " + std::to_string(kMaxTextSize) + " bytes");
  std::vector<std::pair<std::size_t, std::size_t>> shifts;
  const std::optional<std::string> rewritten = RewriteLoneSurrogates(text, shifts);
  const std::string_view input = rewritten ? std::string_view(*rewritten) : text;

  // Text the writer wrote goes through the parser of the writer's own subset of JSON; any
  // other text, and any text with an error, through the general parser, whose errors and
  // offsets are the reader's. A lenient read goes through the general parser: its reports
  // carry the general parser's offsets.
  if (!skipped) {
    Handler handler(*m_index, *m_index->registry, m_limits, [] { return std::size_t{0}; }, nullptr, m_direct);
    if (WireParser<Handler>(input, handler).Parse())
      if (RefCntPtr<IParameters> bag = handler.TakeResult()) return bag;
  }

  // The stream gives NUL at its end; a NUL inside the text stops the parser early.
  rapidjson::MemoryStream stream(input.data(), input.size());
  rapidjson::Reader reader;
  Handler handler(*m_index, *m_index->registry, m_limits, [&] { return OriginalOffset(stream.Tell(), shifts); },
                  skipped, m_direct);
  const rapidjson::ParseResult result = reader.Parse<rapidjson::kParseIterativeFlag>(stream, handler);
  if (result.IsError()) {
    const std::size_t offset = OriginalOffset(result.Offset(), shifts);
    if (result.Code() == rapidjson::kParseErrorTermination && !handler.Reason().empty())
      throw WireFormatException(offset, handler.Reason(), handler.Path());
    throw WireFormatException(offset, rapidjson::GetParseError_En(result.Code()));
  }
  if (stream.Tell() < input.size())
    throw WireFormatException(OriginalOffset(stream.Tell(), shifts), "a NUL byte outside a text");
  RefCntPtr<IParameters> bag = handler.TakeResult();
  if (!bag) throw WireFormatException(0, "the text is a bag: an object");
  return bag;
}
