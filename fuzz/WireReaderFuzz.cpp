// Feeds arbitrary bytes to the wire reader of the registry that knows the library's and
// the test models' serializers; ReadBack.h says what is required of it.

#include "ReadBack.h"
#include "TestModels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::Readers readers(test::Registry());
  return CheckReadBack(test::Registry(), readers, data, size);
}
