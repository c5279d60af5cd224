#pragma once
// The member codecs: how each encoding kind writes and reads a member of each value type.
// Members of the built-in value types have one constant codec object per (kind, type) pair;
// members holding enumeration values, and members holding models, share one codec per kind,
// which finds the enumeration's table, or the model's class, in the member's row. Heavy:
// include only in the generated serializer units and the framework's own codec units.

#include <array>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
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

using ModelVisit = void (*)(void* context, const TString* key, const PresentationModel* model);

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
bool IsEmptyField(const MemberInfo&, const void* field) {
  return IsEmptyValue(*static_cast<const V*>(field));
}
template <typename V>
int CompareField(const MemberInfo&, const void* field, const void* value) {
  return CompareValues(*static_cast<const V*>(field), *static_cast<const V*>(value));
}
template <typename V>
std::int64_t IntegerField(const MemberInfo&, const void* field) {
  return IntegerOf(*static_cast<const V*>(field));
}

// Reads a field from a parameter of exactly ValParameter<H>.
template <typename V, typename H = V>
bool ReadHeld(const MemberInfo&, const IParameters&, const IParameter& parameter, void* field) {
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
  } else if constexpr (IsRefCntPtr<V>::value) {  // a model the field holds by RefCntPtr<M>
    using M = std::remove_const_t<typename V::element_type>;
    v = StaticRefCast<typename V::element_type>(s.Model(M::GetModelInfo()));
  } else if constexpr (requires { typename V::key_type; }) {
    V map;
    for (auto n = s.Between(1, 2); n > 0; --n) {
      typename V::mapped_type value{};
      SampleValue(value, s);
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
void SampleField(const MemberInfo&, void* field, Sampler& s) {
  SampleValue(*static_cast<V*>(field), s);
}

// ---- writers, one per kind

template <typename V, typename Via>
void WriteScalar(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  const V& v = *static_cast<const V*>(field);
  if constexpr (!std::is_same_v<V, Via>)
    cursor.Parameter(m.id, ValueText<Via>::ToString(static_cast<Via>(v)));
  else
    cursor.Parameter(m.id, ValueText<V>::ToString(v));
}

// The codec functions and objects of the library that need no template are its own, like
// every template instance here, but the member tables of models outside the library (tests,
// a host's own models) point to them too.
#pragma GCC visibility push(default)
void WritePlain(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool);
void WriteContextual(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool);
bool ReadContextual(const MemberInfo& m, const IParameters& bag, const IParameter& parameter, void* field);
void WriteEmbedded(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool);
std::unique_ptr<ICommandSerializer> MakeCommandSerializer();
void TextPlain(const MemberInfo& m, const void* field, JsonText& out);
extern const MemberCodec kEnumCodec;       // a value, as its table's text
extern const MemberCodec kEnumListCodec;   // a scalar list of values
extern const MemberCodec kEnumMapCodec;    // a text map of values
extern const MemberCodec kModelCodec;      // a nested model
extern const MemberCodec kModelListCodec;  // a structure list of models
extern const MemberCodec kModelMapCodec;   // a structure map of models
#pragma GCC visibility pop

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

// Lists that hold their models as RefCntPtr<M> (not const): written item by item.
template <typename M>
void WriteMutableItems(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  ListStructure list(m.id, cursor, kListCategory);
  const auto& items = *static_cast<const std::vector<RefCntPtr<M>>*>(field);
  for (std::size_t i = 0; i < items.size(); ++i) {
    SubStructure scope(m.itemId, cursor, true);
    WriteItem(M::GetModelInfo(), items[i].get(), cursor, i);
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

// A fresh command serializer per write (MakeCommandSerializer), released whether or not it
// wrote.
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
bool DecodeScalar(const MemberInfo&, std::string_view text, void* field) {
  Via value{};
  if (!DecodeValue(text, value)) return false;
  if constexpr (std::is_same_v<V, Via>)
    *static_cast<V*>(field) = std::move(value);
  else
    *static_cast<V*>(field) = static_cast<V>(value);
  return true;
}

template <typename E>
bool DecodeItem(const MemberInfo&, std::string_view text, void* field) {
  E value{};
  if (!DecodeValue(text, value)) return false;
  static_cast<std::vector<E>*>(field)->push_back(std::move(value));
  return true;
}

template <typename E>
void ItemTexts(const MemberInfo&, const void* field, std::vector<TString>& texts) {
  for (const auto& item : *static_cast<const std::vector<E>*>(field))
    texts.push_back(TString(ValueText<E>::ToString(static_cast<const E&>(item))));
}

template <typename V>
void ClearField(const MemberInfo&, void* field) {
  static_cast<V*>(field)->clear();
}

// ---- codec objects of the built-in value types

using TextWriter = void (*)(const MemberInfo&, const void*, JsonText&);
using Writer = void (*)(const MemberInfo&, const void*, SerializeStructure&, bool);
using Reader = bool (*)(const MemberInfo&, const IParameters&, const IParameter&, void*);

// What every codec of value type V has: emptiness, order, integer view, samples.
template <typename V>
constexpr MemberCodec Make(EncodingKind kind, Writer write, Reader read) {
  return MemberCodec{.kind = kind, .write = write, .read = read, .isEmpty = &IsEmptyField<V>,
                     .compare = &CompareField<V>, .asInteger = &IntegerField<V>, .sample = &SampleField<V>};
}

// Scalars and plain text, with their direct writer and reader.
template <typename V, typename Via>
constexpr MemberCodec MakeText(EncodingKind kind, Writer write, TextWriter text) {
  MemberCodec c = Make<V>(kind, write, &ReadHeld<V, Via>);
  c.text = text;
  c.serializer = &typeid(ParameterTypeSerializer<Via>);
  c.decode = &DecodeScalar<V, Via>;
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
// Lists that hold their items as RefCntPtr<M>: read from the usual list of RefCntPtr<const M>.
template <typename M>
bool ReadMutableItems(const MemberInfo&, const IParameters&, const IParameter& parameter, void* field) {
  const auto* holder = HolderOf<std::vector<RefCntPtr<const M>>>(&parameter);
  if (!holder) return false;
  auto& items = *static_cast<std::vector<RefCntPtr<M>>*>(field);
  items.clear();
  for (const RefCntPtr<const M>& item : holder->Value()) items.push_back(ConstRefCast<M>(item));
  return true;
}
template <typename M>
void EachMutableItem(const MemberInfo&, const void* field, void* context, ModelVisit visit) {
  for (const auto& item : *static_cast<const std::vector<RefCntPtr<M>>*>(field)) visit(context, nullptr, item.get());
}
template <typename M>
struct Codec<EncodingKind::StructureList, std::vector<RefCntPtr<M>>, std::vector<RefCntPtr<M>>> {
  using V = std::vector<RefCntPtr<M>>;
  static constexpr MemberCodec value = [] {
    MemberCodec c = Make<V>(EncodingKind::StructureList, &WriteMutableItems<M>, &ReadMutableItems<M>);
    c.eachModel = &EachMutableItem<M>;
    return c;
  }();
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
constexpr MemberCodec MakeList(EncodingKind kind, Writer write) {
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
// A nested structure or structure map of values rather than models: a value structure.
template <typename V>
void SetValue(const MemberInfo&, void* field, const TString*, void* value) {
  *static_cast<V*>(field) = std::move(*static_cast<V*>(value));
}
template <typename V>
void InsertValue(const MemberInfo&, void* field, const TString* key, void* value) {
  static_cast<std::map<TString, V>*>(field)->insert_or_assign(*key, std::move(*static_cast<V*>(value)));
}
template <typename V>
bool HasValueKey(const MemberInfo&, const void* field, const TString& key) {
  return static_cast<const std::map<TString, V>*>(field)->count(key) != 0;
}
template <typename V>
struct Codec<EncodingKind::NestedStructure, V, V> {
  static constexpr MemberCodec value = [] {
    MemberCodec c = Make<V>(EncodingKind::NestedStructure, &WriteHostStructure<V>, &ReadHeld<V>);
    c.serializer = &typeid(StructSerializer<V, V>);
    c.addValue = &SetValue<V>;
    return c;
  }();
};
template <typename V>
struct Codec<EncodingKind::StructureMap, std::map<TString, V>, std::map<TString, V>> {
  using Map = std::map<TString, V>;
  static constexpr MemberCodec value = [] {
    MemberCodec c = Make<Map>(EncodingKind::StructureMap, &WriteHostStructureMap<V>, &ReadHeld<Map>);
    c.serializer = &typeid(StructSerializer<V, V>);
    c.clear = &ClearField<Map>;
    c.addValue = &InsertValue<V>;
    c.hasKey = &HasValueKey<V>;
    return c;
  }();
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

// ---- members holding enumeration values and members holding models: one codec per kind
// (kEnumCodec ... kModelMapCodec above), with the enumeration or class from the member's row

template <typename V>
struct ModelsOf {
  using Model = void;
};
template <typename M>
struct ModelsOf<RefCntPtr<const M>> {
  using Model = M;
};
template <typename M>
struct ModelsOf<std::vector<RefCntPtr<const M>>> {
  using Model = M;
};
template <typename M>
struct ModelsOf<std::map<TString, RefCntPtr<const M>>> {
  using Model = M;
};
template <typename V>
struct EnumsOf {
  using Enum = void;
};
template <typename E>
struct EnumsOf<std::vector<E>> {
  using Enum = E;
};
template <typename E>
struct EnumsOf<std::map<TString, E>> {
  using Enum = E;
};

template <typename M>
constexpr bool IsModel = std::is_base_of_v<PresentationModel, M> && requires { M::GetModelInfo(); };

}  // namespace codec

namespace codec {
template <typename M>
struct ModelEditsOf;
template <typename E>
struct EnumEditsOf;
}  // namespace codec

// One row of a generated member table: Member<kind, type>(stem, id, offset of the field),
// with Via naming the type whose serializer writes and reads the value when it differs.
template <EncodingKind K, typename V, typename Via = V>
constexpr MemberInfo Member(const char* stem, std::uint32_t id, std::size_t offset) {
  using Model = typename codec::ModelsOf<V>::Model;
  using Enum = typename codec::EnumsOf<V>::Enum;
  const auto at = static_cast<std::uint32_t>(offset);
  if constexpr (K == EncodingKind::ScalarText && std::is_same_v<V, Via> && TableEnum<V>) {
    return MemberInfo{stem, id, at, &codec::kEnumCodec, nullptr, &EnumTraits<V>::Ops};
  } else if constexpr (K == EncodingKind::ScalarList && TableEnum<Enum>) {
    return MemberInfo{stem, id, at, &codec::kEnumListCodec, nullptr, &EnumTraits<Enum>::Ops,
                      &codec::EnumEditsOf<Enum>::list};
  } else if constexpr (K == EncodingKind::TextMap && TableEnum<Enum>) {
    return MemberInfo{stem, id, at, &codec::kEnumMapCodec, nullptr, &EnumTraits<Enum>::Ops,
                      &codec::EnumEditsOf<Enum>::map};
  } else if constexpr (K == EncodingKind::NestedStructure && codec::IsModel<Model>) {
    return MemberInfo{stem, id, at, &codec::kModelCodec, &Model::GetModelInfo};
  } else if constexpr (K == EncodingKind::StructureList && codec::IsModel<Model>) {
    return MemberInfo{stem, id, at, &codec::kModelListCodec, &Model::GetModelInfo, nullptr,
                      &codec::ModelEditsOf<Model>::list};
  } else if constexpr (K == EncodingKind::StructureMap && codec::IsModel<Model>) {
    return MemberInfo{stem, id, at, &codec::kModelMapCodec, &Model::GetModelInfo, nullptr,
                      &codec::ModelEditsOf<Model>::map};
  } else if constexpr (requires { typename V::value_type::element_type; } && K == EncodingKind::StructureList) {
    using Item = std::remove_const_t<typename V::value_type::element_type>;  // a list of RefCntPtr<M>
    if constexpr (codec::IsModel<Item>)
      return MemberInfo{stem, id, at, &codec::Codec<K, V, Via>::value, &Item::GetModelInfo};
    else
      return MemberInfo{stem, id, at, &codec::Codec<K, V, Via>::value};
  } else {
    return MemberInfo{stem, id, at, &codec::Codec<K, V, Via>::value};
  }
}

// ---- what the generic codecs need of each model class

namespace codec {
template <typename M>
struct ModelFieldsOf {
  using P = RefCntPtr<const M>;
  using List = std::vector<P>;
  using Map = std::map<TString, P>;
  static const List& AsList(const void* list) { return *static_cast<const List*>(list); }
  static const Map& AsMap(const void* map) { return *static_cast<const Map*>(map); }
  static P Typed(const RefCntObject* model) { return P(static_cast<const M*>(model)); }

  static std::size_t ListSize(const void* list) { return AsList(list).size(); }
  static const RefCntHandle& ListItem(const void* list, std::size_t index) { return AsList(list)[index]; }
  static std::size_t MapSize(const void* map) { return AsMap(map).size(); }
  static void MapEach(const void* map, void* context, void (*visit)(void*, const TString&, const RefCntHandle&)) {
    for (const auto& [key, model] : AsMap(map)) visit(context, key, model);
  }
  static const void* HeldList(const IParameter* parameter) {
    const auto* holder = HolderOf<List>(parameter);
    return holder ? &holder->Value() : nullptr;
  }
  static const void* HeldMap(const IParameter* parameter) {
    const auto* holder = HolderOf<Map>(parameter);
    return holder ? &holder->Value() : nullptr;
  }
  static RefCntPtr<IParameter> MakeList(std::span<const RefCntObject* const> models) {
    List list(models.size());
    for (std::size_t i = 0; i < models.size(); ++i) static_cast<RefCntHandle&>(list[i]).Reset(models[i]);
    return MakeRefCnt<ValParameter<List>>(std::move(list));
  }
  static RefCntPtr<IParameter> MakeMap(std::span<const std::pair<TString, const RefCntObject*>> entries) {
    Map map;
    for (const auto& [key, model] : entries) map.emplace_hint(map.end(), key, Typed(model));
    return MakeRefCnt<ValParameter<Map>>(std::move(map));
  }

  static constexpr ModelFields value{&ListSize, &ListItem, &MapSize,  &MapEach,
                                     &HeldList, &HeldMap,  &MakeList, &MakeMap};
};

// How members change a list or a map of models of class M.
template <typename M>
struct ModelEditsOf {
  using P = RefCntPtr<const M>;
  static void Append(void* list, const RefCntObject* model) {
    static_cast<std::vector<P>*>(list)->push_back(P(static_cast<const M*>(model)));
  }
  static void ClearList(void* list) { static_cast<std::vector<P>*>(list)->clear(); }
  static bool Insert(void* map, const TString& key, const RefCntObject* model) {
    return static_cast<std::map<TString, P>*>(map)->emplace(key, P(static_cast<const M*>(model))).second;
  }
  static bool Has(const void* map, const TString& key) {
    return static_cast<const std::map<TString, P>*>(map)->count(key) != 0;
  }
  static void ClearMap(void* map) { static_cast<std::map<TString, P>*>(map)->clear(); }

  static constexpr ModelListEdits list{&Append, &ClearList};
  static constexpr ModelMapEdits map{&Insert, &Has, &ClearMap};
};

// How members change a list or a map of an enumeration's values.
template <typename E>
struct EnumEditsOf {
  using List = std::vector<E>;
  using Map = std::map<TString, E>;
  static std::size_t ListSize(const void* list) { return static_cast<const List*>(list)->size(); }
  static std::int32_t ListItem(const void* list, std::size_t index) {
    return static_cast<std::int32_t>((*static_cast<const List*>(list))[index]);
  }
  static void ListAppend(void* list, std::int32_t value) { static_cast<List*>(list)->push_back(static_cast<E>(value)); }
  static void ListClear(void* list) { static_cast<List*>(list)->clear(); }
  static std::size_t MapSize(const void* map) { return static_cast<const Map*>(map)->size(); }
  static void MapEach(const void* map, void* context, void (*visit)(void*, const TString&, std::int32_t)) {
    for (const auto& [key, v] : *static_cast<const Map*>(map)) visit(context, key, static_cast<std::int32_t>(v));
  }
  static void MapInsert(void* map, const TString& key, std::int32_t value) {
    static_cast<Map*>(map)->emplace(key, static_cast<E>(value));
  }
  static void MapClear(void* map) { static_cast<Map*>(map)->clear(); }

  static constexpr EnumListEdits list{&ListSize, &ListItem, &ListAppend, &ListClear};
  static constexpr EnumMapEdits map{&MapSize, &MapEach, &MapInsert, &MapClear};
};
}  // namespace codec
