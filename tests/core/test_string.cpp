#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "platform/core/CString.h"
#include "platform/core/Exceptions.h"

namespace {

// The text after an edit of a fresh copy, and what the edit returned.
template <class Edit>
std::pair<CString, int> Edited(const char* text, Edit edit) {
    CString result(text);
    const int returned = edit(result);
    return {result, returned};
}

}  // namespace

TEST(StringFormat, StarWidthsBytesLongResultsAndOwnText) {
    CString text;
    text.Format("%*.*f|%-*d|%.*s|%0*ld", 8, 2, 3.14159, 5, 42, 3, "abcdef", 6, -12L);
    EXPECT_EQ(text, "    3.14|42   |abc|-00012");
    text.Format("%.1f\xB0 %s%c", 21.5, "\xB1 0.5\x95", '\xB0');
    EXPECT_EQ(text, "21.5\xB0 \xB1 0.5\x95\xB0");

    const std::string filler(5000, 'x');  // longer than any first guess at the size
    text.Format("<%s>", filler.c_str());
    EXPECT_EQ(text.str(), "<" + filler + ">");
    text = "abc";  // the own text as an argument
    text.Format("[%s|%s]", text.GetString(), static_cast<const char*>(text));
    EXPECT_EQ(text, "[abc|abc]");
    text.AppendFormat("%s%d", text.GetString(), 7);
    EXPECT_EQ(text, "[abc|abc][abc|abc]7");
}

TEST(StringFormat, CharZeroIsStoredAsOneNul) {
    CString text;
    text.Format("a%cb", 0);
    EXPECT_EQ(text, CString("a\0b", 3));
    text.Format("%c", 0);
    EXPECT_EQ(text.GetLength(), 1);
    EXPECT_STREQ(text.GetString(), "");  // and displays as empty
}

TEST(StringAccess, BadCountsPositionsAndBuffers) {
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_TRUE(CString(nullptr, 4).IsEmpty());
    EXPECT_TRUE(CString('-', -2).IsEmpty());

    CString text("ab");
    EXPECT_EQ(text.GetAt(2), '\0');  // the terminator may be read, as in the framework
    EXPECT_THROW(text.GetAt(3), CInvalidArgException);
    EXPECT_THROW(text.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(text.SetAt(2, 'x'), CInvalidArgException);
    EXPECT_THROW(text.SetAt(-1, 'x'), CInvalidArgException);
    EXPECT_EQ(text, "ab");
    text.GetBufferSetLength(-3);
    EXPECT_TRUE(text.IsEmpty());

    std::strcpy(text.GetBuffer(16), "hello");
    text.ReleaseBuffer();  // takes the text up to the first NUL
    EXPECT_EQ(text, "hello");
}

TEST(StringEdit, PositionsAndCountsAtTheEdges) {
    const struct {
        std::pair<CString, int> actual;
        const char* text;
        int returned;
    } edits[] = {
        {Edited("abcdef", [](CString& s) { return s.Delete(-3, 2); }), "cdef", 4},
        {Edited("abcdef", [](CString& s) { return s.Delete(4, 100); }), "abcd", 4},
        {Edited("abcdef", [](CString& s) { return s.Delete(6, 1); }), "abcdef", 6},
        {Edited("abcdef", [](CString& s) { return s.Delete(2, -4); }), "abcdef", 6},
        {Edited("bc", [](CString& s) { return s.Insert(-5, 'a'); }), "abc", 3},
        {Edited("abc", [](CString& s) { return s.Insert(99, "de"); }), "abcde", 5},
        {Edited("abc", [](CString& s) { return s.Insert(1, static_cast<const char*>(nullptr)); }),
         "abc", 3},
        {Edited("xy", [](CString& s) { return s.Insert(1, s.GetString()); }), "xxyy", 4},
        {Edited("aaa", [](CString& s) { return s.Replace("aa", "b"); }), "ba", 1},
        {Edited("x1x", [](CString& s) { return s.Replace("x", "xx"); }), "xx1xx", 2},
        {Edited("1\xB0 2\xB0", [](CString& s) { return s.Replace("\xB0", nullptr); }), "1 2", 2},
        {Edited("ab", [](CString& s) { return s.Replace("a", s.GetString()); }), "abb", 1},
        {Edited("abc", [](CString& s) { return s.Replace("", "x"); }), "abc", 0},
        {Edited("abc", [](CString& s) { return s.Replace(nullptr, "x"); }), "abc", 0},
        {Edited("a\xB0 b\xB0", [](CString& s) { return s.Remove('\xB0'); }), "a b", 2},
        {Edited("abc", [](CString& s) { return (s += s).GetLength(); }), "abcabc", 6},
    };
    for (size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE("edit " + std::to_string(i));
        EXPECT_EQ(edits[i].actual.first, edits[i].text);
        EXPECT_EQ(edits[i].actual.second, edits[i].returned);
    }

    const CString text("abcabc");
    EXPECT_EQ(text.Find('c', 6), -1);
    EXPECT_EQ(text.Find('c', -1), -1);
    EXPECT_EQ(text.Find("bc", 5), -1);
    EXPECT_EQ(text.Find("bc", 7), -1);
    EXPECT_EQ(text.Find("", 6), 6);
    EXPECT_EQ(text.Find(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(text.FindOneOf("zc"), 2);
    const struct {
        CString actual;
        const char* expected;
    } parts[] = {
        {text.Left(-1), ""},
        {text.Right(99), "abcabc"},
        {text.Mid(9), ""},
        {text.Mid(4, 9), "bc"},
        {text.Mid(-2, 3), "abc"},
        {text.Mid(1, -1), ""},
        {text + static_cast<const char*>(nullptr), "abcabc"},
        {CString(" \t\r\n\v\fvalue \n").Trim(), "value"},
        {CString("\xB0 12\xB0").Trim("\xB0"), " 12"},
        {CString("xxxx").Trim('x'), ""},
        {CString(" a ").Trim(static_cast<const char*>(nullptr)), " a "},
        {CString("abc\xE9 xyz\xB0").MakeUpper(), "ABC\xE9 XYZ\xB0"},
    };
    for (size_t i = 0; i < std::size(parts); ++i) {
        SCOPED_TRACE("part " + std::to_string(i));
        EXPECT_EQ(parts[i].actual, parts[i].expected);
    }
}

TEST(StringTokenize, SkipsRunsOfDelimitersAndEnds) {
    const CString text(",a,,b\xB0,");
    int position = 0;
    EXPECT_EQ(text.Tokenize(",\xB0", position), "a");
    EXPECT_EQ(text.Tokenize(",\xB0", position), "b");
    EXPECT_TRUE(text.Tokenize(",\xB0", position).IsEmpty());
    EXPECT_EQ(position, -1);

    position = 0;  // without delimiters the rest is one token, and the next call ends
    EXPECT_EQ(text.Tokenize("", position), text);
    EXPECT_TRUE(text.Tokenize("", position).IsEmpty());
    EXPECT_EQ(position, -1);
    position = 9;
    EXPECT_TRUE(text.Tokenize(",", position).IsEmpty());
    EXPECT_EQ(position, -1);
}

TEST(StringCompare, UnsignedBytesAndCaseFolding) {
    EXPECT_GT(CString("\xB0").Compare("z"), 0);
    EXPECT_GT(CString("a").Compare(nullptr), 0);

    EXPECT_EQ(CString("Degrees").CompareNoCase("dEGREES"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);  // folds to lower case: '_' < 'a'
    EXPECT_GT(CString("\xB0").CompareNoCase("Z"), 0);
    EXPECT_NE(CString("\xE9").CompareNoCase("\xC9"), 0);
    EXPECT_EQ(CString().CompareNoCase(nullptr), 0);
}
