#pragma once
// TraceCursor: a cursor that records one line per call, in the order made, e.g.
//   Begin SubStructure 0xd63eb020 / Parameter 0xd620d6ca 7 / End / ReplayCapture
// Captures record the output lines written inside them (capture markers excluded), and a
// replay pastes those lines back into the output.

#pragma GCC visibility push(default)

#include <string>
#include <vector>

#include "vqxpreslayer/SerializeStructure.h"

class TraceCursor final : public SerializeStructure, private IStructuredParameterVisitor {
 public:
  explicit TraceCursor(const ParametersRegistry& registry);
  ~TraceCursor() override;

  void Parameter(std::uint32_t id, const TString& text) override;
  void ListItem(const TString& text) override;
  void MapItem(const TString& key, const TString& text, bool flag) override;
  void NullMapItem(const TString& key, bool flag) override;
  IStructuredParameterVisitor& GetVisitor() override { return *this; }

  // Every call, capture markers included.
  const std::vector<std::string>& Calls() const { return m_calls; }
  // What a reader would receive: replays expanded, capture markers left out.
  const std::vector<std::string>& Output() const { return m_output; }
  int OpenScopes() const { return m_depth; }
  int OpenCaptures() const { return static_cast<int>(m_captures.size()); }

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

  void Emit(std::string line);

  std::vector<std::string> m_calls;
  std::vector<std::string> m_output;
  std::vector<std::size_t> m_captures;  // output positions where open captures began
  int m_depth = 0;
};

#pragma GCC visibility pop
