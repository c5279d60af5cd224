// The field family: each field written as base fields, then each level from the root down,
// once; read back as the class its Type names. And the data sources that hold fields.

#include <algorithm>

#include "TestSupport.h"
#include "models/DataSourcesModels.h"
#include "models/FieldsModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

constexpr std::uint32_t kFieldItem = 0xd63753bc, kColumnType = 0xd69aa9da, kGroupType = 0xd609ac8b,
                        kParameterType = 0xd6566c4b;

template <typename M>
RefCntPtr<M> Field(std::uint32_t type, const char16_t* name) {
  auto f = MakeRefCnt<M>();
  f->SetType(static_cast<DocParameterID>(type));
  f->SetLocalName(name);
  return f;
}

// What a field writes as the only item of a folder's list of fields.
std::vector<std::string> AsFieldItem(RefCntPtr<const FieldPresModel> field) {
  auto folder = Field<FieldFolderNewPresModel>(0xd61bc69a, u"folder");
  folder->AddField(std::move(field));
  const auto out = test::OutputOf(RefCntPtr<const FieldFolderNewPresModel>(folder));
  auto first = std::find(out.begin(), out.end(), "Begin SubStructure 0xd63753bc");
  int depth = 0;
  auto last = first;
  for (; last != out.end(); ++last) {
    if (last->rfind("Begin", 0) == 0) ++depth;
    if (*last == "End" && --depth == 0) break;
  }
  return std::vector<std::string>(first + 1, last);
}

RefCntPtr<GroupPresModel> AGroup(std::uint32_t type) {
  auto g = Field<GroupPresModel>(type, u"g");
  g->AddColumn(u"[c1]");
  g->SetIsCombinedField(true);
  g->SetFormula(u"1+1");
  return g;
}

TEST(Fields, AGroupWritesTheSameDirectlyAndAsAFieldListItem) {
  const auto direct = test::OutputOf(RefCntPtr<const GroupPresModel>(AGroup(kGroupType)));
  EXPECT_EQ(AsFieldItem(AGroup(kGroupType)), direct);
  const auto count = [&](const std::string& prefix) {
    return std::count_if(direct.begin(), direct.end(), [&](const auto& l) { return l.rfind(prefix, 0) == 0; });
  };
  EXPECT_EQ(count("Parameter 0xd6a06861"), 1);  // Type, once
  EXPECT_EQ(count("Parameter 0xd9a97284"), 1);  // a column field, once
  EXPECT_EQ(count("Parameter 0xd6ac062d"), 1);  // a group field, once
}

TEST(Fields, ATypeNamingAnotherClassWritesOnlyTheLevelsOfThatClass) {
  const auto asColumn = AsFieldItem(AGroup(kColumnType));
  EXPECT_EQ(std::count(asColumn.begin(), asColumn.end(), "Parameter 0xd6ac062d true"), 0);  // no group fields
  EXPECT_NE(std::find(asColumn.begin(), asColumn.end(), "Parameter 0xd9a97284 1+1"), asColumn.end());
}

TEST(Fields, AFreshColumnWritesItsStartingEnumerations) {
  const auto out = test::OutputOf(RefCntPtr<const FieldColumnPresModel>(Field<FieldColumnPresModel>(kColumnType, u"c")));
  const auto has = [&](const std::string& line) { return std::find(out.begin(), out.end(), line) != out.end(); };
  test::Registry();
  EXPECT_TRUE(has("Parameter 0xd953b54e " + ValueText<DataType>::ToString(DataType{8}).ToUtf8()));
  EXPECT_TRUE(has("Parameter 0xd955030c " + ValueText<FieldRole>::ToString(FieldRole{2}).ToUtf8()));
  EXPECT_TRUE(has("Parameter 0xd924c61f " + ValueText<ColumnClass>::ToString(ColumnClass{1}).ToUtf8()));
}

TEST(Fields, TheRootReaderGivesTheClassTheTypeNamesAndSkipsUnreadFields) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6a06861, test::Val(static_cast<DocParameterID>(kParameterType)));
  bag->SetParameter(0xd6e6c869, test::Val(false));  // ShouldDisplay: written, not read back
  bag->SetParameter(0xd9a97284, test::Val(TString(u"formula")));
  const auto read = StructSerializer<RefCntPtr<const FieldPresModel>, RefCntPtr<FieldPresModel>>::ToObject(bag, 0, nullptr);
  const auto* parameter = dynamic_cast<const ParameterPresModel*>(read.get());
  ASSERT_NE(parameter, nullptr);
  EXPECT_TRUE(parameter->GetShouldDisplay());
  EXPECT_EQ(parameter->GetFormula(), TString(u"formula"));
}

TEST(Fields, AMixedFieldListKeepsEveryItemsClassThroughText) {
  auto container = Field<FieldContainerPresModel>(0xd6c1a857, u"container");
  container->AddDimension(Field<FieldPresModel>(kFieldItem, u"plain"));
  container->AddDimension(AGroup(kGroupType));
  container->AddDimension(Field<ParameterPresModel>(kParameterType, u"param"));
  auto hierarchy = Field<HierarchyPresModel>(0xd6a2f017, u"hierarchy");
  hierarchy->AddLevel(Field<FieldColumnPresModel>(kColumnType, u"level"));
  container->AddMeasure(hierarchy);
  const std::string text = JsonCursor::Write(test::Registry(), *container->AsIParameters());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  const auto& read = dynamic_cast<const ValParameter<RefCntPtr<const FieldContainerPresModel>>&>(
                         *bag->GetParameter(FieldContainerPresModel::ID))
                         .Value();
  ASSERT_EQ(read->GetDimensionCount(), 3u);
  EXPECT_EQ(typeid(*read->GetDimension(0)), typeid(FieldPresModel));
  EXPECT_EQ(typeid(*read->GetDimension(1)), typeid(GroupPresModel));
  EXPECT_EQ(typeid(*read->GetDimension(2)), typeid(ParameterPresModel));
  ASSERT_EQ(read->GetMeasureCount(), 1u);
  const auto* h = dynamic_cast<const HierarchyPresModel*>(read->GetMeasure(0).get());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->GetLevel(0)->GetLocalName(), TString(u"level"));
}

TEST(Fields, AFieldWithoutARegisteredTypeCannotBeWritten) {
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] {
    StructSerializer<RefCntPtr<const FieldPresModel>, RefCntPtr<FieldPresModel>>::SerializeObj(
        MakeRefCnt<FieldPresModel>(), cursor);
  });
  EXPECT_EQ(cursor.OpenScopes(), 0);
}

TEST(DataSources, FlagsStartAsTheyShouldAndOptionalListsStayOut) {
  auto source = MakeRefCnt<DataSourcePresModel>();
  source->SetLayout(MakeRefCnt<DataSourceLayoutPresModel>());
  const auto out = test::OutputOf(RefCntPtr<const DataSourcePresModel>(source));
  const auto has = [&](const std::string& line) { return std::find(out.begin(), out.end(), line) != out.end(); };
  EXPECT_TRUE(has("Parameter 0xd65e67c4 true"));  // FieldSortOrder
  EXPECT_TRUE(has("Parameter 0xd6e9b05c true"));  // IsDataGridVisible
  EXPECT_TRUE(has("Parameter 0xd6707e0e false"));
  EXPECT_FALSE(has("Begin ListStructure 0xd6e61304"));  // no object-input relation columns
  test::ExpectNullPointerAssertion([] { test::OutputOf(RefCntPtr<const DataSourcePresModel>(MakeRefCnt<DataSourcePresModel>())); });
}

TEST(DataSources, AnEmptySchemaWritesItsParametersSourceAndBlendingLists) {
  EXPECT_EQ(test::TraceOf(RefCntPtr<const DataSchemaPresModel>(MakeRefCnt<DataSchemaPresModel>())),
            test::Lines({"Parameter 0xd9e37e62 ", "Begin ListStructure 0xd6b9ba61", "End",
                         "Begin ListStructure 0xd6f4a49c", "End"}));
}

}  // namespace
