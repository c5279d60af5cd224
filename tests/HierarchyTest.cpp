// A model family written and read back as its concrete classes.

#include <algorithm>
#include <cstdio>

#include "TestSupport.h"

namespace {

constexpr std::uint32_t kCircle = 0xd6ff0030, kRing = 0xd6ff0031, kGroup = 0xd6ff0032, kShapeItem = 0xd6ff0033;

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;

template <typename M>
RefCntPtr<M> Make(std::uint32_t kind, const char16_t* name) {
  auto m = MakeRefCnt<M>();
  m->SetKind(static_cast<DocParameterID>(kind));
  m->SetName(name);
  return m;
}

// The output of a shape written as the only item of a group's list of shapes.
std::vector<std::string> AsListItem(RefCntPtr<const TestShapePresModel> shape) {
  auto group = Make<TestShapeGroupPresModel>(kGroup, u"g");
  group->AddShape(std::move(shape));
  group->SetFrame(test::Pair(u"f", u"c"));
  const auto out = test::OutputOf(RefCntPtr<const TestShapeGroupPresModel>(group));
  auto first = std::find(out.begin(), out.end(), "Begin SubStructure 0xd6ff0033");
  auto last = std::find(first, out.end(), "End");
  return std::vector<std::string>(first + 1, last);
}

const std::vector<std::string> kBaseOf(std::uint32_t kind, const char* name) {
  test::Registry();
  return {"Parameter 0xd6ff0020 " + ValueText<DocParameterID>::ToString(DocParameterID{kind}).ToUtf8(),
          std::string("Parameter 0xd6ff0021 ") + name, "Parameter 0xd6ff0022 0"};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Hierarchy, EachLevelIsWrittenOnceWhicheverWriterComesFirst) {
  auto ring = Make<TestRingPresModel>(kRing, u"r");
  ring->SetRadius(5);
  ring->SetInner(2);
  const auto expected = Join(kBaseOf(kRing, "r"), {"Parameter 0xd6ff0023 5", "Parameter 0xd6ff0024 2"});
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestRingPresModel>(MakeRefCnt<TestRingPresModel>(*ring))), expected);
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestCirclePresModel>(MakeRefCnt<TestRingPresModel>(*ring))), expected);
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestShapePresModel>(MakeRefCnt<TestRingPresModel>(*ring))), expected);
  EXPECT_EQ(AsListItem(MakeRefCnt<TestRingPresModel>(*ring)), expected);
}

TEST(Hierarchy, AKindNamingAnotherClassWritesTheLevelsTheModelHas) {
  auto circle = Make<TestCirclePresModel>(kRing, u"c");  // claims to be a ring
  circle->SetRadius(3);
  EXPECT_EQ(AsListItem(circle), kBaseOf(kRing, "c"));
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestCirclePresModel>(Make<TestCirclePresModel>(kRing, u"c"))),
            Join(kBaseOf(kRing, "c"), {"Parameter 0xd6ff0023 0"}));
}

TEST(Hierarchy, AKindNamingAClassAboveTheWriterAddsNothing) {
  auto circle = Make<TestCirclePresModel>(kShapeItem, u"c");  // names the root class
  circle->SetRadius(4);
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestCirclePresModel>(circle)),
            Join(kBaseOf(kShapeItem, "c"), {"Parameter 0xd6ff0023 4"}));
}

TEST(Hierarchy, AKindOutsideTheListIsHandedToItsRegisteredSerializer) {
  EXPECT_EQ(AsListItem(Make<TestShapePresModel>(kShapeItem, u"s")), kBaseOf(kShapeItem, "s"));
  // Nothing is registered under 0: the hand-on raises.
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion(
      [&] { Ser<TestShapePresModel>::SerializeObj(Make<TestShapePresModel>(0, u"s"), cursor); });
}

TEST(Hierarchy, FlagsAndDepthAreRestoredWhenAWriteRaises) {
  auto group = Make<TestShapeGroupPresModel>(kGroup, u"g");  // Frame is written always and is null
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] { Ser<TestShapePresModel>::SerializeObj(group, cursor); });
  EXPECT_FALSE(group->GetSerializing());
  EXPECT_FALSE(group->GetIsSerializingTestShapeGroupPresModel());
  EXPECT_EQ(cursor.OpenScopes(), 0);
  EXPECT_TRUE(group->GetSerializedVal().empty());

  group->SetFrame(test::Pair(u"f", u"c"));
  const auto out = test::OutputOf(RefCntPtr<const TestShapeGroupPresModel>(group));
  EXPECT_EQ(out.front(), "Parameter 0xd6ff0020 TestShapeGroup");
  EXPECT_EQ(out.back(), "End");
}

TEST(Hierarchy, TheCacheHoldsTheWholeModelWhicheverWriterFilledIt) {
  auto ring = Make<TestRingPresModel>(kRing, u"r");
  const RefCntPtr<const TestShapePresModel> shared(ring);
  const auto first = test::OutputOf(shared);
  EXPECT_EQ(test::TraceOf(RefCntPtr<const TestRingPresModel>(ring)), test::Lines({"ReplayCapture"}));
  EXPECT_EQ(test::OutputOf(RefCntPtr<const TestRingPresModel>(ring)), first);
}

TEST(Hierarchy, TheRootReaderReturnsTheClassTheKindNames) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6ff0020, test::Val(static_cast<DocParameterID>(kRing)));
  bag->SetParameter(0xd6ff0021, test::Val(TString(u"r")));
  bag->SetParameter(0xd6ff0023, test::Val(4));
  bag->SetParameter(0xd6ff0024, test::Val(1));
  const RefCntPtr<TestShapePresModel> read = Ser<TestShapePresModel>::ToObject(bag, kShapeItem, nullptr);
  const auto* ring = dynamic_cast<const TestRingPresModel*>(read.get());
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(ring->GetName(), TString(u"r"));
  EXPECT_EQ(ring->GetRadius(), 4);
  EXPECT_EQ(ring->GetInner(), 1);

  bag->SetParameter(0xd6ff0020, test::Val(static_cast<DocParameterID>(kShapeItem)));
  const auto plain = Ser<TestShapePresModel>::ToObject(bag, kShapeItem, nullptr);
  EXPECT_EQ(dynamic_cast<const TestCirclePresModel*>(plain.get()), nullptr);
  EXPECT_EQ(plain->GetName(), TString(u"r"));
}

}  // namespace
