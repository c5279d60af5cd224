// Actions: presence rules of the action a dashboard carries, its command, the copies of an
// action's definition, packed flag lists, editors whose nested members must be set, and an
// editor through wire text and back.

#include <algorithm>
#include <type_traits>

#include "TestSupport.h"
#include "models/ActionsModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

bool Writes(const std::vector<std::string>& out, const std::string& prefix) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

template <typename M>
RefCntPtr<const M> ThroughText(const RefCntPtr<const M>& model, bool sameText = true) {
  const std::string text = JsonCursor::Write(test::Registry(), *model->AsIParameters());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  if (sameText) {
    EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  }
  return dynamic_cast<const ValParameter<RefCntPtr<const M>>&>(*bag->GetParameter(M::ID)).Value();
}

TEST(Actions, AFreshActionWritesItsAlwaysMembersAndSingleSelectOnlyWhileTrue) {
  auto action = MakeRefCnt<ActionPresModel>();
  EXPECT_TRUE(action->GetSingleSelectOnly());
  EXPECT_EQ(test::OutputOf(RefCntPtr<const ActionPresModel>(action)),
            test::Lines({"Parameter 0xd97f2ce8 ", "Parameter 0xd62d726a explicitly", "Parameter 0xd603a599 true",
                         "Begin ListStructure 0xd6ffb1c6", "End", "Begin ListStructure 0xd64a3d92", "End"}));

  for (bool text : {false, true}) {  // a fresh model per kind of cursor: a written model replays its text
    auto multi = MakeRefCnt<ActionPresModel>();
    multi->SetSingleSelectOnly(false);
    if (!text) {
      EXPECT_FALSE(Writes(test::OutputOf(RefCntPtr<const ActionPresModel>(multi)), "Parameter 0xd603a599"));
    } else {  // left out, it reads back as its starting value
      EXPECT_TRUE(ThroughText(RefCntPtr<const ActionPresModel>(multi), false)->GetSingleSelectOnly());
    }
  }
}

struct Presence {
  const char* name;
  std::vector<std::string> (*write)();
  const char* line;
  bool written;
};

template <typename M, typename F>
std::vector<std::string> Write(F set) {
  auto m = MakeRefCnt<M>();
  set(*m);
  return test::OutputOf(RefCntPtr<const M>(m));
}

const Presence kPresence[] = {
    {"clear behaviour do-nothing left out",
     [] { return Write<ActionPresModel>([](ActionPresModel&) {}); }, "Parameter 0xd6400a3f", false},
    {"clear behaviour show-all written",
     [] { return Write<ActionPresModel>([](ActionPresModel& a) { a.SetOnClear(OnClear::ShowAll); }); },
     "Parameter 0xd6400a3f show-all", true},
    {"empty target URL left out",
     [] { return Write<ActionPresModel>([](ActionPresModel&) {}); }, "Parameter 0xd6e07ee3", false},
    {"null link left out",
     [] { return Write<ActionPresModel>([](ActionPresModel&) {}); }, "Begin SubStructure 0xd6d6b846", false},
    {"link written when set",
     [] {
       return Write<ActionPresModel>([](ActionPresModel& a) { a.SetLinkSpec(MakeRefCnt<LinkSpecPresModel>()); });
     },
     "Begin SubStructure 0xd6d6b846", true},
    {"short link: empty delimiter left out",
     [] { return Write<LinkSpecPresModel>([](LinkSpecPresModel&) {}); }, "Parameter 0xd641a37f", false},
    {"short link: empty escape text left out",
     [] { return Write<LinkSpecPresModel>([](LinkSpecPresModel&) {}); }, "Parameter 0xd643e6fc", false},
    {"short link: escape text under the escape id",
     [] { return Write<LinkSpecPresModel>([](LinkSpecPresModel& l) { l.SetEscapeString(u"%"); }); },
     "Parameter 0xd643e6fc %", true},
    {"short link: URL always written, under its own id",
     [] { return Write<LinkSpecPresModel>([](LinkSpecPresModel&) {}); }, "Parameter 0xd6cef687 ", true},
    {"link specification: empty delimiter still written",
     [] { return Write<LinkSpecificationPresModel>([](LinkSpecificationPresModel&) {}); }, "Parameter 0xd641a37f ",
     true},
    {"script: empty parameters left out",
     [] { return Write<ScriptDescriptionPresModel>([](ScriptDescriptionPresModel&) {}); }, "Begin MapStructure", false},
    {"URL action: empty display and target left out",
     [] { return Write<URLActionPresModel>([](URLActionPresModel&) {}); }, "Parameter 0xd6d", false},
    {"specification: null source left out",
     [] { return Write<ActionSpecificationPresModel>([](ActionSpecificationPresModel&) {}); },
     "Begin SubStructure 0xd680c0f3", false},
    {"editor: null action left out where it may be",
     [] {
       return Write<EditGroupActionPresModel>([](EditGroupActionPresModel& e) {
         e.SetSourceSheetsSection(MakeRefCnt<SourceSheetsSectionPresModel>());
         e.SetWarnings(MakeRefCnt<ActionWarningsPresModel>());
       });
     },
     "Begin SubStructure 0xd6dce7d5", false},
    {"mapping: aggregations start as value 12",
     [] { return Write<FieldMappingDataPresModel>([](FieldMappingDataPresModel&) {}); }, "Parameter 0xd918f9cc ", true},
};

TEST(Actions, PresenceRules) {
  for (const Presence& c : kPresence) EXPECT_EQ(Writes(c.write(), c.line), c.written) << c.name;
}

TEST(Actions, AggregationsStartAtTheirOwnDefault) {
  const auto m = MakeRefCnt<FieldMappingDataPresModel>();
  EXPECT_EQ(static_cast<int>(m->GetSourceAgg()), 12);
  EXPECT_EQ(static_cast<int>(m->GetTargetAgg()), 12);
  EXPECT_EQ(static_cast<int>(MakeRefCnt<EditParameterActionPresModel>()->GetSourceFieldAggregation()), 12);
  EXPECT_EQ(static_cast<int>(MakeRefCnt<ActionFieldPresModel>()->GetDataType()), 8);
  EXPECT_EQ(static_cast<int>(MakeRefCnt<EditGroupActionPresModel>()->GetModificationType()), 2);
}

std::vector<std::pair<std::uint32_t, TString>> g_handed;
class RecordingCommandSerializer final : public ICommandSerializer {
 public:
  void SerializeCommands(const RefCntPtr<const CommandsPresModel>&, std::uint32_t id, SerializeStructure&) override {
    g_handed.emplace_back(id, u"list");
  }
  void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>& c, std::uint32_t id,
                               SerializeStructure&) override {
    g_handed.emplace_back(id, c->GetCommand());
  }
};

TEST(Actions, TheCommandGoesToTheCommandSerializerOnlyWhenSet) {
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new RecordingCommandSerializer(); });
  g_handed.clear();
  (void)test::OutputOf(RefCntPtr<const ActionPresModel>(MakeRefCnt<ActionPresModel>()));
  const auto withCommand = [] {
    auto action = MakeRefCnt<ActionPresModel>();
    action->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(TString(u"go")));
    return RefCntPtr<const ActionPresModel>(action);
  };
  (void)test::OutputOf(withCommand());
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);
  EXPECT_EQ(g_handed, (std::vector<std::pair<std::uint32_t, TString>>{{0xd6e4461bu, TString(u"go")}}));

  const auto read = ThroughText(withCommand());
  ASSERT_TRUE(read->GetCommand());
  EXPECT_EQ(read->GetCommand()->GetCommand(), TString(u"go"));
}

// ---- copies of an action's definition

RefCntPtr<LinkSpecificationPresModel> Link() {
  auto l = MakeRefCnt<LinkSpecificationPresModel>();
  l->SetCaption(u"c");
  l->SetURL(u"https://example.org/<Region>");
  l->SetDelimiter(u",");
  l->SetEscape(u"\\");
  l->SetShouldURLEscape(true);
  l->SetAllowMultiSelect(true);
  l->SetAllowNull(true);
  l->SetUrlActionTargetType(UrlActionTargetType::SpecificZone);
  l->SetSpecificZoneTarget(17);
  return l;
}

RefCntPtr<ScriptDescriptionPresModel> Script() {
  auto s = MakeRefCnt<ScriptDescriptionPresModel>();
  s->SetNamespace(u"ns");
  s->SetCommand(u"run");
  s->AddParam(u"a", u"1");
  s->AddParam(u"b", u"2");
  return s;
}

RefCntPtr<ActionSourcePresModel> Source() {
  auto s = MakeRefCnt<ActionSourcePresModel>();
  s->SetSourceType(SourceType::Sheet);
  s->SetDatasource(u"ds");
  s->SetWorksheet(u"Sheet 1");
  s->SetDashboard(u"Dash");
  s->AddExcludeSheet(u"Sheet 2");
  return s;
}

// The wire text of a model: equal texts, equal values.
template <typename M>
std::string Text(const RefCntPtr<const M>& m) {
  return JsonCursor::Write(test::Registry(), *m->AsIParameters());
}

TEST(ActionClone, TheThreePartsCopyEveryMember) {
  const RefCntPtr<const LinkSpecificationPresModel> link(Link());
  const RefCntPtr<const ScriptDescriptionPresModel> script(Script());
  const RefCntPtr<const ActionSourcePresModel> source(Source());
  EXPECT_EQ(Text(RefCntPtr<const LinkSpecificationPresModel>(link->Clone())), Text(link));
  EXPECT_EQ(Text(RefCntPtr<const ScriptDescriptionPresModel>(script->Clone())), Text(script));
  EXPECT_EQ(Text(RefCntPtr<const ActionSourcePresModel>(source->Clone())), Text(source));
  EXPECT_NE(Text(RefCntPtr<const LinkSpecificationPresModel>(MakeRefCnt<LinkSpecificationPresModel>())), Text(link));
}

struct CloneCase {
  const char* name;
  bool isLink, hasLink, hasScript, hasSource;
};

const CloneCase kCloneCases[] = {
    {"a link with every part", true, true, true, true},
    {"not a link, though it holds one", false, true, false, false},
    {"not a link, with a script", false, false, true, false},
    {"a link with a source only", true, true, false, true},
};

TEST(ActionClone, TheSpecificationClonesItsLinkOnlyWhenItIsALink) {
  for (const CloneCase& c : kCloneCases) {
    auto spec = MakeRefCnt<ActionSpecificationPresModel>();
    spec->SetName(FieldName(TString(u"[Action1]")));
    spec->SetCaption(u"Filter 1");
    spec->SetActivation(ActivationMethod::OnHover);
    spec->SetIsLink(c.isLink);
    spec->SetIsAutoClear(true);
    spec->SetIsEnabled(true);
    spec->SetRunOnSingleSelectIsVisible(true);
    spec->SetRunOnSingleSelectIsChecked(true);
    if (c.hasLink) spec->SetLinkSpecification(Link());
    if (c.hasScript) spec->SetScriptDescription(Script());
    if (c.hasSource) spec->SetActionSource(Source());

    const RefCntPtr<const ActionSpecificationPresModel> copy(spec->Clone());
    EXPECT_EQ(copy->GetName(), spec->GetName()) << c.name;
    EXPECT_EQ(copy->GetCaption(), spec->GetCaption()) << c.name;
    EXPECT_EQ(copy->GetActivation(), ActivationMethod::OnHover) << c.name;
    EXPECT_EQ(copy->GetIsLink(), c.isLink) << c.name;
    EXPECT_TRUE(copy->GetIsAutoClear() && copy->GetIsEnabled()) << c.name;
    EXPECT_TRUE(copy->GetRunOnSingleSelectIsVisible() && copy->GetRunOnSingleSelectIsChecked()) << c.name;

    ASSERT_EQ(bool(copy->GetLinkSpecification()), c.isLink && c.hasLink) << c.name;
    if (copy->GetLinkSpecification()) {
      EXPECT_NE(copy->GetLinkSpecification().get(), spec->GetLinkSpecification().get()) << c.name;
      EXPECT_EQ(Text(copy->GetLinkSpecification()), Text(spec->GetLinkSpecification())) << c.name;
    }
    ASSERT_EQ(bool(copy->GetScriptDescription()), c.hasScript) << c.name;
    if (c.hasScript) {
      EXPECT_NE(copy->GetScriptDescription().get(), spec->GetScriptDescription().get()) << c.name;
      EXPECT_EQ(Text(copy->GetScriptDescription()), Text(spec->GetScriptDescription())) << c.name;
    }
    ASSERT_EQ(bool(copy->GetActionSource()), c.hasSource) << c.name;
    if (c.hasSource) {
      EXPECT_NE(copy->GetActionSource().get(), spec->GetActionSource().get()) << c.name;
      EXPECT_EQ(Text(copy->GetActionSource()), Text(spec->GetActionSource())) << c.name;
    }
  }
}

TEST(ActionClone, ALinkWithoutItsLinkSpecificationRaisesTheNullPointerError) {
  auto spec = MakeRefCnt<ActionSpecificationPresModel>();
  spec->SetIsLink(true);
  test::ExpectNullPointerAssertion([&] { (void)spec->Clone(); });
}

TEST(ActionClone, ACopyIsWrittenAfreshNotReplayed) {
  auto spec = MakeRefCnt<ActionSpecificationPresModel>();
  spec->SetActionSource(Source());
  const RefCntPtr<const ActionSpecificationPresModel> original(spec);
  (void)test::TraceOf(original);
  const auto again = test::TraceOf(original);
  EXPECT_EQ(again, test::Lines({"ReplayCapture"}));
  const auto copy = test::TraceOf(RefCntPtr<const ActionSpecificationPresModel>(original->Clone()));
  EXPECT_EQ(copy.front(), "BeginCapture");
  EXPECT_EQ(std::count(copy.begin(), copy.end(), std::string("ReplayCapture")), 0);
}

// ---- packed flag lists

TEST(Actions, PackedFlagListsAreWrittenOneFlagPerItem) {
  static_assert(std::is_same_v<decltype(std::declval<const ActionFieldListPresModel&>().GetCheckedMenuItem(0)), bool>);
  const auto make = [] {
    auto list = MakeRefCnt<ActionFieldListPresModel>();
    for (bool b : {true, false, true}) list->AddCheckedMenuItem(b);
    return RefCntPtr<const ActionFieldListPresModel>(list);
  };
  EXPECT_FALSE(make()->GetCheckedMenuItem(1));
  const auto out = test::OutputOf(make());
  const auto begin = std::find(out.begin(), out.end(), "Begin ListStructure 0xd6666313");
  ASSERT_NE(begin, out.end());
  EXPECT_EQ(std::vector<std::string>(begin + 1, begin + 5),
            test::Lines({"ListItem true", "ListItem false", "ListItem true", "End"}));
  const auto read = ThroughText(make());
  EXPECT_EQ(read->GetCheckedMenuItems(), (std::vector<bool>{true, false, true}));
}

// ---- nested members that must be set

struct MustBeSet {
  const char* name;
  void (*write)();
};

template <typename M>
void WriteFresh() {
  (void)test::OutputOf(RefCntPtr<const M>(MakeRefCnt<M>()));
}

template <typename M>
void WriteWithSections() {  // the group and parameter editors: everything set but the warnings
  auto m = MakeRefCnt<M>();
  m->SetSourceSheetsSection(MakeRefCnt<SourceSheetsSectionPresModel>());
  (void)test::OutputOf(RefCntPtr<const M>(m));
}

const MustBeSet kMustBeSet[] = {
    {"brush editor's action", &WriteFresh<EditBrushActionPresModel>},
    {"hyperlink editor's action", &WriteFresh<EditHyperlinkActionPresModel>},
    {"navigation editor's action", &WriteFresh<EditNavigationActionPresModel>},
    {"sheet-link editor's action", &WriteFresh<EditSheetLinkActionPresModel>},
    {"zone combo item", &WriteFresh<ActionComboItemForZonePresModel>},
    {"group editor's source sheets", &WriteFresh<EditGroupActionPresModel>},
    {"parameter editor's source sheets", &WriteFresh<EditParameterActionPresModel>},
    {"group editor's warnings", &WriteWithSections<EditGroupActionPresModel>},
    {"parameter editor's warnings", &WriteWithSections<EditParameterActionPresModel>},
};

TEST(Actions, AlwaysWrittenNestedMembersMustBeSet) {
  for (const MustBeSet& c : kMustBeSet) {
    SCOPED_TRACE(c.name);
    test::ExpectNullPointerAssertion(c.write);
  }
}

// ---- a whole editor through wire text

TEST(Actions, AParameterEditorThroughTextAndBack) {
  auto spec = MakeRefCnt<ActionSpecificationPresModel>();
  spec->SetCaption(u"Set Threshold");
  spec->SetIsLink(true);
  spec->SetLinkSpecification(Link());
  auto field = MakeRefCnt<ActionFieldPresModel>();
  field->SetFieldCaption(u"Sales");
  field->AddAggregation(MakeRefCnt<ActionFieldAggregationPresModel>());
  auto sheets = MakeRefCnt<SourceSheetsSectionPresModel>();
  auto item = MakeRefCnt<ActionComboItemPresModel>();
  item->SetSheetName(u"Overview");
  item->SetIcon(SourceDestIcon::Dashboard);
  sheets->AddDropdownItem(item);
  sheets->AddSheetName(u"Sheet 1");
  sheets->AddSheetCheckboxState(true);
  auto editor = MakeRefCnt<EditParameterActionPresModel>();
  editor->SetTargetParameter(FieldName(TString(u"[Parameters].[Threshold]")));
  editor->SetAction(spec);
  editor->AddAvailableField(field);
  editor->AddAvailableParameter(MakeRefCnt<ActionParameterPresModel>());
  editor->SetClearBehaviorFixedValue(DataValue(std::int64_t{42}));
  editor->SetSourceSheetsSection(sheets);
  editor->SetWarnings(MakeRefCnt<ActionWarningsPresModel>());

  const auto read = ThroughText(RefCntPtr<const EditParameterActionPresModel>(editor));
  EXPECT_EQ(read->GetTargetParameter(), editor->GetTargetParameter());
  ASSERT_TRUE(read->GetAction() && read->GetAction()->GetLinkSpecification());
  EXPECT_EQ(read->GetAction()->GetLinkSpecification()->GetSpecificZoneTarget(), 17u);
  EXPECT_FALSE(read->GetActionNameSection());
  ASSERT_EQ(read->GetAvailableFieldCount(), 1u);
  EXPECT_EQ(static_cast<int>(read->GetAvailableField(0)->GetAggregation(0)->GetAggregation()), 12);
  EXPECT_EQ(read->GetClearBehaviorFixedValue(), DataValue(std::int64_t{42}));
  ASSERT_EQ(read->GetSourceSheetsSection()->GetDropdownItemCount(), 1u);
  EXPECT_EQ(read->GetSourceSheetsSection()->GetDropdownItem(0)->GetIcon(), SourceDestIcon::Dashboard);
  EXPECT_EQ(read->GetSourceSheetsSection()->GetSheetCheckboxStates(), std::vector<bool>{true});
}

}  // namespace
