#pragma once
// StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>: the structure serializer of model T.
// Its statics write a model into a cursor and rebuild one from a bag; its object form is
// what the host registers. The virtual slots are defined in StructSerializerImpl.h and
// instantiated once per model, in the model family's serializer unit.

#include <map>
#include <vector>

#include "framework/ModelInfo.h"
#include "vqxpreslayer/Serializers.h"

// The structure serializers of models: they say which model class they read and write.
class ModelSerializer : public IStructureSerializer {
 public:
  virtual const ModelInfo& Info() const = 0;

 protected:
  ~ModelSerializer() override;
};

// The model class a structure serializer reads and writes; null for value structures and
// serializers of other kinds.
inline const ModelInfo* ModelInfoOf(const IStructureSerializer* serializer) {
  const auto* models = dynamic_cast<const ModelSerializer*>(serializer);
  return models ? &models->Info() : nullptr;
}

// The slots every structure serializer shares, for structures held in parameters as V
// (RefCntPtr<const M> for a model, with Base ModelSerializer; the value itself for a value
// structure).
template <typename V, typename Base = IStructureSerializer>
class StructureSerializerBase : public Base {
 public:
  std::vector<RefCntPtr<IParameter>> SplitList(RefCntPtr<const IParameter> list) const override;
  void JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                unsigned int id) const override;
  std::map<TString, RefCntPtr<IParameter>> SplitMap(RefCntPtr<const IParameter> map) const override;
  void JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
               unsigned int id) const override;
  bool ParsesStringList() const override { return false; }
  void SetContext(RefCntPtr<const IParameters>, unsigned int, RefCntPtr<IParameters>) const override {}

 protected:
  ~StructureSerializerBase() override = default;
};

template <typename ConstPtr, typename Ptr>
class StructSerializer;

template <typename T>
class StructSerializer<RefCntPtr<const T>, RefCntPtr<T>> final
    : public StructureSerializerBase<RefCntPtr<const T>, ModelSerializer> {
 public:
  // Writes the model's members into the cursor's current scope.
  static void SerializeObj(const RefCntPtr<const T>& model, SerializeStructure& cursor) {
    WriteModel(T::GetModelInfo(), model.get(), cursor);
  }
  // Builds a model from the bag, or fills *existing. id is where the structure was found.
  static RefCntPtr<T> ToObject(RefCntPtr<const IParameters> bag, unsigned int id, RefCntPtr<T>* existing) {
    if (!existing)
      return StaticRefCast<T>(ReadModel(T::GetModelInfo(), bag.get(), id, nullptr));
    RefCntPtr<PresentationModel> target = *existing;
    return StaticRefCast<T>(ReadModel(T::GetModelInfo(), bag.get(), id, &target));
  }
  static bool IsComposite() { return true; }

  const ModelInfo& Info() const override { return T::GetModelInfo(); }
  void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id, SerializeStructure& cursor,
                          bool asSubStructure) const override;
  RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters> bag, unsigned int id) const override;
  RefCntPtr<IParameter> MakeNullParameter() const override;

 private:
  ~StructSerializer() override = default;
};

// A new structure serializer holding one reference, owned by the caller.
template <typename S>
RefCntPtr<IStructureSerializer> CreateStructureSerializer() {
  return MakeRefCnt<S>();
}
