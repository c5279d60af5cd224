#pragma once
// ParametersRegistry: maps parameter ids to the serializers that convert them and to their
// names. Filled by the host at start-up, then only read.
//
// Threads. The Register* calls change the registry and must all happen before it is handed
// to other threads (the host registers everything once at start-up, before its first write
// or read). From then on every other member is a pure read, and any number of threads may
// use the registry at once, as may the serializers it hands out: they keep no state between
// calls. Registering while another thread writes or reads is a data race.

#pragma GCC visibility push(default)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/Serializers.h"

// The name of a parameter as it travels in text.
class LegacyParameterName {
 public:
  explicit LegacyParameterName(TString name) : m_name(std::move(name)) {}
  const TString& GetValue() const { return m_name; }

 private:
  TString m_name;
};

// A namespace of parameter names, e.g. "vqxdoc".
class ParameterNamespaceName {
 public:
  explicit ParameterNamespaceName(std::string name) : m_name(std::move(name)) {}
  const std::string& GetValue() const { return m_name; }

 private:
  std::string m_name;
};

class ParametersRegistry {
 public:
  ParametersRegistry();
  ~ParametersRegistry();
  ParametersRegistry(const ParametersRegistry&) = delete;
  ParametersRegistry& operator=(const ParametersRegistry&) = delete;

  // The process-wide registry.
  static ParametersRegistry& Get();

  RefCntPtr<IParameters> CreateParameters() const;

  void RegisterParameterSerializer(std::uint32_t id, RefCntPtr<IParameterSerializer> serializer);
  void RegisterStructureSerializer(std::uint32_t id, RefCntPtr<IStructureSerializer> serializer);
  // Borrowed; null when nothing is registered under id.
  const IParameterSerializer* GetParameterSerializer(std::uint32_t id) const;
  const IStructureSerializer* GetStructureSerializer(std::uint32_t id) const;

  // The shape a parameter's value has in text (one value, a list, a map or a bag), for
  // readers that rebuild parameters from text.
  void RegisterShape(std::uint32_t id, ParameterShape shape);
  std::optional<ParameterShape> GetShape(std::uint32_t id) const;

  void RegisterName(std::uint32_t id, const ParameterNamespaceName& ns, const LegacyParameterName& name);
  std::optional<std::uint32_t> FindId(const ParameterNamespaceName& ns,
                                      const LegacyParameterName& name) const;
  // The same by the name's UTF-8 text.
  std::optional<std::uint32_t> FindId(const ParameterNamespaceName& ns, std::string_view name) const;
  // Null when the id has no name.
  const LegacyParameterName* FindName(std::uint32_t id) const;
  // Changes each time a name is registered, in any registry: two registries, or one before
  // and after a name was added, never have the same number. For what is learnt from names.
  std::uint64_t NamesVersion() const { return m_namesVersion; }
  std::vector<std::uint32_t> GetNamedIds() const;
  // Every id anything is registered under (serializer, shape or name), in ascending order.
  std::vector<std::uint32_t> GetIds() const;

 private:
  struct Entry {
    RefCntPtr<IParameterSerializer> parameterSerializer;
    RefCntPtr<IStructureSerializer> structureSerializer;
    std::optional<LegacyParameterName> name;
    std::optional<ParameterShape> shape;
  };
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  using IdsByName = std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>>;
  std::unordered_map<std::uint32_t, Entry> m_entries;
  std::uint64_t m_namesVersion;
  std::unordered_map<std::string, IdsByName, TextHash, std::equal_to<>> m_ids;  // namespace, UTF-8 name -> id
};

#pragma GCC visibility pop
