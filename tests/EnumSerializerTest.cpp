// Enumeration text tables and their serializers.

#include <algorithm>
#include <optional>
#include <set>

#include "TestSupport.h"
#include "enums/ActionEnums.h"
#include "enums/AffordanceEnums.h"
#include "enums/AnalyticsEnums.h"
#include "enums/DashboardEnums.h"
#include "enums/FilterEnums.h"
#include "enums/FormatEnums.h"
#include "enums/VisualEnums.h"
#include "vqxcoredata/EnumExceptions.h"

namespace {

template <typename E>
std::string Encode(E v) {
  return ParameterTypeSerializer<E>::TypeToString(v).ToUtf8();
}
template <typename E>
std::int32_t Decode(const char16_t* text) {
  return static_cast<std::int32_t>(ParameterTypeSerializer<E>::TypeFromString(TString(text)));
}

struct DecodeCase {
  const char* enumName;
  std::int32_t (*decode)(const char16_t*);
  const char16_t* text;
  std::int32_t value;
};

const DecodeCase kDecodes[] = {
    {"ActionType", &Decode<ActionType>, u"group", 6},
    {"ActionType", &Decode<ActionType>, u"Group", 0},  // exact, case-sensitive
    {"ActionType", &Decode<ActionType>, u"", 0},
    {"ActionType", &Decode<ActionType>, u" group", 0},  // no trimming
    {"FormatPaneContext", &Decode<FormatPaneContext>, u"no such text", -1},
    {"ShapePalette", &Decode<ShapePalette>, u"no such text", 0},
    {"ShapePalette", &Decode<ShapePalette>, u"hidden", -1},
    {"SOWValue", &Decode<SOWValue>, u"sow-7-day-period", 0},
    {"SOWValue", &Decode<SOWValue>, u"sow-system-default", 0},
    {"SOWValue", &Decode<SOWValue>, u"sow-monday", 2},
    {"FunctionGroup", &Decode<FunctionGroup>, u"", 1},
    {"ChangePage::ChangePageType", &Decode<ChangePage::ChangePageType>, u"", 1},
    {"AnalyticsObject::Type", &Decode<AnalyticsObject::Type>, u"x", 15},
    {"AffordanceId", &Decode<AffordanceId>, u"AffordanceId_Invalid", 0},
};

TEST(EnumDecode, ExactTextOrTheDefault) {
  for (const DecodeCase& c : kDecodes)
    EXPECT_EQ(c.decode(c.text), c.value) << c.enumName << " \"" << TString(c.text).ToUtf8() << '"';
}

TEST(EnumEncode, TextsOfTheTables) {
  EXPECT_EQ(Encode(ActionType{6}), "group");
  EXPECT_EQ(Encode(FormatPaneContext{-1}), "none");
  EXPECT_EQ(Encode(SOWValue{0}), "sow-7-day-period");
  EXPECT_EQ(Encode(ChangePage::ChangePageType{1}), "next");
  EXPECT_EQ(Encode(AffordanceId{0}), "AffordanceId_Invalid");
}

template <typename F>
void ExpectEncodingException(F&& f) {
  EXPECT_THROW(f(), EnumEncodingException);
}

TEST(EnumEncode, ValuesWithoutTextRaise) {
  ExpectEncodingException([] { Encode(ShapePalette{0}); });    // the default has no text
  ExpectEncodingException([] { Encode(FunctionGroup{3}); });   // flags do not combine
  ExpectEncodingException([] { Encode(ActionType{12345}); });
  // Decoding then encoding a text without an entry of ShapePalette raises.
  ExpectEncodingException([] { Encode(ParameterTypeSerializer<ShapePalette>::TypeFromString(u"?")); });
}

TEST(EnumTables, NegativeValuesComeFirstAndTheDecodeScanIsInValueOrder) {
  const auto& entries = EnumTraits<ShapeID>::Table().Entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.front().first, -4194304);
  for (std::size_t i = 1; i < entries.size(); ++i) EXPECT_LT(entries[i - 1].first, entries[i].first);
}

// Every table: each entry round-trips both ways, texts are unique and a text without an
// entry decodes to the default.
TEST(EnumTables, EveryEntryRoundTrips) {
  int tables = 0, entries = 0;
  for (const EnumDescription& e : AllEnums()) {
    const auto serializer = e.createSerializer();
    const auto all = e.entries();
    std::set<std::u16string> texts;
    for (const auto& [value, text] : all) {
      ++entries;
      EXPECT_TRUE(texts.insert(text.Str()).second) << e.name << " repeats " << text.ToUtf8();
      const auto p = serializer->ParameterFromString(text);
      EXPECT_EQ(serializer->ParameterToString(p), text) << e.name << " " << value;
    }
    const auto fallback = serializer->ParameterFromString(u"\u0001 no entry \u0001");
    const auto def = std::find_if(all.begin(), all.end(), [&](const auto& en) { return en.first == e.defaultValue; });
    if (def != all.end())
      EXPECT_EQ(serializer->ParameterToString(fallback), def->second) << e.name;
    else
      EXPECT_THROW(serializer->ParameterToString(fallback), EnumEncodingException) << e.name;
    if (!e.host) ++tables;
  }
  EXPECT_EQ(tables, 328);
  EXPECT_GT(entries, 3500);
}

// The hash lookup finds what a scan in value order finds: among equal texts the lowest
// value, before and after the table is sealed, and the default for any other text.
TEST(EnumTables, LookupByHashKeepsTheFirstMatchInValueOrder) {
  enum class E : std::int32_t {};
  EnumXMLEncoding<E, TString> table(E{7});
  for (auto [v, t] : {std::pair{5, u"b"}, {-2, u"a"}, {9, u"b"}, {1, u"c"}, {-8, u"b"}})
    table[static_cast<E>(v)] = t;
  for (int sealed = 0; sealed < 2; ++sealed) {
    if (sealed) table.Seal();
    EXPECT_EQ(table.Index().empty(), !sealed);
    EXPECT_EQ(table.Decode(u"b", false), E{-8});
    EXPECT_EQ(table.Decode(u"a", false), E{-2});
    EXPECT_EQ(table.Decode(u"c", false), E{1});
    EXPECT_EQ(table.Decode(u"", false), E{7});
    EXPECT_EQ(table.Decode(u"B", false), E{7});
  }
  table[E{-9}] = u"b";  // a change after sealing falls back to the scan
  EXPECT_TRUE(table.Index().empty());
  EXPECT_EQ(table.Decode(u"b", false), E{-9});
}

using ActionSerializer = ParameterTypeSerializer<ActionType>;

TEST(EnumSerializerSlots, ListsMapsAndTheirErrors) {
  const auto s = CreateParameterSerializer<ActionSerializer>();
  EXPECT_EQ(s->GetType(), kValueCategory);

  const auto list = s->ListParameterFromStrings({u"url", u"?", u"brush"});
  const auto& held = dynamic_cast<const ValParameter<std::vector<ActionType>>&>(*list).Value();
  EXPECT_EQ(held, (std::vector<ActionType>{ActionType::Url, ActionType::Unknown, ActionType::Brush}));
  EXPECT_EQ(s->ListParameterToStrings(list), (std::vector<TString>{u"url", u"unknown", u"brush"}));
  const auto empty = s->ListParameterFromStrings({});
  EXPECT_TRUE(dynamic_cast<const ValParameter<std::vector<ActionType>>&>(*empty).Value().empty());

  const auto map = s->MapParameterFromStrings({{u"a", u"nope"}, {u"b", u"group"}});
  const auto& m = dynamic_cast<const ValParameter<std::map<TString, ActionType>>&>(*map).Value();
  EXPECT_EQ(m.at(u"a"), ActionType::Unknown);
  EXPECT_EQ(s->MapParameterToStrings(map), (std::map<TString, TString>{{u"a", u"unknown"}, {u"b", u"group"}}));

  TraceCursor cursor(test::Registry());
  s->SerializeListParameter(list, cursor, 0xd6000001);
  EXPECT_EQ(cursor.Output(), test::Lines({"Begin ListStructure 0xd6000001", "ListItem url", "ListItem unknown",
                                          "ListItem brush", "End"}));
  TraceCursor emptyList(test::Registry());
  s->SerializeListParameter(empty, emptyList, 5);
  EXPECT_EQ(emptyList.Output(), test::Lines({"Begin ListStructure 0x00000005", "End"}));

  test::ExpectTypeMismatch([&] { s->ParameterToString(list); });
  test::ExpectTypeMismatch([&] { s->ListParameterToStrings(test::Val(ActionType::Url)); });
  test::ExpectTypeMismatch([&] { s->MapParameterToStrings(list); });
  test::ExpectTypeMismatch([&] { s->SerializeListParameter(test::Val(3), cursor, 1); });
  test::ExpectNullPointerAssertion([&] { s->ParameterToString(nullptr); });
  test::ExpectNullPointerAssertion([&] { s->SerializeListParameter(nullptr, cursor, 1); });
}

TEST(EnumSerializerSlots, AListThatFailsToEncodeStillClosesItsScope) {
  TraceCursor cursor(test::Registry());
  const auto s = CreateParameterSerializer<ParameterTypeSerializer<ShapePalette>>();
  EXPECT_THROW(s->SerializeListParameter(test::Val(std::vector<ShapePalette>{ShapePalette{1}, ShapePalette{0}}),
                                         cursor, 1),
               EnumEncodingException);
  EXPECT_EQ(cursor.OpenScopes(), 0);
  EXPECT_EQ(cursor.Output().back(), "End");
}

TEST(DocParameterIDs, TravelByRegisteredNameOrAsHex) {
  test::Registry();
  const auto name = ValueText<DocParameterID>::ToString(DocParameterID{0xd620d6ca});
  EXPECT_EQ(name.ToUtf8(), FindParameterName(0xd620d6ca));
  EXPECT_EQ(ValueText<DocParameterID>::FromString(name), DocParameterID{0xd620d6ca});
  EXPECT_EQ(ValueText<DocParameterID>::ToString(DocParameterID{0xd6000000}).ToUtf8(), "0xd6000000");
  EXPECT_EQ(ValueText<DocParameterID>::FromString(u"0xd6000000"), DocParameterID{0xd6000000});
  EXPECT_EQ(ValueText<DocParameterID>::FromString(u"no such name"), DocParameterID{0});
}

// Texts read once are not looked up again, unless names were registered since.
TEST(DocParameterIDs, TextsReadAgainFollowTheNamesRegisteredMeanwhile) {
  test::Registry();
  constexpr std::uint32_t kId = 0xd6ff00e1;  // a test id, named only here
  const auto read = [](std::string_view text) -> std::optional<std::uint32_t> {
    DocParameterID id{};
    if (!ValueText<DocParameterID>::FromOwnText(text, id)) return std::nullopt;
    return static_cast<std::uint32_t>(id);
  };
  for (int again = 0; again < 2; ++again) {
    EXPECT_EQ(read("0xd6ff00e1"), kId);
    EXPECT_EQ(read("LaterNamedId"), std::nullopt);
  }
  ParametersRegistry& registry = ParametersRegistry::Get();
  registry.RegisterName(kId, ParameterNamespaceName("vqxdoc"), LegacyParameterName(u"LaterNamedId"));
  EXPECT_EQ(read("0xd6ff00e1"), std::nullopt);  // a named id travels by its name
  EXPECT_EQ(read("LaterNamedId"), kId);
  registry.RegisterName(kId, ParameterNamespaceName("vqxdoc"), LegacyParameterName(u"RenamedId"));
  EXPECT_EQ(read("LaterNamedId"), std::nullopt);  // an earlier name is not the id's own text
  EXPECT_EQ(read("RenamedId"), kId);
}

TEST(ColorObjects, TravelAsTheirOwnText) {
  const ColorObject invalid(-1, -1, -1, 255, 0);
  for (const ColorObject& c : {ColorObject(), ColorObject(1, 2, 3, 4), invalid, ColorObject(10, 20, 30, 40, 2)})
    EXPECT_EQ(ColorObjectParser::Parse(c.RGBAString()), c) << c.RGBAString().ToUtf8();
  const std::pair<ColorObject, const char*> kTexts[] = {
      {ColorObject(255, 0, 16, 255), "#ff0010ff"},
      {ColorObject(10, 171, 0, 7, 12), "#0aab0007;12"},
      {ColorObject(-1, 256, 3, 255, -4), "rgba(-1,256,3,255);-4"},
      {ColorObject(-2147483647 - 1, 0, 0, 0), "rgba(-2147483648,0,0,0)"},
  };
  for (const auto& [color, text] : kTexts) EXPECT_EQ(color.RGBAString().ToUtf8(), text);
  EXPECT_EQ(ColorObjectParser::Parse(u"nonsense"), ColorObject());
}

}  // namespace
