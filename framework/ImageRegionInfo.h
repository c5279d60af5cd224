#pragma once
// ImageRegionInfo: a rectangle of a rendered visual, the region it belongs to and, for
// legend regions, the fields the legend shows. Travels as a structure of its own.

#pragma GCC visibility push(default)

#include <map>
#include <vector>

#include "enums/VisualEnums.h"
#include "framework/StructSerializer.h"
#include "vqxcore/Geometry.h"
#include "vqxcoredata/ValueClasses.h"
#include "vqxpreslayer/Parameters.h"

class ImageRegionInfo {
 public:
  ImageRegionInfo() = default;
  explicit ImageRegionInfo(VizImageRegion region) : m_region(region) {}
  ImageRegionInfo(VizImageRegion region, std::vector<FieldName> fieldNames)
      : m_region(region), m_fieldNames(std::move(fieldNames)) {}
  explicit ImageRegionInfo(const TRect& rect) : m_rect(rect) {}
  ImageRegionInfo(const TRect& rect, VizImageRegion region) : m_rect(rect), m_region(region) {}
  ImageRegionInfo(const TRect& rect, VizImageRegion region, std::vector<FieldName> fieldNames)
      : m_rect(rect), m_region(region), m_fieldNames(std::move(fieldNames)) {}

  const TRect& Rect() const { return m_rect; }
  VizImageRegion Region() const { return m_region; }
  const std::vector<FieldName>& FieldNames() const { return m_fieldNames; }
  void SetRect(const TRect& rect) { m_rect = rect; }
  void SetRegion(VizImageRegion region) { m_region = region; }
  void SetFieldNames(std::vector<FieldName> fieldNames) { m_fieldNames = std::move(fieldNames); }

  // A legend region names the fields its legend shows.
  bool IsLegendRegion() const { return !m_fieldNames.empty(); }

  friend bool operator==(const ImageRegionInfo&, const ImageRegionInfo&) = default;

 private:
  TRect m_rect;
  VizImageRegion m_region{};
  std::vector<FieldName> m_fieldNames;
};

template <>
class StructSerializer<ImageRegionInfo, ImageRegionInfo> final : public StructureSerializerBase<ImageRegionInfo> {
 public:
  static constexpr std::uint32_t kLeftId = 0xd61c5044;
  static constexpr std::uint32_t kTopId = 0xd6c40da3;
  static constexpr std::uint32_t kWidthId = 0xd6f8cce8;
  static constexpr std::uint32_t kHeightId = 0xd6ec3e07;
  static constexpr std::uint32_t kRegionId = 0xd6f15a00;
  static constexpr std::uint32_t kFieldNamesId = 0xd6a4a5d8;

  static void SerializeObj(const ImageRegionInfo& info, SerializeStructure& cursor);
  // Missing or wrongly typed members read as 0; field names of another type raise the
  // type-mismatch error for their id.
  static ImageRegionInfo ToObject(RefCntPtr<const IParameters> bag, unsigned int id);
  static bool IsComposite() { return true; }

  void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id, SerializeStructure& cursor,
                          bool asSubStructure) const override;
  RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters> bag, unsigned int id) const override;
  // A region is a value: it has no null form; the empty region stands for one.
  RefCntPtr<IParameter> MakeNullParameter() const override;

 private:
  ~StructSerializer() override;
};

extern template class StructureSerializerBase<ImageRegionInfo>;
extern template class ValParameter<ImageRegionInfo>;
extern template class ValParameter<std::vector<ImageRegionInfo>>;
extern template class ValParameter<std::map<TString, ImageRegionInfo>>;
extern template class ValParameter<std::vector<FieldName>>;

#pragma GCC visibility pop
