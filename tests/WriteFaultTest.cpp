// An error at any point of a write leaves nothing behind: a cursor that throws at the n-th
// value or scope it receives, for every model and every n, and then a clean write of the
// same tree, which must give the text of an untouched copy: no half-recorded text in a
// model's cache, no hierarchy level left marked as being written.

#include <memory>
#include <regex>
#include <stdexcept>

#include "TestSupport.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"

namespace {

struct InjectedFault : std::runtime_error {
  InjectedFault() : std::runtime_error("injected fault") {}
};

// Passes every call on to a JSON cursor, and throws at the n-th value, scope or replay it
// receives (never when n is 0). Its visitor records and replays through the JSON cursor's,
// and hands out this cursor, so that embedded bags are written through it too.
class FaultingCursor final : public SerializeStructure, private IStructuredParameterVisitor {
 public:
  FaultingCursor(const ParametersRegistry& registry, long failAt)
      : SerializeStructure(registry), m_inner(registry), m_failAt(failAt) {}

  long Received() const { return m_received; }
  // Closes of a scope that was never opened.
  int StrayCloses() const { return m_strayCloses; }

  void Parameter(std::uint32_t id, const TString& text) override {
    Receive();
    m_inner.Parameter(id, text);
  }
  void ListItem(const TString& text) override {
    Receive();
    m_inner.ListItem(text);
  }
  void MapItem(const TString& key, const TString& text, bool flag) override {
    Receive();
    m_inner.MapItem(key, text, flag);
  }
  void NullMapItem(const TString& key, bool flag) override {
    Receive();
    m_inner.NullMapItem(key, flag);
  }
  IStructuredParameterVisitor& GetVisitor() override { return *this; }
  const IStructureSerializer* GetStructureSerializer(std::uint32_t id) const override {
    return m_inner.GetStructureSerializer(id);
  }

 protected:
  void BeginSubStructure(std::uint32_t id, bool composite) override { Open<SubStructure>(id, m_inner, composite); }
  void BeginListStructure(std::uint32_t id, ParameterTypeCategory category) override {
    Open<ListStructure>(id, m_inner, category);
  }
  void BeginMapStructure(std::uint32_t id) override { Open<MapStructure>(id, m_inner); }
  void BeginMapItemStructure(const TString& key) override { Open<MapItemStructure>(key, m_inner); }
  void BeginCompositeStructure(std::uint32_t id) override { Open<CompositeStructure>(id, m_inner); }
  void EndStructure() noexcept override {
    if (m_scopes.empty())
      ++m_strayCloses;
    else
      m_scopes.pop_back();
  }

 private:
  void BeginCapture() override { m_inner.GetVisitor().BeginCapture(); }
  CapturedText EndCapture() override { return m_inner.GetVisitor().EndCapture(); }
  void ReplayCapture(const CapturedText& text) override {
    Receive();
    m_inner.GetVisitor().ReplayCapture(text);
  }
  SerializeStructure& GetCursor() override { return *this; }

  void Receive() {
    if (++m_received == m_failAt) throw InjectedFault();
  }

  // The JSON cursor's scopes, opened and closed through its scope objects.
  struct Scope {
    virtual ~Scope() = default;
  };
  template <typename S>
  struct ScopeOf final : Scope {
    template <typename... A>
    explicit ScopeOf(A&&... a) : scope(std::forward<A>(a)...) {}
    S scope;
  };
  template <typename S, typename... A>
  void Open(A&&... a) {
    Receive();
    m_scopes.push_back(std::make_unique<ScopeOf<S>>(std::forward<A>(a)...));
  }

  JsonCursor m_inner;
  long m_failAt;
  long m_received = 0;
  int m_strayCloses = 0;
  std::vector<std::unique_ptr<Scope>> m_scopes;
};

// A few nested levels are enough to reach every kind of member.
constexpr int kDepth = 2;
constexpr std::uint64_t kSeed = 11;

RefCntPtr<PresentationModel> Sample(const ModelInfo& info) {
  Sampler sampler(kSeed, test::Registry(), kDepth);
  return sampler.Model(info);
}

// Texts of two samples may differ only in the identifiers their constructors make.
std::string WithoutNewIds(const std::string& text) {
  static const std::regex uuid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
  return std::regex_replace(text, uuid, "{id}");
}

void ExpectCleanAfterEveryFault(const ModelInfo& info) {
  const std::string untouched = JsonCursor::Write(test::Registry(), *Sample(info)->AsIParameters());
  long events = 0;
  {
    FaultingCursor counting(test::Registry(), 0);
    VisitParametersStructure(test::Registry(), *Sample(info)->AsIParameters(), counting.GetVisitor());
    events = counting.Received();
  }
  for (long n = 1; n <= events; ++n) {
    const RefCntPtr<PresentationModel> model = Sample(info);
    const RefCntPtr<IParameters> bag = model->AsIParameters();
    {
      FaultingCursor cursor(test::Registry(), n);
      EXPECT_THROW(VisitParametersStructure(test::Registry(), *bag, cursor.GetVisitor()), InjectedFault)
          << info.name << " fault at " << n << " of " << events;
      EXPECT_EQ(cursor.StrayCloses(), 0) << info.name << " fault at " << n;
    }
    EXPECT_TRUE(model->GetSerializedVal().empty()) << info.name << " fault at " << n;
    for (const ModelInfo* level = &info; level; level = level->base ? &level->base() : nullptr)
      if (level->HasSerializingFlag()) {
        EXPECT_FALSE(*level->SerializingFlag(model.get())) << info.name << " fault at " << n << ": " << level->name;
        EXPECT_EQ(*level->HierarchyDepth(model.get()), 0u) << info.name << " fault at " << n << ": " << level->name;
      }
    const std::string text = JsonCursor::Write(test::Registry(), *bag);
    if (text != untouched && WithoutNewIds(text) != WithoutNewIds(untouched)) {
      ADD_FAILURE() << info.name << ": after a fault at " << n << " of " << events << "\n"
                    << text << "\ninstead of\n"
                    << untouched;
      return;
    }
  }
}

TEST(WriteFaults, EveryLibraryModelWritesCleanlyAfterAFaultAnywhere) {
  for (ModelInfoGetter get : AllModels()) ExpectCleanAfterEveryFault(get());
}

TEST(WriteFaults, EveryTestModelWritesCleanlyAfterAFaultAnywhere) {
  for (ModelInfoGetter get : FrameworkTestFamilyModels()) ExpectCleanAfterEveryFault(get());
}

}  // namespace
