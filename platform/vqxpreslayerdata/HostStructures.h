#pragma once
// The structure serializers of the presentation layer's value structures (PaneId,
// DataColumn ...): StructSerializer<V, V> writes a value's members into the current scope
// and rebuilds the value from a bag, or from the texts of its members as a reader reads
// them; the slots below are shared by all of them. Each
// serializer also registers the ids of its members, which only it writes and reads.

#pragma GCC visibility push(default)

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/SerializeStructure.h"
#include "vqxpreslayer/Serializers.h"

class ParametersRegistry;

template <typename ConstPtr, typename Ptr>
class StructSerializer;

// Reading a value structure straight from text, without a bag of parameters: a reader
// makes a default value, hands it each member's text (or a list member's texts) as it reads
// them, and takes the value over when its structure closes. Members are taken as ToObject
// takes them from a bag: those of other ids are left out, wrongly typed ones ignored.
class IValueStructureReading {
 public:
  virtual void* NewValue() const = 0;
  virtual void DeleteValue(void* value) const = 0;
  // Member `id` from its text (unescaped UTF-8) or a list member from its items' texts (taken
  // over); false when not taken so: the reader then hands over the parameter the id's
  // serializer makes of the text (or raises that serializer's error).
  virtual bool MemberText(void* value, std::uint32_t id, std::string_view text) const = 0;
  virtual bool MemberTexts(void* value, std::uint32_t id, std::vector<TString>& texts) const = 0;
  virtual void MemberParameter(void* value, std::uint32_t id, const IParameter& parameter) const = 0;
  // The holder DeserializeParameter makes, of the value, which is moved from.
  virtual RefCntPtr<IParameter> Wrap(void* value) const = 0;

 protected:
  ~IValueStructureReading() = default;
};

template <typename V>
class HostStructureSerializer : public IStructureSerializer, public IValueStructureReading {
 public:
  static bool IsComposite() { return true; }

  void SerializeParameter(RefCntPtr<const IParameter> parameter, unsigned int id, SerializeStructure& cursor,
                          bool asSubStructure) const override {
    const V& value = Held<V>(parameter.get());
    if (asSubStructure) {
      SubStructure scope(id, cursor, IsComposite());
      StructSerializer<V, V>::SerializeObj(value, cursor);
    } else {
      StructSerializer<V, V>::SerializeObj(value, cursor);
    }
  }
  RefCntPtr<IParameter> DeserializeParameter(RefCntPtr<const IParameters> bag, unsigned int id) const override {
    return MakeRefCnt<ValParameter<V>>(StructSerializer<V, V>::ToObject(std::move(bag), id));
  }
  std::vector<RefCntPtr<IParameter>> SplitList(RefCntPtr<const IParameter> list) const override {
    std::vector<RefCntPtr<IParameter>> out;
    for (const V& v : Held<std::vector<V>>(list.get())) out.push_back(MakeRefCnt<ValParameter<V>>(v));
    return out;
  }
  void JoinList(const std::vector<RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
                unsigned int id) const override {
    std::vector<V> values;
    for (const auto& item : items) values.push_back(Held<V>(item.get()));
    bag->SetParameter(id, MakeRefCnt<ValParameter<std::vector<V>>>(std::move(values)));
  }
  std::map<TString, RefCntPtr<IParameter>> SplitMap(RefCntPtr<const IParameter> map) const override {
    std::map<TString, RefCntPtr<IParameter>> out;
    for (const auto& [key, v] : Held<std::map<TString, V>>(map.get())) out.emplace(key, MakeRefCnt<ValParameter<V>>(v));
    return out;
  }
  void JoinMap(const std::map<TString, RefCntPtr<IParameter>>& items, RefCntPtr<IParameters> bag,
               unsigned int id) const override {
    std::map<TString, V> values;
    for (const auto& [key, item] : items) values.emplace(key, Held<V>(item.get()));
    bag->SetParameter(id, MakeRefCnt<ValParameter<std::map<TString, V>>>(std::move(values)));
  }
  bool ParsesStringList() const override { return false; }
  void SetContext(RefCntPtr<const IParameters>, unsigned int, RefCntPtr<IParameters>) const override {}
  // A value has no null form: a null entry reads back as the default value.
  RefCntPtr<IParameter> MakeNullParameter() const override { return MakeRefCnt<ValParameter<V>>(V()); }

  void* NewValue() const override { return new V(); }
  void DeleteValue(void* value) const override { delete static_cast<V*>(value); }
  bool MemberText(void* value, std::uint32_t id, std::string_view text) const override {
    return StructSerializer<V, V>::ReadText(*static_cast<V*>(value), id, text);
  }
  bool MemberTexts(void* value, std::uint32_t id, std::vector<TString>& texts) const override {
    return StructSerializer<V, V>::ReadTexts(*static_cast<V*>(value), id, texts);
  }
  void MemberParameter(void* value, std::uint32_t id, const IParameter& parameter) const override {
    StructSerializer<V, V>::ReadParameter(*static_cast<V*>(value), id, parameter);
  }
  RefCntPtr<IParameter> Wrap(void* value) const override {
    return MakeRefCnt<ValParameter<V>>(std::move(*static_cast<V*>(value)));
  }

 protected:
  ~HostStructureSerializer() override = default;

 private:
  template <typename H>
  static const H& Held(const IParameter* parameter) {
    if (!parameter) ThrowNullPointerDereferenced();
    const auto* holder = HolderOf<H>(parameter);
    if (!holder) ThrowTypeMismatchCommandException(0);
    return holder->Value();
  }
};

#pragma GCC visibility pop
