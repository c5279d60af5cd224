// The writer's two ways (values straight into the JSON text, or through the cursor's calls)
// give the same text, and the reader's two ways (models straight from text, or through bags
// handed to their serializers) give the same models, the same skipped places and the same
// errors, on samples of every model and on texts broken in many places.

#include <regex>
#include <string_view>

#include "ModelEquality.h"
#include "TestSupport.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

std::vector<const ModelInfo*> EveryModel() {
  std::vector<const ModelInfo*> models;
  for (ModelInfoGetter get : AllModels()) models.push_back(&get());
  for (ModelInfoGetter get : FrameworkTestFamilyModels()) models.push_back(&get());
  return models;
}

std::string WriteAlone(const ModelInfo& info, std::uint64_t seed, bool direct) {
  Sampler sampler(seed, test::Registry());
  const RefCntPtr<PresentationModel> model = sampler.Model(info);
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(info.defaultId, info.wrap(model.get()));
  JsonCursor cursor(test::Registry());
  cursor.SetDirectWriting(direct);
  VisitParametersStructure(test::Registry(), *bag, cursor.GetVisitor());
  return cursor.Finish();
}

// Texts with the identifiers that constructors make anew masked.
std::string Masked(const std::string& text) {
  static const std::regex uuid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
  return std::regex_replace(text, uuid, "{id}");
}

TEST(TwoWays, WritingStraightIntoTheTextGivesTheCursorCallsText) {
  // Each sample is made anew for each way.
  for (const ModelInfo* info : EveryModel())
    for (std::uint64_t seed = 1; seed <= 4; ++seed)
      EXPECT_EQ(Masked(WriteAlone(*info, seed, true)), Masked(WriteAlone(*info, seed, false)))
          << info->name << " seed " << seed;
}

// What a read gives: the bag written again and its models, or the error.
struct Outcome {
  RefCntPtr<IParameters> bag;
  std::string text;
  std::string error;
  std::size_t offset = 0;
  std::string path;
  std::string skipped;
};

Outcome ReadWith(const WireReader& reader, std::string_view text, bool lenient) {
  Outcome o;
  try {
    std::vector<WireReader::Skipped> skipped;
    o.bag = lenient ? reader.ReadLenient(text, skipped) : reader.Read(text);
    for (const WireReader::Skipped& s : skipped)
      o.skipped += std::to_string(s.offset) + " " + s.path + ": " + s.reason + "\n";
  } catch (const WireFormatException& e) {
    o.error = e.what();
    o.offset = e.Offset();
    o.path = ErrorPathOf(e);
    return o;
  }
  try {
    o.text = JsonCursor::Write(test::Registry(), *o.bag);
  } catch (const std::exception& e) {
    o.text = std::string("written: ") + e.what();  // read leniently, written strictly
  }
  return o;
}

class Readers {
 public:
  Readers() : m_direct(test::Registry()), m_reference(test::Registry()) { m_reference.SetDirectReading(false); }

  // Reads the text both ways, strictly and leniently; true when the outcomes agree.
  bool Agree(std::string_view whole) {
    const std::string_view text = whole.substr(0, 400);  // enough to tell which, in a failure
    for (bool lenient : {false, true}) {
      const Outcome a = ReadWith(m_direct, whole, lenient), b = ReadWith(m_reference, whole, lenient);
      EXPECT_EQ(a.error, b.error) << text;
      EXPECT_EQ(a.offset, b.offset) << text;
      EXPECT_EQ(a.path, b.path) << text;
      EXPECT_EQ(a.skipped, b.skipped) << text;
      // Models made without an identifier in the text get a new one of their own.
      const bool fresh = a.text != b.text;
      EXPECT_EQ(Masked(a.text), Masked(b.text)) << text;
      if (a.error != b.error || a.path != b.path || Masked(a.text) != Masked(b.text) || a.skipped != b.skipped)
        return false;
      if (!a.bag) continue;
      ++m_read;
      for (const auto& [id, p] : a.bag->GetEntries()) {
        const RefCntPtr<const PresentationModel> ma = p->GetStructure();
        const RefCntPtr<const PresentationModel> mb = b.bag->GetParameter(id)->GetStructure();
        if (!ma || !mb) continue;
        EXPECT_EQ(typeid(*ma), typeid(*mb)) << text;
        const std::string d = fresh ? "" : test::ModelDifference(test::Registry(), ma.get(), mb.get());
        EXPECT_EQ(d, "") << text;
        if (!d.empty()) return false;
      }
    }
    return true;
  }
  int Read() const { return m_read; }

 private:
  WireReader m_direct, m_reference;
  int m_read = 0;
};

// ---- texts broken in many places

// Where the object opening at `open` ends (its closing brace), and where its first member
// ends (the comma or brace after it).
struct ObjectSpan {
  std::size_t firstEnd = std::string::npos;
  std::size_t close = std::string::npos;
};

ObjectSpan SpanAt(const std::string& t, std::size_t open) {
  ObjectSpan span;
  int depth = 0;
  bool inString = false;
  for (std::size_t i = open; i < t.size(); ++i) {
    const char c = t[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '{' || c == '[') ++depth;
    else if (c == '}' || c == ']') {
      if (--depth == 0) {
        if (span.firstEnd == std::string::npos) span.firstEnd = i;
        span.close = i;
        return span;
      }
    } else if (c == ',' && depth == 1 && span.firstEnd == std::string::npos) {
      span.firstEnd = i;
    }
  }
  return span;
}

std::vector<std::size_t> Find(const std::string& t, std::string_view what) {
  std::vector<std::size_t> at;
  for (std::size_t p = t.find(what); p != std::string::npos; p = t.find(what, p + 1)) at.push_back(p);
  return at;
}

// A few of the places, spread over the text.
std::vector<std::size_t> Spread(const std::vector<std::size_t>& at, std::size_t n) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < n && i < at.size(); ++i) out.push_back(at[i * at.size() / std::min(n, at.size())]);
  return out;
}

std::vector<std::string> Broken(const std::string& t) {
  std::vector<std::string> out;
  for (std::size_t cut : {t.size() / 3, t.size() / 2, t.size() - 2}) out.push_back(t.substr(0, cut));
  for (std::size_t open : Spread(Find(t, "{\""), 5)) {
    const ObjectSpan span = SpanAt(t, open);
    if (span.close == std::string::npos) continue;
    const std::string first = t.substr(open + 1, span.firstEnd - open - 1);
    // The first member again, an unknown member, the first member moved last, an empty object.
    out.push_back(t.substr(0, open + 1) + first + "," + t.substr(open + 1));
    out.push_back(t.substr(0, open + 1) + "\"NoSuchName\":{\"a\":[\"1\"]}," + t.substr(open + 1));
    if (t[span.firstEnd] == ',')
      out.push_back(t.substr(0, open + 1) + t.substr(span.firstEnd + 1, span.close - span.firstEnd - 1) + "," +
                    first + t.substr(span.close));
    out.push_back(t.substr(0, open) + "{}" + t.substr(span.close + 1));
    out.push_back(t.substr(0, open) + "null" + t.substr(span.close + 1));
  }
  // Values, and list items or names after a comma: another text, a number, an array.
  for (std::string_view before : {"\":\"", "\",\""})
    for (std::size_t at : Spread(Find(t, before), 6)) {
      const std::size_t start = at + 3, end = t.find('"', start);
      if (end == std::string::npos) continue;
      for (const char* value : {"\"zz\"", "\"\"", "12", "[\"1\"]", "\"\\ud800\""})
        out.push_back(t.substr(0, at + 2) + value + t.substr(end + 1));
    }
  return out;
}

TEST(TwoWays, ReadingStraightIntoModelsGivesWhatBagsGive) {
  Readers readers;
  for (const ModelInfo* info : EveryModel())
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
      const std::string text = WriteAlone(*info, seed, true);
      EXPECT_TRUE(readers.Agree(text)) << info->name << " seed " << seed;
    }
}

// Value structures (pane ids, data columns) are read without a bag straight from text; the
// bag's way is what they must give, well-formed or not.
TEST(TwoWays, ValueStructuresReadStraightGiveWhatBagsGive) {
  const auto marks = [](const std::string& entries) {
    return "{\"PDMarksPresModel\":{\"Encodings\":{" + entries + "}}}";
  };
  const auto pane = [](const std::string& members) {
    return "{\"PaneMarksPresModel\":{\"PaneId\":{" + members + "}}}";
  };
  const std::string column = R"("a":{"DataColumn.Name":"n","DataColumn.Values":["1","\u00e9"]})";
  const std::string texts[] = {
      marks(column),
      marks(column + R"(,"b":null,"c":{})"),
      marks(column + "," + column),                                              // a key twice
      marks(R"("a":{"DataColumn.Values":["1"],"DataColumn.Name":"n"})"),          // in another order
      marks(R"("a":{"DataColumn.Name":"n","DataColumn.Name":"m"})"),              // a member twice
      marks(R"("a":{"DataColumn.Name":"n","ZoneID":"3"})"),                       // another id's member
      marks(R"("a":{"DataColumn.Name":["n"]})"),                                  // a list for a text
      marks(R"("a":{"DataColumn.Values":"1"})"),                                  // a text for a list
      marks(R"("a":{"DataColumn.Name":"\ud800"})"),                               // a lone surrogate
      marks(R"("a":{"DataColumn.Name":"n","NoSuchName":"1"})"),                   // an unknown name
      marks(R"("a":["1"])"),
      pane(R"("PaneId.Row":"2","PaneId.Column":"3")"),
      pane(R"("PaneId.Column":"3")"),
      pane(R"("PaneId.Row":"x")"),
      pane(R"("PaneId.Row":"4294967296")"),
      pane(R"("PaneId.Row":"-1")"),
      pane(R"("PaneId.Row":"1","PaneId.Row":"2")"),
      pane(R"("PaneId.Row":{})"),
      pane(""),
  };
  Readers readers;
  for (const std::string& text : texts) EXPECT_TRUE(readers.Agree(text)) << text;
  EXPECT_GE(readers.Read(), 8);
}

TEST(TwoWays, BrokenTextsGiveTheSameErrorsAndSkips) {
  Readers readers;
  int texts = 0;
  for (const ModelInfo* info : EveryModel())
    for (const std::string& broken : Broken(WriteAlone(*info, 7, true))) {
      ++texts;
      if (!readers.Agree(broken)) {
        ADD_FAILURE() << info->name;
        return;
      }
    }
  EXPECT_GT(texts, 5000);
  EXPECT_GT(readers.Read(), 1000);  // many are still read, strictly or leniently
}

}  // namespace
