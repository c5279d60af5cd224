#pragma once
// JsonCursor: writes a parameter tree as JSON text (UTF-8). Structures, maps and embedded
// bags are objects, lists and structures that are not composite (a tuple's values) are
// arrays, a null map item is null. Keys are the parameter
// names the registry holds ("0x%08x" for an id without a name); every value is a string.
// A capture records the text written inside it and a replay pastes it back, so that a
// cached model costs one copy. The text itself is a JsonText, which the cursor offers to
// serializers that write values straight into it.
//
// Threads. A cursor belongs to the thread writing with it; give each write its own (Write
// does). Cursors on different threads share nothing but the registry, which they only
// read, so threads may write at once as long as no model is written by two of them at
// once while the write changes it: a model's first write records its text, and the models
// of a hierarchy set flags on every write (see PresentationModel.h). Disjoint trees may be
// written at once; trees sharing nested models only once those have been written.

#include <cstdint>
#include <string>

#include "vqxpreslayer/JsonText.h"
#include "vqxpreslayer/SerializeStructure.h"

class JsonCursor final : public SerializeStructure, private IStructuredParameterVisitor {
 public:
  // The text starts as an open object: the bag being written.
  explicit JsonCursor(const ParametersRegistry& registry);
  // Writes into `buffer`: its text is dropped, its capacity kept.
  JsonCursor(const ParametersRegistry& registry, std::string&& buffer);
  ~JsonCursor() override;

  void Parameter(std::uint32_t id, const TString& text) override;
  void ListItem(const TString& text) override;
  void MapItem(const TString& key, const TString& text, bool flag) override;
  void NullMapItem(const TString& key, bool flag) override;
  IStructuredParameterVisitor& GetVisitor() override { return *this; }
  // The registry's serializer, remembered for the rest of the write: the models of a
  // hierarchy ask for it on every write.
  const IStructureSerializer* GetStructureSerializer(std::uint32_t id) const override;

  // Closes the outer object and hands the text over. The cursor is empty afterwards.
  std::string Finish();

  // Writes a bag through the registry into a JSON text.
  static std::string Write(const ParametersRegistry& registry, const IParameters& bag);
  // The same into `out`, replacing its text but keeping its capacity: a caller that writes
  // trees again and again saves growing a new buffer each time (a large text grows through
  // fresh pages of memory, which costs more than writing it). After an error `out` is empty.
  static void Write(const ParametersRegistry& registry, const IParameters& bag, std::string& out);

  // Whether serializers may write values straight into the text (they may, unless turned off
  // here): both ways give the same text, which tests compare.
  void SetDirectWriting(bool on) { SetDirectText(on ? &m_text : nullptr); }

 protected:
  void BeginSubStructure(std::uint32_t id, bool composite) override;
  void BeginListStructure(std::uint32_t id, ParameterTypeCategory category) override;
  void BeginMapStructure(std::uint32_t id) override;
  void BeginMapItemStructure(const TString& key) override;
  void BeginCompositeStructure(std::uint32_t id) override;
  void EndStructure() noexcept override;

 private:
  void BeginCapture() override;
  CapturedText EndCapture() override;
  void ReplayCapture(const CapturedText& text) override;
  SerializeStructure& GetCursor() override { return *this; }

  JsonText m_text;
  struct Known {
    std::uint32_t id = 0;
    const IStructureSerializer* serializer = nullptr;
  };
  mutable Known m_serializers[32];  // by the id's low bits
};
