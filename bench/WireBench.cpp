// Writing and reading wire text, beside the JSON library's own writer and parser and
// beside memcpy of the same text.

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstring>

#include "BenchSupport.h"
#include "framework/Catalogue.h"
#include "framework/Sampler.h"
#include "models/FrameworkTestModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

constexpr int kModels = 2000;  // about 2.5 MB of text

const std::string& Text() {
  static const std::string text = JsonCursor::Write(bench::Registry(), *bench::Document(kModels));
  return text;
}

void Bytes(benchmark::State& state, std::size_t perIteration) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * perIteration));
}

// A fresh document for every write: the first write of each model records its text.
void FirstWrite(benchmark::State& state) {
  std::size_t size = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RefCntPtr<IParameters> doc = bench::Document(kModels, 7);
    state.ResumeTiming();
    std::string text = JsonCursor::Write(bench::Registry(), *doc);
    size = text.size();
    benchmark::DoNotOptimize(text.data());
    state.PauseTiming();
    doc = nullptr;
    state.ResumeTiming();
  }
  Bytes(state, size);
}
BENCHMARK(FirstWrite)->Unit(benchmark::kMillisecond)->Name("write/first");

// The same document again: one replay of the list's recorded text.
void Replay(benchmark::State& state) {
  const RefCntPtr<IParameters> doc = bench::Document(kModels, 7);
  const std::size_t size = JsonCursor::Write(bench::Registry(), *doc).size();
  for (auto _ : state) {
    std::string text = JsonCursor::Write(bench::Registry(), *doc);
    benchmark::DoNotOptimize(text.data());
  }
  Bytes(state, size);
}
BENCHMARK(Replay)->Unit(benchmark::kMillisecond)->Name("write/replay");

void Read(benchmark::State& state) {
  const WireReader reader(bench::Registry());
  for (auto _ : state) {
    RefCntPtr<IParameters> bag = reader.Read(Text());
    benchmark::DoNotOptimize(bag.get());
    state.PauseTiming();  // releasing the models is not reading them
    bag = nullptr;
    state.ResumeTiming();
  }
  Bytes(state, Text().size());
}
BENCHMARK(Read)->Unit(benchmark::kMillisecond)->Name("read/models");

// Baselines on the same text.
void LibraryWriter(benchmark::State& state) {
  rapidjson::Document doc;
  doc.Parse(Text().c_str());
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    doc.Accept(writer);
    benchmark::DoNotOptimize(buffer.GetString());
  }
  Bytes(state, Text().size());
}
BENCHMARK(LibraryWriter)->Unit(benchmark::kMillisecond)->Name("baseline/json-writer");

void LibraryParser(benchmark::State& state) {
  for (auto _ : state) {
    rapidjson::Document doc;
    doc.Parse(Text().c_str());
    benchmark::DoNotOptimize(doc.IsObject());
  }
  Bytes(state, Text().size());
}
BENCHMARK(LibraryParser)->Unit(benchmark::kMillisecond)->Name("baseline/json-parser");

void LibraryEventParser(benchmark::State& state) {
  for (auto _ : state) {
    rapidjson::Reader reader;
    rapidjson::BaseReaderHandler<> handler;
    rapidjson::StringStream stream(Text().c_str());
    benchmark::DoNotOptimize(reader.Parse<rapidjson::kParseIterativeFlag>(stream, handler).IsError());
  }
  Bytes(state, Text().size());
}
BENCHMARK(LibraryEventParser)->Unit(benchmark::kMillisecond)->Name("baseline/json-event-parser");

void Memcpy(benchmark::State& state) {
  std::string copy(Text().size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), Text().data(), Text().size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  Bytes(state, Text().size());
}
BENCHMARK(Memcpy)->Unit(benchmark::kMillisecond)->Name("baseline/memcpy");

}  // namespace
