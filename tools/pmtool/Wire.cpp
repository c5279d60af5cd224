// Commands that write and read wire text.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
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

int Write(const Args& args) {
  const ModelInfo& info = ModelNamed(args[0]);
  std::printf("%s\n", WriteAlone(info.create()).c_str());
  return 0;
}

int Sample(const Args& args) {
  const ModelInfo& info = ModelNamed(args[0]);
  std::uint64_t seed = 1;
  if (args.size() == 3 && args[1] == "--seed") {
    const std::string_view text = args[2];
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (ec != std::errc() || end != text.data() + text.size())
      throw std::runtime_error("the seed is a number, not '" + std::string(text) + "'");
  } else if (args.size() != 1) {
    throw std::runtime_error("usage: pmtool sample NAME [--seed N]");
  }
  Sampler sampler(seed, HostRegistry());
  std::printf("%s\n", WriteAlone(sampler.Model(info)).c_str());
  return 0;
}

std::string ReadAll(std::istream& in) {
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int Read(const Args& args) {
  std::string text;
  if (args.empty() || args[0] == "-") {
    text = ReadAll(std::cin);
  } else {
    std::ifstream file{std::string(args[0]), std::ios::binary};
    if (!file) throw std::runtime_error("cannot open " + std::string(args[0]));
    text = ReadAll(file);
  }
  const WireReader reader(HostRegistry());
  const RefCntPtr<IParameters> bag = reader.Read(text);
  std::printf("%s\n", JsonCursor::Write(HostRegistry(), *bag).c_str());
  return 0;
}

}  // namespace

int WriteCommand(const Args& args) { return Write(args); }
int SampleCommand(const Args& args) { return Sample(args); }
int ReadCommand(const Args& args) { return Read(args); }

}  // namespace pmtool
