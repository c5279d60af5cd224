#include "TestSupport.h"

namespace test {

namespace {
template <typename M>
void Register(ParametersRegistry& r, std::initializer_list<std::uint32_t> ids) {
  auto s = CreateStructureSerializer<StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>>();
  for (auto id : ids) r.RegisterStructureSerializer(id, s);
}
}  // namespace

const ParametersRegistry& Registry() {
  static const bool filled = [] {
    ParametersRegistry& r = ParametersRegistry::Get();
    RegisterPresModelSerializers(r);
    Register<ShapePresModel>(r, {ShapePresModel::ID, 0xd6ff0033});
    Register<CirclePresModel>(r, {CirclePresModel::ID, 0xd6ff0030});
    Register<RingPresModel>(r, {RingPresModel::ID, 0xd6ff0031});
    Register<ShapeGroupPresModel>(r, {ShapeGroupPresModel::ID, 0xd6ff0032});
    Register<KitchenSinkPresModel>(r, {KitchenSinkPresModel::ID});
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
