// Parameter trees as JSON text and back.

#include <cstring>

#include "ModelEquality.h"
#include "TestSupport.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

std::string Json(const RefCntPtr<const PresentationModel>& model) {
  return JsonCursor::Write(test::Registry(), *model->AsIParameters());
}

std::string Rewrite(const std::string& text) {
  const WireReader reader(test::Registry());
  return JsonCursor::Write(test::Registry(), *reader.Read(text));
}

RefCntPtr<KitchenSinkPresModel> FullSink() {
  auto sink = MakeRefCnt<KitchenSinkPresModel>();
  sink->SetCount(3);
  sink->SetTitle(std::u16string(u"quote \" backslash \\ tab \t nul ") + std::u16string(1, u'\0'));
  sink->SetShowLabels(true);
  sink->SetCaption(test::Pair(u"[a]", u"\u00e9t\u00e9 \U0001F600"));
  sink->AddPair(test::Pair(u"p", u"q"));
  sink->AddName(std::u16string{u'x', char16_t(0xD800), u'y'});  // a lone surrogate
  sink->AddName(std::u16string{char16_t(0xDC00)});
  sink->SetSizes({1, -2});
  sink->AddLabel(u"k", u"v");
  sink->AddToggle(u"t", true);
  sink->AddPairMap(u"null", nullptr);
  sink->AddPairMap(u"set", test::Pair(u"m", u"n"));
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6a5b43f, test::Val(TString(u"inner")));
  sink->SetHolder(bag);
  auto menu = MakeRefCnt<CommandsPresModel>();
  menu->AddCommand(u"copy");
  sink->SetMenu(menu);
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  sink->SetValue(DataValue(2.5));
  sink->SetColor(ColorObject(-1, -1, -1));
  sink->AddRegion(VizImageRegion::Xheader);
  sink->AddActiveIDs(4u);
  return sink;
}

TEST(Wire, EveryKindRoundTripsThroughText) {
  const std::string text = Json(FullSink());
  EXPECT_EQ(Rewrite(text), text);
  EXPECT_NE(text.find("\\ud800"), std::string::npos) << text;
  EXPECT_NE(text.find("\\u0000"), std::string::npos);
  EXPECT_NE(text.find("\"null\":null"), std::string::npos);
}

TEST(Wire, WritingIntoABufferGivesTheSameTextAndKeepsItsRoom) {
  const auto sink = FullSink();
  std::string out(100000, 'x');
  const std::size_t room = out.capacity();
  JsonCursor::Write(test::Registry(), *sink->AsIParameters(), out);
  EXPECT_EQ(out, Json(sink));
  EXPECT_EQ(out.capacity(), room);
}

// Large texts into buffers of every size: nothing lost or doubled where the text outgrows
// the buffer, and a large buffer grows once, so that the next text of that size fits.
TEST(Wire, WritingALargeTextIntoBuffersThatAreTooSmall) {
  std::u16string title;
  for (int i = 0; title.size() < 300000; ++i) {
    const std::string n = std::to_string(i);
    title += u"line \"";
    title.append(n.begin(), n.end());
    title += u"\"\n";
  }
  const auto make = [&title] {
    auto sink = FullSink();
    sink->SetTitle(title);
    return sink;
  };
  const std::string expected = Json(make());
  ASSERT_GT(expected.size(), 300000u);
  for (const std::size_t given : {std::size_t{0}, std::size_t{100}, std::size_t{70000}, expected.size() - 1,
                                  expected.size(), 2 * expected.size()}) {
    SCOPED_TRACE(given);
    const auto sink = make();
    std::string out(given, 'x');
    JsonCursor::Write(test::Registry(), *sink->AsIParameters(), out);  // written afresh
    EXPECT_EQ(out, expected);
    const std::size_t room = out.capacity();
    EXPECT_GE(room, expected.size());
    JsonCursor::Write(test::Registry(), *sink->AsIParameters(), out);  // replayed
    EXPECT_EQ(out, expected);
    EXPECT_EQ(out.capacity(), room);
  }
}

TEST(Wire, ReadModelsEqualTheWrittenOnes) {
  const auto sink = FullSink();
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(Json(sink));
  const auto back = bag->GetParameter(KitchenSinkPresModel::ID)->GetStructure();
  EXPECT_EQ(test::ModelDifference(test::Registry(), sink.get(), back.get()), "");
}

TEST(Wire, AReplayedModelWritesTheSameText) {
  const auto sink = FullSink();
  const std::string first = Json(sink);
  EXPECT_FALSE(sink->GetSerializedVal().empty());
  EXPECT_EQ(Json(sink), first);
  // Inside another model, after other members: the recorded text fits any place.
  auto holder = MakeRefCnt<ZoneListHolderPresModel>();
  auto zone = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  zone->SetSelectedFieldNameAndCaption(sink->GetCaption());
  holder->AddZoneVisibilityFromFieldList(zone);
  holder->AddZoneVisibilityFromFieldList(zone);
  const std::string twice = Json(holder);
  EXPECT_EQ(Rewrite(twice), twice);
}

TEST(Wire, ACaptureOfAnotherCursorKindIsRefused) {
  auto pair = test::Pair(u"a", u"b");
  test::TraceOf(pair);  // records trace lines in the cache
  EXPECT_THROW(Json(pair), LogicException);
}

struct BadText {
  const char* text;
  const char* reason;  // part of the message
};

const BadText kBadTexts[] = {
    {"", "empty"},
    {"[]", "object"},
    {"\"text\"", "object"},
    {"null", "object"},
    {"7", "strings"},
    {"{\"NoSuchName\":\"1\"}", "unknown parameter name 'NoSuchName'"},
    {"{\"ZoneID\":7}", "strings"},
    {"{\"ZoneID\":\"seven\"}", "bad value for 'ZoneID'"},
    {"{\"ZoneID\":\"99999999999\"}", "bad value for 'ZoneID'"},
    {"{\"ZoneID\":\"1\",\"ZoneID\":\"2\"}", "given twice"},
    // Inside a model, a member again right after itself, and again after later members.
    {"{\"ZoneVisibilityFromFieldPresModel\":{\"ZoneID\":\"1\",\"ZoneID\":\"2\"}}", "given twice"},
    {"{\"ZoneVisibilityFromFieldPresModel\":{\"ZoneID\":\"1\",\"ErrorMessage\":\"e\",\"ZoneID\":\"2\"}}",
     "given twice"},
    {"{\"ZoneID\":[\"1\"]}", "does not hold a list"},
    {"{\"SelectedFieldNameAndCaption\":\"x\"}", "does not hold a text"},
    {"{\"ZoneID\":{}}", "not a structure"},
    {"{\"ZoneVisibilityFromFieldPresModel\":{\"ZoneID\":\"1\"", "Missing"},
    {"{\"ZoneID\":\"1\"} trailing", "root"},
    {"{\"ZoneID\":\"\xff\"}", "UTF-8"},
    {"{\"ZoneID\":null}", "null"},
};

TEST(Wire, MalformedTextRaisesOneErrorWithOffsetAndReason) {
  const WireReader reader(test::Registry());
  for (const BadText& bad : kBadTexts) {
    try {
      reader.Read(bad.text);
      ADD_FAILURE() << "accepted: " << bad.text;
    } catch (const WireFormatException& e) {
      EXPECT_NE(std::string(e.what()).find(bad.reason), std::string::npos) << bad.text << " -> " << e.what();
      EXPECT_LE(e.Offset(), std::strlen(bad.text));
    }
  }
}

// A model's members in any order read as in the writer's: the reader expects the writer's
// order but must not depend on it.
TEST(Wire, MembersInAnotherOrderReadTheSame) {
  const std::string ordered =
      "{\"ZoneVisibilityFromFieldPresModel\":{\"ZoneID\":\"3\",\"CanSetZoneVisibilityFromField\":\"false\","
      "\"SelectedFieldNameAndCaption\":{},\"ErrorMessage\":\"e\"}}";
  for (const char* text :
       {"{\"ZoneVisibilityFromFieldPresModel\":{\"ErrorMessage\":\"e\",\"SelectedFieldNameAndCaption\":{},"
        "\"CanSetZoneVisibilityFromField\":\"false\",\"ZoneID\":\"3\"}}",
        "{\"ZoneVisibilityFromFieldPresModel\":{\"CanSetZoneVisibilityFromField\":\"false\",\"ErrorMessage\":\"e\","
        "\"ZoneID\":\"3\",\"SelectedFieldNameAndCaption\":{}}}"})
    EXPECT_EQ(Rewrite(text), Rewrite(ordered)) << text;
}

// A text written after a large one is handed over without the room made for the large one.
TEST(Wire, ASmallTextAfterALargeOneKeepsNoLargeRoom) {
  auto large = FullSink();
  large->SetTitle(std::u16string(400000, u'a'));
  const std::string big = Json(large);
  ASSERT_GT(big.size(), 400000u);
  const auto small = FullSink();
  const std::string text = Json(small);
  EXPECT_LT(text.capacity(), 2 * text.size() + 4096);
  EXPECT_EQ(Json(large), big);  // and the large one again, written into the room it foresaw
}

TEST(Wire, DeepNestingIsRefusedNotRecursedInto) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "{\"ZoneVisibilityFromFieldPresModel\":";
  const WireReader reader(test::Registry());
  try {
    reader.Read(deep);
    ADD_FAILURE();
  } catch (const WireFormatException& e) {
    EXPECT_NE(std::string(e.what()).find("nesting"), std::string::npos) << e.what();
  }
}

TEST(Wire, ErrorOffsetsCountBytesOfTheOriginalText) {
  const WireReader reader(test::Registry());
  const std::string text = "{\"ErrorMessage\":\"\\ud800\\ud800\",\"Nope\":\"1\"}";
  try {
    reader.Read(text);
    ADD_FAILURE();
  } catch (const WireFormatException& e) {
    EXPECT_GE(e.Offset(), text.find("Nope"));
    EXPECT_LE(e.Offset(), text.size());
  }
}

}  // namespace
