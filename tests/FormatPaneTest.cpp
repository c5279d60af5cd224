// The format pane: three checked levels (item, container, control) written root level first
// and read back as the classes their discriminants name; the errors of both directions; the
// constructors and comparisons of controls.

#include <algorithm>
#include <functional>

#include "ModelEquality.h"
#include "TestSupport.h"
#include "framework/Catalogue.h"
#include "models/FormatModels.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;
using Items = std::vector<RefCntPtr<const FormatItemPresModel>>;
using Item = RefCntPtr<FormatItemPresModel>;

constexpr std::uint32_t kItemType = 0xd6a8650a, kContainerType = 0xd6d960c5, kControlType = 0xd6068180,
                        kWidgetIdentifier = 0xd63ed3c9;
constexpr auto kKey = FormatWidgetKey{2};

RefCntPtr<const SimpleCommandsPresModel> Command(const char16_t* text) {
  return MakeRefCnt<SimpleCommandsPresModel>(text);
}

Item InSection(Item item) { return MakeRefCnt<FormatSectionPresModel>(u"s", Items{item}); }

template <typename M>
Item With(void (*change)(M&)) {
  auto m = MakeRefCnt<M>();
  change(*m);
  return m;
}

// Whether a serializing flag of any class of the model, or of the models below it, is set.
bool AnyFlagSet(const FormatItemPresModel& item) {
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& info = get();
    if (info.HasSerializingFlag() && info.isInstance(&item) &&
        (*info.SerializingFlag(&item) || *info.HierarchyDepth(&item) != 0))
      return true;
  }
  if (const auto* c = dynamic_cast<const FormatContainerPresModel*>(&item))
    for (const auto& child : c->GetItems())
      if (child && AnyFlagSet(*child)) return true;
  return false;
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

// Whether two controls of class M built from the values a and b compare equal.
template <typename M, typename V, typename W>
bool Same(const V& a, const W& b) {
  return *MakeRefCnt<M>(a, kKey, nullptr) == *MakeRefCnt<M>(b, kKey, nullptr);
}

TEST(FormatPane, AControlWritesTheSameFieldsDirectlyAndAsAnItem) {
  for (const bool withCommand : {true, false}) {
    SCOPED_TRACE(withCommand);
    const auto control = [&] {
      return MakeRefCnt<TextControlPresModel>(u"Arial", kKey, withCommand ? Command(u"font") : nullptr);
    };
    const auto direct = test::OutputOf(RefCntPtr<const TextControlPresModel>(control()));
    std::vector<std::uint32_t> ids{kItemType, kWidgetIdentifier, kControlType, 0xd61c690f, 0xd6e19c2f,
                                   0xd6b5d110, 0xd9494195, 0xd994fa09};
    if (!withCommand) ids.erase(ids.begin() + 5);  // a missing command writes nothing
    EXPECT_EQ(ParameterIds(direct), ids);
    auto pane = MakeRefCnt<FormatPanePresModel>();
    pane->AddItem(control());
    for (const Item& container : {InSection(control()), Item(pane)}) {
      const auto out = test::OutputOf(RefCntPtr<const FormatItemPresModel>(container));
      const auto first = std::find(out.begin(), out.end(), std::string("Begin SubStructure 0xd66b44b9"));
      ASSERT_NE(first, out.end());
      const auto last = std::find(first, out.end(), "End");
      EXPECT_EQ(std::vector<std::string>(first + 1, last), direct);
      EXPECT_FALSE(AnyFlagSet(*container));
    }
  }
}

TEST(FormatPane, WriterErrorsNameTheLevelAndLeaveEveryFlagFalse) {
  struct Case {
    const char* what;
    std::function<Item()> make;
    std::string text;
  };
  const std::string unexpected = "Unexpected value of property TypeOf", cast = "Unable to down cast model of type ";
  using Container = TypeOfFormatContainer;
  using Control = TypeOfFormatControl;
  const Case cases[] = {
      {"plain item", [] { return MakeRefCnt<FormatItemPresModel>(); }, unexpected + "FormatItem"},
      {"default control", [] { return MakeRefCnt<FormatControlPresModel>(); }, unexpected + "FormatControl"},
      {"default control with a command",
       [] { return With<FormatControlPresModel>([](auto& c) { c.SetFormatCommand(Command(u"c")); }); },
       unexpected + "FormatControl"},
      {"text control typed none",
       [] { return With<TextControlPresModel>([](auto& t) { t.SetTypeOfFormatControl(Control{0}); }); },
       unexpected + "FormatControl"},
      {"default control deep in a pane",
       [] {
         auto pane = MakeRefCnt<FormatPanePresModel>();
         pane->AddItem(MakeRefCnt<TextControlPresModel>());
         pane->AddItem(InSection(MakeRefCnt<FormatControlPresModel>()));
         return pane;
       },
       unexpected + "FormatControl"},
      {"plain container", [] { return MakeRefCnt<FormatContainerPresModel>(); },
       cast + "FormatContainer to type FormatSection"},
      {"tab in a section", [] { return InSection(MakeRefCnt<TabPresModel>()); },
       cast + "FormatContainer to type FormatSection"},
      {"tab group in a section", [] { return InSection(MakeRefCnt<TabGroupPresModel>()); },
       cast + "FormatContainer to type FormatSection"},
      {"tab typed as a tab",
       [] { return InSection(With<TabPresModel>([](auto& t) { t.SetTypeOfFormatContainer(Container{7}); })); },
       unexpected + "FormatContainer"},
      {"tab group typed as a tab group",
       [] { return InSection(With<TabGroupPresModel>([](auto& t) { t.SetTypeOfFormatContainer(Container{8}); })); },
       unexpected + "FormatContainer"},
      {"section typed as geometry",
       [] { return With<FormatSectionPresModel>([](auto& s) { s.SetTypeOfFormatContainer(Container{13}); }); },
       cast + "FormatContainer to type GeometrySection"},
      {"control typed as container",
       [] { return InSection(With<TextControlPresModel>([](auto& t) { t.SetTypeOfFormatItem(TypeOfFormatItem{1}); })); },
       cast + "FormatItem to type FormatContainer"},
      {"section typed as control",
       [] { return With<FormatSectionPresModel>([](auto& s) { s.SetTypeOfFormatItem(TypeOfFormatItem{2}); }); },
       cast + "FormatItem to type FormatControl"},
      {"text typed as slider",
       [] { return With<TextControlPresModel>([](auto& t) { t.SetTypeOfFormatControl(Control{8}); }); },
       cast + "FormatControl to type SliderControl"},
      {"slider without its format", [] { return InSection(MakeRefCnt<SliderControlPresModel>()); },
       "Null pointer dereferenced"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Item model = c.make();
    TraceCursor cursor(test::Registry());
    const auto write = [&] { Ser<FormatItemPresModel>::SerializeObj(model, cursor); };
    if (c.text == "Null pointer dereferenced")
      test::ExpectNullPointerAssertion(write);
    else
      ExpectFormatError(write, c.text);
    EXPECT_EQ(cursor.OpenScopes(), 0);
    EXPECT_FALSE(AnyFlagSet(*model));
  }
}

TEST(FormatPane, TabsTravelThroughTheirOwnSerializers) {
  auto tab = MakeRefCnt<TabPresModel>();
  tab->SetLabel(u"Sheet");
  tab->AddItem(MakeRefCnt<ToggleControlPresModel>(true, kKey, nullptr));
  const auto tabBack = test::ThroughTextSettled(tab);
  ASSERT_TRUE(tabBack);
  EXPECT_EQ(tabBack->GetLabel(), TString(u"Sheet"));
  ASSERT_EQ(tabBack->GetItemCount(), 1u);
  EXPECT_EQ(typeid(*tabBack->GetItem(0)), typeid(ToggleControlPresModel));
  auto group = MakeRefCnt<TabGroupPresModel>();
  group->SetPickerType(PickerType{2});
  const auto groupBack = test::ThroughTextSettled(group);
  ASSERT_TRUE(groupBack);
  EXPECT_EQ(groupBack->GetPickerType(), PickerType{2});
  EXPECT_FALSE(AnyFlagSet(*tab) || AnyFlagSet(*group));
}

TEST(FormatPane, ReaderErrorsInCreationAndInFilling) {
  struct Case {
    const char* what;
    Item existing;                 // null: the reader creates the model
    int item, container, control;  // -1: not in the bag
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
    Item existing = c.existing;
    ExpectFormatError([&] { Ser<FormatItemPresModel>::ToObject(bag, 0, existing ? &existing : nullptr); }, c.text);
  }
}

TEST(FormatPane, TheReaderCreatesTheClassTheDiscriminantsName) {
  constexpr int kAbsent = -1, kText = -2;  // not in the bag; held as text, not as the enumeration
  struct Case {
    const char* what;
    int item, container, control;
    const std::type_info& type;
  };
  const Case cases[] = {
      {"toggle control", 2, kAbsent, 5, typeid(ToggleControlPresModel)},
      {"no item type", kAbsent, kAbsent, 5, typeid(FormatItemPresModel)},
      {"item type as text", kText, kAbsent, 5, typeid(FormatItemPresModel)},
      {"container without its type", 1, kAbsent, kAbsent, typeid(FormatContainerPresModel)},
      {"container type as text", 1, kText, kAbsent, typeid(FormatContainerPresModel)},
      {"control without its type", 2, kAbsent, kAbsent, typeid(FormatControlPresModel)},
      {"pane", 1, 0, kAbsent, typeid(FormatPanePresModel)},
      {"geometry section", 1, 13, kAbsent, typeid(GeometrySectionPresModel)},
      {"slider control", 2, kAbsent, 8, typeid(SliderControlPresModel)},
  };
  const auto put = [](Parameters& bag, std::uint32_t id, int value, auto type) {
    if (value == kText) bag.SetParameter(id, test::Val(TString(u"formatControl")));
    if (value >= 0) bag.SetParameter(id, test::Val(decltype(type){value}));
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bag = MakeRefCnt<Parameters>();
    put(*bag, kItemType, c.item, TypeOfFormatItem{});
    put(*bag, kContainerType, c.container, TypeOfFormatContainer{});
    put(*bag, kControlType, c.control, TypeOfFormatControl{});
    bag->SetParameter(kWidgetIdentifier, test::Val(TString(u"w")));
    bag->SetParameter(0xd96824e7, test::Val(true));  // the toggle's value
    const auto read = Ser<FormatItemPresModel>::ToObject(bag, 0, nullptr);
    ASSERT_EQ(typeid(*read), c.type);
    EXPECT_EQ(read->GetWidgetIdentifier(), TString(u"w"));
    if (const auto* toggle = dynamic_cast<const ToggleControlPresModel*>(read.get())) {
      EXPECT_TRUE(toggle->GetValue());
    }
  }
  // The container level's own reader chooses among containers the same way.
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(kItemType, test::Val(TypeOfFormatItem{1}));
  bag->SetParameter(kContainerType, test::Val(TypeOfFormatContainer{4}));
  EXPECT_EQ(typeid(*Ser<FormatContainerPresModel>::ToObject(bag, 0, nullptr)), typeid(CollapsibleSectionPresModel));
}

TEST(FormatPane, EveryClassThatCanBeAnItemTravelsThroughWireTextAsItself) {
  auto display = MakeRefCnt<DisplayFormatPresModel>();
  display->SetFormatString(u"#,##0.00");
  auto slider = MakeRefCnt<SliderFormatPresModel>();
  slider->SetMaximum(10);
  auto tabs = MakeRefCnt<TabbedContainerPresModel>();
  tabs->SetActiveTabIndex(1);
  tabs->AddItem(MakeRefCnt<NumericControlPresModel>(3, FormatWidgetKey{13}, Command(u"decimals")));
  auto geometry = MakeRefCnt<GeometrySectionPresModel>();
  auto rectangle = MakeRefCnt<RectanglePresModel>();
  rectangle->SetWidth(40);
  geometry->SetZoneRectangle(rectangle);
  geometry->SetCanFloat(true);
  auto tab = MakeRefCnt<TabContainerPresModel>();
  tab->SetTabName(u"Sheet");
  auto nested = MakeRefCnt<NestedSectionPresModel>();
  nested->SetDisplayChildren(true);
  nested->AddItem(MakeRefCnt<LinkedSectionPresModel>());
  auto inner = MakeRefCnt<FormatPanePresModel>();
  inner->SetInfoMessage(u"inner");
  auto off = MakeRefCnt<ToggleControlPresModel>(false, FormatWidgetKey{4}, nullptr);
  off->SetIsEnabled(false);

  auto pane = MakeRefCnt<FormatPanePresModel>();
  pane->SetName(u"Format");
  pane->AddItem(MakeRefCnt<FormatSectionPresModel>(
      u"Font", Items{MakeRefCnt<TextControlPresModel>(u"Arial", FormatWidgetKey{1}, Command(u"family")),
                     MakeRefCnt<ColorControlPresModel>(ColorObject(1, 2, 3), FormatWidgetKey{3}, Command(u"colour"),
                                                       true, false, true, false, ColorSwatchType{1})}));
  pane->AddItem(MakeRefCnt<CollapsibleSectionPresModel>(
      Items{MakeRefCnt<ToggleControlPresModel>(true, FormatWidgetKey{4}, Command(u"c")), off}));
  pane->AddItem(MakeRefCnt<CompositeContainerPresModel>(
      PickerType{5}, Items{MakeRefCnt<DisplayControlPresModel>(display, FormatWidgetKey{14}, Command(u"display"))}));
  pane->AddItem(MakeRefCnt<UnitContainerPresModel>(
      u"Units", true, Items{MakeRefCnt<SliderControlPresModel>(slider, FormatWidgetKey{16}, Command(u"c")),
                            MakeRefCnt<SelectorControlPresModel>(u"dotted", FormatWidgetKey{11}, Command(u"c")),
                            MakeRefCnt<ButtonControlPresModel>(u"Reset", FormatWidgetKey{0}, nullptr)}));
  for (const Item& item : {Item(tabs), Item(tab), Item(nested), Item(MakeRefCnt<BorderSectionPresModel>()),
                           Item(MakeRefCnt<ShadingSectionPresModel>()), Item(geometry), Item(inner)})
    pane->AddItem(item);

  const auto read = test::ThroughTextSettled(pane);
  ASSERT_TRUE(read);
  EXPECT_FALSE(AnyFlagSet(*pane));
  EXPECT_FALSE(AnyFlagSet(*read));
  EXPECT_EQ(test::ModelDifference(test::Registry(), pane.get(), read.get()), "") << test::Text(pane);
  ASSERT_EQ(read->GetItemCount(), pane->GetItemCount());
  for (unsigned int i = 0; i < pane->GetItemCount(); ++i)
    EXPECT_EQ(typeid(*read->GetItem(i)), typeid(*pane->GetItem(i))) << i;
  const auto& units = dynamic_cast<const UnitContainerPresModel&>(*read->GetItem(3));
  EXPECT_EQ(dynamic_cast<const SliderControlPresModel&>(*units.GetItem(0)).GetValue()->GetMaximum(), 10);
  EXPECT_EQ(dynamic_cast<const GeometrySectionPresModel&>(*read->GetItem(9)).GetZoneRectangle()->GetWidth(), 40);
}

TEST(FormatPane, ConstructorsSetTheValueTheKeyTheCommandAndTheClassChain) {
  const auto command = Command(u"apply");
  const auto display = MakeRefCnt<DisplayFormatPresModel>();
  const auto slider = MakeRefCnt<SliderFormatPresModel>();
  const auto numeric = MakeRefCnt<NumericControlPresModel>(7, kKey, command);
  const auto text = MakeRefCnt<TextControlPresModel>(u"t", kKey, command);
  const auto colour =
      MakeRefCnt<ColorControlPresModel>(ColorObject(1, 2, 3), kKey, command, true, false, true, true, ColorSwatchType{1});
  const auto selector = MakeRefCnt<SelectorControlPresModel>(u"s", kKey, command);
  const auto toggle = MakeRefCnt<ToggleControlPresModel>(true, kKey, command);
  const auto button = MakeRefCnt<ButtonControlPresModel>(u"b", kKey, command);
  const auto displayControl = MakeRefCnt<DisplayControlPresModel>(display, kKey, command);
  const auto sliderControl = MakeRefCnt<SliderControlPresModel>(slider, kKey, command);
  const std::pair<RefCntPtr<const FormatControlPresModel>, int> controls[] = {
      {numeric, 1}, {text, 2}, {colour, 3}, {selector, 4}, {toggle, 5}, {button, 6}, {displayControl, 7},
      {sliderControl, 8}};
  for (const auto& [control, type] : controls) {
    SCOPED_TRACE(type);
    EXPECT_EQ(control->GetTypeOfFormatItem(), TypeOfFormatItem{2});
    EXPECT_EQ(static_cast<int>(control->GetTypeOfFormatControl()), type);
    EXPECT_EQ(static_cast<int>(control->GetCommandRedirectType()), 16);
    EXPECT_EQ(control->GetWidgetKey(), kKey);
    EXPECT_EQ(control->GetFormatCommand(), command);
    EXPECT_TRUE(control->GetIsEnabled());
    EXPECT_FALSE(AnyFlagSet(*control));
  }
  EXPECT_EQ(numeric->GetValue(), 7u);
  EXPECT_EQ(text->GetValue(), TString(u"t"));
  EXPECT_EQ(colour->GetValue(), ColorObject(1, 2, 3));
  EXPECT_TRUE(colour->GetCanBeAuto() && !colour->GetCanBeNone() && colour->GetCanMatchMarkColor() &&
              colour->GetHasOpacity());
  EXPECT_EQ(colour->GetColorSwatchType(), ColorSwatchType{1});
  EXPECT_EQ(selector->GetValue(), TString(u"s"));
  EXPECT_TRUE(toggle->GetValue());
  EXPECT_EQ(button->GetLabel(), TString(u"b"));
  EXPECT_EQ(displayControl->GetValue(), display);
  EXPECT_EQ(sliderControl->GetValue(), slider);
  EXPECT_EQ(static_cast<int>(MakeRefCnt<TextControlPresModel>()->GetCommandRedirectType()), 22);

  const Items items{MakeRefCnt<ToggleControlPresModel>(true, kKey, nullptr), MakeRefCnt<BorderSectionPresModel>()};
  const auto section = MakeRefCnt<FormatSectionPresModel>(u"Font", items);
  const auto composite = MakeRefCnt<CompositeContainerPresModel>(PickerType{3}, items);
  const auto unit = MakeRefCnt<UnitContainerPresModel>(u"px", true, items);
  const std::pair<RefCntPtr<const FormatContainerPresModel>, int> containers[] = {
      {section, 1}, {MakeRefCnt<CollapsibleSectionPresModel>(items), 4}, {composite, 5}, {unit, 6}};
  for (const auto& [container, type] : containers) {
    SCOPED_TRACE(type);
    EXPECT_EQ(container->GetTypeOfFormatItem(), TypeOfFormatItem{1});
    EXPECT_EQ(static_cast<int>(container->GetTypeOfFormatContainer()), type);
    EXPECT_EQ(container->GetItems(), items);
    EXPECT_FALSE(AnyFlagSet(*container));
  }
  EXPECT_EQ(section->GetName(), TString(u"Font"));
  EXPECT_EQ(composite->GetPickerType(), PickerType{3});
  EXPECT_EQ(unit->GetLabel(), TString(u"px"));
  EXPECT_TRUE(unit->GetIsChanged());
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
  // The base comparison also tells the control classes apart.
  const RefCntPtr<const FormatControlPresModel> asControl = text(u"a", nullptr);
  EXPECT_NE(*asControl, *MakeRefCnt<SelectorControlPresModel>(u"a", kKey, nullptr));
  EXPECT_EQ(*MakeRefCnt<FormatControlPresModel>(), *MakeRefCnt<FormatControlPresModel>());

  using Colour = ColorControlPresModel;
  const auto colour = [] { return MakeRefCnt<Colour>(ColorObject(), kKey, nullptr, true, false, true, false, ColorSwatchType{1}); };
  struct ColourCase {
    const char* what;
    void (*change)(Colour&);
    bool equal;
  };
  const ColourCase colours[] = {
      {"palette selection", [](Colour& c) { c.SetEnablePaletteSelection(true); }, true},
      {"value", [](Colour& c) { c.SetValue(ColorObject(1, 1, 1)); }, false},
      {"auto", [](Colour& c) { c.SetCanBeAuto(false); }, false},
      {"none", [](Colour& c) { c.SetCanBeNone(true); }, false},
      {"mark colour", [](Colour& c) { c.SetCanMatchMarkColor(false); }, false},
      {"opacity", [](Colour& c) { c.SetHasOpacity(true); }, false},
      {"swatch", [](Colour& c) { c.SetColorSwatchType(ColorSwatchType{0}); }, false},
  };
  for (const ColourCase& c : colours) {
    auto changed = colour();
    c.change(*changed);
    EXPECT_EQ(*changed == *colour(), c.equal) << c.what;
  }

  // Each class compares its own value; nested formats by identity, not by content.
  const auto display = MakeRefCnt<DisplayFormatPresModel>();
  const auto slider = MakeRefCnt<SliderFormatPresModel>();
  EXPECT_TRUE(Same<DisplayControlPresModel>(display, display));
  EXPECT_FALSE(Same<DisplayControlPresModel>(display, MakeRefCnt<DisplayFormatPresModel>()));
  EXPECT_TRUE(Same<SliderControlPresModel>(slider, slider));
  EXPECT_FALSE(Same<SliderControlPresModel>(slider, MakeRefCnt<SliderFormatPresModel>()));
  EXPECT_FALSE(Same<ButtonControlPresModel>(u"a", u"b"));
  EXPECT_FALSE(Same<NumericControlPresModel>(1, 2));
  EXPECT_FALSE(Same<ToggleControlPresModel>(true, false));
  EXPECT_FALSE(Same<SelectorControlPresModel>(u"a", u"b"));
  EXPECT_TRUE(Same<SelectorControlPresModel>(u"a", u"a"));
}

}  // namespace
