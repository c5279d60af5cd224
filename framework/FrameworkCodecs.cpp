// The member codecs that need no template, and the model support functions.

#include "framework/MemberCodecs.h"
#include "framework/ModelSupport.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace codec {

namespace {
// The parameter naming the column that contextual values belong to.
constexpr std::uint32_t kContextColumnId = 0xd64152c0;
}  // namespace

void WriteContextual(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  cursor.Parameter(m.id, ContextualDataValueSerializerCore::ToString(*static_cast<const DataValue*>(field)));
}

bool ReadContextual(const IParameters& bag, const IParameter& parameter, void* field) {
  const auto* holder = dynamic_cast<const ValParameter<TString>*>(&parameter);
  if (!holder) return false;
  const DataColumnInfo column =
      ContextualDataValueSerializer::GetColumn(bag, kContextColumnId, ParameterUtils::GetParameterDSName());
  *static_cast<DataValue*>(field) = ContextualDataValueSerializer::FromString(holder->Value(), column);
  return true;
}

void WriteEmbedded(const MemberInfo& m, const void* field, SerializeStructure& cursor, bool) {
  CompositeStructure scope(m.id, cursor);
  const auto& bag = *static_cast<const RefCntPtr<const IParameters>*>(field);
  VisitParametersStructure(cursor.GetParametersRegistry(), *bag, cursor.GetVisitor());
}

std::unique_ptr<ICommandSerializer> MakeCommandSerializer() {
  std::unique_ptr<IFactoryObject> object(ObjectFactoryUtils::CreateObject("VqxDoc", "CommandSerializerID"));
  if (auto* serializer = dynamic_cast<ICommandSerializer*>(object.get())) {
    object.release();
    return std::unique_ptr<ICommandSerializer>(serializer);
  }
  return nullptr;
}

}  // namespace codec

namespace pm {

void ThrowMissingElement(const char* what) { ThrowLogicAssert("PresentationModel", 0, what); }

RefCntPtr<IParameters> WrapAlone(const PresentationModel* model, RefCntPtr<IParameter> holder) {
  RefCntPtr<IParameters> bag = ParametersRegistry::Get().CreateParameters();
  bag->SetParameter(model->GetDefaultParamID(), std::move(holder));
  return bag;
}

}  // namespace pm
