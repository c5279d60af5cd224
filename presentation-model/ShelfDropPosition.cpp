// Encodings and shelf drop positions: built from the core's encoding types and pills, and
// converted back to encoding types. An encoding travels as its built-in type and, for a
// custom encoding, the identifier that names it.

#include "models/ShelfDropModels.h"

namespace {

RefCntPtr<const EncodingTypePresModel> EncodingModel(const EncodingTypeClass& type) {
  return MakeRefCnt<EncodingTypePresModel>(type);
}

// The encoding type a nested model stands for; none when there is no model.
EncodingTypeClass EncodingOf(const RefCntPtr<const EncodingTypePresModel>& model) {
  if (!model) return EncodingTypeClass();
  if (model->GetBuiltInType() == EncodingType::Custom) return EncodingTypeClass(model->GetCustomTypeId());
  return EncodingTypeClass(model->GetBuiltInType());
}

}  // namespace

EncodingTypePresModel::EncodingTypePresModel(const EncodingTypeClass& type) : EncodingTypePresModel() {
  SetBuiltInType(type.GetBuiltInType());
  SetCustomTypeId(type.CustomTypeId());
}

EncodingTypePresModel::EncodingTypePresModel(EncodingType builtInType) : EncodingTypePresModel() {
  SetBuiltInType(builtInType);
}

FieldEncodingPresModel::FieldEncodingPresModel(const FieldName& field, const EncodingTypeClass& type)
    : FieldEncodingPresModel() {
  SetFieldName(field);
  SetEncodingTypePresModel(EncodingModel(type));
}

FieldEncodingPresModel::FieldEncodingPresModel(const Pill& pill)
    : FieldEncodingPresModel(pill.GetFieldName(), pill.GetEncodingType()) {}

EncodingTypeClass FieldEncodingPresModel::GetEncodingType() const { return EncodingOf(GetEncodingTypePresModel()); }
void FieldEncodingPresModel::SetEncodingType(const EncodingTypeClass& type) {
  SetEncodingTypePresModel(EncodingModel(type));
}

EncodingTypeClass ShelfItemPresModel::GetEncodingType() const { return EncodingOf(GetEncodingTypePresModel()); }
void ShelfItemPresModel::SetEncodingType(const EncodingTypeClass& type) { SetEncodingTypePresModel(EncodingModel(type)); }

ShelfDropPositionPresModel::ShelfDropPositionPresModel(ShelfType shelfType, int index, ShelfDropAction action,
                                                       bool isFolded, bool isOverlay,
                                                       const EncodingTypeClass& encoding, bool overrideOrigEncoding,
                                                       int paneSpecificationId)
    : ShelfDropPositionPresModel() {
  SetShelfType(shelfType);
  SetIndex(index);
  SetAction(action);
  SetIsFolded(isFolded);
  SetIsOverlay(isOverlay);
  SetEncodingTypePresModel(EncodingModel(encoding));
  SetOverrideOrigEncoding(overrideOrigEncoding);
  SetPaneSpecificationId(paneSpecificationId);
}

EncodingTypeClass ShelfDropPositionPresModel::GetEncodingType() const {
  return EncodingOf(GetEncodingTypePresModel());
}
void ShelfDropPositionPresModel::SetEncodingType(const EncodingTypeClass& type) {
  SetEncodingTypePresModel(EncodingModel(type));
}

// Encodings are compared as the types they stand for, so a missing encoding model equals
// one that holds no encoding.
bool ShelfDropPositionPresModel::operator==(const ShelfDropPositionPresModel& other) const {
  return GetShelfType() == other.GetShelfType() && GetIndex() == other.GetIndex() &&
         GetAction() == other.GetAction() && GetIsFolded() == other.GetIsFolded() &&
         GetIsOverlay() == other.GetIsOverlay() && GetEncodingType() == other.GetEncodingType() &&
         GetOverrideOrigEncoding() == other.GetOverrideOrigEncoding() &&
         GetPaneSpecificationId() == other.GetPaneSpecificationId();
}

bool ShelfDropPositionPresModel::IsEmpty() const {
  return static_cast<std::int32_t>(GetShelfType()) == 0 || GetIndex() < 0;
}

RefCntPtr<ShelfDropPositionPresModel> ShelfDropPositionPresModel::Clone() const {
  return MakeRefCnt<ShelfDropPositionPresModel>(GetShelfType(), GetIndex(), GetAction(), GetIsFolded(), GetIsOverlay(),
                                                GetEncodingType(), GetOverrideOrigEncoding(),
                                                GetPaneSpecificationId());
}
