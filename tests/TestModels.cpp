#include "TestModels.h"

#include "framework/CatalogueSupport.h"
#include "vqxpreslayer/BuiltinValueText.h"

namespace test {

const ParametersRegistry& Registry() {
  static const bool filled = [] {
    ParametersRegistry& r = ParametersRegistry::Get();
    RegisterPresModelSerializers(r);
    Register(r, kFrameworkTestFamily);
    // The parameter that HookedPresModel's hand-written step writes.
    r.RegisterParameterSerializer(0xd6ff0040, CreateParameterSerializer<ParameterTypeSerializer<int>>());
    r.RegisterName(0xd6ff0040, ParameterNamespaceName("vqxdoc"), LegacyParameterName(u"HookedExtra"));
    return true;
  }();
  (void)filled;
  return ParametersRegistry::Get();
}

}  // namespace test
