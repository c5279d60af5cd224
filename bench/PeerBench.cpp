// The same document through the fastest JSON parser on the machine (its DOM and its
// on-demand walk over every value) and through Protocol Buffers' JSON, on a schema made from
// the wire text's own and filled by reading the library's text.

#include <google/protobuf/util/json_util.h>
#include <simdjson.h>

#include <memory>
#include <stdexcept>

#include "BenchSupport.h"
#include "presmodel_bench.pb.h"

namespace {

using bench::Processed;
using bench::Text;

void SimdDom(benchmark::State& state, int size) {
  const simdjson::padded_string text(Text(size));
  simdjson::dom::parser parser;
  for (auto _ : state) {
    simdjson::dom::element root = parser.parse(text);
    benchmark::DoNotOptimize(root.is_object());
  }
  Processed(state, size);
}

// Visits every key and value, as a reader of the whole text must.
std::size_t Walk(simdjson::ondemand::value value) {
  std::size_t n = 1;
  switch (value.type()) {
    case simdjson::ondemand::json_type::object:
      for (auto field : value.get_object()) {
        n += field.unescaped_key().value().size();
        n += Walk(field.value());
      }
      break;
    case simdjson::ondemand::json_type::array:
      for (auto item : value.get_array()) n += Walk(item.value());
      break;
    case simdjson::ondemand::json_type::string:
      n += value.get_string().value().size();
      break;
    default:
      value.raw_json_token();
      break;
  }
  return n;
}

void SimdOnDemand(benchmark::State& state, int size) {
  const simdjson::padded_string text(Text(size));
  simdjson::ondemand::parser parser;
  for (auto _ : state) {
    simdjson::ondemand::document doc = parser.iterate(text);
    benchmark::DoNotOptimize(Walk(doc.get_value()));
  }
  Processed(state, size);
}

presmodel_bench::ModelBag Message(int size) {
  presmodel_bench::ModelBag bag;
  const auto status = google::protobuf::util::JsonStringToMessage(Text(size), &bag);
  if (!status.ok()) throw std::runtime_error("the document does not fit the schema: " + status.ToString());
  return bag;
}

void ProtobufToJson(benchmark::State& state, int size) {
  const presmodel_bench::ModelBag bag = Message(size);
  for (auto _ : state) {
    std::string out;
    (void)google::protobuf::util::MessageToJsonString(bag, &out);
    benchmark::DoNotOptimize(out.data());
  }
  Processed(state, size);
}

void ProtobufFromJson(benchmark::State& state, int size) {
  for (auto _ : state) {
    auto bag = std::make_unique<presmodel_bench::ModelBag>();
    benchmark::DoNotOptimize(google::protobuf::util::JsonStringToMessage(Text(size), bag.get()).ok());
    state.PauseTiming();  // as for the library's reader, releasing is not reading
    bag = nullptr;
    state.ResumeTiming();
  }
  Processed(state, size);
}

[[maybe_unused]] const bool registered = [] {
  bench::Register("simdjson/dom", SimdDom);
  bench::Register("simdjson/on-demand", SimdOnDemand);
  bench::Register("protobuf/to-json", ProtobufToJson);
  bench::Register("protobuf/from-json", ProtobufFromJson);
  return true;
}();

}  // namespace
