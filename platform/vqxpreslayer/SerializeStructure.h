#pragma once
// SerializeStructure: the serialization cursor that structure serializers write into, its
// scope objects (opened by construction, closed by destruction) and the visitor that
// records and replays captured text.

#pragma GCC visibility push(default)

#include <cstdint>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/PresentationModel.h"
#include "vqxpreslayer/Serializers.h"

class JsonText;
class ParametersRegistry;
class SerializeStructure;

class IStructuredParameterVisitor {
 public:
  virtual void BeginCapture() = 0;
  virtual CapturedText EndCapture() = 0;
  virtual void ReplayCapture(const CapturedText& text) = 0;
  // The cursor that this visitor records from and replays into.
  virtual SerializeStructure& GetCursor() = 0;

 protected:
  ~IStructuredParameterVisitor() = default;
};

class SerializeStructure {
 public:
  explicit SerializeStructure(const ParametersRegistry& registry) : m_registry(&registry) {}
  SerializeStructure(const SerializeStructure&) = delete;
  SerializeStructure& operator=(const SerializeStructure&) = delete;
  virtual ~SerializeStructure();

  virtual void Parameter(std::uint32_t id, const TString& text) = 0;
  virtual void ListItem(const TString& text) = 0;
  virtual void MapItem(const TString& key, const TString& text, bool flag) = 0;
  virtual void NullMapItem(const TString& key, bool flag) = 0;

  virtual IStructuredParameterVisitor& GetVisitor() = 0;
  const ParametersRegistry& GetParametersRegistry() const { return *m_registry; }
  // The JSON text this cursor writes, for serializers that write values straight into it;
  // null for a cursor that writes anything else.
  JsonText* DirectText() const { return m_text; }
  // The structure serializer registered under id, or null.
  virtual const IStructureSerializer* GetStructureSerializer(std::uint32_t id) const;

 protected:
  friend class StructureScope;
  friend class SubStructure;
  friend class ListStructure;
  friend class MapStructure;
  friend class MapItemStructure;
  friend class CompositeStructure;

  virtual void BeginSubStructure(std::uint32_t id, bool composite) = 0;
  virtual void BeginListStructure(std::uint32_t id, ParameterTypeCategory category) = 0;
  virtual void BeginMapStructure(std::uint32_t id) = 0;
  virtual void BeginMapItemStructure(const TString& key) = 0;
  virtual void BeginCompositeStructure(std::uint32_t id) = 0;
  // Closes the innermost open scope. Never throws: it runs while errors unwind.
  virtual void EndStructure() noexcept = 0;

  // Set by a cursor that writes a JSON text (see DirectText).
  void SetDirectText(JsonText* text) { m_text = text; }

 private:
  JsonText* m_text = nullptr;
  const ParametersRegistry* m_registry;
};

// Base of the scope objects: closes its scope when it goes out of scope, if it was opened
// (a cursor that fails to open one has nothing to close).
class StructureScope {
 public:
  StructureScope(const StructureScope&) = delete;
  StructureScope& operator=(const StructureScope&) = delete;

 protected:
  explicit StructureScope(SerializeStructure& cursor) : m_cursor(cursor) {}
  ~StructureScope();
  SerializeStructure& m_cursor;
  bool m_open = false;
};

class SubStructure : public StructureScope {
 public:
  SubStructure(std::uint32_t id, SerializeStructure& cursor, bool composite);
};

class ListStructure : public StructureScope {
 public:
  ListStructure(std::uint32_t id, SerializeStructure& cursor, ParameterTypeCategory category);
};

class MapStructure : public StructureScope {
 public:
  MapStructure(std::uint32_t id, SerializeStructure& cursor);
};

class MapItemStructure : public StructureScope {
 public:
  MapItemStructure(const TString& key, SerializeStructure& cursor);
};

class CompositeStructure : public StructureScope {
 public:
  CompositeStructure(std::uint32_t id, SerializeStructure& cursor);
};

// A model's recorded text is replayed only by the kind of cursor that recorded it; each
// kind starts its text with a tag of its own. Raised when the tags differ.
[[noreturn]] void ThrowForeignCapture();

// Writes every parameter of a bag, in id order, through the serializers registered for
// their ids, into the visitor's cursor.
void VisitParametersStructure(const ParametersRegistry& registry, const IParameters& bag,
                              IStructuredParameterVisitor& visitor);

#pragma GCC visibility pop
