// Actions: what the action a dashboard carries writes and leaves out, its short link and its
// command, the copies of an action's definition, and packed flag lists. (Every model also
// goes through text and back in RoundTripTest.)

#include <algorithm>
#include <type_traits>

#include "TestSupport.h"
#include "models/ActionsModels.h"

namespace {

TEST(Actions, AFreshActionWritesItsAlwaysMembersAndSingleSelectOnlyWhileTrue) {
  auto action = MakeRefCnt<ActionPresModel>();
  EXPECT_TRUE(action->GetSingleSelectOnly());
  EXPECT_EQ(test::OutputOf(RefCntPtr<const ActionPresModel>(action)),
            test::Lines({"Parameter 0xd97f2ce8 ", "Parameter 0xd62d726a explicitly", "Parameter 0xd603a599 true",
                         "Begin ListStructure 0xd6ffb1c6", "End", "Begin ListStructure 0xd64a3d92", "End"}));

  const auto multi = [] {  // one per cursor: a written model replays its recorded text
    auto m = MakeRefCnt<ActionPresModel>();
    m->SetSingleSelectOnly(false);
    return RefCntPtr<const ActionPresModel>(m);
  };
  EXPECT_FALSE(test::Writes(test::OutputOf(multi()), "Parameter 0xd603a599"));
  // Left out, it reads back as its starting value.
  const auto read = test::ThroughText(multi());
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->GetSingleSelectOnly());
}

const test::WriteCase kWrites[] = {
    {"an action that does nothing on clear", test::Written<ActionPresModel>, {}, {"Parameter 0xd6400a3f"}},
    {"an action that shows all on clear",
     [] { return test::Written<ActionPresModel>([](auto& a) { a.SetOnClear(OnClear::ShowAll); }); },
     {"Parameter 0xd6400a3f show-all"},
     {}},
    {"a short link with an empty delimiter and escape string",
     [] { return test::Written<LinkSpecPresModel>([](auto& l) { l.SetURL(u"https://example.org"); }); },
     {"Parameter 0xd6cef687 https://example.org"},
     {"Parameter 0xd641a37f", "Parameter 0xd643e6fc"}},
};

TEST(Actions, WhatAWriteHoldsAndLeavesOut) { test::ExpectWrites(kWrites); }

std::vector<std::pair<std::uint32_t, TString>> g_handed;
class RecordingCommandSerializer final : public ICommandSerializer {
 public:
  void SerializeCommands(const RefCntPtr<const CommandsPresModel>&, std::uint32_t id, SerializeStructure&) override {
    g_handed.emplace_back(id, u"list");
  }
  void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>& c, std::uint32_t id,
                               SerializeStructure&) override {
    g_handed.emplace_back(id, c->GetCommand());
  }
};

TEST(Actions, TheCommandGoesToTheCommandSerializerOnlyWhenSet) {
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new RecordingCommandSerializer(); });
  g_handed.clear();
  (void)test::OutputOf(RefCntPtr<const ActionPresModel>(MakeRefCnt<ActionPresModel>()));
  auto action = MakeRefCnt<ActionPresModel>();
  action->SetCommand(MakeRefCnt<SimpleCommandsPresModel>(TString(u"go")));
  (void)test::OutputOf(RefCntPtr<const ActionPresModel>(action));
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);
  EXPECT_EQ(g_handed, (std::vector<std::pair<std::uint32_t, TString>>{{0xd6e4461bu, TString(u"go")}}));
}

// ---- copies of an action's definition

RefCntPtr<LinkSpecificationPresModel> Link() {
  auto l = MakeRefCnt<LinkSpecificationPresModel>();
  l->SetURL(u"https://example.org/<Region>");
  l->SetAllowNull(true);
  l->SetSpecificZoneTarget(17);
  return l;
}

struct CloneCase {
  const char* name;
  bool isLink, hasLink, hasScript, hasSource;
};

const CloneCase kCloneCases[] = {
    {"a link with every part", true, true, true, true},
    {"not a link, though it holds one", false, true, false, false},
    {"not a link, with a script", false, false, true, false},
    {"a link with a source only", true, true, false, true},
};

// The copy is held to the original through wire text: equal texts, equal members. A part it
// clones must be another object of the same text.
TEST(ActionClone, TheSpecificationClonesItsLinkOnlyWhenItIsALink) {
  for (const CloneCase& c : kCloneCases) {
    SCOPED_TRACE(c.name);
    auto original = MakeRefCnt<ActionSpecificationPresModel>();
    original->SetCaption(u"Filter 1");
    original->SetActivation(ActivationMethod::OnHover);
    original->SetIsLink(c.isLink);
    original->SetIsEnabled(true);
    original->SetRunOnSingleSelectIsChecked(true);
    if (c.hasLink) original->SetLinkSpecification(Link());
    if (c.hasScript) {
      auto script = MakeRefCnt<ScriptDescriptionPresModel>();
      script->SetCommand(u"run");
      script->AddParam(u"a", u"1");
      original->SetScriptDescription(script);
    }
    if (c.hasSource) {
      auto source = MakeRefCnt<ActionSourcePresModel>();
      source->SetSourceType(SourceType::Sheet);
      source->AddExcludeSheet(u"Sheet 2");
      original->SetActionSource(source);
    }
    const auto copy = original->Clone();
    EXPECT_EQ(copy->GetRefCount(), 1);
    if (!c.isLink && c.hasLink) {
      EXPECT_FALSE(copy->GetLinkSpecification());
      original->SetLinkSpecification(nullptr);  // the one difference
    }
    EXPECT_EQ(test::Text(copy), test::Text(original));
    const auto cloned = [](const auto& a, const auto& b) {
      return !a || (a.get() != b.get() && test::Text(a) == test::Text(b));
    };
    EXPECT_TRUE(cloned(copy->GetLinkSpecification(), original->GetLinkSpecification()));
    EXPECT_TRUE(cloned(copy->GetScriptDescription(), original->GetScriptDescription()));
    EXPECT_TRUE(cloned(copy->GetActionSource(), original->GetActionSource()));
  }
}

TEST(ActionClone, ALinkWithoutItsLinkSpecificationRaisesTheNullPointerError) {
  auto original = MakeRefCnt<ActionSpecificationPresModel>();
  original->SetIsLink(true);
  test::ExpectNullPointerAssertion([&] { (void)original->Clone(); });
}

TEST(Actions, PackedFlagListsAreWrittenOneFlagPerItem) {
  static_assert(std::is_same_v<decltype(std::declval<const ActionFieldListPresModel&>().GetCheckedMenuItem(0)), bool>);
  auto list = MakeRefCnt<ActionFieldListPresModel>();
  for (bool b : {true, false, true}) list->AddCheckedMenuItem(b);
  EXPECT_FALSE(list->GetCheckedMenuItem(1));
  const auto out = test::OutputOf(RefCntPtr<const ActionFieldListPresModel>(list));
  const auto begin = std::find(out.begin(), out.end(), "Begin ListStructure 0xd6666313");
  ASSERT_NE(begin, out.end());
  EXPECT_EQ(std::vector<std::string>(begin + 1, begin + 5),
            test::Lines({"ListItem true", "ListItem false", "ListItem true", "End"}));
}

}  // namespace
