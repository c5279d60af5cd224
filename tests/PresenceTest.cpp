// Which members a write includes, by encoding kind and presence rule.

#include <algorithm>
#include <cmath>

#include "TestSupport.h"

namespace {

using Sink = KitchenSinkPresModel;
using SinkSerializer = StructSerializer<RefCntPtr<const Sink>, RefCntPtr<Sink>>;

struct PresenceCase {
  const char* name;
  void (*set)(Sink&);
  const char* line;  // a line the write must (or must not) hold
  bool written;
};

void Nothing(Sink&) {}

const PresenceCase kCases[] = {
    {"flag always written", Nothing, "Parameter 0xd6ff0001 false", true},
    {"number when set: 0 left out", Nothing, "Parameter 0xd6ff0002", false},
    {"number when set: 3 written", [](Sink& s) { s.SetCount(3); }, "Parameter 0xd6ff0002 3", true},
    {"omission value 20 differs from start 0: 0 written", Nothing, "Parameter 0xd6ff0003 0", true},
    {"omission value 20 left out", [](Sink& s) { s.SetGridSize(20); }, "Parameter 0xd6ff0003", false},
    {"text when set: empty left out", Nothing, "Parameter 0xd6ff0004", false},
    {"text when set: written", [](Sink& s) { s.SetTitle(u"t"); }, "Parameter 0xd6ff0004 t", true},
    {"enumeration at its start value left out", Nothing, "Parameter 0xd6ff0005", false},
    {"enumeration away from start written",
     [](Sink& s) { s.SetLayout(ZoneLayoutType::Basic); }, "Parameter 0xd6ff0005 basic", true},
    {"true-by-default flag left out when true", Nothing, "Parameter 0xd6ff0006", false},
    {"true-by-default flag written when false", [](Sink& s) { s.SetCanFloat(false); }, "Parameter 0xd6ff0006 false", true},
    {"guarded by a flag: flag false", [](Sink& s) { s.SetLabelMode(4); }, "Parameter 0xd6ff0008", false},
    {"guarded by a flag: flag true",
     [](Sink& s) { s.SetShowLabels(true); }, "Parameter 0xd6ff0008 0", true},
    {"guarded by an enumeration value: other value", Nothing, "Parameter 0xd6ff000a", false},
    {"guarded by an enumeration value: that value",
     [](Sink& s) { s.SetAnnotation(ActionType::Url); }, "Parameter 0xd6ff000a 0", true},
    {"guarded by not a value: that value",
     [](Sink& s) { s.SetAnnotation(ActionType::Group); }, "Parameter 0xd6ff000b", false},
    {"guarded by not a value: another value", Nothing, "Parameter 0xd6ff000b 0", true},
    {"greater than zero: 1.5", Nothing, "Parameter 0xd6ff000c 1.5", true},
    {"greater than zero: 0", [](Sink& s) { s.SetRatio(0); }, "Parameter 0xd6ff000c", false},
    {"greater than zero: NaN", [](Sink& s) { s.SetRatio(std::nan("")); }, "Parameter 0xd6ff000c", false},
    {"written through another serializer",
     [](Sink& s) { s.SetIconIndex(4000000000u); }, "Parameter 0xd6ff000d -294967296", true},
    {"nested when set: null left out", Nothing, "Begin SubStructure 0xd6ff000e", false},
    {"empty structure list always written", Nothing, "Begin ListStructure 0xd6ff000f", true},
    {"empty scalar list always written", Nothing, "Begin ListStructure 0xd6ff0011", true},
    {"empty number vector always written", Nothing, "Begin ListStructure 0xd6ff0012", true},
    {"empty text map left out", Nothing, "Begin MapStructure 0xd6ff0013", false},
    {"empty structure map left out", Nothing, "Begin MapStructure 0xd6ff0015", false},
    {"embedded parameters when set: null left out", Nothing, "Begin CompositeStructure", false},
    {"command list when set: null left out", Nothing, "Begin ListStructure 0xd6ff0017", false},
    {"written-only member is written", Nothing, "Parameter 0xd6ff001a true", true},
    {"contextual value", [](Sink& s) { s.SetValue(DataValue(std::int64_t{5})); }, "Parameter 0xd6ff0019 %i:5", true},
};

class Presence : public ::testing::TestWithParam<PresenceCase> {};

TEST_P(Presence, DecidesWhatIsWritten) {
  const PresenceCase& c = GetParam();
  auto sink = MakeRefCnt<Sink>();
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  c.set(*sink);
  const auto out = test::OutputOf(RefCntPtr<const Sink>(sink));
  EXPECT_EQ(test::Writes(out, c.line), c.written) << c.name;
}

INSTANTIATE_TEST_SUITE_P(KitchenSink, Presence, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Containers, WriteInOrderWithTheirFlagsAndItemIds) {
  auto sink = MakeRefCnt<Sink>();
  sink->AddPair(test::Pair(u"a", u"A"));
  sink->SetNames({u"x", u"y"});
  sink->SetSizes({3, -1});
  sink->AddLabel(u"k", u"v");
  sink->AddToggle(u"on", true);
  sink->AddPairMap(u"b", test::Pair(u"b", u"B"));
  sink->AddPairMap(u"a", nullptr);
  sink->AddRegion(VizImageRegion::Leftaxis);
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  const auto out = test::OutputOf(RefCntPtr<const Sink>(sink));
  const auto slice = [&](const std::string& first, std::size_t n) {
    auto it = std::find(out.begin(), out.end(), first);
    EXPECT_NE(it, out.end()) << first;
    return it == out.end() ? std::vector<std::string>{} : std::vector<std::string>(it, it + static_cast<long>(n));
  };
  EXPECT_EQ(slice("Begin ListStructure 0xd6ff000f", 5),
            test::Lines({"Begin ListStructure 0xd6ff000f", "Begin SubStructure 0xd6ff0010", "Parameter 0xd90f8c9b a",
                         "Parameter 0xd6a5b43f A", "End"}));
  EXPECT_EQ(slice("Begin ListStructure 0xd6ff0011", 4),
            test::Lines({"Begin ListStructure 0xd6ff0011", "ListItem x", "ListItem y", "End"}));
  EXPECT_EQ(slice("Begin ListStructure 0xd6ff0012", 4),
            test::Lines({"Begin ListStructure 0xd6ff0012", "ListItem 3", "ListItem -1", "End"}));
  EXPECT_EQ(slice("Begin MapStructure 0xd6ff0013", 3),
            test::Lines({"Begin MapStructure 0xd6ff0013", "MapItem k v true", "End"}));
  EXPECT_EQ(slice("Begin MapStructure 0xd6ff0014", 3),
            test::Lines({"Begin MapStructure 0xd6ff0014", "MapItem on true false", "End"}));
  EXPECT_EQ(slice("Begin MapStructure 0xd6ff0015", 6),
            test::Lines({"Begin MapStructure 0xd6ff0015", "NullMapItem a true", "Begin MapItemStructure b",
                         "Parameter 0xd90f8c9b b", "Parameter 0xd6a5b43f B", "End"}));
  EXPECT_EQ(slice("Begin ListStructure 0xd6ff001c", 3),
            test::Lines({"Begin ListStructure 0xd6ff001c", "ListItem leftaxis", "End"}));
  EXPECT_EQ(slice("Parameter 0xd6ff0018 go", 1), test::Lines({"Parameter 0xd6ff0018 go"}));
}

TEST(Containers, EmbeddedParametersReplayTheBagThroughTheRegistry) {
  test::Registry();
  auto sink = MakeRefCnt<Sink>();
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  auto inner = MakeRefCnt<Parameters>();
  inner->SetParameter(0xd6a5b43f, test::Val(TString(u"caption")));
  inner->SetParameter(0xd6ccfec3, test::Val(test::Pair(u"f", u"c")));
  sink->SetHolder(inner);
  const auto out = test::OutputOf(RefCntPtr<const Sink>(sink));
  auto it = std::find(out.begin(), out.end(), "Begin CompositeStructure 0xd6ff0016");
  ASSERT_NE(it, out.end());
  EXPECT_EQ(std::vector<std::string>(it, it + 7),
            test::Lines({"Begin CompositeStructure 0xd6ff0016", "Parameter 0xd6a5b43f caption",
                         "Begin SubStructure 0xd6ccfec3", "Parameter 0xd90f8c9b f", "Parameter 0xd6a5b43f c", "End",
                         "End"}));
}

TEST(Containers, CommandListGoesThroughAFreshCommandSerializer) {
  auto sink = MakeRefCnt<Sink>();
  auto menu = MakeRefCnt<CommandsPresModel>();
  menu->AddCommand(u"copy");
  sink->SetMenu(menu);
  sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
  const auto out = test::OutputOf(RefCntPtr<const Sink>(sink));
  auto it = std::find(out.begin(), out.end(), "Begin ListStructure 0xd6ff0017");
  ASSERT_NE(it, out.end());
  EXPECT_EQ(*(it + 1), "ListItem copy");
}

// Counts the command serializers the factory makes and the ones deleted.
struct CountingSerializer final : ICommandSerializer {
  static inline int made = 0, deleted = 0;
  CountingSerializer() { ++made; }
  ~CountingSerializer() override { ++deleted; }
  void SerializeCommands(const RefCntPtr<const CommandsPresModel>&, std::uint32_t id, SerializeStructure& c) override {
    c.Parameter(id, u"commands");
  }
  void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>&, std::uint32_t id,
                               SerializeStructure& c) override {
    c.Parameter(id, u"command");
  }
};

TEST(Containers, EveryCommandMemberOfEveryWriteGetsAFreshSerializer) {
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new CountingSerializer(); });
  CountingSerializer::made = CountingSerializer::deleted = 0;
  for (int i = 0; i < 3; ++i) {
    auto sink = MakeRefCnt<Sink>();  // Menu absent, Command present
    sink->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(u"go"));
    const auto out = test::OutputOf(RefCntPtr<const Sink>(sink));
    EXPECT_TRUE(test::Writes(out, "Parameter 0xd6ff0018 command"));
    EXPECT_FALSE(test::Writes(out, "Parameter 0xd6ff0017"));
  }
  // Made for the absent member too, and released whether or not it wrote.
  EXPECT_EQ(CountingSerializer::made, 6);
  EXPECT_EQ(CountingSerializer::deleted, 6);
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);
}

TEST(Containers, AnAlwaysWrittenNullCommandIsHandedOverAndWritesNothing) {
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new CountingSerializer(); });
  CountingSerializer::made = CountingSerializer::deleted = 0;
  EXPECT_TRUE(test::Writes(test::OutputOf(RefCntPtr<const Sink>(MakeRefCnt<Sink>())), "Parameter 0xd6ff0018 command"));
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);

  // The library's own command serializer writes nothing for it; it reads back as null.
  const auto out = test::OutputOf(RefCntPtr<const Sink>(MakeRefCnt<Sink>()));
  EXPECT_FALSE(test::Writes(out, "Parameter 0xd6ff0018"));
  const auto read = SinkSerializer::ToObject(MakeRefCnt<Parameters>(), Sink::ID, nullptr);
  EXPECT_FALSE(read->GetCommand());
}

TEST(DirectWriting, NeitherReadsNorFillsTheCache) {
  auto m = MakeRefCnt<DirectPresModel>();
  m->SetCount(1);
  const RefCntPtr<const DirectPresModel> shared(m);
  EXPECT_EQ(test::TraceOf(shared), test::Lines({"Parameter 0xd6ff0002 1"}));
  EXPECT_TRUE(shared->GetSerializedVal().empty());
  m->SetCount(2);
  EXPECT_EQ(test::TraceOf(shared), test::Lines({"Parameter 0xd6ff0002 2"}));
}

TEST(DerivedModels, WriteBaseMembersFirstInOneStructure) {
  auto m = MakeRefCnt<PlainDerivedPresModel>();
  m->SetCount(5);
  m->SetTitle(u"t");
  EXPECT_EQ(test::OutputOf(RefCntPtr<const PlainDerivedPresModel>(m)),
            test::Lines({"Parameter 0xd6ff0002 5", "Parameter 0xd6ff0004 t"}));
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6ff0002, test::Val(6));
  bag->SetParameter(0xd6ff0004, test::Val(TString(u"u")));
  const auto read = StructSerializer<RefCntPtr<const PlainDerivedPresModel>, RefCntPtr<PlainDerivedPresModel>>::ToObject(
      bag, 0, nullptr);
  EXPECT_EQ(read->GetCount(), 6);
  EXPECT_EQ(read->GetTitle(), TString(u"u"));
}

}  // namespace
