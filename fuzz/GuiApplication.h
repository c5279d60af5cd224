// Pixmaps exist only beside a QGuiApplication: the fuzz tools run one on the offscreen
// platform.

#pragma once

#include <QGuiApplication>

class OffscreenGuiApplication {
 public:
  OffscreenGuiApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance()) app_ = new QGuiApplication(argc_, argv_);
  }
  ~OffscreenGuiApplication() { delete app_; }
  OffscreenGuiApplication(const OffscreenGuiApplication&) = delete;
  OffscreenGuiApplication& operator=(const OffscreenGuiApplication&) = delete;

 private:
  char name_[15] = "presmodel-fuzz";
  char* argv_[2] = {name_, nullptr};
  int argc_ = 1;
  QGuiApplication* app_ = nullptr;
};
