#pragma once
// Exceptions raised by enumeration text tables.

#pragma GCC visibility push(default)

#include "vqxsys/OrrelinException.h"

class EnumEncodingException : public OrrelinException {
 public:
  using OrrelinException::OrrelinException;
  ~EnumEncodingException() override;
};

class EnumDecodingException : public OrrelinException {
 public:
  using OrrelinException::OrrelinException;
  ~EnumDecodingException() override;
};

#pragma GCC visibility pop
