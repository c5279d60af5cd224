#pragma once
// The virtual slots of StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>, and what the
// generated member tables need. Include only in generated serializer units.

#include "framework/MemberCodecs.h"
#include "framework/StructSerializer.h"

namespace detail {
template <typename V>
const V& HeldIn(const IParameter* parameter) {
  if (!parameter) ThrowNullPointerDereferenced();
  const auto* holder = dynamic_cast<const ValParameter<V>*>(parameter);
  if (!holder) ThrowTypeMismatchCommandException(0);
  return holder->Value();
}
}  // namespace detail

template <typename T>
void StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::SerializeParameter(RefCntPtr<const IParameter> parameter,
                                                                         unsigned int id,
                                                                         SerializeStructure& cursor,
                                                                         bool asSubStructure) const {
  const RefCntPtr<const T>& model = detail::HeldIn<RefCntPtr<const T>>(parameter.get());
  if (asSubStructure) {
    SubStructure scope(id, cursor, IsComposite());
    SerializeObj(model, cursor);
  } else {
    SerializeObj(model, cursor);
  }
}

template <typename T>
RefCntPtr<IParameter> StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::DeserializeParameter(
    RefCntPtr<const IParameters> bag, unsigned int id) const {
  return MakeRefCnt<ValParameter<RefCntPtr<const T>>>(RefCntPtr<const T>(ToObject(std::move(bag), id, nullptr)));
}

template <typename T>
std::vector<RefCntPtr<IParameter>> StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::SplitList(
    RefCntPtr<const IParameter> list) const {
  const auto& items = detail::HeldIn<std::vector<RefCntPtr<const T>>>(list.get());
  std::vector<RefCntPtr<IParameter>> out;
  out.reserve(items.size());
  for (const auto& item : items) out.push_back(MakeRefCnt<ValParameter<RefCntPtr<const T>>>(item));
  return out;
}

template <typename T>
void StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::JoinList(const std::vector<RefCntPtr<IParameter>>& items,
                                                               RefCntPtr<IParameters> bag,
                                                               unsigned int id) const {
  std::vector<RefCntPtr<const T>> models;
  models.reserve(items.size());
  for (const auto& item : items) models.push_back(detail::HeldIn<RefCntPtr<const T>>(item.get()));
  bag->SetParameter(id, MakeRefCnt<ValParameter<std::vector<RefCntPtr<const T>>>>(std::move(models)));
}

template <typename T>
std::map<TString, RefCntPtr<IParameter>> StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::SplitMap(
    RefCntPtr<const IParameter> map) const {
  const auto& entries = detail::HeldIn<std::map<TString, RefCntPtr<const T>>>(map.get());
  std::map<TString, RefCntPtr<IParameter>> out;
  for (const auto& [key, value] : entries)
    out.emplace_hint(out.end(), key, MakeRefCnt<ValParameter<RefCntPtr<const T>>>(value));
  return out;
}

template <typename T>
void StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>::JoinMap(
    const std::map<TString, RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag, unsigned int id) const {
  std::map<TString, RefCntPtr<const T>> models;
  for (const auto& [key, item] : items)
    models.emplace_hint(models.end(), key, detail::HeldIn<RefCntPtr<const T>>(item.get()));
  bag->SetParameter(id, MakeRefCnt<ValParameter<std::map<TString, RefCntPtr<const T>>>>(std::move(models)));
}

// ---- what a generated ModelInfo needs of its class

namespace detail {
template <typename M>
RefCntPtr<PresentationModel> CreateModel() {
  return MakeRefCnt<M>();
}
template <typename M>
bool IsInstanceOf(const PresentationModel* model) {
  return dynamic_cast<const M*>(model) != nullptr;
}
template <typename M>
RefCntPtr<IParameter> WrapModel(const PresentationModel* model) {
  return MakeRefCnt<ValParameter<RefCntPtr<const M>>>(RefCntPtr<const M>(static_cast<const M*>(model)));
}
}  // namespace detail

template <typename M>
constexpr ModelInfo ModelInfoFor(const char* name, std::span<const MemberInfo> members) {
  return ModelInfo{name, M::ID, members, &detail::CreateModel<M>, &detail::IsInstanceOf<M>, &detail::WrapModel<M>};
}
