#pragma once
// Data values whose text depends on the column they belong to.

#pragma GCC visibility push(default)

#include <cstdint>

#include "vqxcoreplatform/TString.h"
#include "vqxcoredata/ValueClasses.h"

class IParameters;

// What the reader knows of a value's column: the name of its data type, empty when unknown.
struct DataColumnInfo {
  TString typeName;
};

struct ContextualDataValueSerializerCore {
  static TString ToString(const DataValue& value);
};

struct ContextualDataValueSerializer {
  // The column described by the text parameter under id in the bag, if any.
  static DataColumnInfo GetColumn(const IParameters& bag, std::uint32_t id, const TString& dataSourceName);
  // A plain text is taken as a value of the column's type ("integer", "real", "boolean"),
  // or as a string when the column is unknown; self-describing text reads as itself.
  static DataValue FromString(const TString& text, const DataColumnInfo& column);
};

namespace ParameterUtils {
const TString& GetParameterDSName();
}

#pragma GCC visibility pop
