#pragma once
// WireReader: turns JSON text written by JsonCursor back into a parameter bag, each
// parameter rebuilt by the serializer the registry holds for its id, models through their
// structure serializers. Malformed or unexpected text raises WireFormatException.
//
// Threads. A reader only reads its index (built in full by the constructor) and the
// registry, and each Read builds a tree of new objects; so one reader may be shared by any
// number of threads reading at once, once it is constructed, as long as nobody registers
// anything meanwhile. The models read are new and belong to the calling thread until it
// hands them on.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "vqxpreslayer/Parameters.h"

class ParametersRegistry;

// The one error of reading wire text: where (byte offset in the text) and why.
class WireFormatException : public std::runtime_error {
 public:
  WireFormatException(std::size_t offset, const std::string& reason);
  std::size_t Offset() const { return m_offset; }
  const std::string& Reason() const { return m_reason; }

 private:
  std::size_t m_offset;
  std::string m_reason;
};

class WireReader {
 public:
  // Reads the names of the registry's parameters once; the registry must outlive the reader.
  explicit WireReader(const ParametersRegistry& registry);
  ~WireReader();
  WireReader(const WireReader&) = delete;
  WireReader& operator=(const WireReader&) = delete;

  RefCntPtr<IParameters> Read(std::string_view text) const;

  static constexpr std::size_t kMaxDepth = 200;

  struct Index;  // names to ids and serializers

 private:
  std::unique_ptr<Index> m_index;
};
