// Feeds arbitrary bytes to the wire reader. Whatever it refuses must be refused with
// WireFormatException. Whatever it accepts must write back, and after one more read and
// write the text must stay the same: the first rewrite may still change it, because a
// member that its omission value leaves out reads back as its starting value.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "GuiApplication.h"
#include "TestModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

// The application lives for the whole run; the fuzzer ends the process without unwinding.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static const OffscreenGuiApplication app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const WireReader reader(test::Registry());
  RefCntPtr<IParameters> bag;
  try {
    bag = reader.Read(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const WireFormatException&) {
    return 0;
  }
  std::string text;
  try {
    text = JsonCursor::Write(test::Registry(), *bag);
  } catch (const OrrelinException&) {
    return 0;  // read leniently, written strictly: e.g. a nested model that must not be null
  }
  const std::string settled = JsonCursor::Write(test::Registry(), *reader.Read(text));
  const std::string again = JsonCursor::Write(test::Registry(), *reader.Read(settled));
  if (again != settled) std::abort();
  return 0;
}
