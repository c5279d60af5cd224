// Writing and reading the dashboard's wire text, beside the JSON library's writer and
// parsers on the same text and beside memcpy of it.

#include <rapidjson/document.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstring>
#include <memory>

#include "BenchSupport.h"
#include "dashboard/SampleDashboard.h"
#include "models/DashboardModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

using bench::Processed;
using bench::Registry;
using bench::Text;

RefCntPtr<IParameters> Bag(const RefCntPtr<const DashboardPresModel>& dashboard) { return dashboard->AsIParameters(); }

// A fresh dashboard for every write: every model records its text for the first time.
void FirstWrite(benchmark::State& state, int size) {
  for (auto _ : state) {
    state.PauseTiming();
    RefCntPtr<IParameters> doc = Bag(bench::NewDashboard(size));
    state.ResumeTiming();
    std::string text = JsonCursor::Write(Registry(), *doc);
    benchmark::DoNotOptimize(text.data());
    state.PauseTiming();
    doc = nullptr;
    state.ResumeTiming();
  }
  Processed(state, size);
}

// A tenth of the worksheets (each a zone, its common part, its visual and scene) replaced in
// a tree written before; the rest replays its recorded text.
void SmallChange(benchmark::State& state, int size) {
  sample::SampleDashboard parts(Registry(), {.worksheets = bench::Worksheets(size), .seed = 7});
  (void)JsonCursor::Write(Registry(), *Bag(parts.Build()));
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    parts.ReplaceWorksheets(round % 10, 10, static_cast<std::uint64_t>(100 + round));
    ++round;
    RefCntPtr<IParameters> doc = Bag(parts.Build());
    state.ResumeTiming();
    std::string text = JsonCursor::Write(Registry(), *doc);
    benchmark::DoNotOptimize(text.data());
  }
  Processed(state, size);
}

// The same tree again: the dashboard's own members afresh, everything below it replayed.
void Rewrite(benchmark::State& state, int size) {
  const RefCntPtr<IParameters> doc = Bag(bench::NewDashboard(size));
  (void)JsonCursor::Write(Registry(), *doc);
  for (auto _ : state) {
    std::string text = JsonCursor::Write(Registry(), *doc);
    benchmark::DoNotOptimize(text.data());
  }
  Processed(state, size);
}

// The same, into the caller's buffer of the write before.
void RewriteIntoBuffer(benchmark::State& state, int size) {
  const RefCntPtr<IParameters> doc = Bag(bench::NewDashboard(size));
  std::string text;
  JsonCursor::Write(Registry(), *doc, text);
  for (auto _ : state) {
    JsonCursor::Write(Registry(), *doc, text);
    benchmark::DoNotOptimize(text.data());
  }
  Processed(state, size);
}

void Read(benchmark::State& state, int size) {
  const WireReader reader(Registry());
  const std::string& text = Text(size);
  for (auto _ : state) {
    RefCntPtr<IParameters> bag = reader.Read(text);
    benchmark::DoNotOptimize(bag.get());
    state.PauseTiming();  // releasing the models is not reading them
    bag = nullptr;
    state.ResumeTiming();
  }
  Processed(state, size);
}

void JsonDom(benchmark::State& state, int size) {
  for (auto _ : state) {
    rapidjson::Document doc;
    doc.Parse(Text(size).c_str());
    benchmark::DoNotOptimize(doc.IsObject());
  }
  Processed(state, size);
}

void Memcpy(benchmark::State& state, int size) {
  const std::string& text = Text(size);
  std::string copy(text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  Processed(state, size);
}

// The operations whose instructions are counted, each made ready as its benchmark makes it.
bench::Operation CountFirstWrite(int size) {
  return [doc = Bag(bench::NewDashboard(size))] {
    std::string text = JsonCursor::Write(Registry(), *doc);
    benchmark::DoNotOptimize(text.data());
  };
}

bench::Operation CountRead(int size) {
  auto reader = std::make_shared<const WireReader>(Registry());
  auto kept = std::make_shared<RefCntPtr<IParameters>>();  // released after the count
  return [reader, kept, &text = Text(size)] { *kept = reader->Read(text); };
}

bench::Operation CountJsonWriter(int size) {
  auto doc = std::make_shared<rapidjson::Document>();
  doc->Parse(Text(size).c_str());
  return [doc] {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    doc->Accept(writer);
    benchmark::DoNotOptimize(buffer.GetString());
  };
}

bench::Operation CountJsonEvents(int size) {
  return [&text = Text(size)] {
    rapidjson::Reader reader;
    rapidjson::BaseReaderHandler<> handler;
    rapidjson::StringStream stream(text.c_str());
    benchmark::DoNotOptimize(reader.Parse<rapidjson::kParseIterativeFlag>(stream, handler).IsError());
  };
}

// The JSON library's writer and event parser run as they are counted.
template <bench::Operation (*Prepare)(int)>
void Repeated(benchmark::State& state, int size) {
  const bench::Operation op = Prepare(size);
  for (auto _ : state) op();
  Processed(state, size);
}

[[maybe_unused]] const bool registered = [] {
  bench::RegisterCounted("write/first", CountFirstWrite);
  bench::RegisterCounted("read/models", CountRead);
  bench::RegisterCounted("rapidjson/writer", CountJsonWriter);
  bench::RegisterCounted("rapidjson/events", CountJsonEvents);
  bench::Register("write/first", FirstWrite);
  bench::Register("write/small-change", SmallChange);
  bench::Register("write/rewrite", Rewrite);
  bench::Register("write/rewrite-buffer", RewriteIntoBuffer);
  bench::Register("read/models", Read);
  bench::Register("rapidjson/writer", Repeated<CountJsonWriter>);
  bench::Register("rapidjson/dom", JsonDom);
  bench::Register("rapidjson/events", Repeated<CountJsonEvents>);
  bench::Register("memcpy", Memcpy);
  return true;
}();

}  // namespace
