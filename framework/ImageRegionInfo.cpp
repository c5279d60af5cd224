#include "framework/ImageRegionInfo.h"

#include "framework/StructSerializerImpl.h"

using ImageRegionInfoSerializer = StructSerializer<ImageRegionInfo, ImageRegionInfo>;

ImageRegionInfoSerializer::~StructSerializer() = default;

void ImageRegionInfoSerializer::SerializeObj(const ImageRegionInfo& info, SerializeStructure& cursor) {
  const TRect& r = info.Rect();
  cursor.Parameter(kLeftId, ValueText<int>::ToString(r.Left()));
  cursor.Parameter(kTopId, ValueText<int>::ToString(r.Top()));
  cursor.Parameter(kWidthId, ValueText<int>::ToString(r.Width()));
  cursor.Parameter(kHeightId, ValueText<int>::ToString(r.Height()));
  cursor.Parameter(kRegionId, ValueText<VizImageRegion>::ToString(info.Region()));
  if (info.IsLegendRegion()) {
    ListStructure list(kFieldNamesId, cursor, kListCategory);
    for (const FieldName& name : info.FieldNames()) cursor.ListItem(ValueText<FieldName>::ToString(name));
  }
}

namespace {
template <typename V>
V ValueOrZero(const IParameters& bag, std::uint32_t id) {
  const auto* holder = dynamic_cast<const ValParameter<V>*>(bag.GetParameter(id));
  return holder ? holder->Value() : V{};
}
}  // namespace

ImageRegionInfo ImageRegionInfoSerializer::ToObject(RefCntPtr<const IParameters> bag, unsigned int) {
  const IParameters& b = *bag;
  const int left = ValueOrZero<int>(b, kLeftId);
  const int top = ValueOrZero<int>(b, kTopId);
  const int width = ValueOrZero<int>(b, kWidthId);
  const int height = ValueOrZero<int>(b, kHeightId);
  std::vector<FieldName> names;
  if (const IParameter* p = b.GetParameter(kFieldNamesId)) {
    const auto* holder = dynamic_cast<const ValParameter<std::vector<FieldName>>*>(p);
    if (!holder) ThrowTypeMismatchCommandException(kFieldNamesId);
    names = holder->Value();
  }
  return ImageRegionInfo(TRect(TPoint(left, top), TPoint(left + width, top + height)),
                         ValueOrZero<VizImageRegion>(b, kRegionId), std::move(names));
}

void ImageRegionInfoSerializer::SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id,
                                                   SerializeStructure& cursor, bool asSubStructure) const {
  const ImageRegionInfo& info = detail::HeldIn<ImageRegionInfo>(parameter.get());
  if (asSubStructure) {
    SubStructure scope(id, cursor, IsComposite());
    SerializeObj(info, cursor);
  } else {
    SerializeObj(info, cursor);
  }
}

RefCntPtr<IParameter> ImageRegionInfoSerializer::DeserializeParameter(RefCntPtr<const IParameters> bag,
                                                                      unsigned int id) const {
  return MakeRefCnt<ValParameter<ImageRegionInfo>>(ToObject(std::move(bag), id));
}

RefCntPtr<IParameter> ImageRegionInfoSerializer::MakeNullParameter() const {
  return MakeRefCnt<ValParameter<ImageRegionInfo>>(ImageRegionInfo());
}

template class StructureSerializerBase<ImageRegionInfo>;
template class ValParameter<ImageRegionInfo>;
template class ValParameter<std::vector<ImageRegionInfo>>;
template class ValParameter<std::map<TString, ImageRegionInfo>>;
template class ValParameter<std::vector<FieldName>>;
template RefCntPtr<IStructureSerializer> CreateStructureSerializer<ImageRegionInfoSerializer>();
