#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CPtrList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

namespace {

TEST(CStringTest, FormatHasNoLengthLimit) {
    const std::string longText(100000, 'x');
    CString text;
    text.Format("<%s>%d", longText.c_str(), 42);
    EXPECT_EQ(text.str(), "<" + longText + ">42");
}

TEST(CStringTest, PiecesStayWithinTheText) {
    const CString text("abcde");
    struct Case {
        CString piece;
        const char* expected;
    };
    const Case cases[] = {
        {text.Mid(2), "cde"},    {text.Mid(5), ""},      {text.Mid(9), ""},
        {text.Mid(-1), "abcde"}, {text.Mid(1, 2), "bc"}, {text.Mid(3, 9), "de"},
        {text.Mid(5, 1), ""},    {text.Right(2), "de"},  {text.Right(9), "abcde"},
        {text.Right(0), ""},     {text.Right(-1), ""},   {text.Left(9), "abcde"},
        {text.Left(-1), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.piece.str(), c.expected);
    EXPECT_EQ(text.Find('c', 9), -1);
    EXPECT_EQ(text.ReverseFind('z'), -1);
}

TEST(CStringArrayTest, AddReturnsTheIndexAndElementsCanBeReplaced) {
    CStringArray lines;
    EXPECT_TRUE(lines.IsEmpty());
    EXPECT_EQ(lines.Add("first"), 0);
    EXPECT_EQ(lines.Add("second"), 1);
    lines.SetAt(0, "replaced");
    lines[1] += "!";
    EXPECT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines.GetAt(0).str(), "replaced");
    EXPECT_EQ(lines[1].str(), "second!");
    lines.RemoveAll();
    EXPECT_EQ(lines.GetCount(), 0);
}

TEST(CPtrListTest, EmptyListHasNoPositions) {
    CPtrList<int> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
}

TEST(CPtrListTest, WalksBothWaysInOrderOfAppending) {
    int values[] = {1, 2, 3};
    CPtrList<int> list;
    for (int& value : values) list.AddTail(&value);

    std::vector<int> forward;
    for (POSITION pos = list.GetHeadPosition(); pos;) forward.push_back(*list.GetNext(pos));
    std::vector<int> backward;
    for (POSITION pos = list.GetTailPosition(); pos;) backward.push_back(*list.GetPrev(pos));
    EXPECT_EQ(forward, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(backward, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(list.GetAt(list.GetTailPosition()), &values[2]);
}

TEST(CPtrListTest, PositionOfTheTailLeadsToEntriesAppendedLater) {
    int first = 1;
    int later = 2;
    CPtrList<int> list;
    POSITION pos = list.AddTail(&first);
    list.AddTail(&later);
    EXPECT_EQ(list.GetNext(pos), &first);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(list.GetNext(pos), &later);
    EXPECT_EQ(pos, nullptr);
}

TEST(CPtrListTest, HoldsManyEntriesWithoutOwningThem) {
    std::vector<int> values(300000);
    CPtrList<int> list;
    for (int& value : values) list.AddTail(&value);
    EXPECT_EQ(list.GetCount(), 300000);
    size_t index = 0;
    bool inOrder = true;
    for (POSITION pos = list.GetHeadPosition(); pos; ++index)
        inOrder = inOrder && list.GetNext(pos) == &values[index];
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(index, values.size());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
