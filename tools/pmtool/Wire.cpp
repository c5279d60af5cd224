// Commands that write and read wire text.

#include <charconv>
#include <cstdio>
#include <string>

#include "Commands.h"
#include "framework/Catalogue.h"
#include "framework/Sampler.h"
#include "vqxpreslayer/Parameters.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace pmtool {

std::string WriteAlone(const RefCntPtr<PresentationModel>& model) {
  RefCntPtr<IParameters> bag = model->AsIParameters();
  return JsonCursor::Write(HostRegistry(), *bag);
}

namespace {

// "--seed N" at args[at], or seed 1 when there are no more arguments.
std::uint64_t SeedOption(const Args& args, std::size_t at, const char* usage) {
  if (args.size() == at) return 1;
  if (args.size() != at + 2 || args[at] != "--seed") throw std::runtime_error(std::string("usage: pmtool ") + usage);
  std::uint64_t seed = 0;
  const std::string_view text = args[at + 1];
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (ec != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("the seed is a number, not '" + std::string(text) + "'");
  return seed;
}

// Reads wire text, leniently when `skipped` is given; an unknown parameter name comes with
// the closest known ones.
RefCntPtr<IParameters> ReadWire(const std::string& text, std::vector<WireReader::Skipped>* skipped = nullptr) {
  const WireReader reader(HostRegistry());
  try {
    return skipped ? reader.ReadLenient(text, *skipped) : reader.Read(text);
  } catch (const WireFormatException& e) {
    const std::string prefix = "unknown parameter name '";
    const std::string& reason = e.Reason();
    if (reason.rfind(prefix, 0) != 0 || reason.back() != '\'') throw;
    const std::string_view name = std::string_view(reason).substr(prefix.size(), reason.size() - prefix.size() - 1);
    std::vector<std::string_view> names;
    for (const ParameterName& n : AllParameterNames()) names.emplace_back(n.name);
    std::string message = reason;
    const auto closest = ClosestNames(name, names);
    for (std::size_t i = 0; i < closest.size(); ++i)
      message += (i == 0 ? "; did you mean " : i + 1 == closest.size() ? " or " : ", ") + std::string(closest[i]);
    if (!closest.empty()) message += "?";
    throw WireFormatException(e.Offset(), message, e.Path());
  }
}

}  // namespace

int Write(const Args& args) {
  const ModelInfo& info = ModelNamed(args[0]);
  std::printf("%s\n", WriteAlone(info.create()).c_str());
  return 0;
}

int Sample(const Args& args) {
  const ModelInfo& info = ModelNamed(args[0]);
  Sampler sampler(SeedOption(args, 1, "sample NAME [--seed N]"), HostRegistry());
  std::printf("%s\n", WriteAlone(sampler.Model(info)).c_str());
  return 0;
}

int Samples(const Args& args) {
  const std::uint64_t seed = SeedOption(args, 0, "samples [--seed N]");
  for (ModelInfoGetter get : AllModels()) {
    Sampler sampler(seed, HostRegistry());
    std::printf("%s\n", WriteAlone(sampler.Model(get())).c_str());
  }
  return 0;
}

int Read(const Args& args) {
  const bool lenient = !args.empty() && args[0] == "--lenient";
  const std::size_t files = args.size() - (lenient ? 1 : 0);
  if (files > 1) throw std::runtime_error("usage: pmtool read [--lenient] [FILE]");
  std::vector<WireReader::Skipped> skipped;
  const RefCntPtr<IParameters> bag = ReadWire(ReadInput(files ? args.back() : "-"), lenient ? &skipped : nullptr);
  for (const WireReader::Skipped& s : skipped)
    std::fprintf(stderr, "skipped: byte %zu, %s: %s\n", s.offset, s.path.empty() ? "(top)" : s.path.c_str(),
                 s.reason.c_str());
  std::printf("%s\n", JsonCursor::Write(HostRegistry(), *bag).c_str());
  return 0;
}

int Pretty(const Args& args) {
  const std::string text = ReadInput(args.empty() ? "-" : args[0]);
  ReadWire(text);  // wire text, or an error with its place
  std::printf("%s\n", PrettyJson(text).c_str());
  return 0;
}

}  // namespace pmtool
