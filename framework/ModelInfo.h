#pragma once
// The tables that describe each model to the generic writer and reader: one MemberInfo per
// member in write order, one ModelInfo per model class. The generator emits them; the
// behaviour they drive lives in ModelSerialization.cpp and MemberCodecs.h.

#pragma GCC visibility push(default)

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
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
namespace enumcore {
struct Ops;
}

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

// What the generic code does with one member of one value type. The functions take the
// member's row: members of enumerations and of models find their table or class there, so
// that one codec serves every enumeration, and one every model class, of an encoding kind.
struct MemberCodec {
  EncodingKind kind;
  // Writes the member. Only command members are called when absent (present == false):
  // they make and release a command serializer on every write.
  void (*write)(const MemberInfo& member, const void* field, SerializeStructure& cursor, bool present);
  // Sets the field from a parameter of the expected holder type; false for any other holder.
  bool (*read)(const MemberInfo& member, const IParameters& bag, const IParameter& parameter, void* field);
  // True when the field holds the type's empty value: false, 0, empty text or container, null.
  bool (*isEmpty)(const MemberInfo& member, const void* field);
  // Three-way comparison with a value of the field's type; kUnordered when not comparable.
  int (*compare)(const MemberInfo& member, const void* field, const void* value);
  // The field as an integer, for flags, numbers and enumerations; 0 for other types.
  std::int64_t (*asInteger)(const MemberInfo& member, const void* field);
  // Sets the field to a value other than the one it holds, for tools and tests.
  void (*sample)(const MemberInfo& member, void* field, Sampler& sampler);
  // Nested structures, structure lists and structure maps of models: calls `visit` with
  // every model the field holds, in order, nulls included (`key` is the map key, or null).
  // Null for other kinds. For tools and tests that look into a tree.
  void (*eachModel)(const MemberInfo& member, const void* field, void* context,
                    void (*visit)(void* context, const TString* key, const PresentationModel* model)) = nullptr;
  // Writes a present member straight into a cursor's JSON text, the same bytes as `write`
  // makes through the cursor; null for kinds written through the cursor only.
  void (*text)(const MemberInfo& member, const void* field, JsonText& out) = nullptr;

  // Reading straight from text (the wire reader's fast path), for members whose parameter is
  // read by the serializer named here (its exact class; for enumerations, their table's):
  const std::type_info* serializer = nullptr;
  // Texts: sets the field from the unescaped UTF-8 text of its value, as that serializer and
  // `read` would; false, with the field unchanged, where they might differ (text that is not
  // UTF-8, a text the serializer refuses, an enumeration's text missing from its table).
  bool (*decode)(const MemberInfo& member, std::string_view text, void* field) = nullptr;
  // Scalar lists and number vectors: appends the item a text holds, as `decode` sets a
  // field; and the texts of the items so far, as the serializer writes them (they read back
  // as the same items), for a list whose later item the reader reads the serializer's way.
  bool (*decodeItem)(const MemberInfo& member, std::string_view text, void* field) = nullptr;
  void (*itemTexts)(const MemberInfo& member, const void* field, std::vector<TString>& texts) = nullptr;
  // Lists and maps: empties the field before its items come. Models (nested structures,
  // structure lists and maps of models, of the member's class): `add` sets the nested model,
  // or appends the item, or inserts the entry under `key`; `hasKey` tells a map entry present.
  void (*clear)(const MemberInfo& member, void* field) = nullptr;
  void (*add)(const MemberInfo& member, void* field, const TString* key, RefCntPtr<PresentationModel>&& model) = nullptr;
  bool (*hasKey)(const MemberInfo& member, const void* field, const TString& key) = nullptr;
  // Value structures (nested, or the entries of a map) read straight from text by their
  // serializer (`serializer` above): sets the field, or inserts the entry under `key`, from
  // the value `value` points to, of the field's value type, which is moved from.
  void (*addValue)(const MemberInfo& member, void* field, const TString* key, void* value) = nullptr;
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
  std::uint32_t offset;  // of the field in its model
  const MemberCodec* codec;
  // Members holding models: the class of the nested model, the items or the map's values.
  const ModelInfo& (*model)() = nullptr;
  // Members holding enumeration values: the enumeration's table and holders.
  const enumcore::Ops& (*enumeration)() = nullptr;
  // Lists and maps of models or of enumeration values: how the field is changed (a
  // ModelListEdits, ModelMapEdits, EnumListEdits or EnumMapEdits, as the codec's kind says).
  const void* edits = nullptr;
  std::uint32_t itemId = 0;
  bool whenSet = false;              // omitted when equal to omitValue (or empty when null)
  const void* omitValue = nullptr;
  bool mapItemFlag = false;
  bool read = true;
  bool write = true;
  MemberCondition guard{};
  // A hand-written emptiness test of the value: the member is left out when it is true.
  bool (*unless)(const void* field) = nullptr;

  // The member's field in a model of its class.
  void* Field(const PresentationModel* model) const {
    return const_cast<char*>(reinterpret_cast<const char*>(model)) + offset;
  }
  // The serializer class that reads the member's parameter, for the wire reader's fast path.
  const std::type_info* Serializer() const;

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

// What differs from one model class M to another in the lists (std::vector<RefCntPtr<const M>>)
// and maps (std::map<TString, RefCntPtr<const M>>) of its models and in their holders: one
// set per class (ModelFieldsOf<M>, MemberCodecs.h), for its serializer's slots and for the
// members holding its models. Everything else about them is the same for every class and
// written once, reaching a nested model, a list item or a map value as its RefCntHandle.
struct ModelFields {
  std::size_t (*listSize)(const void* list);
  const RefCntHandle& (*listItem)(const void* list, std::size_t index);
  std::size_t (*mapSize)(const void* map);
  // Calls `visit` with every entry in key order.
  void (*mapEach)(const void* map, void* context,
                  void (*visit)(void* context, const TString& key, const RefCntHandle& model));
  // The list or map a holder of exactly the class's list or map holds; null for another
  // parameter.
  const void* (*heldList)(const IParameter* parameter);
  const void* (*heldMap)(const IParameter* parameter);
  // New holders of the class's list or map, holding the models given (each of the class, or
  // null).
  RefCntPtr<IParameter> (*makeList)(std::span<const RefCntObject* const> models);
  RefCntPtr<IParameter> (*makeMap)(std::span<const std::pair<TString, const RefCntObject*>> entries);
};

// How a member's list or map of models of class M is changed, for the members that hold
// them (MemberInfo::edits): made only for the classes that members list or map.
struct ModelListEdits {
  void (*append)(void* list, const RefCntObject* model);
  void (*clear)(void* list);
};
struct ModelMapEdits {
  // Inserts the entry unless the key is there: false then.
  bool (*insert)(void* map, const TString& key, const RefCntObject* model);
  bool (*has)(const void* map, const TString& key);
  void (*clear)(void* map);
};

// The same for a member's list or map of an enumeration's values (std::vector<E>,
// std::map<TString, E>), the values as 32-bit integers.
struct EnumListEdits {
  std::size_t (*size)(const void* list);
  std::int32_t (*item)(const void* list, std::size_t index);
  void (*append)(void* list, std::int32_t value);
  void (*clear)(void* list);
};
struct EnumMapEdits {
  std::size_t (*size)(const void* map);
  void (*each)(const void* map, void* context, void (*visit)(void* context, const TString& key, std::int32_t value));
  void (*insert)(void* map, const TString& key, std::int32_t value);
  void (*clear)(void* map);
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
  const ModelFields* fields = nullptr;  // lists and maps of the class's models
  const ModelInfo& (*base)() = nullptr;
  bool cached = true;
  std::span<const std::uint16_t> readOrder{};  // own members; empty: write order
  // Hierarchy levels: where this class's serializing flag and the root's count of levels in
  // progress (while it is non-zero, the cache is neither read nor filled) lie in a model of
  // the class; 0 for a class outside hierarchies.
  std::uint32_t serializingFlagAt = 0;
  std::uint32_t hierarchyDepthAt = 0;
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
  constexpr ModelInfo Hierarchy(std::uint32_t flagAt, std::uint32_t depthAt) const {
    ModelInfo m = *this;
    m.serializingFlagAt = flagAt;
    m.hierarchyDepthAt = depthAt;
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
  bool HasSerializingFlag() const { return serializingFlagAt != 0; }
  bool* SerializingFlag(const PresentationModel* model) const { return At<bool>(model, serializingFlagAt); }
  unsigned* HierarchyDepth(const PresentationModel* model) const { return At<unsigned>(model, hierarchyDepthAt); }

  constexpr ModelInfo Levels(const LevelDispatch* dispatch) const {
    ModelInfo m = *this;
    m.level = dispatch;
    return m;
  }

 private:
  template <typename V>
  static V* At(const PresentationModel* model, std::uint32_t offset) {
    return reinterpret_cast<V*>(const_cast<char*>(reinterpret_cast<const char*>(model)) + offset);
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

#pragma GCC visibility pop
