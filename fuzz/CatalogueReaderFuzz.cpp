// Feeds arbitrary bytes to the wire reader of a host's registry, which knows the library's
// serializers only; ReadBack.h says what is required of it.

#include "FuzzSupport.h"
#include "ReadBack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::Readers readers(fuzz::CatalogueRegistry());
  return CheckReadBack(fuzz::CatalogueRegistry(), readers, data, size);
}
