#include "vqxwbfileformat/QuickFilterEnums.h"

template class EnumXMLEncoding<QuickFilterCategoricalCtrl, TString>;
template class EnumXMLEncoding<QuickFilterCategoricalMode, TString>;
template class EnumXMLEncoding<QuickFilterQuantitativeCtrl, TString>;
