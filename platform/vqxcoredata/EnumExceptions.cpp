#include "vqxcoredata/EnumExceptions.h"

#include "vqxcoredata/EnumXMLEncoding.h"

EnumEncodingException::~EnumEncodingException() = default;
EnumDecodingException::~EnumDecodingException() = default;

namespace Implementation {

void ThrowXMLEnumEncodingException() {
  throw EnumEncodingException(OrrelinError(0x00BF5601, "XMLEnumEncodingException", "EnumXMLEncoding",
                                           0, "Enumeration value has no text"));
}

void ThrowXMLEnumDecodingException() {
  throw EnumDecodingException(OrrelinError(0x00BF5602, "XMLEnumDecodingException", "EnumXMLEncoding",
                                           0, "Enumeration text has no value"));
}

}  // namespace Implementation
