// ActionSpecificationPresModel's copy: its LinkSpecificationPresModel goes only into a copy
// that is a link action (it must then be set); the script and the source are cloned when
// they are set.

#include "models/ActionsModels.h"

RefCntPtr<ActionSpecificationPresModel> ActionSpecificationPresModel::Clone() const {
  auto copy = MakeRefCnt<ActionSpecificationPresModel>();
  copy->SetName(GetName());
  copy->SetCaption(GetCaption());
  copy->SetActivation(GetActivation());
  copy->SetIsLink(GetIsLink());
  copy->SetIsAutoClear(GetIsAutoClear());
  copy->SetIsEnabled(GetIsEnabled());
  if (copy->GetIsLink()) copy->SetLinkSpecification(GetLinkSpecification()->Clone());  // null: the null-pointer error
  if (GetScriptDescription()) copy->SetScriptDescription(GetScriptDescription()->Clone());
  if (GetActionSource()) copy->SetActionSource(GetActionSource()->Clone());
  copy->SetRunOnSingleSelectIsVisible(GetRunOnSingleSelectIsVisible());
  copy->SetRunOnSingleSelectIsChecked(GetRunOnSingleSelectIsChecked());
  return copy;
}
