#include "net/http/header_fold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace melvanto;

TEST(FoldHeaderLine, CutsAfterTheLastSpaceTabOrCommaOutsideQuotes) {
    struct Case {
        const char* line;
        int foldLength;
        std::vector<std::string> folded;
    } cases[] = {
        {"Name: short", 78, {"Name: short"}},
        {"Abc: 1234", 9, {"Abc: 1234"}},
        {"Abc: 12345 67", 10, {"Abc: 12345", " 67"}},
        {"Abc:\t12345\t67", 10, {"Abc:\t12345", " 67"}},
        // Nothing to cut at before the limit: the piece grows until a cut point comes.
        {"Abcdefgh: xy", 5, {"Abcdefgh:", " xy"}},
        {"Abcdefghijk", 5, {"Abcdefghijk"}},
        // Commas are cut points too, and the comma stays at the end of its piece.
        {"Ab: c,d,e,f,g", 6, {"Ab: c,", " d,e,f,", " g"}},
        // Inside double quotes there are no cut points.
        {"A: \"b, c, d\", e", 10, {"A:", " \"b, c, d\",", " e"}},
        {"X: \"a b c d e f g h\"", 5, {"X:", " \"a b c d e f g h\""}},
        // The spaces and commas right after a cut open the next piece.
        {"Ab: c,, ,d", 5, {"Ab: c,", " , ,d"}},
        // A character at the very start of a piece is no cut point.
        {" abcdef g", 3, {" abcdef", " g"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FoldHeaderLine(c.line, c.foldLength), c.folded);
    }
}

// A tail of blanks would make a continuation line of nothing but a space, which readers
// of a message head may take for its end; it is dropped.
TEST(FoldHeaderLine, LeavesNoBlankLineBehind) {
    EXPECT_EQ(FoldHeaderLine("Ab: cdef    ", 5), (std::vector<std::string>{"Ab:", " cdef"}));
    EXPECT_EQ(FoldHeaderLine("Abcdef,", 5), (std::vector<std::string>{"Abcdef,"}));
    EXPECT_EQ(FoldHeaderLine("Abcdef, ", 5), (std::vector<std::string>{"Abcdef,"}));
}

TEST(FoldHeaderLine, NoPieceOutgrowsTheLimitWhileCutPointsAreAtHand) {
    std::string line = "Cookie:";
    for (int i = 0; i < 200; ++i)
        line += " v" + std::to_string(i) + "=x;";
    const std::vector<std::string> folded = FoldHeaderLine(line, 40);
    ASSERT_GT(folded.size(), 1u);
    std::string joined;
    for (size_t i = 0; i < folded.size(); ++i) {
        SCOPED_TRACE(folded[i]);
        EXPECT_LE(folded[i].size(), 41u);
        if (i > 0) {
            EXPECT_EQ(folded[i].front(), ' ');
        }
        joined += folded[i];
    }
    EXPECT_EQ(joined, line);
}

TEST(FoldHeaderLine, BlanksAreSpacesAndControlCharacters) {
    EXPECT_EQ(TrimHeaderBlanks(" \t\r x y \x01"), "x y");
    EXPECT_EQ(TrimHeaderBlanks("\xA1\xA1"), "\xA1\xA1");
    EXPECT_EQ(TrimHeaderBlanks("   "), "");
}
