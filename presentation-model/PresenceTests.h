#pragma once
// Emptiness tests that decide whether a member is written (unless= in the descriptions),
// beside SimpleTypesPresModelHelpers::IsEmpty for rectangles.

#pragma GCC visibility push(default)

#include "presentation-model/SimpleTypesPresModelHelpers.h"
#include "vqxpreslayer/Commands.h"

namespace PresenceTests {

// Null, or a command list without commands.
bool HasNoCommands(const RefCntPtr<const CommandsPresModel>& commands);
// Null, or the point (0.0, 0.0).
bool IsAtOrigin(const RefCntPtr<const FloatPointPresModel>& point);

}  // namespace PresenceTests

#pragma GCC visibility pop
