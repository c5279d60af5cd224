#include "vqxpreslayer/Commands.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayer/SerializeStructure.h"

CommandsPresModel::~CommandsPresModel() = default;
SimpleCommandsPresModel::~SimpleCommandsPresModel() = default;
IFactoryObject::~IFactoryObject() = default;
ICommandSerializer::~ICommandSerializer() = default;

namespace {
template <typename M>
RefCntPtr<IParameters> WrapAlone(const M* model) {
  RefCntPtr<IParameters> bag = ParametersRegistry::Get().CreateParameters();
  bag->SetParameter(model->GetDefaultParamID(),
                    MakeRefCnt<ValParameter<RefCntPtr<const M>>>(RefCntPtr<const M>(model)));
  return bag;
}
}  // namespace

RefCntPtr<IParameters> CommandsPresModel::AsIParameters() const { return WrapAlone(this); }
unsigned int CommandsPresModel::GetDefaultParamID() const { return ID; }
RefCntPtr<IParameters> SimpleCommandsPresModel::AsIParameters() const { return WrapAlone(this); }
unsigned int SimpleCommandsPresModel::GetDefaultParamID() const { return ID; }

namespace ObjectFactoryUtils {
namespace {
// The few makers there are, looked up on every write of a command member: by the keys'
// characters, with no text made for them.
struct Registered {
  std::string module;
  std::string classKey;
  Maker maker;
};
std::vector<Registered>& Makers() {
  static std::vector<Registered> makers;
  return makers;
}
Registered* Find(const char* module, const char* classKey) {
  for (Registered& r : Makers())
    if (r.module == module && r.classKey == classKey) return &r;
  return nullptr;
}
}  // namespace

IFactoryObject* CreateObject(const char* module, const char* classKey) {
  const Registered* r = Find(module, classKey);
  return r && r->maker ? r->maker() : nullptr;
}

Maker RegisterObject(const char* module, const char* classKey, Maker maker) {
  if (Registered* r = Find(module, classKey)) return std::exchange(r->maker, maker);
  Makers().push_back(Registered{module, classKey, maker});
  return nullptr;
}
}  // namespace ObjectFactoryUtils

namespace {

// Writes a command list as a list of command texts and a single command as its text. A
// model's command member is handed over on every write, also when it holds no command:
// then nothing is written, and the member reads back as null.
class CommandSerializer final : public ICommandSerializer {
 public:
  void SerializeCommands(const RefCntPtr<const CommandsPresModel>& commands, std::uint32_t id,
                         SerializeStructure& cursor) override {
    if (!commands) return;
    ListStructure list(id, cursor, kListCategory);
    for (const TString& c : commands->GetCommands()) cursor.ListItem(c);
  }
  void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>& command, std::uint32_t id,
                               SerializeStructure& cursor) override {
    if (command) cursor.Parameter(id, command->GetCommand());
  }
};

const bool kCommandSerializerRegistered = [] {
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID",
                                     []() -> IFactoryObject* { return new CommandSerializer(); });
  return true;
}();

// Shared by both command serializers: only the shapes they support are accepted.
class CommandsSerializerBase : public IParameterSerializer {
 public:
  ParameterTypeCategory GetType() const override { return kValueCategory; }
  TString ParameterToString(RefCntPtr<IParameter>) const override { ThrowTypeMismatchCommandException(0); }
  RefCntPtr<IParameter> ParameterFromString(const TString&) const override {
    ThrowTypeMismatchCommandException(0);
  }
  std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter>) const override {
    ThrowTypeMismatchCommandException(0);
  }
  RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>&) const override {
    ThrowTypeMismatchCommandException(0);
  }
  void SerializeListParameter(RefCntPtr<IParameter>, SerializeStructure&, unsigned int) const override {
    ThrowTypeMismatchCommandException(0);
  }
  std::map<TString, TString> MapParameterToStrings(RefCntPtr<IParameter>) const override {
    ThrowTypeMismatchCommandException(0);
  }
  RefCntPtr<IParameter> MapParameterFromStrings(const std::map<TString, TString>&) const override {
    ThrowTypeMismatchCommandException(0);
  }
};

class CommandsParameterSerializer final : public CommandsSerializerBase {
 public:
  std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter> p) const override {
    const auto* holder = dynamic_cast<const ValParameter<RefCntPtr<const CommandsPresModel>>*>(&*p);
    if (!holder) ThrowTypeMismatchCommandException(0);
    return holder->Value()->GetCommands();
  }
  RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>& texts) const override {
    auto commands = MakeRefCnt<CommandsPresModel>();
    for (const TString& t : texts) commands->AddCommand(t);
    return MakeRefCnt<ValParameter<RefCntPtr<const CommandsPresModel>>>(std::move(commands));
  }
  void SerializeListParameter(RefCntPtr<IParameter> p, SerializeStructure& cursor,
                              unsigned int id) const override {
    ListStructure list(id, cursor, kListCategory);
    for (const TString& t : ListParameterToStrings(std::move(p))) cursor.ListItem(t);
  }
};

class SimpleCommandsParameterSerializer final : public CommandsSerializerBase {
 public:
  TString ParameterToString(RefCntPtr<IParameter> p) const override {
    const auto* holder = dynamic_cast<const ValParameter<RefCntPtr<const SimpleCommandsPresModel>>*>(&*p);
    if (!holder) ThrowTypeMismatchCommandException(0);
    return holder->Value()->GetCommand();
  }
  RefCntPtr<IParameter> ParameterFromString(const TString& text) const override {
    return MakeRefCnt<ValParameter<RefCntPtr<const SimpleCommandsPresModel>>>(
        MakeRefCnt<SimpleCommandsPresModel>(text));
  }
};

}  // namespace

RefCntPtr<IParameterSerializer> CreateCommandsParameterSerializer() {
  return MakeRefCnt<CommandsParameterSerializer>();
}
RefCntPtr<IParameterSerializer> CreateSimpleCommandsParameterSerializer() {
  return MakeRefCnt<SimpleCommandsParameterSerializer>();
}
