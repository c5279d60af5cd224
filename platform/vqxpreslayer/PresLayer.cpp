// Anchors of the presentation layer's interfaces, the parameter bag and the cursor scopes.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayer/PresentationModel.h"
#include "vqxpreslayer/SerializeStructure.h"

PresentationModel::~PresentationModel() = default;
IParameter::~IParameter() = default;
IParameters::~IParameters() = default;
Parameters::~Parameters() = default;
ValueHolder::~ValueHolder() = default;

RefCntPtr<const PresentationModel> ValueHolder::GetStructure() const {
  return RefCntPtr<const PresentationModel>(m_model);
}
bool ValueHolder::IsNull() const { return m_holdsModel && !m_model; }
bool ValueHolder::IsDeferred() const { return false; }
ParameterShape ValueHolder::GetShape() const { return m_shape; }
IParameterSerializer::~IParameterSerializer() = default;
IStructureSerializer::~IStructureSerializer() = default;
TypeMismatchCommandException::~TypeMismatchCommandException() = default;
SerializeStructure::~SerializeStructure() = default;

void ThrowTypeMismatchCommandException(unsigned int id) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "Parameter 0x%08x has another value type than expected", id);
  throw TypeMismatchCommandException(
      OrrelinError(0x00BF5620, "CommandException_TypeMismatch", "ParameterSerializer", 0, buf), id);
}

namespace {
bool IdLess(const IParameters::Entry& e, std::uint32_t id) { return e.first < id; }
}  // namespace

void Parameters::SetParameter(std::uint32_t id, RefCntPtr<IParameter> parameter) {
  auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id, IdLess);
  if (it != m_entries.end() && it->first == id)
    it->second = std::move(parameter);
  else
    m_entries.emplace(it, id, std::move(parameter));
}

const IParameter* Parameters::GetParameter(std::uint32_t id) const {
  auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id, IdLess);
  return it != m_entries.end() && it->first == id ? it->second.get() : nullptr;
}

const IStructureSerializer* SerializeStructure::GetStructureSerializer(std::uint32_t id) const {
  return m_registry->GetStructureSerializer(id);
}

void ThrowForeignCapture() {
  ThrowLogicAssert("SerializeStructure", 0, "Recorded text of a model replayed by another kind of cursor");
}

StructureScope::~StructureScope() {
  if (m_open) m_cursor.EndStructure();
}

SubStructure::SubStructure(std::uint32_t id, SerializeStructure& cursor, bool composite)
    : StructureScope(cursor) {
  cursor.BeginSubStructure(id, composite);
  m_open = true;
}
ListStructure::ListStructure(std::uint32_t id, SerializeStructure& cursor, ParameterTypeCategory category)
    : StructureScope(cursor) {
  cursor.BeginListStructure(id, category);
  m_open = true;
}
MapStructure::MapStructure(std::uint32_t id, SerializeStructure& cursor) : StructureScope(cursor) {
  cursor.BeginMapStructure(id);
  m_open = true;
}
MapItemStructure::MapItemStructure(const TString& key, SerializeStructure& cursor)
    : StructureScope(cursor) {
  cursor.BeginMapItemStructure(key);
  m_open = true;
}
CompositeStructure::CompositeStructure(std::uint32_t id, SerializeStructure& cursor)
    : StructureScope(cursor) {
  cursor.BeginCompositeStructure(id);
  m_open = true;
}

namespace {

[[noreturn]] void ThrowNoSerializer(std::uint32_t id) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "No serializer is registered for parameter 0x%08x", id);
  ThrowLogicAssert("VisitParametersStructure", 0, buf);
}

void VisitParameter(const ParametersRegistry& registry, std::uint32_t id, const RefCntPtr<IParameter>& p,
                    SerializeStructure& cursor) {
  const ParameterShape shape = p->GetShape();
  if (shape == ParameterShape::Bag) {
    const auto& bag = static_cast<const ValParameter<RefCntPtr<const IParameters>>&>(*p).Value();
    CompositeStructure scope(id, cursor);
    if (bag) VisitParametersStructure(registry, *bag, cursor.GetVisitor());
    return;
  }
  if (const IStructureSerializer* ss = registry.GetStructureSerializer(id)) {
    switch (shape) {
      case ParameterShape::Single:
        ss->SerializeParameter(p, id, cursor, true);
        return;
      case ParameterShape::List: {
        ListStructure list(id, cursor, kListCategory);
        for (const auto& item : ss->SplitList(p)) ss->SerializeParameter(item, id, cursor, true);
        return;
      }
      case ParameterShape::Map: {
        MapStructure map(id, cursor);
        for (const auto& [key, item] : ss->SplitMap(p)) {
          if (item->IsNull()) {
            cursor.NullMapItem(key, true);
          } else {
            MapItemStructure entry(key, cursor);
            ss->SerializeParameter(item, id, cursor, false);
          }
        }
        return;
      }
      case ParameterShape::Bag:
        break;
    }
  }
  const IParameterSerializer* ps = registry.GetParameterSerializer(id);
  if (!ps) ThrowNoSerializer(id);
  switch (shape) {
    case ParameterShape::Single:
      cursor.Parameter(id, ps->ParameterToString(p));
      return;
    case ParameterShape::List:
      ps->SerializeListParameter(p, cursor, id);
      return;
    case ParameterShape::Map: {
      MapStructure map(id, cursor);
      for (const auto& [key, text] : ps->MapParameterToStrings(p)) cursor.MapItem(key, text, true);
      return;
    }
    case ParameterShape::Bag:
      break;
  }
}

}  // namespace

void VisitParametersStructure(const ParametersRegistry& registry, const IParameters& bag,
                              IStructuredParameterVisitor& visitor) {
  SerializeStructure& cursor = visitor.GetCursor();
  for (const auto& [id, p] : bag.GetEntries()) {
    if (!p) ThrowNullPointerDereferenced();
    VisitParameter(registry, id, p, cursor);
  }
}

// ---- registry ----

namespace {
std::atomic<std::uint64_t> g_namesVersions{0};
}  // namespace

ParametersRegistry::ParametersRegistry() : m_namesVersion(++g_namesVersions) {}
ParametersRegistry::~ParametersRegistry() = default;

ParametersRegistry& ParametersRegistry::Get() {
  static ParametersRegistry registry;
  return registry;
}

RefCntPtr<IParameters> ParametersRegistry::CreateParameters() const { return MakeRefCnt<Parameters>(); }

void ParametersRegistry::RegisterParameterSerializer(std::uint32_t id,
                                                     RefCntPtr<IParameterSerializer> serializer) {
  m_entries[id].parameterSerializer = std::move(serializer);
}

void ParametersRegistry::RegisterStructureSerializer(std::uint32_t id,
                                                     RefCntPtr<IStructureSerializer> serializer) {
  m_entries[id].structureSerializer = std::move(serializer);
}

const IParameterSerializer* ParametersRegistry::GetParameterSerializer(std::uint32_t id) const {
  auto it = m_entries.find(id);
  return it == m_entries.end() ? nullptr : it->second.parameterSerializer.get();
}

const IStructureSerializer* ParametersRegistry::GetStructureSerializer(std::uint32_t id) const {
  auto it = m_entries.find(id);
  return it == m_entries.end() ? nullptr : it->second.structureSerializer.get();
}

void ParametersRegistry::RegisterShape(std::uint32_t id, ParameterShape shape) { m_entries[id].shape = shape; }

std::optional<ParameterShape> ParametersRegistry::GetShape(std::uint32_t id) const {
  auto it = m_entries.find(id);
  return it == m_entries.end() ? std::nullopt : it->second.shape;
}

void ParametersRegistry::RegisterName(std::uint32_t id, const ParameterNamespaceName& ns,
                                      const LegacyParameterName& name) {
  m_entries[id].name = name;
  m_ids[ns.GetValue()][name.GetValue().ToUtf8()] = id;
  m_namesVersion = ++g_namesVersions;
}

std::optional<std::uint32_t> ParametersRegistry::FindId(const ParameterNamespaceName& ns,
                                                        const LegacyParameterName& name) const {
  return FindId(ns, name.GetValue().ToUtf8());
}

std::optional<std::uint32_t> ParametersRegistry::FindId(const ParameterNamespaceName& ns, std::string_view name) const {
  auto names = m_ids.find(ns.GetValue());
  if (names == m_ids.end()) return std::nullopt;
  auto it = names->second.find(name);
  if (it == names->second.end()) return std::nullopt;
  return it->second;
}

const LegacyParameterName* ParametersRegistry::FindName(std::uint32_t id) const {
  auto it = m_entries.find(id);
  return it == m_entries.end() || !it->second.name ? nullptr : &*it->second.name;
}

std::vector<std::uint32_t> ParametersRegistry::GetNamedIds() const {
  std::vector<std::uint32_t> ids;
  for (const auto& [id, e] : m_entries)
    if (e.name) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<std::uint32_t> ParametersRegistry::GetIds() const {
  std::vector<std::uint32_t> ids;
  ids.reserve(m_entries.size());
  for (const auto& entry : m_entries) ids.push_back(entry.first);
  std::sort(ids.begin(), ids.end());
  return ids;
}
