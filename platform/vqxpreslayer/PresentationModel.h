#pragma once
// PresentationModel: the base of every presentation model. Carries the serialized-value
// cache: the recorded text of the model's first complete write.

#include <cstdint>
#include <string>

#include "vqxsys/RefCntPtr.h"

class IParameters;

// Text recorded by a cursor's capture and replayed in place of a second write.
using CapturedText = std::string;

class PresentationModel : public RefCntObject {
 public:
  PresentationModel() = default;

  virtual RefCntPtr<IParameters> AsIParameters() const = 0;
  virtual unsigned int GetDefaultParamID() const = 0;

  // The cache is written through const access: a model handed out is otherwise immutable.
  const CapturedText& GetSerializedVal() const { return m_serializedVal; }
  void SetSerializedVal(CapturedText text) const { m_serializedVal = std::move(text); }

 protected:
  ~PresentationModel() override;

 private:
  mutable CapturedText m_serializedVal;
};
