#pragma once
// Command models of the presentation layer and the command serializer that writes them.
// The serializer is obtained from the object factory for each write.

#pragma GCC visibility push(default)

#include <cstdint>
#include <memory>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/PresentationModel.h"

class SerializeStructure;

// A list of commands, e.g. the entries of a context menu.
class CommandsPresModel : public PresentationModel {
 public:
  static constexpr unsigned int ID = 0xf1000c01;
  CommandsPresModel() = default;
  void AddCommand(const TString& command) { m_commands.push_back(command); }
  const std::vector<TString>& GetCommands() const { return m_commands; }
  unsigned int GetItemCount() const { return static_cast<unsigned int>(m_commands.size()); }
  RefCntPtr<IParameters> AsIParameters() const override;
  unsigned int GetDefaultParamID() const override;

 protected:
  ~CommandsPresModel() override;

 private:
  std::vector<TString> m_commands;
};

// One command.
class SimpleCommandsPresModel : public PresentationModel {
 public:
  static constexpr unsigned int ID = 0xf1000c02;
  SimpleCommandsPresModel() = default;
  explicit SimpleCommandsPresModel(TString command) : m_command(std::move(command)) {}
  const TString& GetCommand() const { return m_command; }
  RefCntPtr<IParameters> AsIParameters() const override;
  unsigned int GetDefaultParamID() const override;

 protected:
  ~SimpleCommandsPresModel() override;

 private:
  TString m_command;
};

// Base of the objects the platform factory makes; deleted by their owner.
class IFactoryObject {
 public:
  virtual ~IFactoryObject();
};

class ICommandSerializer : public IFactoryObject {
 public:
  ~ICommandSerializer() override;
  virtual void SerializeCommands(const RefCntPtr<const CommandsPresModel>& commands, std::uint32_t id,
                                 SerializeStructure& cursor) = 0;
  virtual void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>& command,
                                       std::uint32_t id, SerializeStructure& cursor) = 0;
};

namespace ObjectFactoryUtils {
using Maker = IFactoryObject* (*)();
// A new object owned by the caller, or null when nothing is registered under the keys.
IFactoryObject* CreateObject(const char* module, const char* classKey);
// Registers a maker; returns the one it replaces, or null.
Maker RegisterObject(const char* module, const char* classKey, Maker maker);
}  // namespace ObjectFactoryUtils

// Turns command lists (list of texts) and single commands (one text) back into models.
class IParameterSerializer;
RefCntPtr<IParameterSerializer> CreateCommandsParameterSerializer();
RefCntPtr<IParameterSerializer> CreateSimpleCommandsParameterSerializer();

#pragma GCC visibility pop
