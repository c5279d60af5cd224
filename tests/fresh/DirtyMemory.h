#pragma once
// Every allocation of the program that links DirtyMemory.cpp comes filled with a byte that
// is not zero, so that a member a constructor leaves unset shows, rather than holding a
// lucky zero.

void SetAllocationFill(unsigned char fill);
