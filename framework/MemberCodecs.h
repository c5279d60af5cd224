#pragma once
// The member codecs: how each encoding kind writes and reads a member of each value type.
// One constant codec object per (kind, type) pair, referenced from the generated member
// tables. Heavy: include only in generated serializer units.

#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/ModelInfo.h"
#include "framework/Sampler.h"
#include "framework/StructSerializer.h"
#include "framework/TupleSerializer.h"
#include "framework/ValueTexts.h"
#include "vqxpreslayer/Commands.h"
#include "vqxpreslayer/ContextualDataValueSerializer.h"
#include "vqxpreslayer/DataSerializerHelpers.h"
#include "vqxpreslayer/JsonText.h"
#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/SerializeStructure.h"

namespace codec {

// ---- value traits: emptiness, ordering, integer view

template <typename T>
struct IsRefCntPtr : std::false_type {};
template <typename T>
struct IsRefCntPtr<RefCntPtr<T>> : std::true_type {};

template <typename V>
bool IsEmptyValue(const V& v) {
  if constexpr (std::is_same_v<V, bool>)
    return !v;
  else if constexpr (std::is_arithmetic_v<V>)
    return v == V{};
  else if constexpr (std::is_enum_v<V>)
    return static_cast<std::underlying_type_t<V>>(v) == 0;
  else if constexpr (IsRefCntPtr<V>::value)
    return !v;
  else if constexpr (requires { v.IsEmpty(); })
    return v.IsEmpty();
  else if constexpr (requires { v.IsNull(); })
    return v.IsNull();
  else if constexpr (requires { v.empty(); })
    return v.empty();
  else if constexpr (requires { v.count(); })
    return v.count() == 0;
  else if constexpr (requires { v.isNull(); })  // Qt's value types
    return v.isNull();
  else
    return v == V{};
}

template <typename V>
int CompareValues(const V& a, const V& b) {
  if constexpr (std::is_arithmetic_v<V> || std::is_enum_v<V> || requires { a.count(); }) {
    if (a < b) return -1;
    if (b < a) return 1;
    if (a == b) return 0;
    return kUnordered;  // NaN
  } else if constexpr (requires { a == b; }) {
    return a == b ? 0 : kUnordered;
  } else {
    return kUnordered;
  }
}

template <typename V>
std::int64_t IntegerOf(const V& v) {
  if constexpr (std::is_arithmetic_v<V> || std::is_enum_v<V>)
    return static_cast<std::int64_t>(v);
  else
    return 0;
}

template <typename V>
bool IsEmptyField(const void* field) {
  return IsEmptyValue(*static_cast<const V*>(field));
}
template <typename V>
int CompareField(const void* field, const void* value) {
  return CompareValues(*static_cast<const V*>(field), *static_cast<const V*>(value));
}
template <typename V>
std::int64_t IntegerField(const void* field) {
  return IntegerOf(*static_cast<const V*>(field));
}

// Reads a field from a parameter of exactly ValParameter<H>.
template <typename V, typename H = V>
bool ReadHeld(const IParameters&, const IParameter& parameter, void* field) {
  const auto* holder = HolderOf<H>(&parameter);
  if (!holder) return false;
  if constexpr (std::is_same_v<V, H>)
    *static_cast<V*>(field) = holder->Value();
  else
    *static_cast<V*>(field) = static_cast<V>(holder->Value());
  return true;
}

// ---- sample values: another value than the one held

template <typename V>
void SampleValue(V& v, Sampler& s);

// Value types of sibling libraries (images, the presentation layer's value structures) are
// sampled by a function `void SampleOf(V&, Sampler&)` declared beside them, found by
// argument-dependent lookup.
struct NoHostValue {};
inline void SampleOf(NoHostValue&, Sampler&) {}

inline TUUID SampleUuid(Sampler& s) {
  std::array<std::uint8_t, 16> b{};
  for (auto& x : b) x = static_cast<std::uint8_t>(s.Next());
  return TUUID(b);
}

template <typename V>
void SampleValue(V& v, Sampler& s) {
  if constexpr (std::is_same_v<V, bool>) {
    v = !v;
  } else if constexpr (std::is_same_v<V, DocParameterID>) {
    v = static_cast<DocParameterID>(s.KnownParameterId());
  } else if constexpr (TableEnum<V>) {
    const auto& entries = EnumTraits<V>::Table().Entries();
    if (entries.empty()) return;
    const auto& pick = entries[s.Next() % entries.size()];
    v = static_cast<V>(pick.first == static_cast<std::int32_t>(v) && entries.size() > 1
                           ? entries[(&pick - entries.data() + 1) % entries.size()].first
                           : pick.first);
  } else if constexpr (std::is_integral_v<V>) {
    const V old = v;
    do v = static_cast<V>(std::is_signed_v<V> ? s.Between(-1000, 1000) : s.Between(1, 5000));
    while (v == old || v == V{});
  } else if constexpr (std::is_floating_point_v<V>) {
    const V old = v;
    do v = static_cast<V>(s.Between(-4000, 4000)) / V(8);
    while (v == old || v == V{});
  } else if constexpr (std::is_same_v<V, std::chrono::seconds>) {
    v = std::chrono::seconds(s.Between(1, 100000));
  } else if constexpr (std::is_same_v<V, TString>) {
    v = s.Text();
  } else if constexpr (std::is_same_v<V, FieldName> || std::is_same_v<V, QualifiedName> ||
                       std::is_same_v<V, FormattedText>) {
    std::u16string t = u"[";
    t += s.Text().Str();
    t += u"]";
    v = V(TString(std::move(t)));
  } else if constexpr (std::is_same_v<V, TUUID>) {
    v = SampleUuid(s);
  } else if constexpr (std::is_base_of_v<SimpleIdentifier, V>) {
    v = V(SampleUuid(s));
  } else if constexpr (std::is_same_v<V, ColorObject>) {
    v = ColorObject(static_cast<int>(s.Between(0, 255)), static_cast<int>(s.Between(0, 255)),
                    static_cast<int>(s.Between(0, 255)), static_cast<int>(s.Between(0, 255)));
  } else if constexpr (std::is_same_v<V, DataValue>) {
    switch (s.Between(0, 3)) {
      case 0: v = DataValue(s.Chance(50)); break;
      case 1: v = DataValue(static_cast<std::int64_t>(s.Between(-100000, 100000))); break;
      case 2: v = DataValue(static_cast<double>(s.Between(-4000, 4000)) / 16); break;
      default: v = DataValue(s.Text()); break;
    }
  } else if constexpr (requires { SampleOf(v, s); }) {
    SampleOf(v, s);
  } else if constexpr (std::is_same_v<V, RefCntPtr<const IParameters>>) {
    v = MakeRefCnt<Parameters>();
  } else if constexpr (std::is_same_v<V, RefCntPtr<const CommandsPresModel>>) {
    auto commands = MakeRefCnt<CommandsPresModel>();
    for (auto n = s.Between(1, 2); n > 0; --n) commands->AddCommand(s.Text());
    v = commands;
  } else if constexpr (std::is_same_v<V, RefCntPtr<const SimpleCommandsPresModel>>) {
    v = MakeRefCnt<SimpleCommandsPresModel>(s.Text());
  } else if constexpr (std::is_same_v<V, RefCntPtr<Tuple>>) {
    std::vector<DataValue> values(static_cast<std::size_t>(s.Between(1, 3)));
    for (DataValue& value : values) SampleValue(value, s);
    v = MakeRefCnt<Tuple>(std::move(values));
  } else if constexpr (IsRefCntPtr<V>::value) {
    using M = std::remove_const_t<typename V::element_type>;
    v = StaticRefCast<typename V::element_type>(s.Model(M::GetModelInfo()));
  } else if constexpr (requires { typename V::key_type; }) {
    V map;
    for (auto n = s.Between(1, 2); n > 0; --n) {
      typename V::mapped_type value{};
      if constexpr (IsRefCntPtr<typename V::mapped_type>::value) {
        if (!s.Chance(15)) SampleValue(value, s);  // now and then a null entry
      } else {
        SampleValue(value, s);
      }
      map.insert_or_assign(s.Key(), std::move(value));
    }
    v = std::move(map);
  } else {  // a list
    V list;
    for (auto n = s.Between(1, 3); n > 0; --n) {
      typename V::value_type item{};
      SampleValue(item, s);
      list.push_back(std::move(item));
    }
    v = std::move(list);
  }
}

template <typename V>
void SampleField(void* field, Sampler& s) {
  SampleValue(*static_cast<V*>(field), s);
}

// ---- writers, one per kind

template <typename V, typename Via>
void WriteScalar(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const V& v = *static_cast<const V*>(field);
  if constexpr (!std::is_same_v<V, Via>)
    cursor.Parameter(m.id, ValueText<Via>::ToString(static_cast<Via>(v)));
  else if constexpr (TableEnum<V>)
    cursor.Parameter(m.id, EnumText(v));  // the table's text, not a copy of it
  else
    cursor.Parameter(m.id, ValueText<V>::ToString(v));
}

inline void WritePlain(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  cursor.Parameter(m.id, *static_cast<const TString*>(field));
}

void WriteContextual(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool);
bool ReadContextual(const IParameters& bag, const IParameter& parameter, void* field);

template <typename M>
void WriteNested(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  SubStructure scope(m.id, cursor, true);
  WriteModel(M::GetModelInfo(), static_cast<const RefCntPtr<const M>*>(field)->get(), cursor);
}

template <typename M, typename P = RefCntPtr<const M>>
void WriteStructureList(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  ListStructure list(m.id, cursor, kListCategory);
  const auto& items = *static_cast<const std::vector<P>*>(field);
  for (std::size_t i = 0; i < items.size(); ++i) {
    SubStructure scope(m.itemId, cursor, true);
    WriteItem(M::GetModelInfo(), items[i].get(), cursor, i);
  }
}

template <typename E>
void WriteScalarList(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  ListStructure list(m.id, cursor, kListCategory);
  for (const auto& item : *static_cast<const std::vector<E>*>(field)) cursor.ListItem(ValueText<E>::ToString(item));
}

template <typename E>
void WriteNumberVector(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const auto& v = *static_cast<const std::vector<E>*>(field);
  if constexpr (std::is_same_v<E, unsigned int>)
    DataSerializerHelpers::SerializeUINTVector(cursor, m.id, v);
  else if constexpr (std::is_same_v<E, int>)
    DataSerializerHelpers::SerializeIntVector(cursor, m.id, v);
  else if constexpr (std::is_same_v<E, float>)
    DataSerializerHelpers::SerializeFloatVector(cursor, m.id, v);
  else
    DataSerializerHelpers::SerializeDoubleVector(cursor, m.id, v);
}

template <typename E>
void WriteTextMap(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  MapStructure map(m.id, cursor);
  for (const auto& [key, value] : *static_cast<const std::map<TString, E>*>(field))
    cursor.MapItem(key, ValueText<E>::ToString(value), m.mapItemFlag);
}

template <typename M>
void WriteStructureMap(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  MapStructure map(m.id, cursor);
  for (const auto& [key, value] : *static_cast<const std::map<TString, RefCntPtr<const M>>*>(field)) {
    if (!value) {
      cursor.NullMapItem(key, true);
      continue;
    }
    MapItemStructure item(key, cursor);
    WriteItem(M::GetModelInfo(), value.get(), cursor, key);
  }
}

// Value structures of the presentation layer (PaneId, DataColumn ...): written by their own
// structure serializer, StructSerializer<V, V>, inside a scope.
template <typename V>
void WriteHostStructure(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  SubStructure scope(m.id, cursor, StructSerializer<V, V>::IsComposite());
  StructSerializer<V, V>::SerializeObj(*static_cast<const V*>(field), cursor);
}

template <typename V>
void WriteHostStructureMap(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  MapStructure map(m.id, cursor);
  for (const auto& [key, value] : *static_cast<const std::map<TString, V>*>(field)) {
    MapItemStructure item(key, cursor);
    try {
      StructSerializer<V, V>::SerializeObj(value, cursor);
    } catch (ErrorPlace& e) {
      e.AddStep(KeyStep(key));
      throw;
    }
  }
}

void WriteEmbedded(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool);

// A fresh command serializer per write, released whether or not it wrote.
std::unique_ptr<ICommandSerializer> MakeCommandSerializer();
template <typename C>
void WriteCommand(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool present) {
  std::unique_ptr<ICommandSerializer> serializer = MakeCommandSerializer();
  if (!present) return;
  if (!serializer) ThrowNullPointerDereferenced();
  const auto& value = *static_cast<const RefCntPtr<const C>*>(field);
  if constexpr (std::is_same_v<C, CommandsPresModel>)
    serializer->SerializeCommands(value, m.id, cursor);
  else
    serializer->SerializeSimpleCommands(value, m.id, cursor);
}

// ---- direct writers: the same text written straight into a cursor's JSON text

// A value's text as a JSON string: formatted in place where the type allows, else the
// text its serializer makes.
template <typename V>
void TextValue(JsonText& out, const V& v) {
  if constexpr (std::is_same_v<V, bool>) {
    out.Raw(v ? std::string_view("\"true\"") : std::string_view("\"false\""));
  } else if constexpr (std::is_integral_v<V>) {
    out.Integer(v);
  } else if constexpr (std::is_same_v<V, float>) {
    out.Float(v);
  } else if constexpr (std::is_same_v<V, double>) {
    out.Double(v);
  } else if constexpr (std::is_same_v<V, std::chrono::seconds>) {
    out.Integer(static_cast<std::int64_t>(v.count()));
  } else if constexpr (TableEnum<V>) {
    const std::string_view json = EnumTraits<V>::Table().JsonText(v);
    if (!json.empty())
      out.Raw(json);
    else
      out.String(EnumText(v));
  } else if constexpr (std::is_same_v<V, DocParameterID>) {
    ValueText<V>::WriteText(out, v);
  } else if constexpr (std::is_same_v<V, ColorObject>) {
    char text[ColorObject::kMaxTextSize];  // '#', hexadecimal digits, "rgba(", ',', ')', ';'
    out.Plain(std::string_view(text, v.WriteRGBA(text)));
  } else {
    out.String(ValueText<V>::ToString(v));
  }
}

template <typename V, typename Via>
void TextScalar(const MemberInfo& m, const void* field, JsonText& out) {
  out.Key(m.id);
  if constexpr (std::is_same_v<V, Via>)
    TextValue(out, *static_cast<const V*>(field));
  else
    TextValue(out, static_cast<Via>(*static_cast<const V*>(field)));
}

inline void TextPlain(const MemberInfo& m, const void* field, JsonText& out) {
  out.Key(m.id);
  out.String(*static_cast<const TString*>(field));
}

// Closes the scope it was made for, also when an error passes.
class TextScope {
 public:
  TextScope(JsonText& out, std::uint32_t id, char bracket) : m_out(out) {
    out.Key(id);
    out.Open(bracket);
  }
  ~TextScope() { m_out.Close(); }
  TextScope(const TextScope&) = delete;
  TextScope& operator=(const TextScope&) = delete;

 private:
  JsonText& m_out;
};

// Scalar lists and number vectors alike: an array of the items' texts.
template <typename E>
void TextList(const MemberInfo& m, const void* field, JsonText& out) {
  TextScope list(out, m.id, '[');
  for (const auto& item : *static_cast<const std::vector<E>*>(field)) {
    out.Separate();
    TextValue(out, static_cast<const E&>(item));
  }
}

template <typename E>
void TextMap(const MemberInfo& m, const void* field, JsonText& out) {
  TextScope map(out, m.id, '{');
  for (const auto& [key, value] : *static_cast<const std::map<TString, E>*>(field)) {
    out.Key(key);
    TextValue(out, value);
  }
}

// ---- reading straight from text (MemberCodec::decode and the model slots)

inline bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  return true;
}

// The value of a text as ValueText<V>::FromString reads it; false where it refuses the text.
template <typename V>
bool DecodeValue(std::string_view text, V& out) {
  if constexpr (std::is_same_v<V, bool>) {
    if (text == "true") return out = true, true;
    if (text == "false") return out = false, true;
    return false;
  } else if constexpr (std::is_integral_v<V> && std::is_signed_v<V>) {
    std::int64_t v = 0;
    if (!ValueTextDetail::IntegerFromAscii(text, std::numeric_limits<V>::min(), std::numeric_limits<V>::max(), v))
      return false;
    out = static_cast<V>(v);
    return true;
  } else if constexpr (std::is_integral_v<V>) {
    std::uint64_t v = 0;
    if (!ValueTextDetail::UnsignedFromAscii(text, std::numeric_limits<V>::max(), v)) return false;
    out = static_cast<V>(v);
    return true;
  } else if constexpr (std::is_same_v<V, float>) {
    return ValueTextDetail::FloatFromAscii(text, out);
  } else if constexpr (std::is_same_v<V, double>) {
    return ValueTextDetail::DoubleFromAscii(text, out);
  } else if constexpr (std::is_same_v<V, std::chrono::seconds>) {
    std::int64_t v = 0;
    if (!ValueTextDetail::IntegerFromAscii(text, INT64_MIN, INT64_MAX, v)) return false;
    out = std::chrono::seconds(v);
    return true;
  } else if constexpr (TableEnum<V>) {
    // Only a text the table holds: any other decodes to the default and is checked by the reader.
    if (!IsAscii(text)) return false;
    const auto& table = EnumTraits<V>::Table();
    const long at = table.FindAscii(text);
    if (at < 0) return false;
    out = static_cast<V>(table.Entries()[static_cast<std::size_t>(at)].first);
    return true;
  } else if constexpr (std::is_same_v<V, DocParameterID>) {
    return IsAscii(text) && ValueText<V>::FromOwnText(text, out);
  } else if constexpr (std::is_same_v<V, ColorObject>) {
    if (!IsAscii(text)) return false;
    out = ColorObjectParser::ParseUtf8(text);
    return true;
  } else {
    std::optional<TString> t = TString::FromUtf8Checked(text);
    if (!t) return false;
    if constexpr (std::is_same_v<V, TString>) {
      out = std::move(*t);
    } else {
      try {
        out = ValueText<V>::FromString(*t);
        // Other enumerations (parameter ids): a text that is not the value's own is unknown.
        if constexpr (std::is_enum_v<V>)
          if (ValueText<V>::ToString(out) != *t) return false;
      } catch (const std::exception&) {
        return false;  // the reader's own way raises the serializer's error
      }
    }
    return true;
  }
}

template <typename V, typename Via>
bool DecodeScalar(std::string_view text, void* field) {
  Via value{};
  if (!DecodeValue(text, value)) return false;
  if constexpr (std::is_same_v<V, Via>)
    *static_cast<V*>(field) = std::move(value);
  else
    *static_cast<V*>(field) = static_cast<V>(value);
  return true;
}

template <typename E>
bool DecodeItem(std::string_view text, void* field) {
  E value{};
  if (!DecodeValue(text, value)) return false;
  static_cast<std::vector<E>*>(field)->push_back(std::move(value));
  return true;
}

template <typename E>
void ItemTexts(const void* field, std::vector<TString>& texts) {
  for (const auto& item : *static_cast<const std::vector<E>*>(field))
    texts.push_back(TString(ValueText<E>::ToString(static_cast<const E&>(item))));
}

template <typename V>
void ClearField(void* field) {
  static_cast<V*>(field)->clear();
}

// P: the pointer type the field holds its models by (RefCntPtr<const M>, or RefCntPtr<M>).
template <typename M, typename P = RefCntPtr<const M>>
void AddNested(void* field, const TString*, RefCntPtr<PresentationModel>&& model) {
  *static_cast<P*>(field) = StaticRefCast<M>(model);
}
template <typename M, typename P = RefCntPtr<const M>>
void AddItem(void* field, const TString*, RefCntPtr<PresentationModel>&& model) {
  static_cast<std::vector<P>*>(field)->push_back(StaticRefCast<M>(model));
}
template <typename M>
void AddEntry(void* field, const TString* key, RefCntPtr<PresentationModel>&& model) {
  static_cast<std::map<TString, RefCntPtr<const M>>*>(field)->emplace(*key, StaticRefCast<M>(model));
}
template <typename M>
bool HasEntry(const void* field, const TString& key) {
  return static_cast<const std::map<TString, RefCntPtr<const M>>*>(field)->count(key) != 0;
}

// ---- the models a member holds (MemberCodec::eachModel)

using ModelVisit = void (*)(void* context, const TString* key, const PresentationModel* model);

// V: a model pointer, a vector of them, or a map from text to them.
template <typename V>
void EachModel(const void* field, void* context, ModelVisit visit) {
  const V& v = *static_cast<const V*>(field);
  if constexpr (IsRefCntPtr<V>::value) {
    visit(context, nullptr, v.get());
  } else if constexpr (requires { typename V::key_type; }) {
    for (const auto& [key, value] : v) visit(context, &key, value.get());
  } else {
    for (const auto& item : v) visit(context, nullptr, item.get());
  }
}

// ---- codec objects

using TextWriter = void (*)(const MemberInfo&, const void*, JsonText&);

// What every codec of value type V has: emptiness, order, integer view, samples.
template <typename V>
constexpr MemberCodec Make(EncodingKind kind, void (*write)(const MemberInfo&, const void*, SerializeStructure&, bool),
                           bool (*read)(const IParameters&, const IParameter&, void*)) {
  return MemberCodec{.kind = kind, .write = write, .read = read, .isEmpty = &IsEmptyField<V>,
                     .compare = &CompareField<V>, .itemModel = nullptr, .asInteger = &IntegerField<V>,
                     .sample = &SampleField<V>};
}

// Scalars and plain text, with their direct writer and reader.
template <typename V, typename Via>
constexpr MemberCodec MakeText(EncodingKind kind, void (*write)(const MemberInfo&, const void*, SerializeStructure&, bool),
                               TextWriter text) {
  MemberCodec c = Make<V>(kind, write, &ReadHeld<V, Via>);
  c.text = text;
  c.serializer = &typeid(ParameterTypeSerializer<Via>);
  c.decode = &DecodeScalar<V, Via>;
  return c;
}

// Members holding models of class M: nested, listed or mapped, as the field's type V says.
template <typename V, typename M>
constexpr MemberCodec MakeModels(EncodingKind kind,
                                 void (*write)(const MemberInfo&, const void*, SerializeStructure&, bool),
                                 bool (*read)(const IParameters&, const IParameter&, void*),
                                 void (*add)(void*, const TString*, RefCntPtr<PresentationModel>&&)) {
  MemberCodec c = Make<V>(kind, write, read);
  c.itemModel = &M::GetModelInfo;
  c.eachModel = &EachModel<V>;
  if constexpr (!IsRefCntPtr<V>::value) c.clear = &ClearField<V>;
  c.add = add;
  if constexpr (requires { typename V::key_type; }) c.hasKey = &HasEntry<M>;
  return c;
}

template <EncodingKind K, typename V, typename Via = V>
struct Codec;

template <typename V, typename Via>
struct Codec<EncodingKind::ScalarText, V, Via> {
  static constexpr MemberCodec value =
      MakeText<V, Via>(EncodingKind::ScalarText, &WriteScalar<V, Via>, &TextScalar<V, Via>);
};
template <>
struct Codec<EncodingKind::PlainText, TString, TString> {
  static constexpr MemberCodec value = MakeText<TString, TString>(EncodingKind::PlainText, &WritePlain, &TextPlain);
};
template <>
struct Codec<EncodingKind::ContextualValue, DataValue, DataValue> {
  static constexpr MemberCodec value =
      Make<DataValue>(EncodingKind::ContextualValue, &WriteContextual, &ReadContextual);
};
template <typename M>
struct Codec<EncodingKind::NestedStructure, RefCntPtr<const M>, RefCntPtr<const M>> {
  using V = RefCntPtr<const M>;
  static constexpr MemberCodec value =
      MakeModels<V, M>(EncodingKind::NestedStructure, &WriteNested<M>, &ReadHeld<V>, &AddNested<M>);
};
template <typename M>
struct Codec<EncodingKind::StructureList, std::vector<RefCntPtr<const M>>, std::vector<RefCntPtr<const M>>> {
  using V = std::vector<RefCntPtr<const M>>;
  static constexpr MemberCodec value =
      MakeModels<V, M>(EncodingKind::StructureList, &WriteStructureList<M>, &ReadHeld<V>, &AddItem<M>);
};
// Lists that hold their items as RefCntPtr<M>: read from the usual list of RefCntPtr<const M>.
template <typename M>
bool ReadMutableItems(const IParameters&, const IParameter& parameter, void* field) {
  const auto* holder = HolderOf<std::vector<RefCntPtr<const M>>>(&parameter);
  if (!holder) return false;
  auto& items = *static_cast<std::vector<RefCntPtr<M>>*>(field);
  items.clear();
  for (const RefCntPtr<const M>& item : holder->Value()) items.push_back(ConstRefCast<M>(item));
  return true;
}
template <typename M>
struct Codec<EncodingKind::StructureList, std::vector<RefCntPtr<M>>, std::vector<RefCntPtr<M>>> {
  using V = std::vector<RefCntPtr<M>>;
  static constexpr MemberCodec value = MakeModels<V, M>(
      EncodingKind::StructureList, &WriteStructureList<M, RefCntPtr<M>>, &ReadMutableItems<M>, &AddItem<M, RefCntPtr<M>>);
};
// Tuples: a structure of value texts; lists of them.
template <>
struct Codec<EncodingKind::NestedStructure, RefCntPtr<Tuple>, RefCntPtr<Tuple>> {
  static constexpr MemberCodec value =
      Make<RefCntPtr<Tuple>>(EncodingKind::NestedStructure, &tuples::WriteMember, &ReadHeld<RefCntPtr<Tuple>>);
};
template <>
struct Codec<EncodingKind::StructureList, std::vector<RefCntPtr<Tuple>>, std::vector<RefCntPtr<Tuple>>> {
  using V = std::vector<RefCntPtr<Tuple>>;
  static constexpr MemberCodec value = Make<V>(EncodingKind::StructureList, &tuples::WriteListMember, &ReadHeld<V>);
};
// Scalar lists and number vectors: arrays of the items' texts, read item by item.
template <typename E>
constexpr MemberCodec MakeList(EncodingKind kind, void (*write)(const MemberInfo&, const void*, SerializeStructure&, bool)) {
  MemberCodec c = Make<std::vector<E>>(kind, write, &ReadHeld<std::vector<E>>);
  c.text = &TextList<E>;
  c.serializer = &typeid(ParameterTypeSerializer<E>);
  c.clear = &ClearField<std::vector<E>>;
  c.decodeItem = &DecodeItem<E>;
  c.itemTexts = &ItemTexts<E>;
  return c;
}
template <typename E>
struct Codec<EncodingKind::ScalarList, std::vector<E>, std::vector<E>> {
  static constexpr MemberCodec value = MakeList<E>(EncodingKind::ScalarList, &WriteScalarList<E>);
};
template <typename E>
struct Codec<EncodingKind::NumberVector, std::vector<E>, std::vector<E>> {
  static constexpr MemberCodec value = MakeList<E>(EncodingKind::NumberVector, &WriteNumberVector<E>);
};
template <typename E>
struct Codec<EncodingKind::TextMap, std::map<TString, E>, std::map<TString, E>> {
  using V = std::map<TString, E>;
  static constexpr MemberCodec value = [] {
    MemberCodec c = Make<V>(EncodingKind::TextMap, &WriteTextMap<E>, &ReadHeld<V>);
    c.text = &TextMap<E>;
    return c;
  }();
};
template <typename M>
struct Codec<EncodingKind::StructureMap, std::map<TString, RefCntPtr<const M>>,
             std::map<TString, RefCntPtr<const M>>> {
  using V = std::map<TString, RefCntPtr<const M>>;
  static constexpr MemberCodec value =
      MakeModels<V, M>(EncodingKind::StructureMap, &WriteStructureMap<M>, &ReadHeld<V>, &AddEntry<M>);
};
// A nested structure or structure map of values rather than models: a value structure.
template <typename V>
struct Codec<EncodingKind::NestedStructure, V, V> {
  static constexpr MemberCodec value = Make<V>(EncodingKind::NestedStructure, &WriteHostStructure<V>, &ReadHeld<V>);
};
template <typename V>
struct Codec<EncodingKind::StructureMap, std::map<TString, V>, std::map<TString, V>> {
  using Map = std::map<TString, V>;
  static constexpr MemberCodec value =
      Make<Map>(EncodingKind::StructureMap, &WriteHostStructureMap<V>, &ReadHeld<Map>);
};
template <>
struct Codec<EncodingKind::EmbeddedParameters, RefCntPtr<const IParameters>, RefCntPtr<const IParameters>> {
  using V = RefCntPtr<const IParameters>;
  static constexpr MemberCodec value = Make<V>(EncodingKind::EmbeddedParameters, &WriteEmbedded, &ReadHeld<V>);
};
template <typename C>
struct Codec<EncodingKind::Command, RefCntPtr<const C>, RefCntPtr<const C>> {
  static constexpr MemberCodec value =
      Make<RefCntPtr<const C>>(EncodingKind::Command, &WriteCommand<C>, &ReadHeld<RefCntPtr<const C>>);
};

// ---- member pointers

template <typename P>
struct MemberPointer;
template <typename C, typename V>
struct MemberPointer<V C::*> {
  using Class = C;
  using Value = V;
};

// The field that member pointer P names in a model known to be of P's class.
template <auto P>
typename MemberPointer<decltype(P)>::Value* FieldPtr(const PresentationModel* model) {
  using C = typename MemberPointer<decltype(P)>::Class;
  return &(const_cast<C*>(static_cast<const C*>(model))->*P);
}

template <auto P>
void* FieldOf(const PresentationModel* model) {
  return FieldPtr<P>(model);
}

}  // namespace codec

// One row of a generated member table: Member<kind, &Model::m_Field>(stem, id), with Via
// naming the type whose serializer writes and reads the value when it differs.
template <EncodingKind K, auto P, typename Via = typename codec::MemberPointer<decltype(P)>::Value>
constexpr MemberInfo Member(const char* stem, std::uint32_t id) {
  using V = typename codec::MemberPointer<decltype(P)>::Value;
  return MemberInfo{stem, id, &codec::Codec<K, V, Via>::value, &codec::FieldOf<P>};
}
