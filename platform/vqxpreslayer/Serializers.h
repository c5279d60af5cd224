#pragma once
// The serializer interfaces the registry calls: IParameterSerializer for values (scalars,
// enumerations) and IStructureSerializer for models.

#pragma GCC visibility push(default)

#include <cstdint>
#include <map>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/Parameters.h"

class SerializeStructure;

// What kind of values a serializer or list scope deals with; the meaning of each value is
// the presentation layer's.
enum class ParameterTypeCategory : int {};
constexpr ParameterTypeCategory kListCategory{0};
constexpr ParameterTypeCategory kValueCategory{1};

class IParameterSerializer : public RefCntObject {
 public:
  virtual ParameterTypeCategory GetType() const = 0;
  virtual TString ParameterToString(RefCntPtr<IParameter> parameter) const = 0;
  virtual RefCntPtr<IParameter> ParameterFromString(const TString& text) const = 0;
  virtual std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter> parameter) const = 0;
  virtual RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>& texts) const = 0;
  virtual void SerializeListParameter(RefCntPtr<IParameter> parameter, SerializeStructure& cursor,
                                      unsigned int id) const = 0;
  virtual std::map<TString, TString> MapParameterToStrings(RefCntPtr<IParameter> parameter) const = 0;
  virtual RefCntPtr<IParameter> MapParameterFromStrings(
      const std::map<TString, TString>& texts) const = 0;

 protected:
  ~IParameterSerializer() override;
};

class IStructureSerializer : public RefCntObject {
 public:
  virtual void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id,
                                  SerializeStructure& cursor, bool asSubStructure) const = 0;
  virtual RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters> bag,
                                                     unsigned int id) const = 0;
  virtual std::vector<RefCntPtr<IParameter>> SplitList(RefCntPtr<const IParameter> list) const = 0;
  virtual void JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                        unsigned int id) const = 0;
  virtual std::map<TString, RefCntPtr<IParameter>> SplitMap(RefCntPtr<const IParameter> map) const = 0;
  virtual void JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items,
                       RefCntPtr<IParameters> bag, unsigned int id) const = 0;
  virtual bool ParsesStringList() const = 0;
  virtual void SetContext(RefCntPtr<const IParameters> bag, unsigned int id,
                          RefCntPtr<IParameters> target) const = 0;
  // After the slots above: a parameter of this serializer's type holding no structure, as a
  // null entry of a structure map reads back.
  virtual RefCntPtr<IParameter> MakeNullParameter() const = 0;

 protected:
  ~IStructureSerializer() override;
};

// The wrong-value-type error of serializer operations.
[[noreturn]] void ThrowTypeMismatchCommandException(unsigned int id);

class TypeMismatchCommandException : public OrrelinException {
 public:
  TypeMismatchCommandException(OrrelinError error, unsigned int id)
      : OrrelinException(std::move(error)), m_id(id) {}
  ~TypeMismatchCommandException() override;
  unsigned int ParameterId() const { return m_id; }

 private:
  unsigned int m_id;
};

#pragma GCC visibility pop
