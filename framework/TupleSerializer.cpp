#include "framework/TupleSerializer.h"

#include "framework/ModelInfo.h"
#include "vqxpreslayer/ContextualDataValueSerializer.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayer/SerializeStructure.h"

template class ValParameter<RefCntPtr<Tuple>>;
template class ValParameter<std::vector<RefCntPtr<Tuple>>>;

namespace tuples {

namespace {
// The list items inside the open structure.
void WriteValues(const Tuple& tuple, SerializeStructure& cursor) {
  for (const DataValue& v : tuple.GetValues()) cursor.ListItem(ContextualDataValueSerializerCore::ToString(v));
}

const RefCntPtr<Tuple>& HeldTuple(const IParameter* parameter) {
  const auto* holder = HolderOf<RefCntPtr<Tuple>>(parameter);
  if (!holder) ThrowTypeMismatchCommandException(0);
  return holder->Value();
}
}  // namespace

void WriteTuple(std::uint32_t id, const RefCntPtr<Tuple>& tuple, SerializeStructure& cursor) {
  SubStructure scope(id, cursor, false);
  WriteValues(*tuple, cursor);
}

RefCntPtr<Tuple> FromTexts(const std::vector<TString>& texts) {
  std::vector<DataValue> values;
  values.reserve(texts.size());
  for (const TString& t : texts) values.push_back(ContextualDataValueSerializer::FromString(t, DataColumnInfo{}));
  return MakeRefCnt<Tuple>(std::move(values));
}

void WriteMember(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  WriteTuple(m.id, *static_cast<const RefCntPtr<Tuple>*>(field), cursor);
}

void WriteListMember(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  ListStructure list(m.id, cursor, kListCategory);
  for (const RefCntPtr<Tuple>& t : *static_cast<const std::vector<RefCntPtr<Tuple>>*>(field))
    WriteTuple(m.itemId, t, cursor);
}

namespace {

// A tuple from and to its list of value texts.
class TupleTextSerializer final : public IParameterSerializer {
 public:
  ParameterTypeCategory GetType() const override { return kValueCategory; }
  TString ParameterToString(RefCntPtr<IParameter>) const override { ThrowTypeMismatchCommandException(0); }
  RefCntPtr<IParameter> ParameterFromString(const TString&) const override { ThrowTypeMismatchCommandException(0); }
  std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter> p) const override {
    std::vector<TString> texts;
    for (const DataValue& v : HeldTuple(p.get())->GetValues())
      texts.push_back(ContextualDataValueSerializerCore::ToString(v));
    return texts;
  }
  RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>& texts) const override {
    return MakeRefCnt<ValParameter<RefCntPtr<Tuple>>>(FromTexts(texts));
  }
  void SerializeListParameter(RefCntPtr<IParameter> p, SerializeStructure& cursor, unsigned int id) const override {
    WriteTuple(id, HeldTuple(p.get()), cursor);
  }
  std::map<TString, TString> MapParameterToStrings(RefCntPtr<IParameter>) const override {
    ThrowTypeMismatchCommandException(0);
  }
  RefCntPtr<IParameter> MapParameterFromStrings(const std::map<TString, TString>&) const override {
    ThrowTypeMismatchCommandException(0);
  }
};

// Tuples as structures: written as their values, joined into and split from lists. A tuple
// is parsed from its list of value texts, never from a bag.
class TupleStructureSerializer final : public IStructureSerializer {
 public:
  using List = std::vector<RefCntPtr<Tuple>>;
  void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id, SerializeStructure& cursor,
                          bool asSubStructure) const override {
    const RefCntPtr<Tuple>& tuple = HeldTuple(parameter.get());
    if (asSubStructure) {
      WriteTuple(id, tuple, cursor);
    } else {
      WriteValues(*tuple, cursor);
    }
  }
  RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters>, unsigned int id) const override {
    ThrowTypeMismatchCommandException(id);
  }
  std::vector<RefCntPtr<IParameter>> SplitList(RefCntPtr<const IParameter> list) const override {
    const auto* holder = HolderOf<List>(list.get());
    if (!holder) ThrowTypeMismatchCommandException(0);
    std::vector<RefCntPtr<IParameter>> out;
    for (const RefCntPtr<Tuple>& t : holder->Value()) out.push_back(MakeRefCnt<ValParameter<RefCntPtr<Tuple>>>(t));
    return out;
  }
  void JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                unsigned int id) const override {
    List tuples;
    tuples.reserve(items.size());
    for (const auto& item : items) {
      if (!item) ThrowNullPointerDereferenced();
      tuples.push_back(HeldTuple(item.get()));
    }
    bag->SetParameter(id, MakeRefCnt<ValParameter<List>>(std::move(tuples)));
  }
  std::map<TString, RefCntPtr<IParameter>> SplitMap(RefCntPtr<const IParameter>) const override {
    ThrowTypeMismatchCommandException(0);
  }
  void JoinMap(const std::map<TString, RefCntPtr<IParameter>>&, RefCntPtr<IParameters>, unsigned int) const override {
    ThrowTypeMismatchCommandException(0);
  }
  bool ParsesStringList() const override { return true; }
  void SetContext(RefCntPtr<const IParameters>, unsigned int, RefCntPtr<IParameters>) const override {}
  RefCntPtr<IParameter> MakeNullParameter() const override {
    return MakeRefCnt<ValParameter<RefCntPtr<Tuple>>>(RefCntPtr<Tuple>());
  }
};

}  // namespace
}  // namespace tuples

RefCntPtr<IParameterSerializer> CreateTupleTextSerializer() { return MakeRefCnt<tuples::TupleTextSerializer>(); }
RefCntPtr<IStructureSerializer> CreateTupleStructureSerializer() {
  return MakeRefCnt<tuples::TupleStructureSerializer>();
}
