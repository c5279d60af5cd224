// Writes a seed corpus, one input per file:
//   make_fuzz_corpus DIR               the wire reader's: every model (the library's and the
//                                      test models), filled with sample values for a few
//                                      seeds, one wire text each
//   make_fuzz_corpus --library DIR     the host registry's reader: the library's models only
//   make_fuzz_corpus --round-trip DIR  the round trip's: every library model, in each shape

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "GuiApplication.h"
#include "TestModels.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"

namespace {

int WriteTexts(const std::string& dir, const ParametersRegistry& registry, bool testModels) {
  int files = 0;
  auto writeAll = [&](std::span<const ModelInfoGetter> models) {
    for (ModelInfoGetter get : models) {
      const ModelInfo& info = get();
      for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        Sampler sampler(seed, registry);
        const auto model = sampler.Model(info);
        std::ofstream(dir + "/" + info.name + "-" + std::to_string(seed) + ".json")
            << JsonCursor::Write(registry, *model->AsIParameters());
        ++files;
      }
    }
  };
  writeAll(AllModels());
  if (testModels) writeAll(FrameworkTestFamilyModels());
  return files;
}

int WriteRoundTrips(const std::string& dir) {
  int files = 0;
  for (std::size_t i = 0; i < AllModels().size(); ++i) {
    // Two shapes a model: a shallow one, and a deep one with lone surrogates and shared images.
    for (std::uint8_t shape : {std::uint8_t{0}, std::uint8_t{0x0b}}) {
      const fuzz::RoundTripInput input{static_cast<std::uint16_t>(i), i + 1, shape};
      std::ofstream(dir + "/" + input.Model().name + "-" + std::to_string(shape), std::ios::binary) << input.Bytes();
      ++files;
    }
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  if (!(argc == 2 || mode == "--library" || mode == "--round-trip")) {
    std::fprintf(stderr, "usage: make_fuzz_corpus [--library | --round-trip] DIR\n");
    return 1;
  }
  const OffscreenGuiApplication app;
  const std::string dir = argv[argc - 1];
  // Each corpus is written through the registry its target reads with.
  const int files = mode == "--round-trip" ? WriteRoundTrips(dir)
                    : mode == "--library"  ? WriteTexts(dir, fuzz::CatalogueRegistry(), false)
                                           : WriteTexts(dir, test::Registry(), true);
  std::printf("%d seed files in %s\n", files, dir.c_str());
  return 0;
}
