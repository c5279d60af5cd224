#pragma once
// What the generated member tables need, and the slots of the serializers of value
// structures. Include only in generated serializer units and value-structure units.

#include "framework/MemberCodecs.h"
#include "framework/StructSerializer.h"

namespace detail {
template <typename V>
const V& HeldIn(const IParameter* parameter) {
  if (!parameter) ThrowNullPointerDereferenced();
  const auto* holder = HolderOf<V>(parameter);
  if (!holder) ThrowTypeMismatchCommandException(0);
  return holder->Value();
}

}  // namespace detail

template <typename V, typename Base>
std::vector<RefCntPtr<IParameter>> StructureSerializerBase<V, Base>::SplitList(RefCntPtr<const IParameter> list) const {
  const auto& items = detail::HeldIn<std::vector<V>>(list.get());
  std::vector<RefCntPtr<IParameter>> out;
  out.reserve(items.size());
  for (const V& item : items) out.push_back(MakeRefCnt<ValParameter<V>>(item));
  return out;
}

template <typename V, typename Base>
void StructureSerializerBase<V, Base>::JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                                          unsigned int id) const {
  std::vector<V> values;
  values.reserve(items.size());
  for (const auto& item : items) values.push_back(detail::HeldIn<V>(item.get()));
  bag->SetParameter(id, MakeRefCnt<ValParameter<std::vector<V>>>(std::move(values)));
}

template <typename V, typename Base>
std::map<TString, RefCntPtr<IParameter>> StructureSerializerBase<V, Base>::SplitMap(RefCntPtr<const IParameter> map) const {
  std::map<TString, RefCntPtr<IParameter>> out;
  for (const auto& [key, item] : detail::HeldIn<std::map<TString, V>>(map.get()))
    out.emplace_hint(out.end(), key, MakeRefCnt<ValParameter<V>>(item));
  return out;
}

template <typename V, typename Base>
void StructureSerializerBase<V, Base>::JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items,
                                         RefCntPtr<IParameters> bag, unsigned int id) const {
  std::map<TString, V> values;
  for (const auto& [key, item] : items) values.emplace_hint(values.end(), key, detail::HeldIn<V>(item.get()));
  bag->SetParameter(id, MakeRefCnt<ValParameter<std::map<TString, V>>>(std::move(values)));
}

// ---- what a generated ModelInfo needs of its class

namespace detail {
template <typename M>
RefCntPtr<PresentationModel> CreateModel() {
  return MakeRefCnt<M>();
}
template <typename M>
bool IsInstanceOf(const PresentationModel* model) {
  // Most models asked about are of the class itself.
  return model && (typeid(*model) == typeid(M) || dynamic_cast<const M*>(model) != nullptr);
}
template <typename M>
RefCntPtr<IParameter> WrapModel(const PresentationModel* model) {
  return MakeRefCnt<ValParameter<RefCntPtr<const M>>>(RefCntPtr<const M>(static_cast<const M*>(model)));
}
template <typename M>
bool UnwrapModel(const IParameter* parameter, const PresentationModel** model) {
  const auto* holder = HolderOf<RefCntPtr<const M>>(parameter);
  if (!holder) return false;
  *model = holder->Value().get();
  return true;
}
}  // namespace detail

template <typename M>
constexpr ModelInfo ModelInfoFor(const char* name, std::span<const MemberInfo> members) {
  ModelInfo info{name, M::ID, members, &detail::CreateModel<M>, &detail::IsInstanceOf<M>, &detail::WrapModel<M>,
                 &codec::ModelFieldsOf<M>::value};
  info.unwrap = &detail::UnwrapModel<M>;
  return info;
}

// Hand-written serializer steps of model M, as the generic writer and reader call them.
template <typename M, void (*F)(const M&, SerializeStructure&)>
void WriteHookOf(const PresentationModel* model, SerializeStructure& cursor) {
  F(*static_cast<const M*>(model), cursor);
}
template <typename M, void (*F)(M&, const IParameters&)>
void ReadHookOf(PresentationModel* model, const IParameters& bag) {
  F(*static_cast<M*>(model), bag);
}
