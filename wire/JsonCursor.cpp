#include "wire/JsonCursor.h"

#include "vqxpreslayer/ParametersRegistry.h"

JsonCursor::JsonCursor(const ParametersRegistry& registry) : JsonCursor(registry, std::string()) {}
JsonCursor::JsonCursor(const ParametersRegistry& registry, std::string&& buffer)
    : SerializeStructure(registry), m_text(registry, std::move(buffer)) {
  SetDirectText(&m_text);
}
JsonCursor::~JsonCursor() = default;

std::string JsonCursor::Finish() { return m_text.Finish(); }

std::string JsonCursor::Write(const ParametersRegistry& registry, const IParameters& bag) {
  JsonCursor cursor(registry);
  VisitParametersStructure(registry, bag, cursor.GetVisitor());
  return cursor.Finish();
}

void JsonCursor::Write(const ParametersRegistry& registry, const IParameters& bag, std::string& out) {
  JsonCursor cursor(registry, std::move(out));
  VisitParametersStructure(registry, bag, cursor.GetVisitor());
  out = cursor.Finish();
}

const IStructureSerializer* JsonCursor::GetStructureSerializer(std::uint32_t id) const {
  Known& known = m_serializers[(id ^ (id >> 5)) & 31];
  if (known.id != id || !known.serializer) known = Known{id, SerializeStructure::GetStructureSerializer(id)};
  return known.serializer;
}

void JsonCursor::Parameter(std::uint32_t id, const TString& text) {
  m_text.Key(id);
  m_text.String(text);
}

void JsonCursor::ListItem(const TString& text) {
  m_text.Separate();
  m_text.String(text);
}

void JsonCursor::MapItem(const TString& key, const TString& text, bool) {
  m_text.Key(key);
  m_text.String(text);
}

void JsonCursor::NullMapItem(const TString& key, bool) {
  m_text.Key(key);
  m_text.Raw("null");
}

void JsonCursor::BeginSubStructure(std::uint32_t id, bool composite) {
  // An item of a list is an element of its array; elsewhere a structure is a member. A
  // structure that is not composite holds list items only: it is an array.
  if (m_text.InArray())
    m_text.Separate();
  else
    m_text.Key(id);
  m_text.Open(composite ? '{' : '[');
}

void JsonCursor::BeginListStructure(std::uint32_t id, ParameterTypeCategory) {
  m_text.Key(id);
  m_text.Open('[');
}

void JsonCursor::BeginMapStructure(std::uint32_t id) {
  m_text.Key(id);
  m_text.Open('{');
}

void JsonCursor::BeginMapItemStructure(const TString& key) {
  m_text.Key(key);
  m_text.Open('{');
}

void JsonCursor::BeginCompositeStructure(std::uint32_t id) {
  m_text.Key(id);
  m_text.Open('{');
}

void JsonCursor::EndStructure() noexcept { m_text.Close(); }

void JsonCursor::BeginCapture() { m_text.BeginCapture(); }
CapturedText JsonCursor::EndCapture() { return m_text.EndCapture(); }
void JsonCursor::ReplayCapture(const CapturedText& text) { m_text.Replay(text); }
