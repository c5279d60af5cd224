// The field family: each field written as base fields, then each level from the root down,
// once; read back as the class its Type names. And the data sources that hold fields.

#include <algorithm>

#include "TestSupport.h"
#include "models/DataSourcesModels.h"
#include "models/FieldsModels.h"

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

RefCntPtr<const CommandsPresModel> OneCommand() {
  auto c = MakeRefCnt<CommandsPresModel>();
  c->AddCommand(u"rename");
  return c;
}

// The first line that names the id, or an empty text.
std::string LineFor(const std::vector<std::string>& out, std::uint32_t id) {
  const std::string hex = test::Hex(id);
  const auto at =
      std::find_if(out.begin(), out.end(), [&](const std::string& l) { return l.find(hex) != std::string::npos; });
  return at == out.end() ? std::string() : *at;
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
  const RefCntPtr<GroupPresModel> group = AGroup(kColumnType);
  const auto asColumn = MakeRefCnt<FieldColumnPresModel>(static_cast<const FieldColumnPresModel&>(*group));
  EXPECT_EQ(AsFieldItem(group), AsFieldItem(asColumn));  // base and column fields, no group fields
  // A plain field whose Type names a class it is not: its base fields only.
  auto claimed = AsFieldItem(Field<FieldPresModel>(kGroupType, u"f"));
  auto plain = AsFieldItem(Field<FieldPresModel>(kFieldItem, u"f"));
  ASSERT_FALSE(claimed.empty() || plain.empty());
  claimed.erase(claimed.begin());  // the Type parameters differ
  plain.erase(plain.begin());
  EXPECT_EQ(claimed, plain);
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
  const auto read = test::ThroughTextSettled(container);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->GetDimensionCount(), 3u);
  EXPECT_EQ(typeid(*read->GetDimension(0)), typeid(FieldPresModel));
  EXPECT_EQ(typeid(*read->GetDimension(1)), typeid(GroupPresModel));
  EXPECT_EQ(typeid(*read->GetDimension(2)), typeid(ParameterPresModel));
  ASSERT_EQ(read->GetMeasureCount(), 1u);
  const auto* h = dynamic_cast<const HierarchyPresModel*>(read->GetMeasure(0).get());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->GetLevel(0)->GetLocalName(), TString(u"level"));
}

// Members shown to the client but never taken back from it: written, and after reading they
// hold what a new field holds.
TEST(Fields, MembersNotReadBackComeBackAsANewFieldHoldsThem) {
  auto field = Field<FieldPresModel>(kFieldItem, u"f");
  field->SetShouldDisplay(false);
  field->SetIsAllowedInCalcs(true);
  field->SetIsUnnamedCalc(true);
  field->SetIsQuickTableCalc(true);
  field->SetIconSet(static_cast<FieldTypeIconSet>(2));
  field->SetFieldIconResource(u"icon");
  field->SetIsInvalid(true);
  field->SetIsOrphaned(true);
  field->SetTooltip(u"tip");
  field->SetIsDisabled(true);
  field->SetCanBeRenamed(true);
  field->SetFieldCaptionForReset(u"reset");
  field->SetMenu(OneCommand());
  field->SetDataTypeMenu(OneCommand());
  // Read back: a few that are.
  field->SetIsDraggable(true);
  field->SetSchemaViewerTooltip(FormattedText(u"<b>t</b>"));
  field->SetFieldIconIndex(3);
  const RefCntPtr<const FieldPresModel> fresh = Field<FieldPresModel>(kFieldItem, u"f");
  const auto written = test::OutputOf(RefCntPtr<const FieldPresModel>(MakeRefCnt<FieldPresModel>(*field)));
  const auto read = test::ThroughText(field);
  ASSERT_TRUE(read);
  const auto again = test::OutputOf(read), asNew = test::OutputOf(fresh);
  const struct {
    const char* stem;
    std::uint32_t id;
    bool readBack;
  } members[] = {
      {"ShouldDisplay", 0xd6e6c869, false}, {"IsAllowedInCalcs", 0xd6835228, false},
      {"IsUnnamedCalc", 0xd681e004, false}, {"IsQuickTableCalc", 0xd6ac59e4, false},
      {"IconSet", 0xd63ab220, false},       {"FieldIconResource", 0xd68a7c07, false},
      {"IsInvalid", 0xd6091899, false},     {"IsOrphaned", 0xd65de0e5, false},
      {"Tooltip", 0xd6bbf75c, false},       {"IsDisabled", 0xd6c0884c, false},
      {"CanBeRenamed", 0xd62fe861, false},  {"FieldCaptionForReset", 0xd603ebb4, false},
      {"Menu", 0xd63dd43c, false},          {"DataTypeMenu", 0xd69539e8, false},
      {"IsDraggable", 0xd680702a, true},    {"SchemaViewerTooltip", 0xd69adee3, true},
      {"FieldIconIndex", 0xd6f1beb8, true},
  };
  for (const auto& m : members) {
    EXPECT_NE(LineFor(written, m.id), LineFor(asNew, m.id)) << m.stem << " is written";
    EXPECT_EQ(LineFor(again, m.id), LineFor(m.readBack ? written : asNew, m.id)) << m.stem;
  }
  EXPECT_TRUE(read->GetShouldDisplay());
  EXPECT_FALSE(read->GetMenu());
}

TEST(Fields, AFieldWithoutARegisteredTypeCannotBeWritten) {
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] {
    StructSerializer<RefCntPtr<const FieldPresModel>, RefCntPtr<FieldPresModel>>::SerializeObj(
        MakeRefCnt<FieldPresModel>(), cursor);
  });
  EXPECT_EQ(cursor.OpenScopes(), 0);
}

template <typename M>
std::vector<std::string> SourceWritten(RefCntPtr<M> source) {
  source->SetLayout(MakeRefCnt<DataSourceLayoutPresModel>());
  return test::OutputOf(RefCntPtr<const M>(source));
}

TEST(DataSources, AFreshSourceSortsItsFieldsAndShowsItsGridAndNothingElse) {
  std::vector<std::string> set;  // the flags of the source itself that are true
  for (const std::string& line : test::TopLevel(SourceWritten(MakeRefCnt<BaseDataSourcePresModel>())))
    if (line.ends_with(" true")) set.push_back(line);
  EXPECT_EQ(set, test::Lines({"Parameter 0xd65e67c4 true", "Parameter 0xd6e9b05c true"}));
}

TEST(DataSources, ObjectInputRelationColumnsAreWrittenOnlyWhenThereAreSome) {
  auto source = MakeRefCnt<DataSourcePresModel>();
  const auto none = SourceWritten(source);
  EXPECT_NE(LineFor(none, 0xd6a57269), "");  // its fields, an empty list
  EXPECT_EQ(LineFor(none, 0xd6e61304), "");
  source = MakeRefCnt<DataSourcePresModel>();
  source->AddObjectInputRelationColumn(Field<FieldColumnPresModel>(kColumnType, u"c1"));
  source->AddObjectInputRelationColumn(Field<FieldPresModel>(kFieldItem, u"c2"));
  const auto out = SourceWritten(source);
  auto at = std::find(out.begin(), out.end(), "Begin ListStructure 0xd6e61304");
  ASSERT_NE(at, out.end());
  EXPECT_EQ(*++at, "Begin SubStructure 0xd63753bc");
  at = std::find(at + 1, out.end(), "Parameter 0xd97f2ce8 c2");
  ASSERT_NE(at, out.end());
  EXPECT_EQ(*(at - 2), "Begin SubStructure 0xd63753bc");  // after the type parameter
  test::ExpectNullPointerAssertion([] {  // no layout
    test::OutputOf(RefCntPtr<const DataSourcePresModel>(MakeRefCnt<DataSourcePresModel>()));
  });
}

TEST(DataSources, AnEmptySchemaWritesItsParametersSourceAndBlendingLists) {
  EXPECT_EQ(test::TraceOf(RefCntPtr<const DataSchemaPresModel>(MakeRefCnt<DataSchemaPresModel>())),
            test::Lines({"Parameter 0xd9e37e62 ", "Begin ListStructure 0xd6b9ba61", "End",
                         "Begin ListStructure 0xd6f4a49c", "End"}));
}

}  // namespace
