#pragma once
// What every generated model header needs: the model base, value types, the serializer
// declaration and the checked element access of list and map accessors.

#pragma GCC visibility push(default)

#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

#include "framework/DocParameterID.h"
#include "framework/Identifiers.h"
#include "framework/StructSerializer.h"
#include "vqxcoredata/ValueClasses.h"
#include "vqxcoreplatform/TString.h"
#include "vqxcoreplatform/TUUID.h"
#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/PresentationModel.h"

class ParametersRegistry;
struct FamilyRegistration;

namespace pm {
// Element access of list and map accessors: a missing element raises the logic assertion
// instead of reading past the end.
[[noreturn]] void ThrowMissingElement(const char* what);

template <typename V>
inline decltype(auto) ListAt(const std::vector<V>& v, unsigned int index) {
  if (index >= v.size()) ThrowMissingElement("index < count");
  return v[index];
}

template <typename V>
inline const V& MapAt(const std::map<TString, V>& m, const TString& key) {
  auto it = m.find(key);
  if (it == m.end()) ThrowMissingElement("key present");
  return it->second;
}

// AsIParameters: a new bag holding the model alone under its default parameter id.
RefCntPtr<IParameters> WrapAlone(const PresentationModel* model, RefCntPtr<IParameter> holder);
template <typename M>
inline RefCntPtr<IParameters> AsIParameters(const M* model) {
  return WrapAlone(model, MakeRefCnt<ValParameter<RefCntPtr<const M>>>(RefCntPtr<const M>(model)));
}
}  // namespace pm

namespace pm {
// The deep-copy steps of generated Clone operations: a nested model or list item that is
// not null is replaced by its own clone.
template <typename P>
inline P CloneNested(const P& model) {
  return model ? P(model->Clone()) : model;
}
template <typename P>
inline std::vector<P> CloneItems(const std::vector<P>& items) {
  std::vector<P> out;
  out.reserve(items.size());
  for (const P& item : items) out.push_back(CloneNested(item));
  return out;
}
}  // namespace pm

#pragma GCC visibility pop
