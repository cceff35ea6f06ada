#include "clsError.h"
#include "clsTokeniser.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Tokens(clsTokeniser& o) {
    std::vector<std::string> as;
    for (int32_t i = 0; i < o.Count(); ++i)
        as.push_back(o.Element(i));
    return as;
}

using Strings = std::vector<std::string>;

TEST(Tokeniser, EmptyFieldsAreDroppedButNoted) {
    struct Case {
        const char* sInput;
        Strings asTokens;
        bool bBlank;
    } const aCases[] = {
        {"a,b", {"a", "b"}, false},
        {"a,,b", {"a", "b"}, true},
        {",a", {"a"}, true},
        {"a,", {"a"}, false},
        {"", {}, true},
        {",", {}, true},
        {"abc", {"abc"}, false},
        {"a,b,", {"a", "b"}, false},
    };
    for (const Case& c : aCases) {
        clsTokeniser o;
        EXPECT_EQ(o.Tokenise(c.sInput, ","), int32_t(c.asTokens.size())) << c.sInput;
        EXPECT_EQ(Tokens(o), c.asTokens) << c.sInput;
        EXPECT_EQ(o.ParsedBlank(), c.bBlank) << c.sInput;
    }
}

TEST(Tokeniser, EmptyStatesAndSubscripts) {
    clsTokeniser oFresh;
    EXPECT_EQ(oFresh.Count(), 0);
    EXPECT_FALSE(oFresh.ParsedBlank());
    EXPECT_TRUE(oFresh.IsEmpty());

    clsTokeniser oEmpty;
    oEmpty.Tokenise("", ",");
    EXPECT_FALSE(oEmpty.IsEmpty());
    EXPECT_EQ(oEmpty.Element(0), "");
    try {
        oEmpty.Element(1);
        FAIL() << "expected a subscript error";
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::SubscriptOutOfRange);
    }

    clsTokeniser oTwo;
    oTwo.Tokenise("a,b", ",");
    EXPECT_THROW(oTwo.Element(2), clsError);
    EXPECT_THROW(oTwo.Element(-1), clsError);
}

TEST(Tokeniser, BlankFlagSurvivesLaterSplits) {
    clsTokeniser o;
    o.Tokenise("a,,b", ",");
    o.Tokenise("c,d", ",");
    EXPECT_TRUE(o.ParsedBlank());
    EXPECT_EQ(Tokens(o), (Strings{"c", "d"}));
}

TEST(Tokeniser, FindAndFlatten) {
    clsTokeniser o;
    o.Tokenise("Bold,Gallery", ",");
    EXPECT_EQ(o.Find("Bold", false), 0);
    EXPECT_EQ(o.Find("bold", false), -1);
    EXPECT_EQ(o.Find("Gal", true), 1);
    EXPECT_EQ(o.Find("Gal", false), -1);
    EXPECT_TRUE(o.Exists("Gallery", false));
    EXPECT_FALSE(o.Exists("Border", true));

    o.Tokenise("a,b,c", ",");
    EXPECT_EQ(o.GetFlattenedSegments(1), "b,c");
    EXPECT_EQ(o.GetFlattenedSegments(0), "a,b,c");
    o.AddToArray("d");
    EXPECT_EQ(o.GetFlattenedSegments(0), "a,b,c,d");

    o.Tokenise("", ",");
    EXPECT_EQ(o.GetFlattenedSegments(0), "");
}

TEST(Tokeniser, LongLinesGrowAndOverlongOnesOverflow) {
    std::string sLine;
    for (int i = 0; i < 120; ++i)
        sLine += (i ? "," : "") + std::to_string(i);
    clsTokeniser o;
    ASSERT_EQ(o.Tokenise(sLine, ","), 120);
    EXPECT_EQ(o.Element(119), "119");

    try {
        o.Tokenise(std::string(32767, 'x'), ",");
        FAIL() << "expected an overflow";
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::Overflow);
    }
    EXPECT_EQ(o.Tokenise(std::string(32766, 'x'), ","), 1);
}

TEST(Tokeniser, OtherSeparators) {
    clsTokeniser o;
    EXPECT_EQ(o.Tokenise("000|False|False|0|", "|"), 4);
    EXPECT_EQ(o.Element(3), "0");
    EXPECT_EQ(o.Tokenise("a::b", "::"), 2);
    EXPECT_EQ(o.Tokenise("a,b", ""), 1); // no separator: the whole text
}

} // namespace
