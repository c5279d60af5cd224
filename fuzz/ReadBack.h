// The check the reader fuzz targets share. Whatever the wire reader refuses must be refused
// with WireFormatException. Whatever it accepts must write back, and after one more read
// and write the text must stay the same: the first rewrite may still change it, because a
// member that its omission value leaves out reads back as its starting value.

#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

inline int CheckReadBack(const ParametersRegistry& registry, const WireReader& reader, const std::uint8_t* data,
                         std::size_t size) {
  RefCntPtr<IParameters> bag;
  try {
    bag = reader.Read(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const WireFormatException&) {
    return 0;
  }
  std::string text;
  try {
    text = JsonCursor::Write(registry, *bag);
  } catch (const OrrelinException&) {
    return 0;  // read leniently, written strictly: e.g. a nested model that must not be null
  }
  const std::string settled = JsonCursor::Write(registry, *reader.Read(text));
  const std::string again = JsonCursor::Write(registry, *reader.Read(settled));
  if (again != settled) {
    std::fprintf(stderr, "written text does not settle:\n%s\nthen\n%s\n", settled.c_str(), again.c_str());
    std::abort();
  }
  return 0;
}
