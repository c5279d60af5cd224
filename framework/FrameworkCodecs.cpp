// The member codecs that need no template: plain texts, contextual values, embedded
// parameters, and the codecs shared by every enumeration and by every model class; and the
// model support functions.

#include <cstring>

#include "framework/MemberCodecs.h"
#include "framework/ModelSupport.h"
#include "vqxpreslayer/ParametersRegistry.h"

const std::type_info* MemberInfo::Serializer() const {
  return enumeration ? enumeration().serializer : codec->serializer;
}

namespace codec {

namespace {
// The parameter naming the column that contextual values belong to.
constexpr std::uint32_t kContextColumnId = 0xd64152c0;
}  // namespace

void WritePlain(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  cursor.Parameter(m.id, *static_cast<const TString*>(field));
}

void TextPlain(const MemberInfo& m, const void* field, JsonText& out) {
  out.Key(m.id);
  out.String(*static_cast<const TString*>(field));
}

void WriteContextual(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  cursor.Parameter(m.id, ContextualDataValueSerializerCore::ToString(*static_cast<const DataValue*>(field)));
}

bool ReadContextual(const MemberInfo&, const IParameters& bag, const IParameter& parameter, void* field) {
  const auto* holder = dynamic_cast<const ValParameter<TString>*>(&parameter);
  if (!holder) return false;
  const DataColumnInfo column =
      ContextualDataValueSerializer::GetColumn(bag, kContextColumnId, ParameterUtils::GetParameterDSName());
  *static_cast<DataValue*>(field) = ContextualDataValueSerializer::FromString(holder->Value(), column);
  return true;
}

void WriteEmbedded(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  CompositeStructure scope(m.id, cursor);
  const auto& bag = *static_cast<const RefCntPtr<const IParameters>*>(field);
  VisitParametersStructure(cursor.GetParametersRegistry(), *bag, cursor.GetVisitor());
}

std::unique_ptr<ICommandSerializer> MakeCommandSerializer() {
  std::unique_ptr<IFactoryObject> object(ObjectFactoryUtils::CreateObject("VqxDoc", "CommandSerializerID"));
  if (auto* serializer = dynamic_cast<ICommandSerializer*>(object.get())) {
    object.release();
    return std::unique_ptr<ICommandSerializer>(serializer);
  }
  return nullptr;
}

namespace {

// The comparison of two containers item by item: 0 when they hold as many items and each
// is the same (same(i)), kUnordered otherwise.
template <typename Same>
int CompareItems(std::size_t n, std::size_t m, Same same) {
  if (n != m) return kUnordered;
  for (std::size_t i = 0; i < n; ++i)
    if (!same(i)) return kUnordered;
  return 0;
}
// The same for two maps' entries in key order: the keys (held by pointer) and the values.
template <typename V>
int CompareEntries(const std::vector<std::pair<const TString*, V>>& a,
                   const std::vector<std::pair<const TString*, V>>& b) {
  return CompareItems(a.size(), b.size(),
                      [&](std::size_t i) { return *a[i].first == *b[i].first && a[i].second == b[i].second; });
}

// ---- enumerations: values as 32-bit integers, texts from the member's table

const enumcore::Ops& Enum(const MemberInfo& m) { return m.enumeration(); }
const EnumTextTable& Table(const MemberInfo& m) { return m.enumeration().table(); }
const EnumListEdits& EnumList(const MemberInfo& m) { return *static_cast<const EnumListEdits*>(m.edits); }
const EnumMapEdits& EnumMap(const MemberInfo& m) { return *static_cast<const EnumMapEdits*>(m.edits); }

// An enumeration field's value, and setting it (enumerations are 32 bits wide).
std::int32_t Value(const void* field) {
  std::int32_t v = 0;
  std::memcpy(&v, field, sizeof v);
  return v;
}
void SetValue(void* field, std::int32_t v) { std::memcpy(field, &v, sizeof v); }

void EnumJson(const EnumTextTable& table, std::int32_t value, JsonText& out) {
  const std::string_view json = table.JsonText(value);
  if (!json.empty())
    out.Raw(json);
  else
    out.String(table.Encode(value));
}

// The value of a text its table holds (only such a text: any other decodes to the default
// and is checked by the reader).
bool DecodeEnum(const EnumTextTable& table, std::string_view text, std::int32_t& value) {
  if (!IsAscii(text)) return false;
  const long at = table.FindAscii(text);
  if (at < 0) return false;
  value = table.Entries()[static_cast<std::size_t>(at)].first;
  return true;
}

// Another value of the table than `old`, where it has another.
std::int32_t SampleEnum(const EnumTextTable& table, std::int32_t old, Sampler& s) {
  const auto& entries = table.Entries();
  if (entries.empty()) return old;
  const std::size_t pick = s.Next() % entries.size();
  if (entries[pick].first == old && entries.size() > 1) return entries[(pick + 1) % entries.size()].first;
  return entries[pick].first;
}

void WriteEnum(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  cursor.Parameter(m.id, Table(m).Encode(Value(field)));  // the table's text, not a copy of it
}
bool ReadEnum(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  std::int32_t v = 0;
  if (!Enum(m).single(p, v)) return false;
  SetValue(field, v);
  return true;
}
bool EnumIsEmpty(const MemberInfo&, const void* field) { return Value(field) == 0; }
int CompareEnum(const MemberInfo&, const void* field, const void* value) {
  return CompareValues(Value(field), Value(value));
}
std::int64_t EnumInteger(const MemberInfo&, const void* field) { return Value(field); }
void SampleEnumField(const MemberInfo& m, void* field, Sampler& s) { SetValue(field, SampleEnum(Table(m), Value(field), s)); }
void TextEnum(const MemberInfo& m, const void* field, JsonText& out) {
  out.Key(m.id);
  EnumJson(Table(m), Value(field), out);
}
bool DecodeEnumField(const MemberInfo& m, std::string_view text, void* field) {
  std::int32_t v = 0;
  if (!DecodeEnum(Table(m), text, v)) return false;
  SetValue(field, v);
  return true;
}

void WriteEnumList(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const EnumListEdits& l = EnumList(m);
  const EnumTextTable& table = Table(m);
  ListStructure list(m.id, cursor, kListCategory);
  for (std::size_t i = 0, n = l.size(field); i < n; ++i) cursor.ListItem(table.Encode(l.item(field, i)));
}
bool ReadEnumList(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  std::vector<std::int32_t> values;
  if (!Enum(m).list(p, values)) return false;
  const EnumListEdits& l = EnumList(m);
  l.clear(field);
  for (std::int32_t v : values) l.append(field, v);
  return true;
}
bool EnumListIsEmpty(const MemberInfo& m, const void* field) { return EnumList(m).size(field) == 0; }
int CompareEnumList(const MemberInfo& m, const void* field, const void* value) {
  const EnumListEdits& l = EnumList(m);
  return CompareItems(l.size(field), l.size(value),
                      [&](std::size_t i) { return l.item(field, i) == l.item(value, i); });
}
std::int64_t NoInteger(const MemberInfo&, const void*) { return 0; }
void SampleEnumList(const MemberInfo& m, void* field, Sampler& s) {
  const EnumListEdits& l = EnumList(m);
  l.clear(field);
  for (auto n = s.Between(1, 3); n > 0; --n) l.append(field, SampleEnum(Table(m), 0, s));
}
void TextEnumList(const MemberInfo& m, const void* field, JsonText& out) {
  const EnumListEdits& l = EnumList(m);
  TextScope list(out, m.id, '[');
  for (std::size_t i = 0, n = l.size(field); i < n; ++i) {
    out.Separate();
    EnumJson(Table(m), l.item(field, i), out);
  }
}
bool DecodeEnumItem(const MemberInfo& m, std::string_view text, void* field) {
  std::int32_t v = 0;
  if (!DecodeEnum(Table(m), text, v)) return false;
  EnumList(m).append(field, v);
  return true;
}
void EnumItemTexts(const MemberInfo& m, const void* field, std::vector<TString>& texts) {
  const EnumListEdits& l = EnumList(m);
  for (std::size_t i = 0, n = l.size(field); i < n; ++i) texts.push_back(Table(m).Encode(l.item(field, i)));
}
void ClearEnumList(const MemberInfo& m, void* field) { EnumList(m).clear(field); }

// The entries of a map of values, in key order.
std::vector<std::pair<const TString*, std::int32_t>> EnumEntries(const EnumMapEdits& e, const void* map) {
  std::vector<std::pair<const TString*, std::int32_t>> entries;
  e.each(map, &entries, [](void* context, const TString& key, std::int32_t value) {
    static_cast<std::vector<std::pair<const TString*, std::int32_t>>*>(context)->emplace_back(&key, value);
  });
  return entries;
}
void WriteEnumMap(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  MapStructure map(m.id, cursor);
  for (const auto& [key, value] : EnumEntries(EnumMap(m), field))
    cursor.MapItem(*key, Table(m).Encode(value), m.mapItemFlag);
}
bool ReadEnumMap(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  std::vector<std::pair<const TString*, std::int32_t>> entries;
  if (!Enum(m).map(p, entries)) return false;
  const EnumMapEdits& e = EnumMap(m);
  e.clear(field);
  for (const auto& [key, value] : entries) e.insert(field, *key, value);
  return true;
}
bool EnumMapIsEmpty(const MemberInfo& m, const void* field) { return EnumMap(m).size(field) == 0; }
int CompareEnumMap(const MemberInfo& m, const void* field, const void* value) {
  return CompareEntries(EnumEntries(EnumMap(m), field), EnumEntries(EnumMap(m), value));
}
// Samples a map's entries as a map of the sampled values: each value drawn, then its key;
// a later value of a key replaces the earlier one.
template <typename V, typename Draw>
std::vector<std::pair<TString, V>> SampleEntries(Sampler& s, Draw draw) {
  std::vector<std::pair<TString, V>> entries;
  for (auto n = s.Between(1, 2); n > 0; --n) {
    V value = draw();
    TString key = s.Key();
    bool replaced = false;
    for (auto& [k, v] : entries)
      if (k == key) v = std::move(value), replaced = true;
    if (!replaced) entries.emplace_back(std::move(key), std::move(value));
  }
  return entries;
}
void SampleEnumMap(const MemberInfo& m, void* field, Sampler& s) {
  const EnumMapEdits& e = EnumMap(m);
  e.clear(field);
  for (const auto& [key, value] : SampleEntries<std::int32_t>(s, [&] { return SampleEnum(Table(m), 0, s); }))
    e.insert(field, key, value);
}
void TextEnumMap(const MemberInfo& m, const void* field, JsonText& out) {
  TextScope map(out, m.id, '{');
  for (const auto& [key, value] : EnumEntries(EnumMap(m), field)) {
    out.Key(*key);
    EnumJson(Table(m), value, out);
  }
}
void ClearEnumMap(const MemberInfo& m, void* field) { EnumMap(m).clear(field); }

// ---- models: a field holds them as RefCntPtr<const M>, reached as its RefCntHandle

const PresentationModel* ModelOf(const RefCntHandle& handle) {
  return static_cast<const PresentationModel*>(handle.Object());
}
const RefCntHandle& Handle(const void* field) { return *static_cast<const RefCntHandle*>(field); }
RefCntHandle& Handle(void* field) { return *static_cast<RefCntHandle*>(field); }
const ModelFields& Fields(const MemberInfo& m) { return *m.model().fields; }
const ModelListEdits& ListEdits(const MemberInfo& m) { return *static_cast<const ModelListEdits*>(m.edits); }
const ModelMapEdits& MapEdits(const MemberInfo& m) { return *static_cast<const ModelMapEdits*>(m.edits); }

void WriteNestedModel(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  SubStructure scope(m.id, cursor, true);
  WriteModel(m.model(), ModelOf(Handle(field)), cursor);
}
bool ReadNestedModel(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  const PresentationModel* model = nullptr;
  if (!m.model().unwrap(&p, &model)) return false;
  Handle(field).Reset(model);
  return true;
}
bool ModelIsEmpty(const MemberInfo&, const void* field) { return !Handle(field); }
int CompareModel(const MemberInfo&, const void* field, const void* value) {
  return Handle(field).Object() == Handle(value).Object() ? 0 : kUnordered;
}
void SampleNestedModel(const MemberInfo& m, void* field, Sampler& s) { Handle(field).Reset(s.Model(m.model()).get()); }
void EachNestedModel(const MemberInfo&, const void* field, void* context, ModelVisit visit) {
  visit(context, nullptr, ModelOf(Handle(field)));
}
void AddNestedModel(const MemberInfo&, void* field, const TString*, RefCntPtr<PresentationModel>&& model) {
  Handle(field).Reset(model.get());
}

void WriteModelList(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const ModelInfo& info = m.model();
  const ModelFields& f = *info.fields;
  ListStructure list(m.id, cursor, kListCategory);
  for (std::size_t i = 0, n = f.listSize(field); i < n; ++i) {
    SubStructure scope(m.itemId, cursor, true);
    WriteItem(info, ModelOf(f.listItem(field, i)), cursor, i);
  }
}
bool ReadModelList(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  const ModelFields& f = Fields(m);
  const void* held = f.heldList(&p);
  if (!held) return false;
  const ModelListEdits& edit = ListEdits(m);
  edit.clear(field);
  for (std::size_t i = 0, n = f.listSize(held); i < n; ++i) edit.append(field, f.listItem(held, i).Object());
  return true;
}
bool ModelListIsEmpty(const MemberInfo& m, const void* field) { return Fields(m).listSize(field) == 0; }
int CompareModelList(const MemberInfo& m, const void* field, const void* value) {
  const ModelFields& f = Fields(m);
  return CompareItems(f.listSize(field), f.listSize(value),
                      [&](std::size_t i) { return f.listItem(field, i).Object() == f.listItem(value, i).Object(); });
}
void SampleModelList(const MemberInfo& m, void* field, Sampler& s) {
  const ModelListEdits& edit = ListEdits(m);
  edit.clear(field);
  for (auto n = s.Between(1, 3); n > 0; --n) edit.append(field, s.Model(m.model()).get());
}
void EachListedModel(const MemberInfo& m, const void* field, void* context, ModelVisit visit) {
  const ModelFields& f = Fields(m);
  for (std::size_t i = 0, n = f.listSize(field); i < n; ++i) visit(context, nullptr, ModelOf(f.listItem(field, i)));
}
void ClearModelList(const MemberInfo& m, void* field) { ListEdits(m).clear(field); }
void AddListedModel(const MemberInfo& m, void* field, const TString*, RefCntPtr<PresentationModel>&& model) {
  ListEdits(m).append(field, model.get());
}

// The entries of a map of models, in key order.
std::vector<std::pair<const TString*, const RefCntObject*>> ModelEntries(const ModelFields& f, const void* map) {
  std::vector<std::pair<const TString*, const RefCntObject*>> entries;
  f.mapEach(map, &entries, [](void* context, const TString& key, const RefCntHandle& model) {
    static_cast<std::vector<std::pair<const TString*, const RefCntObject*>>*>(context)->emplace_back(&key,
                                                                                                     model.Object());
  });
  return entries;
}
void WriteModelMap(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const ModelInfo& info = m.model();
  MapStructure map(m.id, cursor);
  for (const auto& [key, model] : ModelEntries(*info.fields, field)) {
    if (!model) {
      cursor.NullMapItem(*key, true);
      continue;
    }
    MapItemStructure item(*key, cursor);
    WriteItem(info, static_cast<const PresentationModel*>(model), cursor, *key);
  }
}
bool ReadModelMap(const MemberInfo& m, const IParameters&, const IParameter& p, void* field) {
  const ModelFields& f = Fields(m);
  const void* held = f.heldMap(&p);
  if (!held) return false;
  const ModelMapEdits& edit = MapEdits(m);
  edit.clear(field);
  for (const auto& [key, model] : ModelEntries(f, held)) edit.insert(field, *key, model);
  return true;
}
bool ModelMapIsEmpty(const MemberInfo& m, const void* field) { return Fields(m).mapSize(field) == 0; }
int CompareModelMap(const MemberInfo& m, const void* field, const void* value) {
  const ModelFields& f = Fields(m);
  return CompareEntries(ModelEntries(f, field), ModelEntries(f, value));
}
void SampleModelMap(const MemberInfo& m, void* field, Sampler& s) {
  const ModelMapEdits& edit = MapEdits(m);
  edit.clear(field);
  const auto entries = SampleEntries<RefCntPtr<PresentationModel>>(s, [&] {
    return s.Chance(15) ? RefCntPtr<PresentationModel>() : s.Model(m.model());  // now and then a null entry
  });
  for (const auto& [key, model] : entries) edit.insert(field, key, model.get());
}
void EachMappedModel(const MemberInfo& m, const void* field, void* context, ModelVisit visit) {
  for (const auto& [key, model] : ModelEntries(Fields(m), field))
    visit(context, key, static_cast<const PresentationModel*>(model));
}
void ClearModelMap(const MemberInfo& m, void* field) { MapEdits(m).clear(field); }
void AddMappedModel(const MemberInfo& m, void* field, const TString* key, RefCntPtr<PresentationModel>&& model) {
  MapEdits(m).insert(field, *key, model.get());
}
bool HasMappedModel(const MemberInfo& m, const void* field, const TString& key) {
  return MapEdits(m).has(field, key);
}

}  // namespace

const MemberCodec kEnumCodec{.kind = EncodingKind::ScalarText, .write = &WriteEnum, .read = &ReadEnum,
                             .isEmpty = &EnumIsEmpty, .compare = &CompareEnum, .asInteger = &EnumInteger,
                             .sample = &SampleEnumField, .text = &TextEnum, .decode = &DecodeEnumField};
const MemberCodec kEnumListCodec{.kind = EncodingKind::ScalarList, .write = &WriteEnumList, .read = &ReadEnumList,
                                 .isEmpty = &EnumListIsEmpty, .compare = &CompareEnumList, .asInteger = &NoInteger,
                                 .sample = &SampleEnumList, .text = &TextEnumList, .decodeItem = &DecodeEnumItem,
                                 .itemTexts = &EnumItemTexts, .clear = &ClearEnumList};
const MemberCodec kEnumMapCodec{.kind = EncodingKind::TextMap, .write = &WriteEnumMap, .read = &ReadEnumMap,
                                .isEmpty = &EnumMapIsEmpty, .compare = &CompareEnumMap, .asInteger = &NoInteger,
                                .sample = &SampleEnumMap, .text = &TextEnumMap, .clear = &ClearEnumMap};
const MemberCodec kModelCodec{.kind = EncodingKind::NestedStructure, .write = &WriteNestedModel,
                              .read = &ReadNestedModel, .isEmpty = &ModelIsEmpty, .compare = &CompareModel,
                              .asInteger = &NoInteger, .sample = &SampleNestedModel, .eachModel = &EachNestedModel,
                              .add = &AddNestedModel};
const MemberCodec kModelListCodec{.kind = EncodingKind::StructureList, .write = &WriteModelList,
                                  .read = &ReadModelList, .isEmpty = &ModelListIsEmpty,
                                  .compare = &CompareModelList, .asInteger = &NoInteger, .sample = &SampleModelList,
                                  .eachModel = &EachListedModel, .clear = &ClearModelList, .add = &AddListedModel};
const MemberCodec kModelMapCodec{.kind = EncodingKind::StructureMap, .write = &WriteModelMap, .read = &ReadModelMap,
                                 .isEmpty = &ModelMapIsEmpty, .compare = &CompareModelMap, .asInteger = &NoInteger,
                                 .sample = &SampleModelMap, .eachModel = &EachMappedModel, .clear = &ClearModelMap,
                                 .add = &AddMappedModel, .hasKey = &HasMappedModel};

}  // namespace codec

namespace pm {

void ThrowMissingElement(const char* what) { ThrowLogicAssert("PresentationModel", 0, what); }

RefCntPtr<IParameters> WrapAlone(const PresentationModel* model, RefCntPtr<IParameter> holder) {
  RefCntPtr<IParameters> bag = ParametersRegistry::Get().CreateParameters();
  bag->SetParameter(model->GetDefaultParamID(), std::move(holder));
  return bag;
}

}  // namespace pm
