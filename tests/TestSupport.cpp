#include "TestSupport.h"

namespace test {

const ParametersRegistry& Registry() {
  static const bool filled = [] {
    ParametersRegistry& r = ParametersRegistry::Get();
    RegisterPresModelSerializers(r);
    RegisterFrameworkTestFamily(r);
    return true;
  }();
  (void)filled;
  return ParametersRegistry::Get();
}

RefCntPtr<const FieldCaptionPairPresModel> Pair(const char16_t* field, const char16_t* caption) {
  auto p = MakeRefCnt<FieldCaptionPairPresModel>();
  p->SetFieldName(FieldName(TString(field)));
  p->SetFieldCaption(TString(caption));
  return p;
}

}  // namespace test
