#include "base/memory_stream.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;

TEST(MemoryStream, WritesAtThePositionAndGrows) {
    TMemoryStream s;
    s.Write("hello", 5);
    s.SetPosition(1);
    s.Write("EY", 2);
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Data()), 5), "hEYlo");
    s.SetPosition(5);
    s.Write(" world", 6);
    s.SetPosition(0);
    char out[32] = {};
    EXPECT_EQ(s.Read(out, sizeof out), 11u);
    EXPECT_EQ(std::string(out), "hEYlo world");
    EXPECT_EQ(s.Read(out, sizeof out), 0u);
}

TEST(MemoryStream, SetSizeGrowsAndCutsKeepingThePositionInside) {
    TMemoryStream s;
    s.Write("abcdef", 6);
    s.SetPosition(2);
    s.SetSize(100);
    EXPECT_EQ(s.Size(), 100);
    EXPECT_EQ(s.Position(), 2);
    s.SetSize(1);
    EXPECT_EQ(s.Size(), 1);
    EXPECT_EQ(s.Position(), 1);
    s.SetSize(0);
    EXPECT_EQ(s.Position(), 0);
}
