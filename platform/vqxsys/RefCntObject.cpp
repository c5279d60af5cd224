#include "vqxsys/RefCntObject.h"

RefCntObject::~RefCntObject() = default;
