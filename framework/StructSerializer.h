#pragma once
// StructSerializer<RefCntPtr<const T>, RefCntPtr<T>>: the structure serializer of model T.
// Its statics write a model into a cursor and rebuild one from a bag; its object form is
// what the host registers. Every slot is written once, in ModelSerializer, and driven by the
// model class's table: the class of each model adds its type and nothing else.

#pragma GCC visibility push(default)

#include <map>
#include <vector>

#include "framework/ModelInfo.h"
#include "vqxpreslayer/Serializers.h"

// The structure serializer of a model class, whose table it is given: the slots shared by
// the structure serializers of all models.
class ModelSerializer : public IStructureSerializer {
 public:
  explicit ModelSerializer(const ModelInfo& info) : m_info(info) {}
  const ModelInfo& Info() const { return m_info; }

  // Takes the model out of a holder of exactly the class (or, for a class that its family's
  // root views as a class above it, of that class) and writes it, in a scope of its own when
  // asSubStructure.
  void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id, SerializeStructure& cursor,
                          bool asSubStructure) const override;
  RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters> bag, unsigned int id) const override;
  RefCntPtr<IParameter> MakeNullParameter() const override;
  std::vector<RefCntPtr<IParameter>> SplitList(RefCntPtr<const IParameter> list) const override;
  void JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                unsigned int id) const override;
  std::map<TString, RefCntPtr<IParameter>> SplitMap(RefCntPtr<const IParameter> map) const override;
  void JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
               unsigned int id) const override;
  bool ParsesStringList() const override { return false; }
  void SetContext(RefCntPtr<const IParameters>, unsigned int, RefCntPtr<IParameters>) const override {}

 protected:
  ~ModelSerializer() override;

 private:
  const ModelInfo& m_info;
};

// The model class a structure serializer reads and writes; null for value structures and
// serializers of other kinds.
inline const ModelInfo* ModelInfoOf(const IStructureSerializer* serializer) {
  const auto* models = dynamic_cast<const ModelSerializer*>(serializer);
  return models ? &models->Info() : nullptr;
}

template <typename ConstPtr, typename Ptr>
class StructSerializer;

template <typename T>
class StructSerializer<RefCntPtr<const T>, RefCntPtr<T>> final : public ModelSerializer {
 public:
  StructSerializer() : ModelSerializer(T::GetModelInfo()) {}

  // Writes the model's members into the cursor's current scope.
  static void SerializeObj(const RefCntPtr<const T>& model, SerializeStructure& cursor) {
    WriteModel(T::GetModelInfo(), model.get(), cursor);
  }
  // Builds a model from the bag, or fills *existing. id is where the structure was found.
  static RefCntPtr<T> ToObject(RefCntPtr<const IParameters> bag, unsigned int id, RefCntPtr<T>* existing) {
    if (!existing) return StaticRefCast<T>(ReadModel(T::GetModelInfo(), bag.get(), id, nullptr));
    RefCntPtr<PresentationModel> target = *existing;
    return StaticRefCast<T>(ReadModel(T::GetModelInfo(), bag.get(), id, &target));
  }
  static bool IsComposite() { return true; }

 private:
  ~StructSerializer() override = default;
};

// A new structure serializer holding one reference, owned by the caller.
template <typename S>
RefCntPtr<IStructureSerializer> CreateStructureSerializer() {
  return MakeRefCnt<S>();
}

// The slots every serializer of a value structure shares, for structures held in parameters
// as V itself.
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

#pragma GCC visibility pop
