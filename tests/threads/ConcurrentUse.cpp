// Writing and reading on several threads at once, as a host does: every thread writes and
// reads trees of its own, and all of them share the registry, the enumeration tables, one
// reader and a set of models written once before. Every text must be the text one thread
// alone writes. CI runs this under ThreadSanitizer (-DPM_TSAN=ON), which reports any data
// race among them. Built from the library alone, so that that job builds little else.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/Catalogue.h"
#include "framework/HostRegistry.h"
#include "framework/Sampler.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayer/SerializeStructure.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

// Registered once, as a host does at start-up, before any other thread exists.
const ParametersRegistry& Registry() { return HostRegistry(); }

RefCntPtr<IParameters> Alone(const ModelInfo& info, const PresentationModel* model) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(info.defaultId, info.wrap(model));
  return bag;
}

std::string Write(const IParameters& bag) { return JsonCursor::Write(Registry(), bag); }

// What each enumeration's serializer makes of each of its table's texts.
std::vector<TString> EnumRoundTrips() {
  std::vector<TString> texts;
  for (const EnumDescription& e : AllEnums()) {
    const RefCntPtr<IParameterSerializer> serializer = e.createSerializer();
    for (const auto& entry : e.entries())
      texts.push_back(serializer->ParameterToString(serializer->ParameterFromString(entry.second)));
  }
  return texts;
}

// The registry's answers for every parameter name.
std::vector<std::uint32_t> RegistryAnswers() {
  const ParametersRegistry& registry = Registry();
  const ParameterNamespaceName ns("vqxdoc");
  std::vector<std::uint32_t> answers;
  for (const ParameterName& n : AllParameterNames()) {
    const LegacyParameterName name(TString::FromAscii(n.name));
    answers.push_back(registry.FindId(ns, name).value_or(0));
    const LegacyParameterName* found = registry.FindName(n.id);
    answers.push_back(found && found->GetValue() == name.GetValue());
    answers.push_back(registry.GetStructureSerializer(n.id) != nullptr);
    answers.push_back(registry.GetParameterSerializer(n.id) != nullptr);
  }
  return answers;
}

TEST(Threads, DisjointAndSharedTreesWriteAsOnOneThread) {
  constexpr int kThreads = 4;
  const ParametersRegistry& registry = Registry();
  const WireReader reader(registry);  // shared by every thread

  // Every catalogue model, sampled, and its text on this thread alone.
  std::vector<std::string> texts;
  for (ModelInfoGetter get : AllModels()) {
    Sampler sampler(texts.size() + 1, registry);
    const RefCntPtr<PresentationModel> model = sampler.Model(get());
    texts.push_back(Write(*Alone(get(), model.get())));
  }
  // The same texts under the hexadecimal form of each model's id, as ids without a name
  // travel: the reader looks those up another way.
  std::vector<std::string> hexTexts;
  for (ModelInfoGetter get : AllModels()) {
    const std::string& text = texts[hexTexts.size()];
    char hex[16];
    std::snprintf(hex, sizeof hex, "{\"0x%08x\"", get().defaultId);
    hexTexts.push_back(hex + text.substr(text.find("\":") + 1));  // first read by the threads
  }
  // Read back, the texts give equal models (the round trip is exact) that nobody has
  // written yet: one set per thread, and one set shared by all, written here first. Only
  // models with recorded text are shared: the others (written afresh each time, some of
  // them setting their hierarchy's flags) are not for two threads to write at once.
  std::vector<std::vector<RefCntPtr<IParameters>>> own(kThreads);
  for (auto& trees : own)
    for (const std::string& text : texts) trees.push_back(reader.Read(text));
  std::vector<RefCntPtr<IParameters>> shared;
  for (ModelInfoGetter get : AllModels()) {
    const std::string& text = texts[shared.size()];
    shared.push_back(get().cached ? reader.Read(text) : nullptr);
    if (shared.back()) {
      ASSERT_EQ(Write(*shared.back()), text);
    }
  }
  // All the shared models nested in one bag: each thread writes a bag of its own holding them.
  const auto gather = [&] {
    auto bag = MakeRefCnt<Parameters>();
    for (const RefCntPtr<IParameters>& tree : shared)
      if (tree)
        for (const auto& [id, parameter] : tree->GetEntries()) bag->SetParameter(id, parameter);
    return bag;
  };
  const std::string gathered = Write(*gather());
  const std::vector<TString> enumTexts = EnumRoundTrips();
  const std::vector<std::uint32_t> answers = RegistryAnswers();

  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::string> errors(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      try {
        int& bad = mismatches[static_cast<std::size_t>(t)];
        // Each thread starts at another model, so that all kinds meet at once.
        const std::size_t n = texts.size();
        for (std::size_t k = 0; k < n; ++k) {
          const std::size_t i = (k + static_cast<std::size_t>(t) * n / kThreads) % n;
          bad += Write(*own[static_cast<std::size_t>(t)][i]) != texts[i];  // records its texts
          if (shared[i]) bad += Write(*shared[i]) != texts[i];              // replays
          bad += Write(*reader.Read(texts[i])) != texts[i];  // read here, written here
          bad += Write(*reader.Read(hexTexts[i])) != texts[i];
        }
        bad += Write(*gather()) != gathered;
        bad += EnumRoundTrips() != enumTexts;
        bad += RegistryAnswers() != answers;
      } catch (const std::exception& e) {
        errors[static_cast<std::size_t>(t)] = e.what();
      }
    });
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(mismatches[static_cast<std::size_t>(t)], 0) << "thread " << t;
    EXPECT_EQ(errors[static_cast<std::size_t>(t)], "") << "thread " << t;
  }
}

// ---- the check of builds without NDEBUG: two threads writing one model at once

// A cursor that writes nothing, records "recorded" for every capture, and runs a step at
// its first capture or replay: inside the write of a model it holds.
class PausingCursor final : public SerializeStructure, private IStructuredParameterVisitor {
 public:
  explicit PausingCursor(std::function<void()> step = {}) : SerializeStructure(Registry()), m_step(std::move(step)) {}

  void Parameter(std::uint32_t, const TString&) override {}
  void ListItem(const TString&) override {}
  void MapItem(const TString&, const TString&, bool) override {}
  void NullMapItem(const TString&, bool) override {}
  IStructuredParameterVisitor& GetVisitor() override { return *this; }

 protected:
  void BeginSubStructure(std::uint32_t, bool) override {}
  void BeginListStructure(std::uint32_t, ParameterTypeCategory) override {}
  void BeginMapStructure(std::uint32_t) override {}
  void BeginMapItemStructure(const TString&) override {}
  void BeginCompositeStructure(std::uint32_t) override {}
  void EndStructure() noexcept override {}

 private:
  void BeginCapture() override { Step(); }
  CapturedText EndCapture() override { return "recorded"; }
  void ReplayCapture(const CapturedText&) override { Step(); }
  SerializeStructure& GetCursor() override { return *this; }

  void Step() {
    if (m_step) std::exchange(m_step, {})();
  }
  std::function<void()> m_step;
};

// The error another thread's write of the model meets; empty when it succeeds.
std::string WriteOnAnotherThread(const ModelInfo& info, const PresentationModel* model) {
  std::string error;
  std::thread([&] {
    try {
      PausingCursor cursor;
      WriteModel(info, model, cursor);
    } catch (const LogicException& e) {
      error = e.Error().Text();
    }
  }).join();
  return error;
}

const ModelInfo& FirstModel(bool (*fits)(const ModelInfo&)) {
  for (ModelInfoGetter get : AllModels())
    if (fits(get())) return get();
  throw std::logic_error("no catalogue model fits");
}

TEST(Threads, AWriteMeetingAnotherThreadsWriteOfTheModel) {
  struct Case {
    const char* what;
    bool (*fits)(const ModelInfo&);
    bool writtenBefore;  // its text (and its nested models' texts) recorded first
    bool conflict;
  };
  const Case cases[] = {
      {"recording its text", [](const ModelInfo& m) { return m.cached && !m.base && !m.kinds; }, false, true},
      {"replaying its text", [](const ModelInfo& m) { return m.cached && !m.base && !m.kinds; }, true, false},
      {"written afresh, nested texts recorded",
       [](const ModelInfo& m) { return !m.cached && !m.base && !m.kinds && !m.level && !m.HasSerializingFlag(); }, true,
       false},
      {"written afresh, nested texts not recorded yet",
       [](const ModelInfo& m) { return !m.cached && !m.base && !m.kinds && !m.level && !m.HasSerializingFlag(); }, false,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
#ifdef NDEBUG
    if (c.conflict) continue;  // release builds do not check
#endif
    const ModelInfo& info = FirstModel(c.fits);
    Sampler sampler(3, Registry());
    const RefCntPtr<PresentationModel> model = sampler.Model(info);
    if (c.writtenBefore) {
      PausingCursor first;
      WriteModel(info, model.get(), first);
    }
    std::string error = "(not written)";
    PausingCursor cursor([&] { error = WriteOnAnotherThread(info, model.get()); });
    WriteModel(info, model.get(), cursor);
    if (!c.conflict) {
      EXPECT_EQ(error, "") << info.name;
    } else if (!c.writtenBefore && info.cached) {
      EXPECT_EQ(error, "model " + std::string(info.name) + " written by two threads at once");
    } else {
      EXPECT_NE(error.find(" written by two threads at once"), std::string::npos) << error;
    }
    // The write that met the other thread changed nothing: the text recorded is this one's.
    if (info.cached) {
      EXPECT_EQ(model->GetSerializedVal(), "recorded") << info.name;
    }
  }
}

}  // namespace

// Pixmaps exist only beside a QGuiApplication: run one on the offscreen platform.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
