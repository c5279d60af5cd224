#include "TestSupport.h"

#include <QGuiApplication>
#include <memory>

namespace test {

RefCntPtr<const FieldCaptionPairPresModel> Pair(const char16_t* field, const char16_t* caption) {
  auto p = MakeRefCnt<FieldCaptionPairPresModel>();
  p->SetFieldName(FieldName(TString(field)));
  p->SetFieldCaption(TString(caption));
  return p;
}

}  // namespace test

namespace {

// Pixmaps exist only beside a QGuiApplication: the tests run one on the offscreen platform.
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
