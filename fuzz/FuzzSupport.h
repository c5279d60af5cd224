#pragma once

#include "framework/Catalogue.h"
#include "models/FrameworkTestModels.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace fuzz {

// The library's models and the test models, which use every kind of member.
inline const ParametersRegistry& Registry() {
  static const bool filled = [] {
    RegisterPresModelSerializers(ParametersRegistry::Get());
    RegisterFrameworkTestFamily(ParametersRegistry::Get());
    return true;
  }();
  (void)filled;
  return ParametersRegistry::Get();
}

}  // namespace fuzz
