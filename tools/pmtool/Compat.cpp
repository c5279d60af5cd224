// compat: compares two listings of the descriptions (`pmtool listing`, or pmgen.py --print
// listing over any set of descriptions) and reports what breaks reading text that the
// older version wrote, and what does not.

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "Commands.h"
#include "WireTypes.h"

namespace pmtool {
namespace {

struct ListedMember {
  std::string stem, id, type, kind, text, presence, start, item;
};
struct ListedModel {
  std::string id, base, type;
  std::vector<ListedMember> members;  // own members, in write order
};
struct ListedEnum {
  std::int64_t defaultValue = 0;
  std::map<std::int64_t, std::string> entries;
};
struct ListingData {
  std::map<std::string, std::string> names;  // id -> name
  std::map<std::string, ListedModel> models;
  std::map<std::string, ListedEnum> enums;
};

class BadListing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const rapidjson::Value& Field(const rapidjson::Value& object, const char* key, bool (rapidjson::Value::*is)() const) {
  if (!object.IsObject()) throw BadListing("an object expected");
  const auto it = object.FindMember(key);
  if (it == object.MemberEnd() || !(it->value.*is)()) throw BadListing(std::string("'") + key + "' missing or of another type");
  return it->value;
}

std::string Text(const rapidjson::Value& object, const char* key) {
  const rapidjson::Value& v = Field(object, key, &rapidjson::Value::IsString);
  return std::string(v.GetString(), v.GetStringLength());
}

ListingData ParseListing(const std::string& text, const std::string& where) {
  rapidjson::Document doc;
  doc.Parse(text.c_str(), text.size());
  if (doc.HasParseError())
    throw std::runtime_error(where + ": not a listing: " + rapidjson::GetParseError_En(doc.GetParseError()) +
                             " at byte " + std::to_string(doc.GetErrorOffset()));
  ListingData out;
  try {
    if (Field(doc, "listing", &rapidjson::Value::IsInt).GetInt() != 1) throw BadListing("unknown listing version");
    for (const auto& n : Field(doc, "names", &rapidjson::Value::IsObject).GetObject()) {
      if (!n.value.IsString()) throw BadListing("a name is a text");
      out.names[n.name.GetString()] = n.value.GetString();
    }
    for (const auto& m : Field(doc, "models", &rapidjson::Value::IsObject).GetObject()) {
      ListedModel& model = out.models[m.name.GetString()];
      model.id = Text(m.value, "id");
      model.base = Text(m.value, "base");
      model.type = Text(m.value, "type");
      for (const auto& mem : Field(m.value, "members", &rapidjson::Value::IsArray).GetArray())
        model.members.push_back({Text(mem, "stem"), Text(mem, "id"), Text(mem, "type"), Text(mem, "kind"),
                                 Text(mem, "text"), Text(mem, "presence"), Text(mem, "start"), Text(mem, "item")});
    }
    for (const auto& e : Field(doc, "enums", &rapidjson::Value::IsObject).GetObject()) {
      ListedEnum& en = out.enums[e.name.GetString()];
      en.defaultValue = Field(e.value, "default", &rapidjson::Value::IsInt64).GetInt64();
      for (const auto& entry : Field(e.value, "entries", &rapidjson::Value::IsObject).GetObject()) {
        if (!entry.value.IsString()) throw BadListing("an entry's text is a text");
        en.entries[std::stoll(entry.name.GetString())] = entry.value.GetString();
      }
    }
  } catch (const BadListing& e) {
    throw std::runtime_error(where + ": not a listing: " + e.what());
  } catch (const std::logic_error&) {  // stoll
    throw std::runtime_error(where + ": not a listing: an entry's value is a number");
  }
  return out;
}

class Report {
 public:
  void Error(const std::string& text) {
    m_lines.push_back("error: " + text);
    ++m_errors;
  }
  void Note(const std::string& text) {
    m_lines.push_back("note: " + text);
    ++m_notes;
  }
  int Print() const {
    for (const std::string& l : m_lines) std::printf("%s\n", l.c_str());
    std::printf("%d breaking change%s, %d note%s\n", m_errors, m_errors == 1 ? "" : "s", m_notes,
                m_notes == 1 ? "" : "s");
    return m_errors ? 3 : 0;
  }

 private:
  std::vector<std::string> m_lines;
  int m_errors = 0;
  int m_notes = 0;
};

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
std::string Start(const std::string& s) { return s.empty() ? "the type's own" : s; }

// Members on the wire in order: the base's first.
std::vector<ListedMember> Flattened(const ListingData& listing, const std::string& name) {
  std::vector<const ListedModel*> chain;
  for (auto it = listing.models.find(name); it != listing.models.end() && chain.size() < 64;
       it = listing.models.find(it->second.base))
    chain.insert(chain.begin(), &it->second);
  std::vector<ListedMember> out;
  for (const ListedModel* m : chain) out.insert(out.end(), m->members.begin(), m->members.end());
  return out;
}

void CompareMember(const std::string& where, const ListedMember& o, const ListedMember& n, Report& r) {
  if (o.id != n.id) r.Error(where + ": parameter id changed from " + o.id + " to " + n.id);
  if (o.type != n.type)
    r.Error(where + ": type changed from " + o.type + " to " + n.type);
  else if (o.kind != n.kind)
    r.Error(where + ": encoding kind changed from " + o.kind + " to " + n.kind);
  else if (o.text != n.text)
    r.Error(where + ": written as the text of " + n.text + ", was " + o.text);
  if (o.item != n.item) r.Error(where + ": item id changed from " + o.item + " to " + n.item);
  if (o.presence != "always" && o.start != n.start)
    r.Error(where + ": starting value changed from " + Start(o.start) + " to " + Start(n.start) +
            ": older text that leaves the member out reads differently");
  if (o.presence != n.presence) r.Note(where + ": presence changed from " + o.presence + " to " + n.presence);
}

void CompareModel(const ListingData& oldL, const std::string& oldName, const ListingData& newL,
                  const std::string& newName, Report& r) {
  const ListedModel& o = oldL.models.at(oldName);
  const ListedModel& n = newL.models.at(newName);
  if (o.id != n.id) r.Error(oldName + ": default id changed from " + o.id + " to " + n.id);
  if (o.type != n.type)
    r.Error(oldName + ": discriminant value changed from " + (o.type.empty() ? "none" : o.type) + " to " +
            (n.type.empty() ? "none" : n.type));
  if (o.base != n.base)
    r.Note(oldName + ": base changed from " + (o.base.empty() ? "none" : o.base) + " to " +
           (n.base.empty() ? "none" : n.base));
  const std::vector<ListedMember> om = Flattened(oldL, oldName);
  const std::vector<ListedMember> nm = Flattened(newL, newName);
  std::set<std::string> oldStems;
  for (const ListedMember& m : om) oldStems.insert(m.stem);
  std::vector<bool> matched(nm.size(), false);
  const auto find = [&](auto pred) -> std::size_t {
    for (std::size_t i = 0; i < nm.size(); ++i)
      if (!matched[i] && pred(nm[i])) return i;
    return nm.size();
  };
  for (const ListedMember& m : om) {
    const std::string where = oldName + "." + m.stem;
    std::size_t i = find([&](const ListedMember& x) { return x.stem == m.stem; });
    if (i == nm.size()) {
      i = find([&](const ListedMember& x) { return x.id == m.id && !oldStems.count(x.stem); });
      if (i == nm.size()) {
        r.Error(where + ": member removed: older text that carries it is no longer read into the model");
        continue;
      }
      r.Note(where + ": renamed " + nm[i].stem + " (same parameter id)");
    }
    matched[i] = true;
    CompareMember(where, m, nm[i], r);
  }
  for (std::size_t i = 0; i < nm.size(); ++i)
    if (!matched[i]) r.Note(newName + "." + nm[i].stem + ": member added");
}

void CompareEnum(const std::string& name, const ListedEnum& o, const ListedEnum& n, Report& r) {
  std::map<std::string, std::int64_t> newByText;
  for (const auto& [v, t] : n.entries) newByText.emplace(t, v);
  std::set<std::string> oldTexts;
  for (const auto& [v, t] : o.entries) {
    oldTexts.insert(t);
    if (const auto it = newByText.find(t); it != newByText.end()) {
      if (it->second != v)
        r.Note(name + ": " + Quoted(t) + " now stands for " + std::to_string(it->second) + ", was " +
               std::to_string(v));
    } else if (const auto same = n.entries.find(v); same != n.entries.end()) {
      r.Error(name + ": the text of " + std::to_string(v) + " changed from " + Quoted(t) + " to " +
              Quoted(same->second));
    } else {
      r.Error(name + ": text " + Quoted(t) + " (" + std::to_string(v) + ") removed");
    }
  }
  for (const auto& [v, t] : n.entries)
    if (!oldTexts.count(t) && o.entries.count(v) == 0) r.Note(name + ": value " + std::to_string(v) + " " + Quoted(t) + " added");
  if (o.defaultValue != n.defaultValue)
    r.Note(name + ": default changed from " + std::to_string(o.defaultValue) + " to " + std::to_string(n.defaultValue));
}

int Compare(const ListingData& o, const ListingData& n) {
  Report r;
  for (const auto& [id, name] : o.names)  // an id no longer in use shows where it was used
    if (const auto it = n.names.find(id); it != n.names.end() && it->second != name)
      r.Error("parameter " + id + ": name changed from " + name + " to " + it->second);
  std::set<std::string> renamedTo;
  for (const auto& [name, model] : o.models) {
    if (n.models.count(name)) {
      CompareModel(o, name, n, name, r);
      continue;
    }
    std::string successor;
    for (const auto& [newName, newModel] : n.models)
      if (newModel.id == model.id && !o.models.count(newName)) successor = newName;
    if (successor.empty()) {
      r.Error("model " + name + " removed");
      continue;
    }
    r.Note("model " + name + " renamed " + successor + " (same default id)");
    renamedTo.insert(successor);
    CompareModel(o, name, n, successor, r);
  }
  for (const auto& [name, model] : n.models)
    if (!o.models.count(name) && !renamedTo.count(name)) r.Note("model " + name + " added");
  for (const auto& [name, e] : o.enums) {
    if (const auto it = n.enums.find(name); it != n.enums.end())
      CompareEnum(name, e, it->second, r);
    else
      r.Error("enumeration " + name + " removed");
  }
  for (const auto& [name, e] : n.enums)
    if (!o.enums.count(name)) r.Note("enumeration " + name + " added");
  return r.Print();
}

}  // namespace

int Compat(const Args& args) {
  const ListingData oldListing = ParseListing(ReadInput(args[0]), std::string(args[0]));
  const ListingData newListing = args.size() > 1 ? ParseListing(ReadInput(args[1]), std::string(args[1]))
                                                 : ParseListing(ListingText(), "the tool's listing");
  return Compare(oldListing, newListing);
}

}  // namespace pmtool
