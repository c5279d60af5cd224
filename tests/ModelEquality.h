#pragma once
// Whether two models hold the same values, compared member by member through the member
// tables' codecs: what round trips check besides the text.

#include <string>

class ParametersRegistry;
class PresentationModel;
struct ModelInfo;

namespace test {

// Where the models first differ, e.g. "ZonePresModel.Zones[keyb3].Name: ...", or empty
// when they do not. Only what a write and a read bring back counts: members not written or
// not read back, and members whose presence test leaves them out of `a`'s text, are
// passed over, and so are the levels of a model that a kind root's writer writes as the
// root. Nested models are compared by value and class, wherever they are held; values
// without an order of their own (images, tuples, embedded bags, commands) by their text,
// written through the registry. `writtenBy`: the class whose writer wrote `a`, when not
// its own.
std::string ModelDifference(const ParametersRegistry& registry, const PresentationModel* a,
                            const PresentationModel* b, const ModelInfo* writtenBy = nullptr);

}  // namespace test
