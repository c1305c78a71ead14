// The number and blink format objects: properties over the record, and their script methods.
#include <gtest/gtest.h>

#include <vector>

#include "format_test_util.h"
#include "formats/blink_format_parser.h"
#include "formats/number_format_parser.h"

namespace {

using format_test::U8;

class NoHost : public IKVMethodHost {
 public:
  void TraceValue(const CNValue&) override {}
};

// Holds a new object of the class for one test.
template <class T>
class FormatObjectTest : public testing::Test {
 protected:
  FormatObjectTest() : m_object(new T(m_store)) {}
  ~FormatObjectTest() override { m_object->Release(); }

  // Calls a method by name; the result is left in m_result.
  bool Call(std::span<const MethodEntry> methods, std::u16string_view name, std::vector<CNValue> args = {}) {
    std::vector<const CNValue*> pointers;
    for (const CNValue& arg : args) pointers.push_back(&arg);
    m_result.Clear();
    CMethodCall call{*m_object, pointers, m_result, m_host};
    for (const MethodEntry& entry : methods)
      if (entry.name == name) return entry.function(call);
    ADD_FAILURE() << "no method " << U8(name);
    return false;
  }
  static CNValue Text(std::u16string_view text) {
    CNValue value;
    value.SetString(text);
    return value;
  }
  std::string Property(std::u16string_view name) {
    CNValue value;
    EXPECT_EQ(m_object->GetProperty(name, value), 1) << U8(name);
    return U8(value.ToLiteral(false));
  }
  std::string Result() const { return U8(m_result.ToLiteral(false)); }

  CNFormatStore m_store{u"C"};
  NoHost m_host;
  CNValue m_result;
  T* m_object;
};

using NumberFormatObject = FormatObjectTest<CNPNumberFormatParser>;

TEST_F(NumberFormatObject, PropertiesAreTheRecordsKeys) {
  EXPECT_EQ(Property(u"Base"), "\"10\"");
  EXPECT_EQ(Property(u"DecimalPlaces"), "-1");
  EXPECT_EQ(Property(u"Separator"), "F");
  EXPECT_EQ(Property(u"QualityBad"), "\"***\"") << "the record of @NUMBER";
  CNValue value;
  value.SetNumber(16);
  EXPECT_EQ(m_object->SetProperty(u"Base", value), 1);
  EXPECT_EQ(m_object->GetRecord().base, 16);
  value.SetString(u"$SP");
  EXPECT_EQ(m_object->SetProperty(u"DecimalSymbol", value), 1);
  EXPECT_EQ(Property(u"DecimalSymbol"), "\"$SP\"");
  value.SetBool(true);
  EXPECT_EQ(m_object->SetProperty(u"Separator", value), 1);
  EXPECT_EQ(Property(u"Separator"), "T");
  value.SetString(u"x1");
  EXPECT_EQ(m_object->SetProperty(u"Base", value), 1);
  EXPECT_EQ(Property(u"Base"), "\"10\"") << "read back as the record holds it";
  EXPECT_EQ(m_object->SetProperty(u"DS", value), 0) << "short forms are not properties";
  EXPECT_EQ(Property(u"Comment"), "\"\"") << "the common properties stay";
}

TEST_F(NumberFormatObject, FormatNamesBothWays) {
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetType"));
  EXPECT_EQ(Result(), "\"number\"");
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"SetFormatName", {Text(u"@HEX.S<NF=0>")}));
  EXPECT_EQ(Result(), "T");
  EXPECT_EQ(Property(u"Base"), "\"16\"");
  EXPECT_EQ(Property(u"Separator"), "T");
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetBaseFormatName"));
  EXPECT_EQ(Result(), "\"@HEX\"");
  CNValue places;
  places.SetNumber(2);
  m_object->SetProperty(u"DecimalPlaces", places);
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetFormatName"));
  EXPECT_EQ(Result(), "\"@HEX.2S<NegativeNumberFormat=0;>\"");

  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"SetFormatName", {Text(u"@NOPE")}));
  EXPECT_EQ(Result(), "F");
  EXPECT_EQ(Property(u"Base"), "\"16\"") << "unchanged";

  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"SetFormat", {Text(u"NF=3;Nope=1\nBase=8")}));
  EXPECT_EQ(Result(), "F") << "an unknown key";
  EXPECT_EQ(Property(u"NegativeNumberFormat"), "3");
  EXPECT_EQ(Property(u"Base"), "\"8\"") << "the known keys are applied";

  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetFormat"));
  ASSERT_EQ(m_result.GetCount(), 18u);
  EXPECT_EQ(U8(m_result.GetText(0)), "Base=8");
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetBaseFormat"));
  EXPECT_EQ(U8(m_result.GetText(0)), "Base=16");

  EXPECT_FALSE(Call(NumberFormatParserMethods(), u"GetFormatName", {Text(u"x")})) << "argument count";
  EXPECT_FALSE(Call(NumberFormatParserMethods(), u"SetFormatName"));
}

TEST_F(NumberFormatObject, UserFormats) {
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetUserFormatNames"));
  EXPECT_EQ(Result(), "#NOTHING#");
  m_store.LoadNumberFormats(u"[@A]\nD=2\n[@B]\nBase=16s");
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetUserFormatNames"));
  EXPECT_EQ(Result(), "c(\"@A\",\"@B\")");
  ASSERT_TRUE(Call(NumberFormatParserMethods(), u"GetUserFormats"));
  EXPECT_EQ(U8(m_result.GetText(1)), "[@B]\nBase=16s\n");
}

using BlinkFormatObject = FormatObjectTest<CNPBlinkFormatParser>;

TEST_F(BlinkFormatObject, CopiesThePeriodFromAndToNamedFormats) {
  EXPECT_EQ(Property(u"Interval"), "\"1000\"");
  ASSERT_TRUE(Call(BlinkFormatParserMethods(), u"GetBlinkFormat", {Text(u"@FAST")}));
  EXPECT_EQ(Result(), "T");
  EXPECT_EQ(Property(u"Interval"), "\"500\"");
  ASSERT_TRUE(Call(BlinkFormatParserMethods(), u"GetBlinkFormat", {Text(u"@NOPE")}));
  EXPECT_EQ(Result(), "F");
  EXPECT_EQ(Property(u"Interval"), "\"500\"");

  m_object->SetProperty(u"Interval", Text(u"250"));
  ASSERT_TRUE(Call(BlinkFormatParserMethods(), u"SetBlinkFormat", {Text(u"@MINE")}));
  EXPECT_EQ(Result(), "T");
  CNBlinkFormat record;
  ASSERT_TRUE(m_store.GetBlinkFormat(u"@MINE", record));
  EXPECT_EQ(record.interval, 250);
  ASSERT_TRUE(Call(BlinkFormatParserMethods(), u"SetBlinkFormat", {Text(u"MINE")}));
  EXPECT_EQ(Result(), "F") << "names begin with @";
  EXPECT_FALSE(Call(BlinkFormatParserMethods(), u"SetBlinkFormat"));
}

}  // namespace
