// The page trail options: a copy that the caller may change.

#include "models/VisualModels.h"

RefCntPtr<PageTrailOptionsPresModel> PageTrailOptionsPresModel::Clone() const {
  auto copy = MakeRefCnt<PageTrailOptionsPresModel>();
  copy->SetTrailType(GetTrailType());
  copy->SetMarksToTrail(GetMarksToTrail());
  return copy;
}
