// The runtime's rules as the component relies on them: rounding into 16 and 32
// bits, the leading-number rule, the number-to-text rule, conversions and errors.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/automation/Object.h"
#include "core/automation/Variant.h"
#include "support/ErrorNumber.h"

using namespace zelva;

using test::errorNumber;

TEST(RoundingIntoIntegers, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundToInt16(0.5), 0);
    EXPECT_EQ(roundToInt16(1.5), 2);
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(-0.5), 0);
    EXPECT_EQ(roundToInt16(-1.5), -2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt32(2.4999), 2);
    EXPECT_EQ(roundHalfEven(12.5, 0), 12);
    EXPECT_EQ(roundHalfEven(13.5, 0), 14);
    EXPECT_DOUBLE_EQ(roundHalfEven(1.2345, 2), 1.23);
}

TEST(RoundingIntoIntegers, OutOfRangeIsOverflowSix) {
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_EQ(errorNumber([] { roundToInt16(32767.5); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { roundToInt16(40000); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { roundToInt16(std::numeric_limits<double>::quiet_NaN()); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { roundToInt32(3e9); }), err::Overflow);
    EXPECT_EQ(Error::runtime(err::Overflow).hresult(), static_cast<int32_t>(0x800A0006u));
}

TEST(LeadingNumberRule, TakesTheLongestLeadingDecimalNumber) {
    EXPECT_EQ(leadingNumber("12.5 mm"), 12.5);
    EXPECT_EQ(leadingNumber("1 2"), 12);
    EXPECT_EQ(leadingNumber("12,5"), 12);
    EXPECT_EQ(leadingNumber(" \t\n-3.25e1x"), -32.5);
    EXPECT_EQ(leadingNumber(".75"), 0.75);
    EXPECT_EQ(leadingNumber("2e"), 2);
    EXPECT_EQ(leadingNumber("1.5e+"), 1.5);
    EXPECT_EQ(leadingNumber("30 mm"), 30);
}

TEST(LeadingNumberRule, DecimalCommaAfterTheNumberIsToldApart) {
    for (const char* comma : {"1,5", "12, 5", "-.5,25 mm", "1e3,0", " 7 ,\t2"})
        EXPECT_TRUE(decimalCommaFollows(comma)) << comma;
    for (const char* other : {"1.5", "1,", "1,x", "abc,5", ",5", "1 2", "2e,5", "30 mm, 2"})
        EXPECT_FALSE(decimalCommaFollows(other)) << other;
}

TEST(LeadingNumberRule, TextWithoutANumberGivesZero) {
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("Lunghezza"), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(errorNumber([] { leadingNumber("1e999"); }), err::Overflow);
}

TEST(LeadingNumberRule, ANumberBeyondTheDoubleRangeIsOverflowSix) {
    const std::string digits(400, '9');
    EXPECT_EQ(errorNumber([&] { leadingNumber(digits + " mm"); }), err::Overflow);
    EXPECT_EQ(errorNumber([&] { leadingNumber("-" + digits); }), err::Overflow);
    // As many digits that stay in range, and ones that only underflow, are numbers.
    EXPECT_DOUBLE_EQ(leadingNumber("1" + std::string(300, '0') + "e-300"), 1.0);
    EXPECT_EQ(leadingNumber("." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(errorNumber([&] { toDouble(Variant::str(digits)); }), err::Overflow);
}

TEST(CheckedDoubles, OnlyFiniteResultsPass) {
    EXPECT_EQ(checkedDouble(-1e308), -1e308);
    EXPECT_EQ(checkedDouble(4.9e-324), 4.9e-324);
    for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(errorNumber([&] { checkedDouble(v); }), err::Overflow) << v;
}

TEST(NumberToTextRule, LeadingBlankAndNoZeroBeforeThePoint) {
    EXPECT_EQ(numberToText(0.75), " .75");
    EXPECT_EQ(numberToText(-0.75), "-.75");
    EXPECT_EQ(numberToText(1.5), " 1.5");
    EXPECT_EQ(numberToText(2), " 2");
    EXPECT_EQ(numberToText(0), " 0");
    EXPECT_EQ(numberToText(-0.0), " 0");
    EXPECT_EQ(numberToText(-62), "-62");
    EXPECT_EQ(numberToText(10.0), " 10");
}

TEST(NumberToTextRule, FifteenSignificantDigitsForDoublesSevenForSingles) {
    EXPECT_EQ(numberToText(0.1 + 0.2), " .3");
    EXPECT_EQ(numberToText(1.0 / 3), " .333333333333333");
    EXPECT_EQ(numberToText(3.14159265358979 * 10), " 31.4159265358979");
    EXPECT_EQ(numberToText(1e15), " 1E+15");
    EXPECT_EQ(numberToText(0.00001), " 1E-05");
    EXPECT_EQ(numberToText(0.0001), " .0001");
    EXPECT_EQ(singleToText(1500.0f), " 1500");
    EXPECT_EQ(singleToText(1.0f / 3), " .3333333");
}

TEST(NumberToTextRule, WholeNumbersOnBothSidesOfTheSevenDigitBoundary) {
    EXPECT_EQ(numberToText(9999999), " 9999999");
    EXPECT_EQ(numberToText(-9999999), "-9999999");
    EXPECT_EQ(numberToText(10000000), " 10000000");
    EXPECT_EQ(numberToText(-123456789012345.0), "-123456789012345");
    EXPECT_EQ(singleToText(9999999.0f), " 9999999");
    EXPECT_EQ(singleToText(10000000.0f), " 1E+07");
    EXPECT_EQ(singleToText(-16777216.0f), "-1.677722E+07");
}

TEST(VariantConversion, NumbersConvertAndTextOnlyWhenItIsANumber) {
    EXPECT_EQ(toDouble(Variant::i2(-3)), -3);
    EXPECT_EQ(toDouble(Variant::boolean(true)), -1);
    EXPECT_EQ(toDouble(Variant::str(" 1.25 ")), 1.25);
    EXPECT_EQ(toDouble(Variant()), 0);
    EXPECT_EQ(errorNumber([] { toDouble(Variant::str("abc")); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([] { toDouble(Variant::str("12 mm")); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([] { toDouble(Variant::object({})); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([] { toInt16(Variant::r8(40000)); }), err::Overflow);
    EXPECT_EQ(toInt16(Variant::r8(2.5)), 2);
}

TEST(VariantConversion, TheTypeTravelsWithTheValue) {
    EXPECT_EQ(Variant::i2(0).type(), VarType::I2);
    EXPECT_EQ(Variant::i4(0).type(), VarType::I4);
    EXPECT_FALSE(Variant::i2(1) == Variant::i4(1));
    EXPECT_TRUE(Variant::r8(1.5) == Variant::r8(1.5));
    EXPECT_EQ(Variant::boolean(true).i2Value(), kTrue);
    EXPECT_EQ(errorNumber([] { Variant::i2(1).r8Value(); }), err::TypeMismatch);
    EXPECT_EQ(toText(Variant::r8(0.75)), ".75");
}

namespace {

// An object that says how many of its kind are alive.
class Counted : public Object {
public:
    Counted() { ++alive; }
    ~Counted() override { --alive; }
    Variant invoke(std::string_view, CallKind, std::span<const Arg>) override { return {}; }
    static inline int alive = 0;
};

}  // namespace

TEST(VariantObjects, AValueHoldsItsObjectUntilItsLastCopyLetsGo) {
    {
        const Ref<Counted> made = makeRef<Counted>();
        Variant held = Variant::object(made);
        Variant copy = held;
        EXPECT_EQ(made->refCount(), 3u);
        held = Variant::i2(1);
        EXPECT_EQ(made->refCount(), 2u);
        const Ref<Object> back = toObject(copy);
        EXPECT_EQ(back.get(), made.get());
        EXPECT_EQ(made->refCount(), 3u);
        EXPECT_EQ(errorNumber([&] { toObject(held); }), err::ObjectRequired);
    }
    EXPECT_EQ(Counted::alive, 0) << "the last value and reference gone, the object is too";
}

TEST(AutomationErrors, HostFailuresKeepTheirNumbers) {
    const Error control = Error::fromHresult(static_cast<int32_t>(0x800A0035u), "File not found");
    EXPECT_EQ(control.number(), 53);
    const Error failure = Error::fromHresult(static_cast<int32_t>(0x80004005u), "Unspecified error");
    EXPECT_EQ(failure.number(), static_cast<int32_t>(0x80004005u));
    EXPECT_EQ(failure.description(), "Unspecified error");
    EXPECT_EQ(Error::runtime(err::InputPastEnd).description(), "Input past end of file");
}

TEST(AutomationNames, MatchInAnyLetterCase) {
    EXPECT_TRUE(sameName("OnDragDrop", "ondragdrop"));
    EXPECT_TRUE(sameName("CREATEINPART", "createInPart"));
    EXPECT_FALSE(sameName("Create", "createInPart"));
}

TEST(SinglePrecision, ValuesBeyondItsRangeOverflow) {
    EXPECT_EQ(toSingle(1500.25), 1500.25f);
    EXPECT_EQ(errorNumber([] { toSingle(1e39); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { toSingle(-1e39); }), err::Overflow);
}
