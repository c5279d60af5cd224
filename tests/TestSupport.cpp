#include "TestSupport.h"

namespace test {

RefCntPtr<const FieldCaptionPairPresModel> Pair(const char16_t* field, const char16_t* caption) {
  auto p = MakeRefCnt<FieldCaptionPairPresModel>();
  p->SetFieldName(FieldName(TString(field)));
  p->SetFieldCaption(TString(caption));
  return p;
}

}  // namespace test
