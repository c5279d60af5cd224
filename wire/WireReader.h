#pragma once
// WireReader: turns JSON text written by JsonCursor back into a parameter bag, each
// parameter rebuilt by the serializer the registry holds for its id, models through their
// structure serializers. Malformed or unexpected text raises WireFormatException.
// Errors raised while a model is rebuilt keep their own text as the reason.
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
#include <vector>

#include "vqxpreslayer/Parameters.h"

class ParametersRegistry;

// The one error of reading wire text: where (byte offset in the text, and the path of names
// and indexes to the place, see ErrorPlace) and why.
class WireFormatException : public std::runtime_error, public ErrorPlace {
 public:
  WireFormatException(std::size_t offset, const std::string& reason, const std::string& path = {});
  std::size_t Offset() const { return m_offset; }
  const std::string& Reason() const { return m_reason; }

 private:
  std::size_t m_offset;
  std::string m_reason;
};

class WireReader {
 public:
  // The largest text a reader accepts; each limit reached is an error naming it.
  struct Limits {
    std::size_t depth = 200;                // open structures, lists and maps, the outer bag included
    std::size_t textBytes = 64u << 20;      // one text: a name, a key or a value, in bytes of UTF-8
    std::size_t count = 1u << 24;           // parameters of one bag, items of one list or entries of one map
  };
  // The whole text: the parser counts string lengths in 32 bits.
  static constexpr std::size_t kMaxTextSize = 0xFFFFFFFFu;

  // What a lenient read left out or read as a default: where, the path of names to it, and why.
  struct Skipped {
    std::size_t offset;
    std::string path;
    std::string reason;
  };

  // Reads the names of the registry's parameters once; the registry must outlive the reader.
  explicit WireReader(const ParametersRegistry& registry);
  WireReader(const ParametersRegistry& registry, Limits limits);
  ~WireReader();
  WireReader(const WireReader&) = delete;
  WireReader& operator=(const WireReader&) = delete;

  // Strict: anything the registry does not know (a parameter name, an enumeration's text) is
  // an error.
  RefCntPtr<IParameters> Read(std::string_view text) const;
  // For text from a newer writer: unknown parameter names are left out with all they hold,
  // unknown enumeration texts are read as their enumeration's default value, and each is
  // added to `skipped`; every other error is raised as by Read.
  RefCntPtr<IParameters> ReadLenient(std::string_view text, std::vector<Skipped>& skipped) const;

  const Limits& GetLimits() const { return m_limits; }

  // Models are read straight from text into their members where their class's reader does
  // nothing else (the default), or always through a bag of parameters handed to their
  // structure serializers, the reference way. Both give the same models and the same errors.
  // Set before the reader is shared.
  void SetDirectReading(bool direct) { m_direct = direct; }

  struct Index;  // names to ids and serializers

 private:
  RefCntPtr<IParameters> Parse(std::string_view text, std::vector<Skipped>* skipped) const;

  std::unique_ptr<Index> m_index;
  Limits m_limits;
  bool m_direct = true;
};
