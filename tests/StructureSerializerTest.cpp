// The object form of a structure serializer: its slots and their errors.

#include "TestSupport.h"

namespace {

using Pair = FieldCaptionPairPresModel;
using PairPtr = RefCntPtr<const Pair>;
using PairSerializer = StructSerializer<PairPtr, RefCntPtr<Pair>>;

RefCntPtr<IStructureSerializer> Make() { return CreateStructureSerializer<PairSerializer>(); }

TEST(StructureSerializerSlots, SerializeParameterInOrOutOfASubStructure) {
  const auto s = Make();
  const auto p = test::Pair(u"f", u"c");
  TraceCursor inside(test::Registry());
  s->SerializeParameter(test::Val(p), 0xd6ccfec3, inside, true);
  EXPECT_EQ(inside.Output(), test::Lines({"Begin SubStructure 0xd6ccfec3", "Parameter 0xd90f8c9b f",
                                          "Parameter 0xd6a5b43f c", "End"}));
  TraceCursor inPlace(test::Registry());
  s->SerializeParameter(test::Val(p), 0xd6ccfec3, inPlace, false);
  EXPECT_EQ(inPlace.Output(), test::Lines({"Parameter 0xd90f8c9b f", "Parameter 0xd6a5b43f c"}));
}

TEST(StructureSerializerSlots, WrongHoldersRaiseTypeMismatchWithIdZero) {
  const auto s = Make();
  TraceCursor cursor(test::Registry());
  auto bag = MakeRefCnt<Parameters>();
  test::ExpectTypeMismatch([&] { s->SerializeParameter(test::Val(7), 1, cursor, true); });
  test::ExpectTypeMismatch([&] { s->SerializeParameter(test::Val(std::vector<PairPtr>{}), 1, cursor, true); });
  test::ExpectTypeMismatch([&] { s->JoinList({test::Val(7)}, bag, 1); });
  test::ExpectTypeMismatch([&] { s->JoinMap({{TString(u"k"), test::Val(TString(u"x"))}}, bag, 1); });
  // Another model's holder is another type, even when it holds a model.
  test::ExpectTypeMismatch([&] { s->JoinList({test::Val(RefCntPtr<const DirectPresModel>())}, bag, 1); });
  EXPECT_EQ(bag->GetCount(), 0u);
}

TEST(StructureSerializerSlots, NullParametersRaiseTheNullPointerAssertion) {
  const auto s = Make();
  TraceCursor cursor(test::Registry());
  auto bag = MakeRefCnt<Parameters>();
  test::ExpectNullPointerAssertion([&] { s->SerializeParameter(nullptr, 1, cursor, true); });
  test::ExpectNullPointerAssertion([&] { s->JoinList({test::Val(test::Pair(u"a", u"b")), nullptr}, bag, 1); });
  test::ExpectNullPointerAssertion([&] { s->JoinList({}, nullptr, 1); });
  test::ExpectNullPointerAssertion([&] { s->DeserializeParameter(nullptr, 1); });
}

TEST(StructureSerializerSlots, SplitAndJoinKeepOrderKeysAndNulls) {
  const auto s = Make();
  const auto a = test::Pair(u"a", u"A");
  const auto b = test::Pair(u"b", u"B");
  const auto items = s->SplitList(test::Val(std::vector<PairPtr>{a, nullptr, b}));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[1]->IsNull());
  auto bag = MakeRefCnt<Parameters>();
  s->JoinList({items[0], items[2]}, bag, 0xd6ff000f);
  const auto& joined = dynamic_cast<const ValParameter<std::vector<PairPtr>>&>(*bag->GetParameter(0xd6ff000f));
  EXPECT_EQ(joined.Value(), (std::vector<PairPtr>{a, b}));

  const auto entries = s->SplitMap(test::Val(std::map<TString, PairPtr>{{u"x", a}, {u"y", b}}));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries.at(u"y")->GetStructure().get(), b.get());
  s->JoinMap(entries, bag, 7);
  const auto& map = dynamic_cast<const ValParameter<std::map<TString, PairPtr>>&>(*bag->GetParameter(7));
  EXPECT_EQ(map.Value().at(u"x"), a);
}

TEST(StructureSerializerSlots, DeserializeWrapsToObjectAndTheRestAreInert) {
  const auto s = Make();
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6a5b43f, test::Val(TString(u"cap")));
  const auto p = s->DeserializeParameter(bag, 0xd6ccfec3);
  const auto& held = dynamic_cast<const ValParameter<PairPtr>&>(*p);
  EXPECT_EQ(held.Value()->GetFieldCaption(), TString(u"cap"));
  EXPECT_FALSE(s->ParsesStringList());
  s->SetContext(bag, 1, bag);
  EXPECT_EQ(bag->GetCount(), 1u);
  EXPECT_TRUE(PairSerializer::IsComposite());
}

TEST(ToObject, FillsAnExistingModelAndRaisesForAnExistingNull) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6a5b43f, test::Val(TString(u"cap")));
  auto existing = MakeRefCnt<Pair>();
  existing->SetFieldName(FieldName(u"kept"));
  const auto filled = PairSerializer::ToObject(bag, 0, &existing);
  EXPECT_EQ(filled.get(), existing.get());
  EXPECT_EQ(filled->GetFieldName(), FieldName(u"kept"));
  EXPECT_EQ(filled->GetFieldCaption(), TString(u"cap"));

  RefCntPtr<Pair> none;
  test::ExpectNullPointerAssertion([&] { PairSerializer::ToObject(bag, 0, &none); });
  // With nothing to read, a null existing model is handed back.
  EXPECT_EQ(PairSerializer::ToObject(MakeRefCnt<Parameters>(), 0, &none), nullptr);
  test::ExpectNullPointerAssertion([&] { PairSerializer::ToObject(nullptr, 0, nullptr); });
}

TEST(ToObject, ContextualValuesReadThroughTheirColumn) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd64152c0, test::Val(TString(u"integer")));
  bag->SetParameter(0xd6ff0019, test::Val(TString(u"42")));
  const auto sink = StructSerializer<RefCntPtr<const KitchenSinkPresModel>, RefCntPtr<KitchenSinkPresModel>>::ToObject(
      bag, 0, nullptr);
  EXPECT_EQ(sink->GetValue(), DataValue(std::int64_t{42}));
}

TEST(ToObject, MembersWrittenButNotReadKeepTheirStart) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6ff001a, test::Val(false));
  bag->SetParameter(0xd6ff000d, test::Val(9));  // read through the int serializer
  const auto sink = StructSerializer<RefCntPtr<const KitchenSinkPresModel>, RefCntPtr<KitchenSinkPresModel>>::ToObject(
      bag, 0, nullptr);
  EXPECT_TRUE(sink->GetHidden());
  EXPECT_EQ(sink->GetIconIndex(), 9u);
}

}  // namespace
