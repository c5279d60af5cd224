// Errors that say where: the path a write or read error carries, the reader's limits, and
// the lenient reader for text from a newer writer.

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "framework/Catalogue.h"
#include "framework/Sampler.h"
#include "models/ActionsModels.h"
#include "models/ZonesModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

std::string Json(const RefCntPtr<const PresentationModel>& model) {
  return JsonCursor::Write(test::Registry(), *model->AsIParameters());
}

// The text and the path of the error f raises.
std::pair<std::string, std::string> ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return {e.what(), ErrorPathOf(e)};
  }
  return {"no error", ""};
}

std::string EncodingErrorText() { return ErrorOf([] { EnumText(static_cast<ZoneType>(12345)); }).first; }

TEST(ErrorPlace, EveryNestedMemberWrittenAlwaysNamesItselfWhenNull) {
  int checked = 0;
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& info = get();
    for (const MemberInfo& m : info.members) {
      if (m.codec->kind != EncodingKind::NestedStructure || !m.model || m.IsConditional() || !m.write)
        continue;  // value structures (no model) are never null
      const RefCntPtr<PresentationModel> model = Sampler(7, test::Registry(), 1).Model(info);
      const ModelInfo& nested = m.model();
      m.codec->read(m, *model->AsIParameters(), *nested.wrap(nullptr), m.Field(model.get()));
      SCOPED_TRACE(std::string(info.name) + "." + m.stem);
      TraceCursor cursor(test::Registry());
      const auto [text, path] = ErrorOf([&] { WriteModel(info, model.get(), cursor); });
      EXPECT_EQ(text, "Null pointer dereferenced");
      EXPECT_EQ(path, std::string(info.name) + "." + m.stem);
      EXPECT_EQ(cursor.OpenScopes(), 0);
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

// A dashboard two and three levels above the failing place.
struct DeepCase {
  const char* name;
  std::function<void(DashboardPresModel&)> spoil;
  std::string text;
  std::string path;
};

TEST(ErrorPlace, WriteErrorsNameTheirPlaceDeepInATree) {
  const DeepCase cases[] = {
      {"null action", [](DashboardPresModel& d) { d.AddAction(MakeRefCnt<ActionPresModel>()), d.AddAction(nullptr); },
       "Null pointer dereferenced", "DashboardPresModel.Actions[1]"},
      {"action without a text",
       [](DashboardPresModel& d) {
         auto action = MakeRefCnt<ActionPresModel>();
         action->SetActivation(static_cast<ActivationMethod>(12345));
         d.AddAction(action);
       },
       EncodingErrorText(), "DashboardPresModel.Actions[0] > ActionPresModel.Activation"},
      {"zone without a text",
       [](DashboardPresModel& d) {
         auto common = MakeRefCnt<ZoneCommonPresModel>();
         common->SetType(static_cast<ZoneType>(12345));
         auto zone = MakeRefCnt<ZonePresModel>();
         zone->SetZoneCommon(common);
         d.AddZone(u"left", MakeRefCnt<ZonePresModel>());
         d.AddZone(u"right", zone);
       },
       EncodingErrorText(), "DashboardPresModel.Zones[\"right\"] > ZonePresModel.ZoneCommon > ZoneCommonPresModel.Type"},
  };
  for (const DeepCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto dashboard = MakeRefCnt<DashboardPresModel>();
    c.spoil(*dashboard);
    const auto [text, path] = ErrorOf([&] { Json(dashboard); });
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(path, c.path);
  }
}

struct BadRead {
  const char* text;
  const char* reason;
  const char* path;
  const char* before;  // the error's offset is past this
};

TEST(ErrorPlace, ReadErrorsNameTheirPlaceAndOffset) {
  const BadRead cases[] = {
      {R"({"KitchenSinkPresModel":{"Pairs":[{},{"FieldName":3}]}})",
       "every value is a text: numbers and flags are written as strings", "KitchenSinkPresModel > Pairs[1]", "FieldName"},
      {R"({"KitchenSinkPresModel":{"PairMaps":{"k":{"FieldCaption":["x"]}}}})", "'FieldCaption' does not hold a list",
       "KitchenSinkPresModel > PairMaps[\"k\"]", "FieldCaption"},
      {R"({"KitchenSinkPresModel":{"KitchenSinkPresModel.Caption":{"Nope":"1"}}})", "unknown parameter name 'Nope'",
       "KitchenSinkPresModel > KitchenSinkPresModel.Caption", "Nope"},
      {R"({"KitchenSinkPresModel":{"Annotation":"no-such-type"}})", "unknown text 'no-such-type' for 'Annotation'",
       "KitchenSinkPresModel", "no-such"},
      {R"({"KitchenSinkPresModel":{"KitchenSinkPresModel.Regions":["xheader","nowhere"]}})",
       "unknown text 'nowhere' for 'KitchenSinkPresModel.Regions'", "KitchenSinkPresModel > KitchenSinkPresModel.Regions",
       "nowhere"},
  };
  const WireReader reader(test::Registry());
  for (const BadRead& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      reader.Read(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const WireFormatException& e) {
      EXPECT_EQ(e.Reason(), c.reason);
      EXPECT_EQ(e.Path(), c.path);
      const std::string_view text = c.text;
      EXPECT_GT(e.Offset(), text.find(c.before));
      EXPECT_LE(e.Offset(), text.size());
    }
  }
}

TEST(ErrorPlace, AModelRebuiltFromTextNamesTheItemItWas) {
  const std::string text =
      R"({"FormatPanePresModel":{"TypeOfFormatItem":"formatContainer","TypeOfFormatContainer":"formatPane",)"
      R"("FormatContainerPresModel.Items":[{"TypeOfFormatItem":"formatContainer","TypeOfFormatContainer":"linkedSection"},)"
      R"({"TypeOfFormatItem":"formatItem"}]}})";
  try {
    WireReader(test::Registry()).Read(text);
    ADD_FAILURE() << "accepted";
  } catch (const WireFormatException& e) {
    EXPECT_EQ(e.Reason(), "Unexpected value of property TypeOfFormatItem");
    EXPECT_EQ(e.Path(), "FormatPanePresModel > FormatContainerPresModel.Items[1]");
    EXPECT_EQ(e.Offset(), text.size() - 4);  // the brace that closes the item
  }
}

struct LimitCase {
  const char* name;
  WireReader::Limits limits;
  std::string atLimit;
  std::string pastLimit;
  const char* reason;
};

std::string SinkText(const std::string& members) { return R"({"KitchenSinkPresModel":{)" + members + "}}"; }

TEST(WireLimits, EachLimitHoldsAtItsValueAndRefusesOneMore) {
  const LimitCase cases[] = {
      {"depth", {3, 1000, 1000}, SinkText(R"("KitchenSinkPresModel.Caption":{})"), SinkText(R"("Pairs":[{}])"), "nesting deeper than 3 levels"},
      {"text", {200, 20, 1000}, SinkText(R"("Names":[")" + std::string(20, 'x') + "\"]"),
       SinkText(R"("Names":[")" + std::string(21, 'x') + "\"]"), "a text longer than 20 bytes"},
      {"count", {200, 1000, 3}, SinkText(R"("Names":["a","b","c"])"), SinkText(R"("Names":["a","b","c","d"])"),
       "more than 3 entries in one list or map"},
      {"count of a bag", {200, 1000, 2}, SinkText(R"("Flag":"true","Count":"1")"),
       SinkText(R"("Flag":"true","Count":"1","Annotation":"url")"), "more than 2 parameters in one bag"},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const WireReader reader(test::Registry(), c.limits);
    EXPECT_NO_THROW(reader.Read(c.atLimit));
    const auto [text, path] = ErrorOf([&] { reader.Read(c.pastLimit); });
    EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    std::vector<WireReader::Skipped> skipped;
    EXPECT_THROW(reader.ReadLenient(c.pastLimit, skipped), WireFormatException);
  }
}

// A written text with members of a newer writer added: at the top, in a nested model, in a
// list item and in a map entry, holding values of every JSON kind.
std::string WithNewerMembers(std::string text) {
  const std::string added = R"("NewerName":{"a":[1,{"b":null}],"c":true,"d":{"e":[[]]}},)";
  const auto insertAfter = [&](const std::string& at) {
    const std::size_t p = text.find(at);
    EXPECT_NE(p, std::string::npos) << at;
    text.insert(p + at.size(), added);
  };
  insertAfter(R"("KitchenSinkPresModel":{)");
  insertAfter(R"("KitchenSinkPresModel.Caption":{)");
  insertAfter(R"("Pairs":[{)");
  insertAfter(R"("set":{)");
  text.insert(1, R"("NewerTop":[1,2,"x"],"0x12345678":"an id no model has",)");
  return text;
}

RefCntPtr<const KitchenSinkPresModel> SmallSink() {
  auto sink = MakeRefCnt<KitchenSinkPresModel>();
  sink->SetCaption(test::Pair(u"c", u"d"));
  sink->AddPair(test::Pair(u"p", u"q"));
  sink->AddPairMap(u"set", test::Pair(u"m", u"n"));
  sink->AddRegion(VizImageRegion::Xheader);
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  return sink;
}

TEST(LenientReader, NewerMembersAreLeftOutAndReported) {
  const std::string text = Json(SmallSink());
  const std::string newer = WithNewerMembers(text);
  const WireReader reader(test::Registry());
  EXPECT_THROW(reader.Read(newer), WireFormatException);

  std::vector<WireReader::Skipped> skipped;
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *reader.ReadLenient(newer, skipped)), text);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"", "unknown parameter name 'NewerTop'"},
      {"", "unknown parameter name '0x12345678'"},
      {"KitchenSinkPresModel", "unknown parameter name 'NewerName'"},
      {"KitchenSinkPresModel > KitchenSinkPresModel.Caption", "unknown parameter name 'NewerName'"},
      {"KitchenSinkPresModel > Pairs[0]", "unknown parameter name 'NewerName'"},
      {"KitchenSinkPresModel > PairMaps[\"set\"]", "unknown parameter name 'NewerName'"},
  };
  ASSERT_EQ(skipped.size(), expected.size());
  std::vector<std::pair<std::string, std::string>> got;
  for (const WireReader::Skipped& s : skipped) {
    got.emplace_back(s.path, s.reason);
    const std::string before = newer.substr(0, s.offset);  // ends just past the name
    EXPECT_TRUE(before.ends_with("\"NewerName\"") || before.ends_with("\"NewerTop\"") ||
                before.ends_with("\"0x12345678\""))
        << s.path;
  }
  std::sort(got.begin(), got.end());
  std::vector<std::pair<std::string, std::string>> want = expected;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);

  skipped.clear();
  reader.ReadLenient(text, skipped);
  EXPECT_TRUE(skipped.empty());
}

TEST(LenientReader, UnknownEnumerationTextsAreReadAsTheDefaultAndReported) {
  const std::string text = SinkText(R"("Annotation":"newer-type","KitchenSinkPresModel.Regions":["xheader","newer-region","title"])");
  std::vector<WireReader::Skipped> skipped;
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).ReadLenient(text, skipped);
  ASSERT_EQ(skipped.size(), 2u);
  EXPECT_EQ(skipped[0].reason, "unknown text 'newer-type' for 'Annotation', read as the default value");
  EXPECT_EQ(skipped[0].path, "KitchenSinkPresModel > Annotation");
  EXPECT_EQ(skipped[1].reason, "unknown text 'newer-region' for 'KitchenSinkPresModel.Regions', read as the default value");
  EXPECT_EQ(skipped[1].path, "KitchenSinkPresModel > KitchenSinkPresModel.Regions[1]");
  const auto& sink = *HolderOf<RefCntPtr<const KitchenSinkPresModel>>(bag->GetParameter(KitchenSinkPresModel::ID))->Value();
  EXPECT_EQ(sink.GetAnnotation(), ActionType{});  // not its starting value: the table's default
  EXPECT_NE(MakeRefCnt<KitchenSinkPresModel>()->GetAnnotation(), ActionType{});
  EXPECT_EQ(sink.GetRegions(), (std::vector<VizImageRegion>{VizImageRegion::Xheader, VizImageRegion{}, VizImageRegion::Title}));
}

}  // namespace
