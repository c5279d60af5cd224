// The format pane: three checked levels (item, container, control) written root level first
// and read back as the classes their discriminants name; the errors of both directions; the
// constructors and comparisons of controls.

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "models/FormatModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;
using Items = std::vector<RefCntPtr<const FormatItemPresModel>>;

constexpr std::uint32_t kItemType = 0xd6a8650a, kContainerType = 0xd6d960c5, kControlType = 0xd6068180,
                        kWidgetIdentifier = 0xd63ed3c9;
constexpr auto kKey = FormatWidgetKey{2};

RefCntPtr<const SimpleCommandsPresModel> Command(const char16_t* text) {
  return MakeRefCnt<SimpleCommandsPresModel>(text);
}

// Every serializing flag of the model and of the models below it.
bool AnyFlagSet(const FormatItemPresModel& item) {
  bool set = item.GetIsSerializingFormatItemPresModel();
  if (const auto* c = dynamic_cast<const FormatContainerPresModel*>(&item)) {
    set = set || c->GetIsSerializingFormatContainerPresModel();
    for (const auto& child : c->GetItems()) set = set || (child && AnyFlagSet(*child));
  }
  if (const auto* c = dynamic_cast<const FormatControlPresModel*>(&item))
    set = set || c->GetIsSerializingFormatControlPresModel();
  if (const auto* s = dynamic_cast<const FormatSectionPresModel*>(&item))
    set = set || s->GetIsSerializingFormatSectionPresModel();
  if (const auto* t = dynamic_cast<const TextControlPresModel*>(&item))
    set = set || t->GetIsSerializingTextControlPresModel();
  return set;
}

// Runs f, expects the logic exception of the format serializers with that text.
void ExpectFormatError(const std::function<void()>& f, const std::string& text) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected: " << text;
  } catch (const LogicException& e) {
    EXPECT_EQ(e.Error().Source(), "FormatPresModelSerializer");
    EXPECT_EQ(e.Error().Text(), text);
  }
}

std::vector<std::uint32_t> ParameterIds(const std::vector<std::string>& lines) {
  std::vector<std::uint32_t> ids;
  for (const auto& l : lines)
    if (l.rfind("Parameter ", 0) == 0) ids.push_back(static_cast<std::uint32_t>(std::stoul(l.substr(10, 10), nullptr, 16)));
  return ids;
}

TEST(FormatPane, AControlWritesTheSameFieldsDirectlyAndAsAnItem) {
  const auto control = [] { return MakeRefCnt<TextControlPresModel>(u"Arial", kKey, Command(u"font")); };
  const auto direct = test::OutputOf(RefCntPtr<const TextControlPresModel>(control()));
  EXPECT_EQ(ParameterIds(direct),
            (std::vector<std::uint32_t>{kItemType, kWidgetIdentifier, kControlType, 0xd61c690f, 0xd6e19c2f,
                                        0xd6b5d110, 0xd9494195, 0xd994fa09}));
  auto section = MakeRefCnt<FormatSectionPresModel>(u"Font", Items{control()});
  const auto out = test::OutputOf(RefCntPtr<const FormatSectionPresModel>(section));
  const auto first = std::find(out.begin(), out.end(), std::string("Begin SubStructure 0xd66b44b9"));
  ASSERT_NE(first, out.end());
  const auto last = std::find(first, out.end(), "End");
  EXPECT_EQ(std::vector<std::string>(first + 1, last), direct);
  EXPECT_FALSE(AnyFlagSet(*section));
}

TEST(FormatPane, WriterErrorsNameTheLevelAndLeaveEveryFlagFalse) {
  struct Case {
    const char* what;
    std::function<RefCntPtr<FormatItemPresModel>()> make;
    std::string text;
  };
  const auto in = [](RefCntPtr<FormatItemPresModel> item) -> RefCntPtr<FormatItemPresModel> {
    return MakeRefCnt<FormatSectionPresModel>(u"s", Items{item});
  };
  const Case cases[] = {
      {"plain item", [] { return MakeRefCnt<FormatItemPresModel>(); },
       "Unexpected value of property TypeOfFormatItem"},
      {"control without type", [] {
         auto c = MakeRefCnt<FormatControlPresModel>();
         c->SetFormatCommand(Command(u"c"));
         return c;
       },
       "Unexpected value of property TypeOfFormatControl"},
      {"tab in a section", [&] { return in(MakeRefCnt<TabPresModel>()); },
       "Unable to down cast model of type FormatContainer to type FormatSection"},
      {"tab typed as a tab", [&] {
         auto tab = MakeRefCnt<TabPresModel>();
         tab->SetTypeOfFormatContainer(TypeOfFormatContainer{7});
         return in(tab);
       },
       "Unexpected value of property TypeOfFormatContainer"},
      {"section typed as geometry", [] {
         auto s = MakeRefCnt<FormatSectionPresModel>();
         s->SetTypeOfFormatContainer(TypeOfFormatContainer{13});
         return s;
       },
       "Unable to down cast model of type FormatContainer to type GeometrySection"},
      {"control typed as container", [&] {
         auto t = MakeRefCnt<TextControlPresModel>(u"x", kKey, Command(u"c"));
         t->SetTypeOfFormatItem(TypeOfFormatItem{1});
         return in(t);
       },
       "Unable to down cast model of type FormatItem to type FormatContainer"},
      {"text typed as slider", [] {
         auto t = MakeRefCnt<TextControlPresModel>(u"x", kKey, Command(u"c"));
         t->SetTypeOfFormatControl(TypeOfFormatControl{8});
         return t;
       },
       "Unable to down cast model of type FormatControl to type SliderControl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RefCntPtr<FormatItemPresModel> model = c.make();
    TraceCursor cursor(test::Registry());
    ExpectFormatError([&] { Ser<FormatItemPresModel>::SerializeObj(model, cursor); }, c.text);
    EXPECT_EQ(cursor.OpenScopes(), 0);
    EXPECT_FALSE(AnyFlagSet(*model));
  }
}

TEST(FormatPane, ReaderErrorsInCreationAndInFilling) {
  struct Case {
    const char* what;
    RefCntPtr<FormatItemPresModel> existing;  // null: the reader creates the model
    int item, container, control;             // -1: not in the bag
    std::string text;
  };
  const Case cases[] = {
      {"item 0", nullptr, 0, -1, -1, "Unexpected value of property TypeOfFormatItem"},
      {"container 7", nullptr, 1, 7, -1, "Unexpected value of property TypeOfFormatContainer"},
      {"control 0", nullptr, 2, -1, 0, "Unexpected value of property TypeOfFormatControl"},
      {"existing, item 0", MakeRefCnt<FormatItemPresModel>(), 0, -1, -1,
       "Unexpected value of discriminant parameter DPI_TypeOfFormatItem"},
      {"existing, container 8", MakeRefCnt<FormatContainerPresModel>(), 1, 8, -1,
       "Unexpected value of discriminant parameter DPI_TypeOfFormatContainer"},
      {"existing, control 0", MakeRefCnt<FormatControlPresModel>(), 2, -1, 0,
       "Unexpected value of discriminant parameter DPI_TypeOfFormatControl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bag = MakeRefCnt<Parameters>();
    if (c.item >= 0) bag->SetParameter(kItemType, test::Val(TypeOfFormatItem{c.item}));
    if (c.container >= 0) bag->SetParameter(kContainerType, test::Val(TypeOfFormatContainer{c.container}));
    if (c.control >= 0) bag->SetParameter(kControlType, test::Val(TypeOfFormatControl{c.control}));
    RefCntPtr<FormatItemPresModel> existing = c.existing;
    ExpectFormatError([&] { Ser<FormatItemPresModel>::ToObject(bag, 0, existing ? &existing : nullptr); }, c.text);
  }
}

TEST(FormatPane, TheReaderCreatesTheClassTheDiscriminantsName) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(kItemType, test::Val(TypeOfFormatItem{2}));
  bag->SetParameter(kControlType, test::Val(TypeOfFormatControl{5}));
  bag->SetParameter(0xd96824e7, test::Val(true));
  const auto toggle = Ser<FormatItemPresModel>::ToObject(bag, 0, nullptr);
  ASSERT_EQ(typeid(*toggle), typeid(ToggleControlPresModel));
  EXPECT_TRUE(dynamic_cast<const ToggleControlPresModel&>(*toggle).GetValue());

  auto plain = MakeRefCnt<Parameters>();
  plain->SetParameter(kWidgetIdentifier, test::Val(TString(u"w")));
  plain->SetParameter(kControlType, test::Val(TypeOfFormatControl{5}));  // below a level not named
  const auto item = Ser<FormatItemPresModel>::ToObject(plain, 0, nullptr);
  ASSERT_EQ(typeid(*item), typeid(FormatItemPresModel));
  EXPECT_EQ(item->GetWidgetIdentifier(), TString(u"w"));

  auto wrongType = MakeRefCnt<Parameters>();
  wrongType->SetParameter(kItemType, test::Val(TString(u"formatControl x")));
  EXPECT_EQ(typeid(*Ser<FormatItemPresModel>::ToObject(wrongType, 0, nullptr)), typeid(FormatItemPresModel));
}

TEST(FormatPane, AWholePaneTravelsThroughWireTextLevelByLevel) {
  auto display = MakeRefCnt<DisplayFormatPresModel>();
  display->SetFormatString(u"#,##0.00");
  auto slider = MakeRefCnt<SliderFormatPresModel>();
  slider->SetMaximum(10);
  auto tabs = MakeRefCnt<TabbedContainerPresModel>();
  tabs->SetActiveTabIndex(1);
  tabs->AddItem(MakeRefCnt<NumericControlPresModel>(3, FormatWidgetKey{13}, Command(u"decimals")));
  auto pane = MakeRefCnt<FormatPanePresModel>();
  pane->SetName(u"Format");
  pane->AddItem(MakeRefCnt<FormatSectionPresModel>(
      u"Font", Items{MakeRefCnt<TextControlPresModel>(u"Arial", FormatWidgetKey{1}, Command(u"family")),
                     MakeRefCnt<ColorControlPresModel>(ColorObject(), FormatWidgetKey{3}, Command(u"colour"), true,
                                                       false, true, false, ColorSwatchType{1})}));
  pane->AddItem(MakeRefCnt<CollapsibleSectionPresModel>(
      Items{MakeRefCnt<ToggleControlPresModel>(true, FormatWidgetKey{4}, Command(u"c"))}));
  pane->AddItem(MakeRefCnt<CompositeContainerPresModel>(
      PickerType{5}, Items{MakeRefCnt<DisplayControlPresModel>(display, FormatWidgetKey{14}, Command(u"display"))}));
  pane->AddItem(MakeRefCnt<UnitContainerPresModel>(
      u"Units", true, Items{MakeRefCnt<SliderControlPresModel>(slider, FormatWidgetKey{16}, Command(u"c")),
                            MakeRefCnt<SelectorControlPresModel>(u"dotted", FormatWidgetKey{11}, Command(u"c")),
                            MakeRefCnt<ButtonControlPresModel>(u"Reset", FormatWidgetKey{0}, Command(u"reset"))}));
  pane->AddItem(tabs);
  pane->AddItem(MakeRefCnt<BorderSectionPresModel>());

  const std::string text = JsonCursor::Write(test::Registry(), *pane->AsIParameters());
  EXPECT_FALSE(AnyFlagSet(*pane));
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  const auto& read =
      dynamic_cast<const ValParameter<RefCntPtr<const FormatPanePresModel>>&>(*bag->GetParameter(FormatPanePresModel::ID))
          .Value();
  EXPECT_EQ(read->GetName(), TString(u"Format"));
  ASSERT_EQ(read->GetItemCount(), pane->GetItemCount());
  for (unsigned int i = 0; i < pane->GetItemCount(); ++i)
    EXPECT_EQ(typeid(*read->GetItem(i)), typeid(*pane->GetItem(i))) << i;
  const auto& font = dynamic_cast<const FormatContainerPresModel&>(*read->GetItem(0));
  ASSERT_EQ(font.GetItemCount(), 2u);
  EXPECT_EQ(dynamic_cast<const TextControlPresModel&>(*font.GetItem(0)),
            dynamic_cast<const TextControlPresModel&>(*dynamic_cast<const FormatContainerPresModel&>(*pane->GetItem(0)).GetItem(0)));
  const auto& units = dynamic_cast<const UnitContainerPresModel&>(*read->GetItem(3));
  EXPECT_TRUE(units.GetIsChanged());
  EXPECT_EQ(dynamic_cast<const SliderControlPresModel&>(*units.GetItem(0)).GetValue()->GetMaximum(), 10);
  EXPECT_EQ(dynamic_cast<const TabbedContainerPresModel&>(*read->GetItem(4)).GetActiveTabIndex(), 1);
  EXPECT_FALSE(AnyFlagSet(*read));
}

TEST(FormatPane, ConstructorsSetTheDiscriminantsOfEveryLevel) {
  const auto control = [](const FormatControlPresModel& c, int type) {
    EXPECT_EQ(c.GetTypeOfFormatItem(), TypeOfFormatItem{2});
    EXPECT_EQ(static_cast<int>(c.GetTypeOfFormatControl()), type);
    EXPECT_EQ(static_cast<int>(c.GetCommandRedirectType()), 16);
    EXPECT_EQ(c.GetWidgetKey(), kKey);
  };
  control(*MakeRefCnt<NumericControlPresModel>(1, kKey, nullptr), 1);
  control(*MakeRefCnt<TextControlPresModel>(u"", kKey, nullptr), 2);
  control(*MakeRefCnt<ColorControlPresModel>(ColorObject(), kKey, nullptr, false, false, false, false, ColorSwatchType{}), 3);
  control(*MakeRefCnt<SelectorControlPresModel>(u"", kKey, nullptr), 4);
  control(*MakeRefCnt<ToggleControlPresModel>(false, kKey, nullptr), 5);
  control(*MakeRefCnt<ButtonControlPresModel>(u"", kKey, nullptr), 6);
  control(*MakeRefCnt<DisplayControlPresModel>(nullptr, kKey, nullptr), 7);
  control(*MakeRefCnt<SliderControlPresModel>(nullptr, kKey, nullptr), 8);
  EXPECT_EQ(static_cast<int>(MakeRefCnt<TextControlPresModel>()->GetCommandRedirectType()), 22);
  const auto container = [](const FormatContainerPresModel& c, int type) {
    EXPECT_EQ(c.GetTypeOfFormatItem(), TypeOfFormatItem{1});
    EXPECT_EQ(static_cast<int>(c.GetTypeOfFormatContainer()), type);
  };
  container(*MakeRefCnt<FormatPanePresModel>(), 0);
  container(*MakeRefCnt<FormatSectionPresModel>(u"", Items{}), 1);
  container(*MakeRefCnt<CollapsibleSectionPresModel>(Items{}), 4);
  container(*MakeRefCnt<CompositeContainerPresModel>(PickerType{}, Items{}), 5);
  container(*MakeRefCnt<UnitContainerPresModel>(u"", false, Items{}), 6);
  container(*MakeRefCnt<TabPresModel>(), 1);
  container(*MakeRefCnt<TabGroupPresModel>(), 1);
  container(*MakeRefCnt<GeometrySectionPresModel>(), 13);
}

TEST(FormatPane, ControlsCompareWhatTheyEditNotTheirStateOnScreen) {
  const auto text = [](const char16_t* value, RefCntPtr<const SimpleCommandsPresModel> command,
                       FormatWidgetKey key = kKey) { return MakeRefCnt<TextControlPresModel>(value, key, std::move(command)); };
  struct Case {
    const char* what;
    RefCntPtr<TextControlPresModel> a, b;
    bool equal;
  };
  auto disabled = text(u"a", nullptr);
  disabled->SetIsEnabled(false);
  disabled->SetWidgetIdentifier(u"elsewhere");
  auto redirected = text(u"a", nullptr);
  redirected->SetCommandRedirectType(CommandRedirectType{22});
  const Case cases[] = {
      {"distinct commands of the same text", text(u"a", Command(u"c")), text(u"a", Command(u"c")), true},
      {"both without command", text(u"a", nullptr), text(u"a", nullptr), true},
      {"command and none", text(u"a", Command(u"c")), text(u"a", nullptr), false},
      {"none and command", text(u"a", nullptr), text(u"a", Command(u"c")), false},
      {"other command", text(u"a", Command(u"c")), text(u"a", Command(u"d")), false},
      {"other value", text(u"a", nullptr), text(u"b", nullptr), false},
      {"enabled and identifier ignored", disabled, text(u"a", nullptr), true},
      {"other redirect", redirected, text(u"a", nullptr), false},
      {"other key", text(u"a", nullptr, FormatWidgetKey{1}), text(u"a", nullptr), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(*c.a == *c.b, c.equal);
    EXPECT_EQ(*c.a != *c.b, !c.equal);
  }

  const auto colour = [] {
    return MakeRefCnt<ColorControlPresModel>(ColorObject(), kKey, nullptr, true, false, true, false, ColorSwatchType{1});
  };
  auto palette = colour();
  palette->SetEnablePaletteSelection(true);
  EXPECT_EQ(*palette, *colour());
  auto opaque = colour();
  opaque->SetHasOpacity(true);
  EXPECT_NE(*opaque, *colour());

  // Nested formats by identity: the same object, not an equal one.
  const auto format = MakeRefCnt<DisplayFormatPresModel>();
  EXPECT_EQ(*MakeRefCnt<DisplayControlPresModel>(format, kKey, nullptr),
            *MakeRefCnt<DisplayControlPresModel>(format, kKey, nullptr));
  EXPECT_NE(*MakeRefCnt<DisplayControlPresModel>(format, kKey, nullptr),
            *MakeRefCnt<DisplayControlPresModel>(MakeRefCnt<DisplayFormatPresModel>(), kKey, nullptr));
  EXPECT_NE(*MakeRefCnt<SliderControlPresModel>(MakeRefCnt<SliderFormatPresModel>(), kKey, nullptr),
            *MakeRefCnt<SliderControlPresModel>(MakeRefCnt<SliderFormatPresModel>(), kKey, nullptr));
  EXPECT_NE(*MakeRefCnt<ButtonControlPresModel>(u"a", kKey, nullptr), *MakeRefCnt<ButtonControlPresModel>(u"b", kKey, nullptr));
  EXPECT_NE(*MakeRefCnt<NumericControlPresModel>(1, kKey, nullptr), *MakeRefCnt<NumericControlPresModel>(2, kKey, nullptr));
}

}  // namespace
