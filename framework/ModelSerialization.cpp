// The generic model writer and reader, driven by the generated ModelInfo tables.

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/ModelInfo.h"
#include "framework/StructSerializer.h"
#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/SerializeStructure.h"


const char* EncodingKindWord(EncodingKind kind) {
  switch (kind) {
    case EncodingKind::ScalarText: return "scalar text";
    case EncodingKind::PlainText: return "plain text";
    case EncodingKind::ContextualValue: return "contextual value";
    case EncodingKind::NestedStructure: return "nested structure";
    case EncodingKind::StructureList: return "structure list";
    case EncodingKind::ScalarList: return "scalar list";
    case EncodingKind::NumberVector: return "number vector";
    case EncodingKind::TextMap: return "text map";
    case EncodingKind::StructureMap: return "structure map";
    case EncodingKind::EmbeddedParameters: return "embedded parameters";
    case EncodingKind::Command: return "command";
  }
  return "?";
}

namespace {

// The step an error passing a member adds to its place: "ZonePresModel.Visual".
std::string MemberStep(const ModelInfo& info, const MemberInfo& m) { return std::string(info.name) + "." + m.stem; }

bool Compares(const MemberInfo& subject, const void* field, CompareOp op, const void* value) {
  if (op == CompareOp::Set) return !subject.codec->isEmpty(subject, field);
  const int c = subject.codec->compare(subject, field, value);
  switch (op) {
    case CompareOp::Eq: return c == 0;
    case CompareOp::Ne: return c != 0;
    case CompareOp::Gt: return c == 1;
    case CompareOp::Ge: return c == 0 || c == 1;
    default: return true;
  }
}

bool IsPresent(const ModelInfo& info, const MemberInfo& m, const PresentationModel* model, const void* field) {
  if (m.guard.op != CompareOp::None) {
    const MemberInfo& subject = m.guard.member < 0 ? m : info.members[static_cast<std::size_t>(m.guard.member)];
    const void* subjectField = m.guard.member < 0 ? field : subject.Field(model);
    if (!Compares(subject, subjectField, m.guard.op, m.guard.value)) return false;
  }
  if (m.whenSet && (m.omitValue ? m.codec->compare(m, field, m.omitValue) == 0 : m.codec->isEmpty(m, field)))
    return false;
  if (m.unless && m.unless(field)) return false;
  // Maps are written only when they have entries.
  if ((m.codec->kind == EncodingKind::TextMap || m.codec->kind == EncodingKind::StructureMap) &&
      m.codec->isEmpty(m, field))
    return false;
  return true;
}

// A kind-map root (one with a fallback class) hands the model on as the class its kind map
// names for the discriminant, the fallback class for any other value; a model that is not
// of that class is handed on to nothing. The serializer registered for the discriminant
// writes the view; when none is registered, the view's own writer does, so that no level
// is lost.
void DispatchByKind(const ModelInfo& info, const PresentationModel* model, std::uint32_t type,
                    SerializeStructure& cursor) {
  const ModelInfo* view = &info.fallback();
  for (const ConcreteClass& c : info.concrete) {
    if (c.type != type) continue;
    view = c.view ? &c.view() : &c.info();
    break;
  }
  if (!view->isInstance(model)) return;
  if (const IStructureSerializer* serializer = cursor.GetStructureSerializer(type))
    serializer->SerializeParameter(view->wrap(model), type, cursor, false);
  else
    WriteModel(*view, model, cursor);
}

void Dispatch(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor) {
  const MemberInfo& d = info.members[static_cast<std::size_t>(info.dispatchMember)];
  const auto type = static_cast<std::uint32_t>(d.codec->asInteger(d, d.Field(model)));
  if (info.fallback) return DispatchByKind(info, model, type, cursor);
  RefCntPtr<IParameter> wrapper;
  for (const ConcreteClass& c : info.concrete) {
    if (c.type != type) continue;
    const ModelInfo& concrete = c.info();
    if (!concrete.isInstance(model)) return;  // not the class its type names: base members only
    wrapper = concrete.wrap(model);
    break;
  }
  if (!wrapper) wrapper = info.wrap(model);
  const IStructureSerializer* serializer = cursor.GetStructureSerializer(type);
  if (!serializer) {  // no class is registered for the discriminant's value
    try {
      ThrowNullPointerDereferenced();
    } catch (ErrorPlace& e) {
      e.AddStep(MemberStep(info, d));
      throw;
    }
  }
  serializer->SerializeParameter(wrapper, type, cursor, false);
}

const ModelInfo* DispatchingRoot(const ModelInfo& info) {
  const ModelInfo* level = &info;
  while (level->dispatchMember < 0 && level->base) level = &level->base();
  return level->dispatchMember >= 0 ? level : nullptr;
}

// The serializing flags a write holds: every level it writes keeps its flag set until the
// whole write is over, so that a model handed on to its concrete class writes only the
// levels not yet written.
class HeldLevels {
 public:
  static constexpr int kMaxLevels = 16;
  explicit HeldLevels(const ModelInfo& start) : m_start(&start) {}
  // Restores the flags and counts in reverse order, also when an error passes.
  ~HeldLevels() {
    while (m_count > 0) {
      const Level& level = m_levels[--m_count];
      *level.flag = false;
      --*level.depth;
    }
  }
  HeldLevels(const HeldLevels&) = delete;
  HeldLevels& operator=(const HeldLevels&) = delete;

  // The class whose writer started the write.
  const ModelInfo& Start() const { return *m_start; }
  // Sets the level's serializing flag and counts the level in progress; false when the level
  // is being written already.
  bool Enter(const ModelInfo& info, const PresentationModel* model) {
    if (!info.HasSerializingFlag()) return true;
    bool* flag = info.SerializingFlag(model);
    if (*flag) return false;
    if (m_count == kMaxLevels) ThrowLogicAssert("ModelSerialization", 0, "Model hierarchy too deep");
    Level& level = m_levels[m_count++];
    level = Level{flag, info.HierarchyDepth(model)};
    *flag = true;
    ++*level.depth;
    return true;
  }

 private:
  struct Level {
    bool* flag;  // false again at the end: it was when the level was entered
    unsigned* depth;
  };
  const ModelInfo* m_start;
  int m_count = 0;
  Level m_levels[kMaxLevels];  // only the first m_count are set
};
// ---- checked levels (ModelInfo::level)

bool IsBelow(const ModelInfo& lower, const ModelInfo& upper) {
  for (const ModelInfo* b = lower.base ? &lower.base() : nullptr; b; b = b->base ? &b->base() : nullptr)
    if (b == &upper) return true;
  return false;
}

bool InCheckedLevels(const ModelInfo& info) {
  for (const ModelInfo* b = &info; b; b = b->base ? &b->base() : nullptr)
    if (b->level) return true;
  return false;
}

const MemberInfo& Discriminant(const ModelInfo& info) {
  return info.members[static_cast<std::size_t>(info.level->member)];
}

const ModelInfo* CaseOf(const LevelDispatch& level, std::int64_t value) {
  for (const ConcreteClass& c : level.cases)
    if (static_cast<std::int64_t>(static_cast<std::int32_t>(c.type)) == value) return &c.info();
  return nullptr;
}

[[noreturn]] void ThrowLevelError(const ModelInfo& info, const std::string& text) {
  ThrowLogicAssert(info.level->source, 0, text.c_str());
}

[[noreturn]] void ThrowUnexpectedValue(const ModelInfo& info, const char* what) {
  ThrowLevelError(info, std::string(what) + Discriminant(info).stem);
}

std::string_view ShortName(const ModelInfo& info) {
  std::string_view name = info.name;
  constexpr std::string_view kSuffix = "PresModel";
  if (name.size() > kSuffix.size() && name.substr(name.size() - kSuffix.size()) == kSuffix)
    name.remove_suffix(kSuffix.size());
  return name;
}

// The subclass the level's discriminant names for this model, checked to be its class.
const ModelInfo& NextLevel(const ModelInfo& info, const PresentationModel* model, const char* unexpected) {
  const MemberInfo& d = Discriminant(info);
  const ModelInfo* next = CaseOf(*info.level, d.codec->asInteger(d, d.Field(model)));
  if (!next) ThrowUnexpectedValue(info, unexpected);
  if (!next->isInstance(model))
    ThrowLevelError(info, "Unable to down cast model of type " + std::string(ShortName(info)) + " to type " +
                              std::string(ShortName(*next)));
  return *next;
}

void WriteLevel(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor,
                HeldLevels& held);

// A checked level hands the model on to the level of its subclass, unless the write was
// started by the writer of a class below this level, which adds those levels itself.
void HandDown(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor, HeldLevels& held) {
  if (IsBelow(held.Start(), info)) return;
  WriteLevel(NextLevel(info, model, "Unexpected value of property "), model, cursor, held);
}

// Writes one class level and the levels above it that are not being written yet: base
// levels first, then this level's own members.
void WriteLevel(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor,
                HeldLevels& held) {
  if (!held.Enter(info, model)) return;
  if (info.base) WriteLevel(info.base(), model, cursor, held);
  JsonText* const text = cursor.DirectText();
  for (const MemberInfo& m : info.members) {
    if (!m.write) continue;
    const void* field = m.Field(model);
    const bool present = IsPresent(info, m, model, field);
    if (!present && m.codec->kind != EncodingKind::Command) continue;
    try {
      if (text && m.codec->text)
        m.codec->text(m, field, *text);
      else
        m.codec->write(m, field, cursor, present);
    } catch (ErrorPlace& e) {
      e.AddStep(MemberStep(info, m));
      throw;
    }
  }
  if (info.writeHook) info.writeHook(model, cursor);
  if (info.level) HandDown(info, model, cursor, held);
}

// ---- kind families (ModelInfo::kinds)

// The member with the given parameter id among the class's levels, from the class up.
const MemberInfo* FindMember(const ModelInfo& info, std::uint32_t id) {
  for (const ModelInfo* b = &info; b; b = b->base ? &b->base() : nullptr)
    for (const MemberInfo& m : b->members)
      if (m.id == id) return &m;
  return nullptr;
}

const ModelInfo* TaggedClass(const KindDispatch& kinds, std::int64_t value) {
  for (const KindTag& t : kinds.tags)
    if (t.value == value) return &t.info();
  return nullptr;
}

// The class of its kind that a kind root hands the model on to; the root itself when none.
const ModelInfo& KindOf(const ModelInfo& root, const PresentationModel* model) {
  const KindDispatch& kinds = *root.kinds;
  if (kinds.scheme == KindScheme::TryOrder) {
    for (ModelInfoGetter c : kinds.tried)
      if (c().isInstance(model)) return c();
    return root;
  }
  if (kinds.scheme != KindScheme::ByValue) return root;
  const MemberInfo* kind = FindMember(root, kinds.kindId);
  const ModelInfo* named = TaggedClass(kinds, kind->codec->asInteger(*kind, kind->Field(model)));
  if (!named) return root;
  // The model is viewed as the class its kind names, unchecked: another class is a null view.
  if (!named->isInstance(model)) ThrowNullPointerDereferenced();
  return *named;
}

// The write of a model by the writer of one of its classes. The writer that starts the
// model's write (no level of it in progress) then hands the model on to the concrete class
// its discriminant names, whose writer adds the levels below: so the levels come from the
// root down, each once, whichever class's writer starts.
void WriteLevels(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor, bool starts) {
  HeldLevels held(info);
  if (starts && info.kinds) {
    // A kind root's writer writes the levels from the root down to the model's kind.
    WriteLevel(KindOf(info, model), model, cursor, held);
    return;
  }
  WriteLevel(info, model, cursor, held);
  if (starts)
    if (const ModelInfo* root = DispatchingRoot(info)) Dispatch(*root, model, cursor);
}

// Reads the class's own members into target, then its hook; true when the member at
// index `watch` was read.
bool ReadOwn(const ModelInfo& info, const IParameters& bag, PresentationModel* target, int watch = -1) {
  bool watched = false;
  const auto readOne = [&](std::size_t i) {
    const MemberInfo& m = info.members[i];
    if (!m.read) return;
    const IParameter* p = bag.GetParameter(m.id);
    if (!p) return;
    try {
      if (!target) ThrowNullPointerDereferenced();
      if (m.codec->read(m, bag, *p, m.Field(target)) && static_cast<int>(i) == watch) watched = true;  // else skipped
    } catch (ErrorPlace& e) {
      e.AddStep(MemberStep(info, m));
      throw;
    }
  };
  if (info.readOrder.empty()) {
    for (std::size_t i = 0; i < info.members.size(); ++i) readOne(i);
  } else {
    for (std::uint16_t i : info.readOrder) readOne(i);
  }
  if (info.readHook && target) info.readHook(target, bag);
  return watched;
}

// Creation: the class the bag's discriminants name, level by level down from `info`.
RefCntPtr<PresentationModel> CreateLevel(const ModelInfo& info, const IParameters& bag) {
  if (!info.level) return info.create();
  const MemberInfo& d = Discriminant(info);
  if (const IParameter* p = bag.GetParameter(d.id)) {
    alignas(std::max_align_t) unsigned char value[sizeof(std::int64_t)] = {};  // an enumeration
    if (d.codec->read(d, bag, *p, value)) {
      const ModelInfo* next = CaseOf(*info.level, d.codec->asInteger(d, value));
      if (!next) ThrowUnexpectedValue(info, "Unexpected value of property ");
      return CreateLevel(*next, bag);
    }
  }
  return info.create();
}

// Filling: this level's own members, then the level of the subclass that the discriminant
// read names.
RefCntPtr<PresentationModel> FillLevel(const ModelInfo& info, const IParameters& bag,
                                       RefCntPtr<PresentationModel> target) {
  const bool named = ReadOwn(info, bag, target.get(), info.level ? info.level->member : -1);
  if (!named) return target;
  const ModelInfo& next = NextLevel(info, target.get(), "Unexpected value of discriminant parameter DPI_");
  return FillLevel(next, bag, std::move(target));
}

void ReadAbove(const ModelInfo& info, const IParameters& bag, PresentationModel* target) {
  if (!info.base) return;
  ReadAbove(info.base(), bag, target);
  ReadOwn(info.base(), bag, target);
}

// The reader of a class of checked levels: the levels above it contribute their own
// members only, the class's own level and those below it are filled by discriminant.
RefCntPtr<PresentationModel> ReadLevels(const ModelInfo& info, const IParameters* bag,
                                        RefCntPtr<PresentationModel>* existing) {
  if (!bag) ThrowNullPointerDereferenced();
  RefCntPtr<PresentationModel> target = existing ? *existing : CreateLevel(info, *bag);
  ReadAbove(info, *bag, target.get());
  return FillLevel(info, *bag, std::move(target));
}

// The class a kind root's reader creates for the bag; null for none.
const ModelInfo* ClassNamed(const ModelInfo& root, const IParameters& bag) {
  const KindDispatch& kinds = *root.kinds;
  const MemberInfo* kind = nullptr;
  for (const KindTag& t : kinds.tags)
    if ((kind = FindMember(t.info(), kinds.kindId))) break;
  if (kind)
    if (const IParameter* p = bag.GetParameter(kinds.kindId)) {
      alignas(std::max_align_t) unsigned char value[sizeof(std::int64_t)] = {};  // an enumeration
      if (kind->codec->read(*kind, bag, *p, value)) return TaggedClass(kinds, kind->codec->asInteger(*kind, value));
    }
  return kinds.missingIsNull ? nullptr : &root;
}

// Sets a root's serializing flag while the class of a model it reads fills it; restores it
// also when an error passes.
class FlagGuard {
 public:
  explicit FlagGuard(bool* flag) : m_flag(flag), m_previous(flag ? *flag : false) {
    if (m_flag) *m_flag = true;
  }
  ~FlagGuard() {
    if (m_flag) *m_flag = m_previous;
  }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool* m_flag;
  bool m_previous;
};

// The reader of a kind root. Given a model (by the reader of a class below), it reads the
// root's own members, or nothing when the root's flag says the model is being read already.
// Given none, it creates the class the bag's kind names and has that class's reader fill it.
RefCntPtr<PresentationModel> ReadKinds(const ModelInfo& root, const IParameters* bag, std::uint32_t id,
                                       RefCntPtr<PresentationModel>* existing) {
  if (!bag) ThrowNullPointerDereferenced();
  if (existing) {
    RefCntPtr<PresentationModel> target = *existing;
    if (target && root.HasSerializingFlag() && *root.SerializingFlag(target.get())) return target;
    ReadOwn(root, *bag, target.get());
    return target;
  }
  const ModelInfo* named = ClassNamed(root, *bag);
  if (!named) return {};
  RefCntPtr<PresentationModel> target = named->create();
  if (named == &root) {
    ReadOwn(root, *bag, target.get());
    return target;
  }
  if (!root.HasSerializingFlag()) return ReadModel(*named, bag, id, &target);
  ReadOwn(root, *bag, target.get());
  FlagGuard reading(root.SerializingFlag(target.get()));
  return ReadModel(*named, bag, id, &target);
}

}  // namespace

bool PassesOwnPresence(const MemberInfo& m, const void* field) {
  if (m.guard.op != CompareOp::None && m.guard.member < 0 && !Compares(m, field, m.guard.op, m.guard.value))
    return false;
  if (m.unless && m.unless(field)) return false;
  return !(m.whenSet && (m.omitValue ? m.codec->compare(m, field, m.omitValue) == 0 : m.codec->isEmpty(m, field)));
}

namespace {

// A write's hold on its model, for the check of builds without NDEBUG that no two threads
// write one model at once (see PresentationModel.h); release builds keep nothing. A write
// enters its model first: any number of threads may be inside to replay its text. Before
// the write changes the model (records its text, sets serializing flags) it takes the
// model over, which needs it to be the only thread inside. Either step raises the logic
// assertion when it meets another thread, before anything is changed. A thread already
// inside the model (a hierarchy handing it on to another class's writer) enters again
// without counting.
class WriteHold {
 public:
  WriteHold(const ModelInfo& info, const PresentationModel* model) : m_info(info), m_model(model) {
#ifndef NDEBUG
    for (const PresentationModel* m : Inside())
      if (m == model) return;
    std::atomic<std::uint64_t>& state = State();
    std::uint64_t s = state.load(std::memory_order_acquire);
    do {
      if (s >> kOwnerShift) Conflict();
    } while (!state.compare_exchange_weak(s, s + 1, std::memory_order_acq_rel, std::memory_order_acquire));
    Inside().push_back(model);
    m_counted = true;
#endif
  }
  ~WriteHold() {
#ifndef NDEBUG
    if (!m_counted) return;
    Inside().pop_back();
    std::atomic<std::uint64_t>& state = State();
    if (state.load(std::memory_order_relaxed) >> kOwnerShift == ThisThread())
      state.store(0, std::memory_order_release);
    else
      state.fetch_sub(1, std::memory_order_release);
#endif
  }
  WriteHold(const WriteHold&) = delete;
  WriteHold& operator=(const WriteHold&) = delete;

  // Called before the write changes the model.
  void TakeOver() {
#ifndef NDEBUG
    if (!ChangesModel(m_info)) return;
    std::atomic<std::uint64_t>& state = State();
    const std::uint64_t owned = ThisThread() << kOwnerShift;
    std::uint64_t s = 1;  // this thread alone inside
    if (!state.compare_exchange_strong(s, owned, std::memory_order_acq_rel, std::memory_order_acquire) &&
        s != owned)
      Conflict();
#endif
  }

 private:
#ifndef NDEBUG
  static constexpr int kOwnerShift = 32;

  static std::uint64_t ThisThread() {
    static std::atomic<std::uint32_t> threads{0};
    thread_local const std::uint64_t number = threads.fetch_add(1, std::memory_order_relaxed) + 1;
    return number;
  }
  // The models this thread is writing, innermost last.
  static std::vector<const PresentationModel*>& Inside() {
    thread_local std::vector<const PresentationModel*> models;
    return models;
  }
  // Whether writing through this class's writer changes the model: its cache, or the
  // serializing flags of the levels it writes (its own and its bases', those handed down
  // by a checked level or a kind root). A model written afresh each time changes nothing.
  static bool ChangesModel(const ModelInfo& info) {
    if (info.cached || info.kinds) return true;
    for (const ModelInfo* b = &info; b; b = b->base ? &b->base() : nullptr)
      if (b->HasSerializingFlag() || b->level) return true;
    return false;
  }
  std::atomic<std::uint64_t>& State() const { return m_model->GetWriteMark().State(); }
  [[noreturn]] void Conflict() const {
    const std::string text = "model " + std::string(m_info.name) + " written by two threads at once";
    ThrowLogicAssert("ModelSerialization", 0, text.c_str());
  }

  bool m_counted = false;
#endif
  [[maybe_unused]] const ModelInfo& m_info;
  [[maybe_unused]] const PresentationModel* m_model;
};

}  // namespace

void WriteModel(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor) {
  if (!model) ThrowNullPointerDereferenced();
  WriteHold hold(info, model);
  const bool starts = !info.hierarchyDepthAt || *info.HierarchyDepth(model) == 0;
  if (!info.cached || !starts) {
    hold.TakeOver();
    WriteLevels(info, model, cursor, starts);
    return;
  }
  IStructuredParameterVisitor& visitor = cursor.GetVisitor();
  if (!model->GetSerializedVal().empty()) {
    visitor.ReplayCapture(model->GetSerializedVal());
    return;
  }
  hold.TakeOver();
  // An error below leaves the capture open and the cache empty.
  visitor.BeginCapture();
  WriteLevels(info, model, cursor, true);
  model->SetSerializedVal(visitor.EndCapture());
}

void WriteItem(const ModelInfo& info, const PresentationModel* item, SerializeStructure& cursor, std::size_t index) {
  try {
    WriteModel(info, item, cursor);
  } catch (ErrorPlace& e) {
    e.AddStep("[" + std::to_string(index) + "]");
    throw;
  }
}

void WriteItem(const ModelInfo& info, const PresentationModel* value, SerializeStructure& cursor, const TString& key) {
  try {
    WriteModel(info, value, cursor);
  } catch (ErrorPlace& e) {
    e.AddStep(KeyStep(key));
    throw;
  }
}

std::string KeyStep(const TString& key) { return "[\"" + key.ToUtf8() + "\"]"; }

RefCntPtr<PresentationModel> ReadModel(const ModelInfo& info, const IParameters* bag, std::uint32_t id,
                                       RefCntPtr<PresentationModel>* existing) {
  if (InCheckedLevels(info)) return ReadLevels(info, bag, existing);
  if (info.kinds && info.kinds->readByKind) return ReadKinds(info, bag, id, existing);
  if (!bag) ThrowNullPointerDereferenced();
  RefCntPtr<PresentationModel> target = existing ? *existing : info.create();
  if (info.base) target = ReadModel(info.base(), bag, id, &target);
  ReadOwn(info, *bag, target.get());
  if (!existing && info.dispatchMember >= 0 && target) {
    const MemberInfo& d = info.members[static_cast<std::size_t>(info.dispatchMember)];
    const auto type = static_cast<std::uint32_t>(d.codec->asInteger(d, d.Field(target.get())));
    const ModelInfo* named = info.fallback ? &info.fallback() : &info;
    for (const ConcreteClass& c : info.concrete) {
      if (c.type != type) continue;
      named = &c.info();
      break;
    }
    if (named != &info) return ReadModel(*named, bag, id, nullptr);
  }
  return target;
}

// ---- the serializer slots of every model class

ModelSerializer::~ModelSerializer() = default;

namespace {

// The model a holder of exactly the class holds: a null parameter raises the null-pointer
// assertion, a holder of another type the type mismatch (id 0).
const PresentationModel* HeldIn(const ModelInfo& info, const IParameter* parameter) {
  if (!parameter) ThrowNullPointerDereferenced();
  const PresentationModel* model = nullptr;
  if (!info.unwrap(parameter, &model)) ThrowTypeMismatchCommandException(0);
  return model;
}

template <typename Held>
const void* HeldContainer(Held held, const IParameter* parameter) {
  if (!parameter) ThrowNullPointerDereferenced();
  const void* container = held(parameter);
  if (!container) ThrowTypeMismatchCommandException(0);
  return container;
}

}  // namespace

void ModelSerializer::SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id,
                                         SerializeStructure& cursor, bool asSubStructure) const {
  // A class that its family's root views as a class above it also takes that view, and
  // writes what it holds as the view's class.
  const ModelInfo* writer = &m_info;
  const PresentationModel* model = nullptr;
  if (m_info.viewedAs && parameter && m_info.viewedAs().unwrap(parameter.get(), &model))
    writer = &m_info.viewedAs();
  else
    model = HeldIn(m_info, parameter.get());
  std::optional<SubStructure> scope;
  if (asSubStructure) scope.emplace(id, cursor, true);
  WriteModel(*writer, model, cursor);
}

RefCntPtr<IParameter> ModelSerializer::DeserializeParameter(RefCntPtr<const IParameters> bag, unsigned int id) const {
  return m_info.wrap(ReadModel(m_info, bag.get(), id, nullptr).get());
}

RefCntPtr<IParameter> ModelSerializer::MakeNullParameter() const { return m_info.wrap(nullptr); }

std::vector<RefCntPtr<IParameter>> ModelSerializer::SplitList(RefCntPtr<const IParameter> list) const {
  const ModelFields& f = *m_info.fields;
  const void* items = HeldContainer(f.heldList, list.get());
  std::vector<RefCntPtr<IParameter>> out;
  out.reserve(f.listSize(items));
  for (std::size_t i = 0, n = f.listSize(items); i < n; ++i)
    out.push_back(m_info.wrap(static_cast<const PresentationModel*>(f.listItem(items, i).Object())));
  return out;
}

void ModelSerializer::JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                               unsigned int id) const {
  std::vector<const RefCntObject*> models;
  models.reserve(items.size());
  for (const auto& item : items) models.push_back(HeldIn(m_info, item.get()));
  bag->SetParameter(id, m_info.fields->makeList(models));
}

std::map<TString, RefCntPtr<IParameter>> ModelSerializer::SplitMap(RefCntPtr<const IParameter> map) const {
  const ModelFields& f = *m_info.fields;
  const void* entries = HeldContainer(f.heldMap, map.get());
  struct Split {
    const ModelInfo& info;
    std::map<TString, RefCntPtr<IParameter>> out;
  } split{m_info, {}};
  f.mapEach(entries, &split, [](void* context, const TString& key, const RefCntHandle& model) {
    auto& s = *static_cast<Split*>(context);
    s.out.emplace_hint(s.out.end(), key, s.info.wrap(static_cast<const PresentationModel*>(model.Object())));
  });
  return std::move(split.out);
}

void ModelSerializer::JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                              unsigned int id) const {
  std::vector<std::pair<TString, const RefCntObject*>> entries;
  entries.reserve(items.size());
  for (const auto& [key, item] : items) entries.emplace_back(key, HeldIn(m_info, item.get()));
  bag->SetParameter(id, m_info.fields->makeMap(entries));
}
