// The hand-written pieces of the test model HookedPresModel, as presentation-model/ would
// hold them for a library model.

#include "models/FrameworkTestModels.h"
#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/SerializeStructure.h"

int HookedPresModel::Doubled() const { return 2 * GetCount(); }

void WriteHookedExtras(const HookedPresModel& model, SerializeStructure& cursor) {
  cursor.Parameter(0xd6ff0040, ValueText<int>::ToString(model.GetExtra()));
}

void ReadHookedExtras(HookedPresModel& model, const IParameters& bag) {
  if (const auto* p = dynamic_cast<const ValParameter<int>*>(bag.GetParameter(0xd6ff0040)))
    model.SetExtra(p->Value());
}
