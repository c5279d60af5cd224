// The check the reader fuzz targets share. Whatever the wire reader refuses must be refused
// with WireFormatException, and the reference reader (through bags) must refuse it with the
// same error; whatever it accepts the reference reader must accept too, giving the same text
// when written. What is accepted must write back, and after one more read and write the text
// must stay the same: the first rewrite may still change it, because a member that its
// omission value leaves out reads back as its starting value.

#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace fuzz {

// The reader and the reference reader of a registry.
struct Readers {
  explicit Readers(const ParametersRegistry& registry) : direct(registry), reference(registry) {
    reference.SetDirectReading(false);
  }
  WireReader direct, reference;
};

// What a read gives: the error, or the text of the bag written again.
inline std::string Outcome(const ParametersRegistry& registry, const WireReader& reader, std::string_view text,
                           RefCntPtr<IParameters>* bag) {
  try {
    *bag = reader.Read(text);
  } catch (const WireFormatException& e) {
    return "error " + std::to_string(e.Offset()) + " " + e.what() + " at " + ErrorPathOf(e);
  }
  try {
    std::string written = JsonCursor::Write(registry, **bag);
    // Identifiers that constructors make anew differ from read to read.
    for (std::size_t at = written.find("\"{"); at != std::string::npos; at = written.find("\"{", at + 1))
      if (at + 40 <= written.size() && written[at + 38] == '}' && written[at + 39] == '"')
        written.replace(at + 2, 36, 36, '-');
    return written;
  } catch (const OrrelinException& e) {
    return std::string("not written: ") + e.what();  // read leniently, written strictly
  }
}

}  // namespace fuzz

inline int CheckReadBack(const ParametersRegistry& registry, const fuzz::Readers& readers, const std::uint8_t* data,
                         std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  RefCntPtr<IParameters> bag, referenceBag;
  const std::string direct = fuzz::Outcome(registry, readers.direct, input, &bag);
  const std::string reference = fuzz::Outcome(registry, readers.reference, input, &referenceBag);
  if (direct != reference) {
    std::fprintf(stderr, "the readers differ:\n%s\nand through bags\n%s\n", direct.c_str(), reference.c_str());
    std::abort();
  }
  if (!bag) return 0;
  std::string text;
  try {
    text = JsonCursor::Write(registry, *bag);
  } catch (const OrrelinException&) {
    return 0;  // read leniently, written strictly: e.g. a nested model that must not be null
  }
  const std::string settled = JsonCursor::Write(registry, *readers.direct.Read(text));
  const std::string again = JsonCursor::Write(registry, *readers.direct.Read(settled));
  if (again != settled) {
    std::fprintf(stderr, "written text does not settle:\n%s\nthen\n%s\n", settled.c_str(), again.c_str());
    std::abort();
  }
  return 0;
}
