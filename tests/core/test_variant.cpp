#include <gtest/gtest.h>

#include <limits>
#include <span>
#include <string>
#include <vector>

#include "platform/core/COleVariant.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr VARTYPE kNumberTypes[] = {VT_I2,  VT_I4,  VT_INT, VT_R4,  VT_R8,
                                    VT_UI1, VT_UI2, VT_UI4, VT_UINT};
const COleVariant kTrue(1L, VT_BOOL);
const COleVariant kFalse(0L, VT_BOOL);
constexpr SCODE kOverflow = DISP_E_OVERFLOW;
constexpr SCODE kMismatch = DISP_E_TYPEMISMATCH;

// A variant with only its type set: a null text, VT_NULL or a type this layer does not know.
COleVariant Raw(VARTYPE vt) {
    VARIANT raw{};
    raw.vt = vt;
    return COleVariant(raw);
}

COleVariant Converted(const COleVariant& src, VARTYPE vt) {
    COleVariant result;
    result.ChangeType(vt, &src);
    return result;
}

// The SCODE a conversion raises, or 0 when it succeeds.
SCODE FailureOf(const COleVariant& src, VARTYPE vt) {
    try {
        Converted(src, vt);
    } catch (const COleException& e) {
        return e.m_sc;
    }
    return 0;
}

// Each value in from, converted to the type of to, gives to (or raises failure when set).
struct Conversion {
    COleVariant to;
    std::vector<COleVariant> from;
    SCODE failure = 0;
};

void ExpectConversions(std::span<const Conversion> cases) {
    for (size_t i = 0; i < cases.size(); ++i) {
        for (size_t j = 0; j < cases[i].from.size(); ++j) {
            SCOPED_TRACE("case " + std::to_string(i) + " source " + std::to_string(j));
            const COleVariant& from = cases[i].from[j];
            if (cases[i].failure != 0) {
                EXPECT_EQ(FailureOf(from, cases[i].to.vt), cases[i].failure);
            } else {
                EXPECT_TRUE(Converted(from, cases[i].to.vt) == cases[i].to);
            }
        }
    }
}

}  // namespace

// The tables below use the constructors and == as their oracle: check those first.
TEST(Variant, ConstructorsPickTheTypeAndEqualityNeedsTypeAndValue) {
    EXPECT_EQ(COleVariant(BYTE{7}).vt, VT_UI1);
    EXPECT_EQ(COleVariant(SHORT{-3}).vt, VT_I2);
    EXPECT_EQ(COleVariant(-3).vt, VT_I4);
    EXPECT_EQ(COleVariant(3U).vt, VT_UI4);
    EXPECT_EQ(COleVariant(USHORT{3}).vt, VT_UI2);
    EXPECT_EQ(COleVariant(1.5f).vt, VT_R4);
    EXPECT_EQ(COleVariant(5L, VT_UINT).vt, VT_UINT);
    EXPECT_EQ(COleVariant(-5L, VT_INT).vt, VT_INT);
    EXPECT_EQ(COleVariant(-7, VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(static_cast<long>(0xFFFFFFFFu)).lVal, -1);  // (long)(COLORREF)-1
    EXPECT_EQ(COleVariant(-1L, VT_UI4).ulVal, 0xFFFFFFFFu);
    // Beyond 32 bits nothing would fit: refused rather than cut.
    EXPECT_THROW(COleVariant(0x100000000L), COleException);
    EXPECT_THROW(COleVariant(-0x80000001L), COleException);
    EXPECT_THROW(COleVariant(0x100000000UL), COleException);
    EXPECT_THROW(COleVariant(SHORT{1}, VT_I4), CInvalidArgException);
    EXPECT_THROW(COleVariant(1L, VT_R8), CInvalidArgException);

    EXPECT_FALSE(COleVariant(3L) == COleVariant(4L));
    EXPECT_FALSE(COleVariant(3L) == COleVariant(SHORT{3}));
    EXPECT_FALSE(COleVariant(CString("a\0b", 3)) == COleVariant("a"));
    EXPECT_TRUE(Raw(VT_BSTR) == COleVariant(""));  // a null text is the empty text
}

TEST(Variant, TextIsDeepCopiedMovedAndSelfAssigned) {
    const CString text("12\xB0\0'", 5);
    COleVariant original(text);
    COleVariant copy(original);
    COleVariant assigned("old text");
    assigned = original;
    EXPECT_NE(copy.bstrVal, original.bstrVal);
    EXPECT_EQ(VariantText(copy), text);
    EXPECT_EQ(VariantText(assigned), text);
    copy.bstrVal[0] = 'X';
    EXPECT_EQ(VariantText(original), text);

    const BSTR buffer = original.bstrVal;
    COleVariant moved(std::move(original));
    EXPECT_EQ(moved.bstrVal, buffer);
    EXPECT_EQ(original.vt, VT_EMPTY);  // NOLINT: checking the moved-from state
    assigned = std::move(moved);
    EXPECT_EQ(assigned.bstrVal, buffer);
    EXPECT_EQ(moved.vt, VT_EMPTY);  // NOLINT

    const COleVariant& alias = assigned;
    assigned = alias;
    assigned = static_cast<const VARIANT&>(assigned);
    EXPECT_EQ(VariantText(assigned), text);

    COleVariant flag = kFalse;  // an integer assigned to a BOOL keeps it a BOOL
    flag = 5L;
    EXPECT_TRUE(flag == kTrue);
}

TEST(ChangeType, NumbersToTextInTheCLocale) {
    const Conversion cases[] = {
        {"1.5", {1.5}},
        {"1E+20", {1e20}},
        {"0.666666666666667", {2.0 / 3}},
        {"3.33333333333333E+16", {1e17 / 3}},
        {"0", {-0.0, SHORT{0}}},
        {"0.3333333", {1.0f / 3}},
        {"1.234568E+07", {12345678.0f}},
        {"-32768", {SHORT{-32768}, -32768.0}},
        {"4294967295", {4294967295u, COleVariant(4294967295L, VT_UINT)}},
        {"", {COleVariant()}},
    };
    ExpectConversions(cases);
}

// Text must be a whole number, and any number must fit the target type.
TEST(ChangeType, ToNumbersMustBeWholeAndFit) {
    const Conversion cases[] = {
        {42L, {"42", "  42\t\r\n", "+42", "4.2e1", USHORT{42}, 42.0f}},
        {SHORT{-32768}, {"-32768"}},
        {COleVariant(-2147483648L, VT_INT), {"-2147483648", -2147483648.0}},
        {BYTE{255}, {"255", "+255", 255.4}},
        {COleVariant(4294967295L, VT_UINT), {"4294967295"}},
        {0.5, {".5", "5e-1"}},
        {-150.0, {"-1.5E+2"}},
        {0.1f, {"0.1"}},
        {0.0, {"1e-400"}},
        {BYTE{0}, {"-0.4"}},
        {0L, {CString("1\0x", 3)}, kMismatch},  // a NUL does not end the text
        {0.0, {Raw(VT_BSTR)}, kMismatch},
        {SHORT{}, {"32768", "32767.5", "-32769", USHORT{40000}, 70000L}, kOverflow},
        {BYTE{}, {"256", "-1", -0.6, SHORT{-1}}, kOverflow},
        {COleVariant(0L, VT_UINT), {"-0.6", "4294967296", -1L}, kOverflow},
        {0L, {"2147483648", kNaN, 2147483647.5}, kOverflow},
        {COleVariant(0L, VT_INT), {"-2147483649", 4294967295u}, kOverflow},
        {0u, {"99999999999999999999", 4294967295.5}, kOverflow},
        {0.0f, {"1e39", 1e39, -1e39}, kOverflow},
        {0.0, {"-1e400"}, kOverflow},
    };
    ExpectConversions(cases);

    const char* const notNumbers[] = {"",   "   ", "12abc", "1,5", "1.5.2", "0x10", "inf", "nan",
                                      "1e", "1e+", "--1",   "1 2", "+",     ".",    "e5",  "\xB0"};
    for (const char* text : notNumbers) {
        for (const VARTYPE vt : kNumberTypes) {
            SCOPED_TRACE(std::string("\"") + text + "\" -> vt " + std::to_string(vt));
            EXPECT_EQ(FailureOf(text, vt), kMismatch);
        }
    }
}

TEST(ChangeType, RealsRoundHalfToEven) {
    const Conversion cases[] = {
        {2L, {2.5, 1.5, "2.5", 2.4999}},
        {4L, {3.5, "3.5"}},
        {-2L, {-2.5, "-2.5"}},
        {COleVariant(-4L, VT_INT), {-3.5}},
        {0L, {0.5, -0.4}},
        {3L, {2.5001}},
        {SHORT{2}, {2.5f}},
        {BYTE{4}, {3.5f}},
    };
    ExpectConversions(cases);
}

TEST(ChangeType, BoolIsMinusOneOrZero) {
    COleVariant oddTrue = Raw(VT_BOOL);
    oddTrue.boolVal = 1;  // a non-zero pattern other than VARIANT_TRUE still counts as true
    const Conversion cases[] = {
        {kTrue, {"True", "true", "-0.5", 2L, kNaN, 4294967295u}},
        {kFalse, {" FALSE ", "0.0", -0.0f, BYTE{0}, COleVariant()}},
        {SHORT{-1}, {kTrue, oddTrue}},
        {-1.0, {kTrue}},
        {"-1", {kTrue, oddTrue}},
        {"0", {kFalse}},
        {0u, {kFalse}},
        {BYTE{}, {kTrue}, kOverflow},
        {0u, {kTrue}, kOverflow},
        {kTrue, {"", "yes", "Truth"}, kMismatch},
    };
    ExpectConversions(cases);
}

// "1" of each type converts to every type; empty is zero; VT_NULL and unknown types mismatch.
TEST(ChangeType, EveryPairOfTypes) {
    std::vector<VARTYPE> types(std::begin(kNumberTypes), std::end(kNumberTypes));
    types.push_back(VT_BSTR);
    for (const VARTYPE from : types) {
        SCOPED_TRACE("from vt " + std::to_string(from));
        const COleVariant one = Converted("1", from);
        for (const VARTYPE to : types) {
            EXPECT_TRUE(Converted(one, to) == Converted("1", to)) << "to vt " << to;
        }
        EXPECT_TRUE(Converted(COleVariant(), from) == Converted(from == VT_BSTR ? "" : "0", from));
        EXPECT_EQ(FailureOf(Raw(VT_NULL), from), kMismatch);
        EXPECT_EQ(FailureOf(one, 6), kMismatch);  // 6: currency, not converted here
    }
}

TEST(ChangeType, InPlaceAndFailureLeavesTheDestinationIntact) {
    COleVariant self("23");  // the source is the destination; its text is released
    self.ChangeType(VT_UI1, self);
    EXPECT_TRUE(self == COleVariant(BYTE{23}));

    COleVariant text("not a number");
    EXPECT_THROW(text.ChangeType(VT_I4), COleException);
    EXPECT_TRUE(text == COleVariant("not a number"));

    COleVariant owned("still here");
    EXPECT_THROW(owned.ChangeType(VT_I2, COleVariant(99999L)), COleException);
    EXPECT_TRUE(owned == COleVariant("still here"));
}
