#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/CString.h"
#include "platform/core/Exceptions.h"

namespace {

std::vector<CString> AllTokens(const CString& text, const char* delimiters) {
    std::vector<CString> tokens;
    int position = 0;
    for (int guard = 0; guard < 100; ++guard) {
        CString token = text.Tokenize(delimiters, position);
        if (position < 0) {
            break;
        }
        tokens.push_back(token);
    }
    return tokens;
}

}  // namespace

// --- Construction and element access ---------------------------------------------------

TEST(StringConstruction, NullCountsAndRepeats) {
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_TRUE(CString(nullptr, 4).IsEmpty());
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_TRUE(CString('-', -2).IsEmpty());
    EXPECT_EQ(CString("a\0b", 3).GetLength(), 3);

    CString assigned("x");
    assigned = static_cast<const char*>(nullptr);
    EXPECT_TRUE(assigned.IsEmpty());
    assigned = '\xB0';
    EXPECT_EQ(assigned, "\xB0");
}

TEST(StringAccess, PositionsOutsideRaiseInvalidArgument) {
    CString text("ab");
    EXPECT_EQ(text.GetAt(1), 'b');
    EXPECT_EQ(text.GetAt(2), '\0');  // the terminator may be read, as in the framework
    EXPECT_THROW(text.GetAt(3), CInvalidArgException);
    EXPECT_THROW(text.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(text[-1], CInvalidArgException);

    text.SetAt(0, '\xB0');
    EXPECT_EQ(text,
              "\xB0"
              "b");
    EXPECT_THROW(text.SetAt(2, 'x'), CInvalidArgException);
    EXPECT_THROW(text.SetAt(-1, 'x'), CInvalidArgException);
    EXPECT_EQ(text,
              "\xB0"
              "b");
}

TEST(StringBuffer, ReleaseBufferFindsTheEndOrKeepsACount) {
    CString text("old");
    char* buffer = text.GetBuffer(16);
    std::strcpy(buffer, "hello");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(text.GetLength(), 5);

    buffer = text.GetBuffer();
    buffer[1] = 'a';
    text.ReleaseBuffer(2);
    EXPECT_EQ(text, "ha");

    buffer = text.GetBufferSetLength(4);
    std::memcpy(buffer, "wxyz", 4);
    text.ReleaseBuffer(4);
    EXPECT_EQ(text, "wxyz");

    text.GetBufferSetLength(-3);
    EXPECT_TRUE(text.IsEmpty());
}

// --- Format --------------------------------------------------------------------------

TEST(StringFormat, StarWidthAndPrecisionComeFromArguments) {
    CString text;
    text.Format("%*.*f|", 8, 2, 3.14159);
    EXPECT_EQ(text, "    3.14|");
    text.Format("%-*d|%.*s|", 5, 42, 3, "abcdef");
    EXPECT_EQ(text, "42   |abc|");
    text.Format("%0*ld", 6, -12L);
    EXPECT_EQ(text, "-00012");
}

TEST(StringFormat, Windows1252BytesPassThrough) {
    CString text;
    text.Format(
        "%.1f\xB0"
        "C %s",
        21.5,
        "\xB1"
        "0.5\x95");
    EXPECT_EQ(text,
              "21.5\xB0"
              "C \xB1"
              "0.5\x95");
    EXPECT_EQ(text.GetLength(), 12);
    text.Format("%c%c", '\xB0', 'x');
    EXPECT_EQ(text, "\xB0x");
}

TEST(StringFormat, CharZeroIsStoredAsOneNul) {
    CString text;
    text.Format("%c", 0);
    EXPECT_EQ(text.GetLength(), 1);
    EXPECT_EQ(text.GetAt(0), '\0');
    EXPECT_STREQ(text.GetString(), "");  // and displays as empty

    text.Format("a%cb", 0);
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_EQ(text.Right(1), "b");
}

TEST(StringFormat, LongResultsAreNotCut) {
    const std::string filler(5000, 'x');
    CString text;
    text.Format("<%s>", filler.c_str());
    EXPECT_EQ(text.GetLength(), 5002);
    EXPECT_EQ(text.Right(2), "x>");
}

TEST(StringFormat, OwnTextMayBeAnArgument) {
    CString text("abc");
    text.Format("[%s|%s]", text.GetString(), static_cast<const char*>(text));
    EXPECT_EQ(text, "[abc|abc]");
    text.AppendFormat("%s%d", text.GetString(), 7);
    EXPECT_EQ(text, "[abc|abc][abc|abc]7");
}

// --- Editing ---------------------------------------------------------------------------

TEST(StringReplace, CountsNonOverlappingMatches) {
    CString text("a.b.c");
    EXPECT_EQ(text.Replace('.', ','), 2);
    EXPECT_EQ(text, "a,b,c");
    EXPECT_EQ(text.Replace('x', 'y'), 0);

    CString run("aaaa");
    EXPECT_EQ(run.Replace("aa", "b"), 2);
    EXPECT_EQ(run, "bb");
    CString odd("aaa");
    EXPECT_EQ(odd.Replace("aa", "b"), 1);
    EXPECT_EQ(odd, "ba");

    CString growing("x1x");
    EXPECT_EQ(growing.Replace("x", "xx"), 2);  // replacement text is not searched again
    EXPECT_EQ(growing, "xx1xx");

    CString removing(
        "12\xB0"
        "30\xB0");
    EXPECT_EQ(removing.Replace("\xB0", nullptr), 2);
    EXPECT_EQ(removing, "1230");

    CString unchanged("abc");
    EXPECT_EQ(unchanged.Replace("", "x"), 0);
    EXPECT_EQ(unchanged.Replace(nullptr, "x"), 0);
    EXPECT_EQ(unchanged, "abc");
}

TEST(StringReplace, OwnTextAsReplacement) {
    CString text("ab");
    EXPECT_EQ(text.Replace("a", text.GetString()), 1);
    EXPECT_EQ(text, "abb");
}

TEST(StringInsert, PositionsAreClampedAndLengthReturned) {
    CString text("bc");
    EXPECT_EQ(text.Insert(-5, 'a'), 3);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(text.Insert(99, "de"), 5);
    EXPECT_EQ(text, "abcde");
    EXPECT_EQ(text.Insert(2, "\xB0"), 6);
    EXPECT_EQ(text,
              "ab\xB0"
              "cde");
    EXPECT_EQ(text.Insert(1, static_cast<const char*>(nullptr)), 6);

    CString twice("xy");
    twice.Insert(1, twice.GetString());
    EXPECT_EQ(twice, "xxyy");
}

TEST(StringDelete, ClampsStartAndCount) {
    const struct {
        int index;
        int count;
        const char* expected;
    } cases[] = {
        {0, 1, "bcdef"},  {2, 2, "abef"},   {4, 100, "abcd"}, {-3, 2, "cdef"},
        {6, 1, "abcdef"}, {9, 1, "abcdef"}, {2, 0, "abcdef"}, {2, -4, "abcdef"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + "," + std::to_string(c.count));
        CString text("abcdef");
        EXPECT_EQ(text.Delete(c.index, c.count), static_cast<int>(std::strlen(c.expected)));
        EXPECT_EQ(text, c.expected);
    }
    CString text(
        "a\xB0"
        "b\xB0");
    EXPECT_EQ(text.Remove('\xB0'), 2);
    EXPECT_EQ(text, "ab");
}

// --- Searching and extracting -------------------------------------------------------

TEST(StringFind, StartPositionsAtAndBeyondTheEdges) {
    const CString text("abcabc");
    EXPECT_EQ(text.Find('c'), 2);
    EXPECT_EQ(text.Find('c', 3), 5);
    EXPECT_EQ(text.Find('c', 6), -1);
    EXPECT_EQ(text.Find('c', -1), -1);
    EXPECT_EQ(text.Find('z'), -1);
    EXPECT_EQ(text.Find("bc", 2), 4);
    EXPECT_EQ(text.Find("bc", 5), -1);
    EXPECT_EQ(text.Find("bc", 7), -1);
    EXPECT_EQ(text.Find("bc", -1), -1);
    EXPECT_EQ(text.Find("", 6), 6);
    EXPECT_EQ(text.Find(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(text.ReverseFind('a'), 3);
    EXPECT_EQ(text.ReverseFind('z'), -1);
    EXPECT_EQ(text.FindOneOf("zc"), 2);
    EXPECT_EQ(text.FindOneOf("xyz"), -1);
    EXPECT_EQ(CString("12\xB0"
                      "5")
                  .Find('\xB0'),
              2);
}

TEST(StringExtract, LeftMidRightClampToTheText) {
    const CString text("abcdef");
    const struct {
        CString actual;
        const char* expected;
    } cases[] = {
        {text.Left(2), "ab"},
        {text.Left(0), ""},
        {text.Left(-1), ""},
        {text.Left(99), "abcdef"},
        {text.Right(2), "ef"},
        {text.Right(-1), ""},
        {text.Right(99), "abcdef"},
        {text.Mid(2), "cdef"},
        {text.Mid(-2), "abcdef"},
        {text.Mid(6), ""},
        {text.Mid(9), ""},
        {text.Mid(1, 3), "bcd"},
        {text.Mid(4, 9), "ef"},
        {text.Mid(-2, 3), "abc"},
        {text.Mid(1, -1), ""},
        {text.Mid(9, 2), ""},
        {text.SpanIncluding("abx"), "ab"},
        {text.SpanIncluding("x"), ""},
        {text.SpanExcluding("dx"), "abc"},
        {text.SpanExcluding("xyz"), "abcdef"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(cases[i].actual, cases[i].expected);
    }
}

TEST(StringTokenize, SkipsRunsOfDelimitersAndEnds) {
    EXPECT_EQ(AllTokens("a,,b;c", ",;"), (std::vector<CString>{"a", "b", "c"}));
    EXPECT_EQ(AllTokens(",,a,", ","), (std::vector<CString>{"a"}));
    EXPECT_EQ(AllTokens(",,,", ","), std::vector<CString>{});
    EXPECT_EQ(AllTokens("", ","), std::vector<CString>{});
    EXPECT_EQ(AllTokens("12\xB0"
                        "30",
                        "\xB0"),
              (std::vector<CString>{"12", "30"}));
    // Without delimiters the rest is one token, and the loop still ends.
    EXPECT_EQ(AllTokens("a b", ""), (std::vector<CString>{"a b"}));

    const CString text("a,b");
    int position = 9;
    EXPECT_TRUE(text.Tokenize(",", position).IsEmpty());
    EXPECT_EQ(position, -1);
    position = 2;
    EXPECT_EQ(text.Tokenize(",", position), "b");
    EXPECT_TRUE(text.Tokenize(",", position).IsEmpty());
    EXPECT_EQ(position, -1);
}

TEST(StringTrim, WhiteSpaceCharactersAndSets) {
    CString text(" \t\r\n\v\fvalue \n");
    EXPECT_EQ(text.Trim(), "value");

    const struct {
        CString actual;
        const char* expected;
    } cases[] = {
        {CString("xxaxx").Trim('x'), "a"},
        {CString("xxaxx").TrimLeft('x'), "axx"},
        {CString("xxaxx").TrimRight('x'), "xxa"},
        {CString("  a  ").TrimLeft(), "a  "},
        {CString("  a  ").TrimRight(), "  a"},
        {CString("\xB0"
                 "12\xB0")
             .Trim("\xB0"),
         "12"},
        {CString("-+1+-").Trim("+-"), "1"},
        {CString("xxxx").Trim('x'), ""},
        {CString("   ").Trim(), ""},
        {CString(" a ").Trim(""), " a "},
        {CString(" a ").Trim(static_cast<const char*>(nullptr)), " a "},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(cases[i].actual, cases[i].expected);
    }
}

// --- Case and comparison ------------------------------------------------------------

TEST(StringCase, OnlyAsciiLettersChange) {
    CString text("abc\xE9\xC9 xyz\xB0");
    EXPECT_EQ(CString(text).MakeUpper(), "ABC\xE9\xC9 XYZ\xB0");
    EXPECT_EQ(CString(text).MakeLower(), "abc\xE9\xC9 xyz\xB0");
    EXPECT_EQ(CString("ab\xB0").MakeReverse(),
              "\xB0"
              "ba");
}

TEST(StringCompare, SignsOfOrderAndCaseFolding) {
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("abc").Compare("ab"), 0);
    EXPECT_LT(CString("Z").Compare("a"), 0);
    EXPECT_GT(CString("\xB0").Compare("z"), 0);  // bytes compare unsigned
    EXPECT_GT(CString("a").Compare(nullptr), 0);

    EXPECT_EQ(CString("Degrees").CompareNoCase("dEGREES"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("ABD").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);  // folds to lower case: '_' < 'a'
    EXPECT_GT(CString("\xB0").CompareNoCase("Z"), 0);
    EXPECT_NE(CString("\xE9").CompareNoCase("\xC9"), 0);
    EXPECT_EQ(CString().CompareNoCase(nullptr), 0);

    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(CString("z") < CString("\xB0"));
    EXPECT_TRUE(CString("b") > CString("a"));
    EXPECT_TRUE(CString("a") < "b");

    const char* const none = nullptr;
    EXPECT_TRUE(CString() == none);
    EXPECT_FALSE(CString("a") == none);
    EXPECT_FALSE(CString() < none);
}

// --- Concatenation -------------------------------------------------------------------

TEST(StringConcatenation, EveryOperandCombination) {
    const CString a("12");
    EXPECT_EQ(a + CString("\xB0"), "12\xB0");
    EXPECT_EQ(a + "\xB0", "12\xB0");
    EXPECT_EQ("N " + a, "N 12");
    EXPECT_EQ(a + '\xB0', "12\xB0");
    EXPECT_EQ('-' + a, "-12");
    EXPECT_EQ(a + static_cast<const char*>(nullptr), "12");

    CString text("x");
    text += CString("y");
    text += "z";
    text += '\0';
    EXPECT_EQ(text.GetLength(), 4);
    text.Append("abc", 2);
    text.Append("abc", -1);
    text.AppendChar('!');
    EXPECT_EQ(text, CString("xyz\0ab!", 7));
}

TEST(StringConcatenation, AppendingItselfDoublesTheText) {
    CString text("abc");
    text += text;
    EXPECT_EQ(text, "abcabc");
    text += text.GetString();
    EXPECT_EQ(text, "abcabcabcabc");
    text = text + text;
    EXPECT_EQ(text.GetLength(), 24);
}
