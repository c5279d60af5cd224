#pragma once
// A field placed on a shelf of a view (a "pill"), with the encoding it carries there.

#pragma GCC visibility push(default)

#include <utility>

#include "vqxcoredata/ValueClasses.h"
#include "vqxdatamodel/EncodingTypeClass.h"

class Pill {
 public:
  Pill() = default;
  Pill(FieldName field, EncodingTypeClass encoding) : m_field(std::move(field)), m_encoding(std::move(encoding)) {}
  const FieldName& GetFieldName() const { return m_field; }
  const EncodingTypeClass& GetEncodingType() const { return m_encoding; }

 private:
  FieldName m_field;
  EncodingTypeClass m_encoding;
};

#pragma GCC visibility pop
