// Writes samples of the test models, which use every encoding kind and presence rule: one
// wire text per line, seeds 1 to N (default 3). The schema test checks them.

#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>

#include "TestModels.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"

int main(int argc, char** argv) {
  // The test models hold a pixmap, which exists only beside a QGuiApplication.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  const std::uint64_t seeds = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 3;
  for (std::uint64_t seed = 1; seed <= seeds; ++seed) {
    for (ModelInfoGetter get : FrameworkTestFamilyModels()) {
      Sampler sampler(seed, test::Registry());
      const auto model = sampler.Model(get());
      std::printf("%s\n", JsonCursor::Write(test::Registry(), *model->AsIParameters()).c_str());
    }
  }
  return 0;
}
