#pragma once
// Parameter bags: IParameter (one value), ValParameter<T> (the typed holder) and
// IParameters (a bag of parameters keyed by parameter id).

#pragma GCC visibility push(default)

#include <cstdint>
#include <map>
#include <typeinfo>
#include <utility>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/PresentationModel.h"
#include "vqxsys/RefCntPtr.h"

// How a parameter's value is shaped; lets a generic writer pick the right scope.
enum class ParameterShape : std::uint8_t { Single, List, Map, Bag };

class IParameter : public RefCntObject {
 public:
  // The held model, for holders of one model; null otherwise.
  virtual RefCntPtr<const PresentationModel> GetStructure() const = 0;
  // True for a holder of one model that holds null.
  virtual bool IsNull() const = 0;
  // True for parameters whose value is produced on demand; no holder here is.
  virtual bool IsDeferred() const = 0;
  virtual ParameterShape GetShape() const = 0;

 protected:
  ~IParameter() override;
};

class IParameters;

template <typename T>
struct ParameterShapeOf {
  static constexpr ParameterShape value = ParameterShape::Single;
};
template <typename T>
struct ParameterShapeOf<std::vector<T>> {
  static constexpr ParameterShape value = ParameterShape::List;
};
template <typename T>
struct ParameterShapeOf<std::map<TString, T>> {
  static constexpr ParameterShape value = ParameterShape::Map;
};
template <>
struct ParameterShapeOf<RefCntPtr<const IParameters>> {
  static constexpr ParameterShape value = ParameterShape::Bag;
};

template <typename T>
struct HeldModel : std::false_type {};
template <typename M>
struct HeldModel<RefCntPtr<const M>> : std::is_base_of<PresentationModel, M> {};

// What every holder answers alike, written once here rather than in each holder type: the
// shape of its value and, for a holder of one model, that model.
class ValueHolder : public IParameter {
 public:
  RefCntPtr<const PresentationModel> GetStructure() const final;
  bool IsNull() const final;
  bool IsDeferred() const final;
  ParameterShape GetShape() const final;

 protected:
  // `model`: the held model of a holder of one model (holdsModel), else null.
  ValueHolder(ParameterShape shape, bool holdsModel, const PresentationModel* model)
      : m_model(model), m_shape(shape), m_holdsModel(holdsModel) {}
  ~ValueHolder() override;

 private:
  const PresentationModel* m_model;
  ParameterShape m_shape;
  bool m_holdsModel;
};

// Holds exactly one value of type T, fixed when made.
template <typename T>
class ValParameter final : public ValueHolder {
 public:
  explicit ValParameter(T value)
      : ValueHolder(ParameterShapeOf<T>::value, HeldModel<T>::value, ModelIn(value)), m_value(std::move(value)) {}
  const T& Value() const { return m_value; }

 private:
  static const PresentationModel* ModelIn(const T& value) {
    if constexpr (HeldModel<T>::value)
      return value.get();
    else
      return nullptr;
  }
  ~ValParameter() override = default;
  const T m_value;
};

// The parameter as a ValParameter<T>, or null when it is another holder (or null). Holders
// are final classes, so comparing the dynamic type is the whole test.
template <typename T>
const ValParameter<T>* HolderOf(const IParameter* parameter) {
  return parameter && typeid(*parameter) == typeid(ValParameter<T>) ? static_cast<const ValParameter<T>*>(parameter)
                                                                     : nullptr;
}

// A bag of parameters keyed by id.
class IParameters : public RefCntObject {
 public:
  using Entry = std::pair<std::uint32_t, RefCntPtr<IParameter>>;

  virtual void SetParameter(std::uint32_t id, RefCntPtr<IParameter> parameter) = 0;
  virtual bool HasParameter(std::uint32_t id) const = 0;
  // Borrowed: valid while the bag holds the parameter. Null when absent.
  virtual const IParameter* GetParameter(std::uint32_t id) const = 0;
  virtual const std::vector<Entry>& GetEntries() const = 0;
  std::size_t GetCount() const { return GetEntries().size(); }

 protected:
  ~IParameters() override;
};

// The bag: entries sorted by id, so that a bag is written in a stable order.
class Parameters final : public IParameters {
 public:
  Parameters() { m_entries.reserve(8); }
  void SetParameter(std::uint32_t id, RefCntPtr<IParameter> parameter) override;
  bool HasParameter(std::uint32_t id) const override { return GetParameter(id) != nullptr; }
  const IParameter* GetParameter(std::uint32_t id) const override;
  const std::vector<Entry>& GetEntries() const override { return m_entries; }

 private:
  ~Parameters() override;
  std::vector<Entry> m_entries;
};

#pragma GCC visibility pop
