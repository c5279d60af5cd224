// What every fuzz target does once before its first input.

#include "GuiApplication.h"

// The application lives for the whole run; the fuzzer ends the process without unwinding.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static const OffscreenGuiApplication app;
  return 0;
}
