#pragma once
// Enumerations of quick-filter controls, defined by the workbook file-format library,
// which also owns the operations of their text tables (construction, entry assignment,
// encoding, decoding, destruction). The tables themselves and their texts belong to the
// presentation-model library.

#pragma GCC visibility push(default)

#include <cstdint>

#include "vqxcoredata/EnumXMLEncoding.h"
#include "vqxcoreplatform/TString.h"

enum class QuickFilterCategoricalCtrl : std::int32_t {};
enum class QuickFilterCategoricalMode : std::int32_t {};
enum class QuickFilterQuantitativeCtrl : std::int32_t {};

extern template class EnumXMLEncoding<QuickFilterCategoricalCtrl, TString>;
extern template class EnumXMLEncoding<QuickFilterCategoricalMode, TString>;
extern template class EnumXMLEncoding<QuickFilterQuantitativeCtrl, TString>;

#pragma GCC visibility pop
