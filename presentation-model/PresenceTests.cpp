#include "presentation-model/PresenceTests.h"

namespace PresenceTests {

bool HasNoCommands(const RefCntPtr<const CommandsPresModel>& commands) {
  return !commands || commands->GetItemCount() == 0;
}

bool IsAtOrigin(const RefCntPtr<const FloatPointPresModel>& point) {
  return !point || (point->GetX() == 0.0f && point->GetY() == 0.0f);
}

}  // namespace PresenceTests
