#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/core/COleVariant.h"

namespace {

constexpr VARTYPE kConvertibleTypes[] = {VT_EMPTY, VT_I2,  VT_I4,  VT_INT,  VT_R4,   VT_R8,
                                         VT_UI1,   VT_UI2, VT_UI4, VT_UINT, VT_BSTR, VT_BOOL};
constexpr VARTYPE kNumberTypes[] = {VT_I2,  VT_I4,  VT_INT, VT_R4,  VT_R8,
                                    VT_UI1, VT_UI2, VT_UI4, VT_UINT};
constexpr VARTYPE kIntegerTypes[] = {VT_I2, VT_I4, VT_INT, VT_UI1, VT_UI2, VT_UI4, VT_UINT};
constexpr VARTYPE kUnsignedTypes[] = {VT_UI1, VT_UI2, VT_UI4, VT_UINT};

// A variant of any numeric type built field by field, independent of the conversions.
COleVariant Typed(VARTYPE vt, double value) {
    VARIANT raw{};
    raw.vt = vt;
    switch (vt) {
        case VT_I2:
            raw.iVal = static_cast<SHORT>(value);
            break;
        case VT_I4:
            raw.lVal = static_cast<LONG>(value);
            break;
        case VT_INT:
            raw.intVal = static_cast<int>(value);
            break;
        case VT_UI1:
            raw.bVal = static_cast<BYTE>(value);
            break;
        case VT_UI2:
            raw.uiVal = static_cast<USHORT>(value);
            break;
        case VT_UI4:
            raw.ulVal = static_cast<ULONG>(value);
            break;
        case VT_UINT:
            raw.uintVal = static_cast<UINT>(value);
            break;
        case VT_R4:
            raw.fltVal = static_cast<float>(value);
            break;
        case VT_R8:
            raw.dblVal = value;
            break;
        case VT_BOOL:
            raw.boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        default:
            break;
    }
    return COleVariant(raw);
}

double NumberIn(const VARIANT& v) {
    switch (v.vt) {
        case VT_I2:
            return v.iVal;
        case VT_I4:
            return v.lVal;
        case VT_INT:
            return v.intVal;
        case VT_UI1:
            return v.bVal;
        case VT_UI2:
            return v.uiVal;
        case VT_UI4:
            return v.ulVal;
        case VT_UINT:
            return v.uintVal;
        case VT_R4:
            return v.fltVal;
        case VT_R8:
            return v.dblVal;
        case VT_BOOL:
            return v.boolVal;
        default:
            ADD_FAILURE() << "not a number: vt " << v.vt;
            return std::nan("");
    }
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

std::string BstrBytes(BSTR text) {
    return std::string(text, SysStringLen(text));
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

// --- BSTR helpers ------------------------------------------------------------------------

TEST(Bstr, AllocationKeepsLengthBytesAndTerminator) {
    BSTR text = SysAllocString(
        "ab\xB0"
        "c");
    EXPECT_EQ(SysStringLen(text), 4u);
    EXPECT_EQ(text[4], '\0');
    EXPECT_STREQ(text,
                 "ab\xB0"
                 "c");
    SysFreeString(text);

    BSTR withNul = SysAllocStringLen("a\0b", 3);
    EXPECT_EQ(BstrBytes(withNul), std::string("a\0b", 3));
    EXPECT_EQ(withNul[3], '\0');
    SysFreeString(withNul);

    BSTR blank = SysAllocStringLen(nullptr, 5);
    EXPECT_EQ(SysStringLen(blank), 5u);
    EXPECT_EQ(BstrBytes(blank), std::string(5, '\0'));
    SysFreeString(blank);
}

TEST(Bstr, NullIsTheEmptyText) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);

    VARIANT raw{};
    raw.vt = VT_BSTR;  // null bstrVal: an empty text, as OLE treats it
    EXPECT_EQ(VariantText(raw), "");
    COleVariant copy(raw);
    EXPECT_EQ(copy.bstrVal, nullptr);
    EXPECT_TRUE(copy == COleVariant(""));
    EXPECT_EQ(FailureOf(copy, VT_R8), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(FailureOf(copy, VT_BOOL), DISP_E_TYPEMISMATCH);
}

// --- Construction and assignment -----------------------------------------------------------

TEST(VariantConstruction, EachConstructorPicksItsType) {
    EXPECT_EQ(COleVariant().vt, VT_EMPTY);
    EXPECT_EQ(COleVariant(static_cast<BYTE>(7)).bVal, 7);
    EXPECT_EQ(COleVariant(static_cast<BYTE>(7)).vt, VT_UI1);
    EXPECT_EQ(COleVariant(static_cast<short>(-3)).vt, VT_I2);
    EXPECT_EQ(COleVariant(-3L).vt, VT_I4);
    EXPECT_EQ(COleVariant(-3).vt, VT_I4);
    EXPECT_EQ(COleVariant(3UL).vt, VT_UI4);
    EXPECT_EQ(COleVariant(3U).vt, VT_UI4);
    EXPECT_EQ(COleVariant(static_cast<unsigned short>(3)).vt, VT_UI2);
    EXPECT_EQ(COleVariant(1.5f).vt, VT_R4);
    EXPECT_EQ(COleVariant(1.5).vt, VT_R8);
    EXPECT_EQ(COleVariant("x").vt, VT_BSTR);
    EXPECT_EQ(COleVariant(CString("x")).vt, VT_BSTR);

    const COleVariant asInt(-5L, VT_INT);
    EXPECT_EQ(asInt.vt, VT_INT);
    EXPECT_EQ(asInt.intVal, -5);
    const COleVariant asUint(7L, VT_UINT);
    EXPECT_EQ(asUint.vt, VT_UINT);
    EXPECT_EQ(asUint.uintVal, 7u);
}

TEST(VariantConstruction, BoolStoresVariantTrueForAnyNonZero) {
    EXPECT_EQ(COleVariant(2L, VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(-7, VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(static_cast<short>(1), VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(0L, VT_BOOL).boolVal, VARIANT_FALSE);
    EXPECT_EQ(COleVariant(0L, VT_BOOL).vt, VT_BOOL);
}

TEST(VariantConstruction, LongsKeepTheir32BitPattern) {
    // A colour cast to long, as framework code writes it: (long)(COLORREF)-1.
    EXPECT_EQ(COleVariant(static_cast<long>(0xFFFFFFFFu)).lVal, -1);
    EXPECT_EQ(COleVariant(static_cast<unsigned long>(-1)).ulVal, 0xFFFFFFFFu);
    EXPECT_EQ(COleVariant(-1L, VT_UI4).ulVal, 0xFFFFFFFFu);

    // Beyond 32 bits nothing would fit: refused rather than cut.
    EXPECT_THROW(COleVariant(0x100000000L), COleException);
    EXPECT_THROW(COleVariant(-0x80000001L), COleException);
    EXPECT_THROW(COleVariant(0x100000000UL), COleException);
}

TEST(VariantConstruction, UnsupportedTypeTagIsAnInvalidArgument) {
    EXPECT_THROW(COleVariant(static_cast<short>(1), VT_I4), CInvalidArgException);
    EXPECT_THROW(COleVariant(1L, VT_R8), CInvalidArgException);
    EXPECT_THROW(COleVariant(1, VT_BSTR), CInvalidArgException);
}

TEST(VariantCopy, TextIsCopiedNotShared) {
    COleVariant original(
        CString("12\xB0"
                "30'"));
    COleVariant copy(original);
    COleVariant assigned;
    assigned = original;
    COleVariant fromRaw(static_cast<const VARIANT&>(original));

    for (const COleVariant* v : {&copy, &assigned, &fromRaw}) {
        EXPECT_NE(v->bstrVal, original.bstrVal);
        EXPECT_TRUE(*v == original);
    }
    copy.bstrVal[0] = 'X';
    EXPECT_EQ(VariantText(original),
              "12\xB0"
              "30'");
    EXPECT_EQ(VariantText(copy),
              "X2\xB0"
              "30'");
}

TEST(VariantCopy, EmbeddedNulSurvivesCopies) {
    const COleVariant original(CString("a\0b", 3));
    const COleVariant copy(original);
    EXPECT_EQ(SysStringLen(copy.bstrVal), 3u);
    EXPECT_EQ(VariantText(copy).GetLength(), 3);
    EXPECT_FALSE(copy == COleVariant("a"));
}

TEST(VariantCopy, MoveHandsOverTheTextAndEmptiesTheSource) {
    COleVariant source("moved");
    const BSTR buffer = source.bstrVal;
    COleVariant target(std::move(source));
    EXPECT_EQ(target.bstrVal, buffer);
    EXPECT_EQ(source.vt, VT_EMPTY);  // NOLINT: checking the moved-from state

    COleVariant other("old text");
    other = std::move(target);
    EXPECT_EQ(other.bstrVal, buffer);
    EXPECT_EQ(target.vt, VT_EMPTY);  // NOLINT
}

TEST(VariantCopy, SelfAssignmentKeepsTheValue) {
    COleVariant v("self");
    const COleVariant& alias = v;
    v = alias;
    EXPECT_EQ(VariantText(v), "self");
    v = static_cast<const VARIANT&>(v);
    EXPECT_EQ(VariantText(v), "self");
    COleVariant& same = v;
    v = std::move(same);
    EXPECT_EQ(VariantText(v), "self");
}

TEST(VariantAssignment, IntegersKeepABoolVariantBool) {
    COleVariant flag(0L, VT_BOOL);
    flag = 5L;
    EXPECT_EQ(flag.vt, VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
    flag = static_cast<short>(0);
    EXPECT_EQ(flag.vt, VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_FALSE);
    flag = 1;
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);

    COleVariant text("replaced");  // the text must be released (the sanitizer build checks)
    text = 42L;
    EXPECT_EQ(text.vt, VT_I4);
    EXPECT_EQ(text.lVal, 42);
    text = static_cast<short>(-2);
    EXPECT_EQ(text.vt, VT_I2);
    text = 2.5;
    EXPECT_EQ(text.vt, VT_R8);
    text = 2.5f;
    EXPECT_EQ(text.vt, VT_R4);
    text = static_cast<BYTE>(200);
    EXPECT_EQ(text.vt, VT_UI1);
    text = CString("again");
    EXPECT_EQ(VariantText(text), "again");
    text = "and again";
    EXPECT_EQ(VariantText(text), "and again");
    text.Clear();
    EXPECT_EQ(text.vt, VT_EMPTY);
}

TEST(VariantEquality, NeedsSameTypeAndValue) {
    EXPECT_TRUE(COleVariant(3L) == COleVariant(3L));
    EXPECT_FALSE(COleVariant(3L) == COleVariant(4L));
    EXPECT_FALSE(COleVariant(3L) == COleVariant(static_cast<short>(3)));
    EXPECT_FALSE(COleVariant(3L) == COleVariant(3.0));
    EXPECT_TRUE(COleVariant("abc") == COleVariant(CString("abc")));
    EXPECT_FALSE(COleVariant("abc") == COleVariant("ABC"));
    EXPECT_FALSE(COleVariant("abc") == COleVariant("abcd"));
    EXPECT_TRUE(COleVariant() == COleVariant());
    EXPECT_FALSE(COleVariant(kNaN) == COleVariant(kNaN));
    EXPECT_TRUE(COleVariant(1L, VT_BOOL) == COleVariant(9L, VT_BOOL));
}

TEST(VariantText, OnlyTextVariantsHaveText) {
    EXPECT_EQ(VariantText(COleVariant("x\xB0")), "x\xB0");
    EXPECT_EQ(VariantText(COleVariant(12L)), "");
    EXPECT_EQ(VariantText(COleVariant()), "");
}

// --- ChangeType: numbers to text ---------------------------------------------------------

TEST(ChangeTypeToText, NumbersPrintInTheCLocale) {
    const struct {
        COleVariant value;
        const char* text;
    } cases[] = {
        {COleVariant(1.5), "1.5"},
        {COleVariant(0.1), "0.1"},
        {COleVariant(-0.25), "-0.25"},
        {COleVariant(100000.0), "100000"},
        {COleVariant(1e20), "1E+20"},
        {COleVariant(1e-20), "1E-20"},
        {COleVariant(1.0 / 3.0), "0.333333333333333"},
        {COleVariant(2.0 / 3.0), "0.666666666666667"},
        {COleVariant(123456789012345678.0), "1.23456789012346E+17"},
        {COleVariant(-0.0), "0"},
        {COleVariant(0.1f), "0.1"},
        {COleVariant(1.0f / 3.0f), "0.3333333"},
        {COleVariant(1234567.0f), "1234567"},
        {COleVariant(12345678.0f), "1.234568E+07"},
        {COleVariant(static_cast<short>(-32768)), "-32768"},
        {COleVariant(-2147483647L - 1), "-2147483648"},
        {COleVariant(4294967295u), "4294967295"},
        {COleVariant(static_cast<BYTE>(255)), "255"},
        {COleVariant(static_cast<unsigned short>(65535)), "65535"},
        {COleVariant(-7L, VT_INT), "-7"},
        {COleVariant(7L, VT_UINT), "7"},
        {COleVariant(1L, VT_BOOL), "-1"},
        {COleVariant(0L, VT_BOOL), "0"},
        {COleVariant(), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const COleVariant text = Converted(c.value, VT_BSTR);
        ASSERT_EQ(text.vt, VT_BSTR);
        ASSERT_NE(text.bstrVal, nullptr);
        EXPECT_EQ(BstrBytes(text.bstrVal), c.text);
    }
}

// --- ChangeType: text to numbers -----------------------------------------------------------

TEST(ChangeTypeFromText, WholeTrimmedNumbersConvert) {
    const struct {
        const char* text;
        VARTYPE vt;
        double expected;
    } cases[] = {
        {"42", VT_I4, 42},
        {"  42\t\r\n", VT_I4, 42},
        {"-32768", VT_I2, -32768},
        {"+7", VT_UI1, 7},
        {"255", VT_UI1, 255},
        {"4294967295", VT_UI4, 4294967295.0},
        {"4294967295", VT_UINT, 4294967295.0},
        {"-2147483648", VT_INT, -2147483648.0},
        {"1e3", VT_UI2, 1000},
        {"2.5", VT_I4, 2},
        {"3.5", VT_I2, 4},
        {"-2.5", VT_I4, -2},
        {"1.25", VT_R8, 1.25},
        {".5", VT_R8, 0.5},
        {"5.", VT_R8, 5},
        {"-1.5E+2", VT_R8, -150},
        {"0.1", VT_R4, 0.1f},
        {"1e-400", VT_R8, 0},
        {"-0", VT_UI4, 0},
        {"-0.4", VT_UI1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " -> vt " + std::to_string(c.vt));
        const COleVariant result = Converted(COleVariant(c.text), c.vt);
        ASSERT_EQ(result.vt, c.vt);
        EXPECT_EQ(NumberIn(result), c.expected);
    }
}

TEST(ChangeTypeFromText, AnythingButANumberIsATypeMismatch) {
    const char* const texts[] = {"",     "   ", "abc", "12abc", "1,5",  "1.5.2",
                                 "0x10", "inf", "nan", "1e",    "1e+",  "--1",
                                 "1 2",  "+",   ".",   "e5",    "\xB0", "5\xB0"};
    for (const char* text : texts) {
        for (const VARTYPE vt : kNumberTypes) {
            SCOPED_TRACE(std::string("\"") + text + "\" -> vt " + std::to_string(vt));
            EXPECT_EQ(FailureOf(COleVariant(text), vt), DISP_E_TYPEMISMATCH);
        }
    }
    // A NUL inside the text ends nothing: the whole text must be a number.
    EXPECT_EQ(FailureOf(COleVariant(CString("1\0"
                                            "2",
                                            3)),
                        VT_I4),
              DISP_E_TYPEMISMATCH);
}

TEST(ChangeTypeFromText, NumbersBeyondTheTargetOverflow) {
    const struct {
        const char* text;
        VARTYPE vt;
    } cases[] = {
        {"32768", VT_I2},      {"-32769", VT_I2},       {"32767.5", VT_I2},
        {"256", VT_UI1},       {"-1", VT_UI1},          {"65536", VT_UI2},
        {"-1", VT_UI4},        {"-0.6", VT_UINT},       {"4294967296", VT_UINT},
        {"2147483648", VT_I4}, {"-2147483649", VT_INT}, {"1e39", VT_R4},
        {"1e400", VT_R8},      {"-1e400", VT_R8},       {"99999999999999999999", VT_UI4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " -> vt " + std::to_string(c.vt));
        EXPECT_EQ(FailureOf(COleVariant(c.text), c.vt), DISP_E_OVERFLOW);
    }
}

TEST(ChangeTypeFromText, BoolAcceptsWordsOrNumbers) {
    const struct {
        const char* text;
        VARIANT_BOOL expected;
    } cases[] = {
        {"True", VARIANT_TRUE}, {"true", VARIANT_TRUE}, {" FALSE ", VARIANT_FALSE},
        {"0", VARIANT_FALSE},   {"0.0", VARIANT_FALSE}, {"2", VARIANT_TRUE},
        {"-0.5", VARIANT_TRUE}, {"-1", VARIANT_TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const COleVariant result = Converted(COleVariant(c.text), VT_BOOL);
        ASSERT_EQ(result.vt, VT_BOOL);
        EXPECT_EQ(result.boolVal, c.expected);
    }
    for (const char* text : {"", "yes", "Truth", "T"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FailureOf(COleVariant(text), VT_BOOL), DISP_E_TYPEMISMATCH);
    }
}

// --- ChangeType: between numbers --------------------------------------------------------

TEST(ChangeTypeBetweenNumbers, RealsRoundHalfToEven) {
    const struct {
        double value;
        double expected;
    } cases[] = {
        {2.5, 2},    {3.5, 4},    {-2.5, -2}, {-3.5, -4},       {0.5, 0}, {1.5, 2},
        {2.4999, 2}, {2.5001, 3}, {-0.4, 0},  {1e9 + 0.5, 1e9}, {7.0, 7}, {-7.5, -8},
    };
    for (const auto& c : cases) {
        for (const VARTYPE vt : {VT_I4, VT_INT}) {
            SCOPED_TRACE(std::to_string(c.value) + " -> vt " + std::to_string(vt));
            EXPECT_EQ(NumberIn(Converted(COleVariant(c.value), vt)), c.expected);
        }
    }
    EXPECT_EQ(Converted(COleVariant(2.5f), VT_I2).iVal, 2);
    EXPECT_EQ(Converted(COleVariant(3.5f), VT_UI1).bVal, 4);
}

TEST(ChangeTypeBetweenNumbers, OutOfRangeOverflows) {
    const struct {
        COleVariant value;
        VARTYPE vt;
    } cases[] = {
        {COleVariant(32767.5), VT_I2},
        {COleVariant(-0.6), VT_UI1},
        {COleVariant(4294967295.5), VT_UI4},
        {COleVariant(kNaN), VT_I4},
        {COleVariant(kInf), VT_INT},
        {COleVariant(-kInf), VT_I2},
        {COleVariant(1e39), VT_R4},
        {COleVariant(-1e39), VT_R4},
        {COleVariant(70000L), VT_I2},
        {COleVariant(-1L), VT_UI2},
        {COleVariant(-1L), VT_UINT},
        {COleVariant(static_cast<short>(-1)), VT_UI1},
        {COleVariant(4294967295u), VT_I4},
        {COleVariant(4294967295u), VT_INT},
        {COleVariant(256L, VT_UINT), VT_UI1},
        {COleVariant(static_cast<unsigned short>(40000)), VT_I2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("vt " + std::to_string(c.value.vt) + " -> vt " + std::to_string(c.vt));
        EXPECT_EQ(FailureOf(c.value, c.vt), DISP_E_OVERFLOW);
    }
}

TEST(ChangeTypeBetweenNumbers, EdgesOfEachRangeFit) {
    const struct {
        VARTYPE vt;
        double low;
        double high;
    } ranges[] = {
        {VT_I2, -32768, 32767},
        {VT_I4, -2147483648.0, 2147483647.0},
        {VT_INT, -2147483648.0, 2147483647.0},
        {VT_UI1, 0, 255},
        {VT_UI2, 0, 65535},
        {VT_UI4, 0, 4294967295.0},
        {VT_UINT, 0, 4294967295.0},
    };
    for (const auto& r : ranges) {
        SCOPED_TRACE("vt " + std::to_string(r.vt));
        EXPECT_EQ(NumberIn(Converted(COleVariant(r.low), r.vt)), r.low);
        EXPECT_EQ(NumberIn(Converted(COleVariant(r.high), r.vt)), r.high);
        EXPECT_EQ(FailureOf(COleVariant(r.low - 1), r.vt), DISP_E_OVERFLOW);
        EXPECT_EQ(FailureOf(COleVariant(r.high + 1), r.vt), DISP_E_OVERFLOW);
    }
}

TEST(ChangeTypeBetweenNumbers, RealToSingleKeepsNaNAndRounds) {
    EXPECT_TRUE(std::isnan(Converted(COleVariant(kNaN), VT_R4).fltVal));
    EXPECT_EQ(Converted(COleVariant(0.1), VT_R4).fltVal, 0.1f);
    EXPECT_EQ(Converted(COleVariant(0.1f), VT_R8).dblVal, static_cast<double>(0.1f));
}

TEST(ChangeTypeBool, NonZeroIsVariantTrue) {
    const struct {
        COleVariant value;
        VARIANT_BOOL expected;
    } cases[] = {
        {COleVariant(2L), VARIANT_TRUE},
        {COleVariant(-1L), VARIANT_TRUE},
        {COleVariant(0.1), VARIANT_TRUE},
        {COleVariant(kNaN), VARIANT_TRUE},
        {COleVariant(0.0), VARIANT_FALSE},
        {COleVariant(-0.0f), VARIANT_FALSE},
        {COleVariant(static_cast<BYTE>(0)), VARIANT_FALSE},
        {COleVariant(4294967295u), VARIANT_TRUE},
        {COleVariant(), VARIANT_FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("vt " + std::to_string(c.value.vt));
        const COleVariant result = Converted(c.value, VT_BOOL);
        ASSERT_EQ(result.vt, VT_BOOL);
        EXPECT_EQ(result.boolVal, c.expected);
    }
}

TEST(ChangeTypeBool, TrueIsMinusOneAndDoesNotFitUnsignedTypes) {
    const COleVariant yes(1L, VT_BOOL);
    for (const VARTYPE vt : {VT_I2, VT_I4, VT_INT, VT_R4, VT_R8}) {
        SCOPED_TRACE("vt " + std::to_string(vt));
        EXPECT_EQ(NumberIn(Converted(yes, vt)), -1);
    }
    for (const VARTYPE vt : kUnsignedTypes) {
        SCOPED_TRACE("vt " + std::to_string(vt));
        EXPECT_EQ(FailureOf(yes, vt), DISP_E_OVERFLOW);
        EXPECT_EQ(NumberIn(Converted(COleVariant(0L, VT_BOOL), vt)), 0);
    }
    // A BOOL holding some other non-zero pattern still counts as true.
    VARIANT odd{};
    odd.vt = VT_BOOL;
    odd.boolVal = 1;
    EXPECT_EQ(NumberIn(Converted(COleVariant(odd), VT_I4)), -1);
    EXPECT_EQ(VariantText(Converted(COleVariant(odd), VT_BSTR)), "-1");
}

// --- ChangeType: empty, null and the whole matrix ---------------------------------------

TEST(ChangeTypeEmpty, EmptyIsZeroOrEmptyText) {
    for (const VARTYPE vt : kNumberTypes) {
        SCOPED_TRACE("vt " + std::to_string(vt));
        const COleVariant result = Converted(COleVariant(), vt);
        EXPECT_EQ(result.vt, vt);
        EXPECT_EQ(NumberIn(result), 0);
    }
    const COleVariant text = Converted(COleVariant(), VT_BSTR);
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(VariantText(text), "");
}

TEST(ChangeTypeEmpty, EverySupportedValueCanBeEmptied) {
    for (const VARTYPE vt : kConvertibleTypes) {
        SCOPED_TRACE("vt " + std::to_string(vt));
        COleVariant value = vt == VT_BSTR ? COleVariant("text") : Typed(vt, 1);
        value.ChangeType(VT_EMPTY);
        EXPECT_EQ(value.vt, VT_EMPTY);
    }
}

TEST(ChangeTypeNull, NullAndUnknownTypesMismatch) {
    VARIANT null{};
    null.vt = VT_NULL;
    VARIANT currency{};
    currency.vt = 6;  // a type this layer does not convert
    for (const VARTYPE vt : kConvertibleTypes) {
        SCOPED_TRACE("vt " + std::to_string(vt));
        EXPECT_EQ(FailureOf(COleVariant(null), vt), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(FailureOf(COleVariant(currency), vt), DISP_E_TYPEMISMATCH);
        if (vt != VT_EMPTY) {
            const COleVariant value = vt == VT_BSTR ? COleVariant("1") : Typed(vt, 1);
            EXPECT_EQ(FailureOf(value, VT_NULL), DISP_E_TYPEMISMATCH);
            EXPECT_EQ(FailureOf(value, 6), DISP_E_TYPEMISMATCH);
        }
    }
    COleVariant same(null);
    same.ChangeType(VT_NULL);
    EXPECT_EQ(same.vt, VT_NULL);
}

TEST(ChangeTypeMatrix, OneConvertsToEveryType) {
    std::vector<COleVariant> ones{COleVariant("1"), COleVariant(" 1.0 ")};
    for (const VARTYPE vt : kNumberTypes) {
        ones.push_back(Typed(vt, 1));
    }
    for (const COleVariant& one : ones) {
        for (const VARTYPE vt : kConvertibleTypes) {
            SCOPED_TRACE("vt " + std::to_string(one.vt) + " -> vt " + std::to_string(vt));
            const COleVariant result = Converted(one, vt);
            ASSERT_EQ(result.vt, vt);
            if (vt == VT_BSTR) {
                EXPECT_EQ(VariantText(result), one.vt == VT_BSTR ? VariantText(one) : "1");
            } else if (vt == VT_BOOL) {
                EXPECT_EQ(result.boolVal, VARIANT_TRUE);
            } else if (vt != VT_EMPTY) {
                EXPECT_EQ(NumberIn(result), 1);
            }
        }
    }
}

TEST(ChangeTypeMatrix, IntegersSurviveTheTripThroughText) {
    for (const VARTYPE vt : kIntegerTypes) {
        for (const double value : {0.0, 1.0, 100.0, 255.0}) {
            SCOPED_TRACE("vt " + std::to_string(vt) + " value " + std::to_string(value));
            COleVariant v = Typed(vt, value);
            v.ChangeType(VT_BSTR);
            v.ChangeType(vt);
            EXPECT_TRUE(v == Typed(vt, value));
        }
    }
}

// --- ChangeType: in place, from a source, failure leaves the destination alone ----------

TEST(ChangeTypeInPlace, SameTypeIsANoOpAndASourceIsCopied) {
    COleVariant text("unchanged");
    const BSTR buffer = text.bstrVal;
    text.ChangeType(VT_BSTR);
    EXPECT_EQ(text.bstrVal, buffer);

    COleVariant target(1.5);
    target.ChangeType(VT_BSTR, &text);
    EXPECT_EQ(VariantText(target), "unchanged");
    EXPECT_NE(target.bstrVal, buffer);
    EXPECT_EQ(VariantText(text), "unchanged");

    COleVariant number("17");  // the text is released when replaced in place
    number.ChangeType(VT_I2);
    EXPECT_EQ(number.vt, VT_I2);
    EXPECT_EQ(number.iVal, 17);

    COleVariant self("23");
    self.ChangeType(VT_UI1, self);  // src == this
    EXPECT_EQ(self.vt, VT_UI1);
    EXPECT_EQ(self.bVal, 23);
}

TEST(ChangeTypeInPlace, FailureLeavesTheDestinationIntact) {
    COleVariant text("not a number");
    EXPECT_THROW(text.ChangeType(VT_I4), COleException);
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(VariantText(text), "not a number");

    COleVariant target(2.5);
    EXPECT_THROW(target.ChangeType(VT_I2, COleVariant("99999")), COleException);
    EXPECT_EQ(target.vt, VT_R8);
    EXPECT_EQ(target.dblVal, 2.5);

    COleVariant owned("still here");
    EXPECT_THROW(owned.ChangeType(VT_UI1, COleVariant(-1L)), COleException);
    EXPECT_EQ(VariantText(owned), "still here");
}

TEST(ChangeTypeInPlace, ErrorsCarryTheirCodeAndMessage) {
    try {
        COleVariant("x").ChangeType(VT_R8);
        FAIL() << "no exception";
    } catch (const COleException& e) {
        EXPECT_EQ(e.m_sc, DISP_E_TYPEMISMATCH);
        EXPECT_TRUE(e.IsKindOf(RuntimeClass<CException>()));
    }
}
