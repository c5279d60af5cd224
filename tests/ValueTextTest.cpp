// Text forms of built-in values and of strings: what round-trips and what is refused.

#include <cmath>
#include <limits>

#include "TestSupport.h"
#include "vqxpreslayer/BuiltinValueText.h"

namespace {

template <typename T>
T Parse(const char16_t* text) {
  return ValueText<T>::FromString(TString(text));
}

TEST(ValueTexts, NumbersRoundTripAndRefuseWhatIsNotOne) {
  EXPECT_EQ(Parse<int>(u"-2147483648"), std::numeric_limits<int>::min());
  EXPECT_EQ(Parse<unsigned int>(u"4294967295"), 4294967295u);
  EXPECT_EQ(ValueText<double>::ToString(0.1).ToUtf8(), "0.1");
  EXPECT_EQ(Parse<double>(ValueText<double>::ToString(1.0 / 3).Data()), 1.0 / 3);
  EXPECT_EQ(Parse<float>(ValueText<float>::ToString(3.14159f).Data()), 3.14159f);
  EXPECT_TRUE(std::isnan(Parse<double>(ValueText<double>::ToString(std::nan("")).Data())));
  EXPECT_EQ(Parse<double>(u"-inf"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Parse<std::int64_t>(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());

  const std::pair<const char*, void (*)()> refused[] = {
      {"int past its range", [] { Parse<int>(u"2147483648"); }},
      {"negative unsigned", [] { Parse<unsigned int>(u"-1"); }},
      {"empty", [] { Parse<int>(u""); }},
      {"trailing text", [] { Parse<int>(u"12abc"); }},
      {"leading space", [] { Parse<int>(u" 12"); }},
      {"non-ASCII digit", [] { Parse<int>(u"\u0661"); }},
      {"not a flag", [] { Parse<bool>(u"True"); }},
      {"not a real", [] { Parse<double>(u"1e"); }},
      {"unknown data value form", [] { Parse<DataValue>(u"%x:1"); }},
  };
  for (const auto& [what, f] : refused) EXPECT_THROW(f(), ValueTextException) << what;
}

TEST(ValueTexts, DataValuesDescribeTheirOwnType) {
  for (const DataValue& v : {DataValue(), DataValue(true), DataValue(std::int64_t{-5}), DataValue(2.5),
                             DataValue(TString(u"plain")), DataValue(TString(u"%looks like a tag"))})
    EXPECT_EQ(Parse<DataValue>(ValueText<DataValue>::ToString(v).Data()), v) << ValueText<DataValue>::ToString(v).ToUtf8();
}

TEST(Strings, Utf8ConversionKeepsEveryCodeUnit) {
  const std::u16string units{u'a', 0, 0xE9, 0x6570, 0xD83D, 0xDCCA, 0xD800, u'z', 0xDFFF};
  const TString text(units);
  EXPECT_EQ(TString::FromUtf8(text.ToUtf8()), text);
  ASSERT_TRUE(TString::FromUtf8Checked(text.ToUtf8()));
  EXPECT_EQ(*TString::FromUtf8Checked(text.ToUtf8()), text);
}

TEST(Strings, MalformedUtf8IsRefusedWhenCheckedAndReplacedOtherwise) {
  const char* malformed[] = {"\xff", "\xc0\x80" /* overlong */, "\xe0\x80\x80", "\xf4\x90\x80\x80" /* past U+10FFFF */,
                             "\xe6\x95" /* truncated */, "\x80"};
  for (const char* m : malformed) {
    EXPECT_FALSE(TString::FromUtf8Checked(m)) << m;
    EXPECT_NE(TString::FromUtf8(m).Str().find(u'\uFFFD'), std::u16string::npos);
  }
}

TEST(Strings, WideLiteralsAndOrdering) {
  EXPECT_EQ(TString(L"caf\u00e9 \U0001F4CA"), TString(u"caf\u00e9 \U0001F4CA"));
  EXPECT_LT(TString(u"B"), TString(u"a"));  // by code unit, no case folding
  EXPECT_LT(TString(u""), TString(u"a"));
}

}  // namespace
