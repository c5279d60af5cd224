// Writes the fuzzer's seed corpus: every model, filled with sample values for a few seeds,
// one wire text per file.

#include <cstdio>
#include <fstream>
#include <string>

#include "GuiApplication.h"
#include "TestModels.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_corpus DIR\n");
    return 1;
  }
  const OffscreenGuiApplication app;
  const std::string dir = argv[1];
  int files = 0;
  auto writeAll = [&](std::span<const ModelInfoGetter> models) {
    for (ModelInfoGetter get : models) {
      const ModelInfo& info = get();
      for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        Sampler sampler(seed, test::Registry());
        const auto model = sampler.Model(info);
        std::ofstream(dir + "/" + info.name + "-" + std::to_string(seed) + ".json")
            << JsonCursor::Write(test::Registry(), *model->AsIParameters());
        ++files;
      }
    }
  };
  writeAll(AllModels());
  writeAll(FrameworkTestFamilyModels());
  std::printf("%d seed files in %s\n", files, dir.c_str());
  return 0;
}
