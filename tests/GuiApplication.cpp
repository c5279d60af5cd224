// Pixmaps exist only beside a QGuiApplication: a test program that links this file runs one,
// on the offscreen platform unless another is asked for.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class GuiApplication : public testing::Environment {
 public:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  int m_argc = 1;
  char m_name[16] = "presmodel_tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] testing::Environment* const kGuiApplication = testing::AddGlobalTestEnvironment(new GuiApplication);

}  // namespace
