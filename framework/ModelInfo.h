#pragma once
// The tables that describe each model to the generic writer and reader: one MemberInfo per
// member in write order, one ModelInfo per model class. The generator emits them; the
// behaviour they drive lives in ModelSerialization.cpp and MemberCodecs.h.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "vqxsys/RefCntPtr.h"

class IParameter;
class IParameters;
class JsonText;
class PresentationModel;
class SerializeStructure;
class Sampler;
class TString;
struct MemberInfo;
struct ModelInfo;

enum class EncodingKind : std::uint8_t {
  ScalarText,
  PlainText,
  ContextualValue,
  NestedStructure,
  StructureList,
  ScalarList,
  NumberVector,
  TextMap,
  StructureMap,
  EmbeddedParameters,
  Command,
};

// The word the tools print for a kind, e.g. "structure list".
const char* EncodingKindWord(EncodingKind kind);

// What the generic code does with one member of one value type.
struct MemberCodec {
  EncodingKind kind;
  // Writes the member. Only command members are called when absent (present == false):
  // they make and release a command serializer on every write.
  void (*write)(const MemberInfo& member, const void* field, SerializeStructure& cursor, bool present);
  // Sets the field from a parameter of the expected holder type; false for any other holder.
  bool (*read)(const IParameters& bag, const IParameter& parameter, void* field);
  // True when the field holds the type's empty value: false, 0, empty text or container, null.
  bool (*isEmpty)(const void* field);
  // Three-way comparison with a value of the field's type; kUnordered when not comparable.
  int (*compare)(const void* field, const void* value);
  // The model class of a nested model, list item or map value; null for other kinds.
  const ModelInfo& (*itemModel)();
  // The field as an integer, for flags, numbers and enumerations; 0 for other types.
  std::int64_t (*asInteger)(const void* field);
  // Sets the field to a value other than the one it holds, for tools and tests.
  void (*sample)(void* field, Sampler& sampler);
  // Nested structures, structure lists and structure maps of models: calls `visit` with
  // every model the field holds, in order, nulls included (`key` is the map key, or null).
  // Null for other kinds. For tools and tests that look into a tree.
  void (*eachModel)(const void* field, void* context,
                    void (*visit)(void* context, const TString* key, const PresentationModel* model)) = nullptr;
  // Writes a present member straight into a cursor's JSON text, the same bytes as `write`
  // makes through the cursor; null for kinds written through the cursor only.
  void (*text)(const MemberInfo& member, const void* field, JsonText& out) = nullptr;

  // Reading straight from text (the wire reader's fast path), for members whose parameter is
  // read by the serializer named here (its exact class):
  const std::type_info* serializer = nullptr;
  // Texts: sets the field from the unescaped UTF-8 text of its value, as that serializer and
  // `read` would; false, with the field unchanged, where they might differ (text that is not
  // UTF-8, a text the serializer refuses, an enumeration's text missing from its table).
  bool (*decode)(std::string_view text, void* field) = nullptr;
  // Scalar lists and number vectors: appends the item a text holds, as `decode` sets a
  // field; and the texts of the items so far, as the serializer writes them (they read back
  // as the same items), for a list whose later item the reader reads the serializer's way.
  bool (*decodeItem)(std::string_view text, void* field) = nullptr;
  void (*itemTexts)(const void* field, std::vector<TString>& texts) = nullptr;
  // Models (nested structures, structure lists and maps of models, read as `itemModel`):
  // `clear` empties a list or map before its items come; `add` sets the nested model, or
  // appends the item, or inserts the entry under `key`; `hasKey` tells a map entry present.
  void (*clear)(void* field) = nullptr;
  void (*add)(void* field, const TString* key, RefCntPtr<PresentationModel>&& model) = nullptr;
  bool (*hasKey)(const void* field, const TString& key) = nullptr;
};
constexpr int kUnordered = 2;

// A presence test: written only when `member` (this model's own member, or the member
// itself when -1) compares to `value` as `op` says. Set: not the empty value.
enum class CompareOp : std::uint8_t { None, Set, Eq, Ne, Gt, Ge };
struct MemberCondition {
  std::int16_t member = -1;
  CompareOp op = CompareOp::None;
  const void* value = nullptr;
};

struct MemberInfo {
  const char* stem;
  std::uint32_t id;
  const MemberCodec* codec;
  void* (*field)(const PresentationModel*);
  std::uint32_t itemId = 0;
  bool whenSet = false;              // omitted when equal to omitValue (or empty when null)
  const void* omitValue = nullptr;
  bool mapItemFlag = false;
  bool read = true;
  bool write = true;
  MemberCondition guard{};
  // A hand-written emptiness test of the value: the member is left out when it is true.
  bool (*unless)(const void* field) = nullptr;

  constexpr MemberInfo WhenSet(const void* omit = nullptr) const {
    MemberInfo m = *this;
    m.whenSet = true;
    m.omitValue = omit;
    return m;
  }
  constexpr MemberInfo Item(std::uint32_t item) const {
    MemberInfo m = *this;
    m.itemId = item;
    return m;
  }
  constexpr MemberInfo MapFlag(bool flag) const {
    MemberInfo m = *this;
    m.mapItemFlag = flag;
    return m;
  }
  constexpr MemberInfo NotRead() const {
    MemberInfo m = *this;
    m.read = false;
    return m;
  }
  constexpr MemberInfo NotWritten() const {
    MemberInfo m = *this;
    m.write = false;
    return m;
  }
  constexpr MemberInfo If(std::int16_t member, CompareOp op, const void* value = nullptr) const {
    MemberInfo m = *this;
    m.guard = MemberCondition{member, op, value};
    return m;
  }
  constexpr MemberInfo Unless(bool (*test)(const void* field)) const {
    MemberInfo m = *this;
    m.unless = test;
    return m;
  }
  // "when set" in the tools' terms: some presence test applies.
  constexpr bool IsConditional() const { return whenSet || guard.op != CompareOp::None || unless; }
};

// One class a dispatching root hands its models on to, by the value of its discriminant.
// `view`, when set, is the class the root's writer views such a model as (a class above
// `info`, whose holder `info`'s serializer also accepts); reading still makes `info`.
struct ConcreteClass {
  std::uint32_t type;
  const ModelInfo& (*info)();
  const ModelInfo& (*view)() = nullptr;
};

// A class that hands a model on to its subclasses itself (a checked level): its enumeration
// member that names the subclass, the subclasses by that member's value, and the source its
// errors name.
struct LevelDispatch {
  std::int16_t member;
  std::span<const ConcreteClass> cases;
  const char* source;
};

using ModelInfoGetter = const ModelInfo& (*)();

// How the root of a kind family hands a model on to the class of its kind: by trying
// classes by dynamic type in a fixed order, or by the value of an enumeration member seen
// unchecked; and how its reader chooses the class to create.
enum class KindScheme : std::uint8_t { None, TryOrder, ByValue };
struct KindTag {
  std::int64_t value;  // the value of the kind member naming the class
  ModelInfoGetter info;
};
struct KindDispatch {
  KindScheme scheme;
  std::span<const ModelInfoGetter> tried;  // TryOrder: the classes tried, in order
  std::span<const KindTag> tags;           // ByValue and reading: the class each value names
  std::uint32_t kindId;                    // the parameter id of the kind member; 0 when none
  bool readByKind;                         // the reader creates the class the bag's kind names
  bool missingIsNull;                      // a bag without the kind member gives no model
};

struct ModelInfo {
  const char* name;
  std::uint32_t defaultId;
  std::span<const MemberInfo> members;  // own members, in write order
  RefCntPtr<PresentationModel> (*create)();
  bool (*isInstance)(const PresentationModel*);
  RefCntPtr<IParameter> (*wrap)(const PresentationModel*);
  const ModelInfo& (*base)() = nullptr;
  bool cached = true;
  std::span<const std::uint16_t> readOrder{};  // own members; empty: write order
  // Hierarchy levels: this class's serializing flag and the root's count of levels in
  // progress (while it is non-zero, the cache is neither read nor filled).
  bool* (*serializingFlag)(const PresentationModel*) = nullptr;
  unsigned* (*hierarchyDepth)(const PresentationModel*) = nullptr;
  // Dispatching roots: the discriminant member and the concrete classes by its value.
  std::int16_t dispatchMember = -1;
  std::span<const ConcreteClass> concrete{};
  std::uint32_t typeId = 0;  // this class's discriminant value, 0 when none
  // Kind-map roots: the class a discriminant naming none of `concrete` is viewed as and read
  // as. With it, a view whose type has no registered serializer is written by the view's
  // own writer (see Dispatch in ModelSerialization.cpp).
  const ModelInfo& (*fallback)() = nullptr;
  // The class the root's writer views this class's models as (ConcreteClass::view); its
  // serializer also accepts a holder of that class.
  const ModelInfo& (*viewedAs)() = nullptr;
  // The model a holder of exactly this class holds: false for any other parameter.
  bool (*unwrap)(const IParameter* parameter, const PresentationModel** model) = nullptr;
  // Hand-written steps run after this class's own members are written or read.
  void (*writeHook)(const PresentationModel*, SerializeStructure&) = nullptr;
  void (*readHook)(PresentationModel*, const IParameters&) = nullptr;
  const LevelDispatch* level = nullptr;  // checked levels: how this class hands models on
  const KindDispatch* kinds = nullptr;   // kind roots: how this class hands models on

  constexpr ModelInfo Base(const ModelInfo& (*b)()) const {
    ModelInfo m = *this;
    m.base = b;
    return m;
  }
  constexpr ModelInfo Direct() const {
    ModelInfo m = *this;
    m.cached = false;
    return m;
  }
  constexpr ModelInfo ReadOrder(std::span<const std::uint16_t> order) const {
    ModelInfo m = *this;
    m.readOrder = order;
    return m;
  }
  constexpr ModelInfo Hierarchy(bool* (*flag)(const PresentationModel*),
                                unsigned* (*depth)(const PresentationModel*)) const {
    ModelInfo m = *this;
    m.serializingFlag = flag;
    m.hierarchyDepth = depth;
    return m;
  }
  constexpr ModelInfo Dispatch(std::int16_t member, std::span<const ConcreteClass> classes) const {
    ModelInfo m = *this;
    m.dispatchMember = member;
    m.concrete = classes;
    return m;
  }
  constexpr ModelInfo Type(std::uint32_t type) const {
    ModelInfo m = *this;
    m.typeId = type;
    return m;
  }
  constexpr ModelInfo Fallback(const ModelInfo& (*f)()) const {
    ModelInfo m = *this;
    m.fallback = f;
    return m;
  }
  constexpr ModelInfo ViewedAs(const ModelInfo& (*v)()) const {
    ModelInfo m = *this;
    m.viewedAs = v;
    return m;
  }
  constexpr ModelInfo Hooks(void (*write)(const PresentationModel*, SerializeStructure&),
                            void (*read)(PresentationModel*, const IParameters&)) const {
    ModelInfo m = *this;
    m.writeHook = write;
    m.readHook = read;
    return m;
  }
  constexpr ModelInfo Kinds(const KindDispatch* dispatch) const {
    ModelInfo m = *this;
    m.kinds = dispatch;
    return m;
  }
  constexpr ModelInfo Levels(const LevelDispatch* dispatch) const {
    ModelInfo m = *this;
    m.level = dispatch;
    return m;
  }
};

// Whether the member's own presence test (omission value, a test on itself) lets it be
// written; tests on other members are not considered.
bool PassesOwnPresence(const MemberInfo& member, const void* field);

// The generic writer: a null model raises the null-pointer assertion; cached models
// record their text on the first complete write and replay it afterwards.
void WriteModel(const ModelInfo& info, const PresentationModel* model, SerializeStructure& cursor);

// Writes one model of a list or a map; an error passing gets the item's index or key as
// its place.
void WriteItem(const ModelInfo& info, const PresentationModel* item, SerializeStructure& cursor, std::size_t index);
void WriteItem(const ModelInfo& info, const PresentationModel* value, SerializeStructure& cursor, const TString& key);
// The place step of a map key: ["key"].
std::string KeyStep(const TString& key);

// The generic reader: builds a new model (or fills *existing) from the bag.
RefCntPtr<PresentationModel> ReadModel(const ModelInfo& info, const IParameters* bag, std::uint32_t id,
                                       RefCntPtr<PresentationModel>* existing);
