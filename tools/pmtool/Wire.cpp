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

namespace {

// A JSON string of UTF-8 text: quotes, backslashes and control characters escaped.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

// One text of a batch: read (leniently when asked) and written again; a JSON object on one
// line holding the text written, or the error with its place, and what was skipped.
std::string ReadOne(const WireReader& reader, const std::string& text, bool lenient) {
  std::vector<WireReader::Skipped> skipped;
  std::string out = "{";
  try {
    RefCntPtr<IParameters> bag;
    try {
      bag = lenient ? reader.ReadLenient(text, skipped) : reader.Read(text);
    } catch (const WireFormatException& e) {
      out += "\"stage\":\"read\",\"offset\":" + std::to_string(e.Offset()) + ",\"reason\":" + Quoted(e.Reason()) +
             ",\"path\":" + Quoted(ErrorPathOf(e));
      bag = nullptr;
    }
    if (bag) {
      try {
        const std::string written = JsonCursor::Write(HostRegistry(), *bag);
        out += "\"text\":" + Quoted(written);
      } catch (const std::exception& e) {
        out += "\"stage\":\"write\",\"reason\":" + Quoted(e.what()) + ",\"path\":" + Quoted(ErrorPathOf(e));
      }
    }
  } catch (const std::exception& e) {
    out += "\"stage\":\"read\",\"reason\":" + Quoted(e.what()) + ",\"path\":" + Quoted(ErrorPathOf(e));
  }
  out += ",\"skipped\":[";
  for (std::size_t i = 0; i < skipped.size(); ++i)
    out += std::string(i ? "," : "") + "{\"offset\":" + std::to_string(skipped[i].offset) +
           ",\"path\":" + Quoted(skipped[i].path) + ",\"reason\":" + Quoted(skipped[i].reason) + "}";
  return out + "]}";
}

// --batch: one wire text per line of the input, one line of results per text.
int ReadBatch(const std::string& input, bool lenient) {
  const WireReader reader(HostRegistry());
  std::size_t at = 0;
  while (at < input.size()) {
    std::size_t end = input.find('\n', at);
    if (end == std::string::npos) end = input.size();
    std::printf("%s\n", ReadOne(reader, input.substr(at, end - at), lenient).c_str());
    at = end + 1;
  }
  return 0;
}

}  // namespace

int Read(const Args& args) {
  bool lenient = false, batch = false;
  std::size_t at = 0;
  for (; at < args.size() && (args[at] == "--lenient" || args[at] == "--batch"); ++at)
    (args[at] == "--lenient" ? lenient : batch) = true;
  const std::size_t files = args.size() - at;
  if (files > 1) throw std::runtime_error("usage: pmtool read [--lenient] [--batch] [FILE]");
  if (batch) return ReadBatch(ReadInput(files ? args.back() : "-"), lenient);
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
