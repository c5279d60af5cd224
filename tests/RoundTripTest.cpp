// Every model the generator knows, filled with sample values, written as text, read back
// and written again, gives the same text, and reads back as an equal model.

#include <regex>

#include "ModelEquality.h"
#include "TestSupport.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

std::string WriteAlone(const ModelInfo& info, const RefCntPtr<PresentationModel>& model) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(info.defaultId, info.wrap(model.get()));
  return JsonCursor::Write(test::Registry(), *bag);
}

void ExpectRoundTrip(const ModelInfo& info) {
  const WireReader reader(test::Registry());
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    Sampler sampler(seed, test::Registry());
    const RefCntPtr<PresentationModel> model = sampler.Model(info);
    std::string text;
    try {
      text = WriteAlone(info, model);
      const RefCntPtr<IParameters> bag = reader.Read(text);
      EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text) << info.name << " seed " << seed;
      const RefCntPtr<const PresentationModel> back = bag->GetParameter(info.defaultId)->GetStructure();
      EXPECT_EQ(test::ModelDifference(test::Registry(), model.get(), back.get(), &info), "") << "seed " << seed;
    } catch (const std::exception& e) {
      ADD_FAILURE() << info.name << " seed " << seed << ": " << e.what() << "\n" << text;
    }
  }
}

TEST(RoundTrip, EveryLibraryModel) {
  for (ModelInfoGetter get : AllModels()) ExpectRoundTrip(get());
}

TEST(RoundTrip, EveryTestModel) {
  for (ModelInfoGetter get : FrameworkTestFamilyModels()) ExpectRoundTrip(get());
}

// One cursor meets the parameter names of the whole catalogue (its table of key texts grows
// many times over); each model's text in it is the text an equal model has alone.
TEST(RoundTrip, OneTextOfEveryModelHoldsEachModelsOwnText) {
  Sampler sampler(5, test::Registry()), same(5, test::Registry());
  auto bag = MakeRefCnt<Parameters>();
  std::vector<std::string> alone;
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& info = get();
    const std::string text = WriteAlone(info, same.Model(info));
    alone.push_back(text.substr(1, text.size() - 2));
    const RefCntPtr<PresentationModel> model = sampler.Model(info);
    bag->SetParameter(info.defaultId, info.wrap(model.get()));
  }
  // Constructors give some models new identifiers: those are not compared.
  const std::regex uuid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
  const std::string all = std::regex_replace(JsonCursor::Write(test::Registry(), *bag), uuid, "{id}");
  for (const std::string& text : alone)
    EXPECT_NE(all.find(std::regex_replace(text, uuid, "{id}")), std::string::npos) << text.substr(0, 80);
}

// The comparison round trips rely on: it finds what differs, and passes over what does not
// come back.
TEST(RoundTrip, ModelDifferenceNamesWhereModelsDiffer) {
  using Sink = KitchenSinkPresModel;
  struct Case {
    const char* change;
    void (*apply)(Sink& a, Sink& b);
    const char* where;  // how the difference starts; empty: none
  };
  const Case cases[] = {
      {"nothing", [](Sink&, Sink&) {}, ""},
      {"a number", [](Sink&, Sink& b) { b.SetCount(b.GetCount() + 1); }, "KitchenSinkPresModel.Count: "},
      {"a nested model", [](Sink&, Sink& b) { b.SetCaption(test::Pair(u"[x]", u"y")); },
       "KitchenSinkPresModel.Caption."},
      {"one list item more", [](Sink&, Sink& b) { b.AddPair(test::Pair(u"[x]", u"y")); },
       "KitchenSinkPresModel.Pairs: "},
      {"a map entry",
       [](Sink&, Sink& b) {
         auto maps = b.GetPairMaps();
         maps.begin()->second = maps.begin()->second ? nullptr : test::Pair(u"[x]", u"y");
         b.SetPairMaps(maps);
       },
       "KitchenSinkPresModel.PairMaps["},
      {"an embedded bag", [](Sink&, Sink& b) { b.SetHolder(MakeRefCnt<Parameters>()); }, ""},
      {"an embedded bag's value",
       [](Sink&, Sink& b) {
         auto bag = MakeRefCnt<Parameters>();
         bag->SetParameter(0xd6ff0002, test::Val(7));
         b.SetHolder(bag);
       },
       "KitchenSinkPresModel.Holder: "},
      {"a member not read back", [](Sink&, Sink& b) { b.SetHidden(!b.GetHidden()); }, ""},
      {"a member its test leaves out",
       [](Sink& a, Sink& b) {
         a.SetShowLabels(false);
         b.SetShowLabels(false);
         b.SetLabelMode(a.GetLabelMode() + 1);
       },
       ""},
  };
  for (const Case& c : cases) {
    Sampler sa(3, test::Registry()), sb(3, test::Registry());
    const auto a = StaticRefCast<Sink>(sa.Model(Sink::GetModelInfo()));
    const auto b = StaticRefCast<Sink>(sb.Model(Sink::GetModelInfo()));
    c.apply(*a, *b);
    const std::string d = test::ModelDifference(test::Registry(), a.get(), b.get());
    EXPECT_EQ(d.substr(0, std::string_view(c.where).size()), c.where) << c.change << ": " << d;
    EXPECT_EQ(d.empty(), *c.where == 0) << c.change << ": " << d;
  }
}

TEST(RoundTrip, SamplesAreDeterministicPerSeed) {
  const ModelInfo& info = KitchenSinkPresModel::GetModelInfo();
  Sampler a(42, test::Registry()), b(42, test::Registry()), c(43, test::Registry());
  const std::string ta = WriteAlone(info, a.Model(info));
  EXPECT_EQ(ta, WriteAlone(info, b.Model(info)));
  EXPECT_NE(ta, WriteAlone(info, c.Model(info)));
}

}  // namespace
