#include "vqxstylemodel/StyledBox.h"

const int StyledBox::InvalidIntValue = 0xFEFEFE;
