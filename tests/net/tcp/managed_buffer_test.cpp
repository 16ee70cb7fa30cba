#include "net/tcp/managed_buffer.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;

TEST(ManagedBuffer, TakesOldestBytesFirstAndFindsFromAnOffset) {
    TNetManagedBuffer buffer;
    EXPECT_TRUE(buffer.Empty());
    buffer.Append("ab\ncd\nef", 8);
    EXPECT_EQ(buffer.Size(), 8u);
    EXPECT_EQ(buffer.Find('\n', 0), 2u);
    EXPECT_EQ(buffer.Find('\n', 3), 5u);
    EXPECT_EQ(buffer.Find('\n', 6), std::string_view::npos);
    EXPECT_EQ(buffer.Find('\n', 100), std::string_view::npos);

    EXPECT_EQ(buffer.Take(3), "ab\n");
    EXPECT_EQ(buffer.View(), "cd\nef");
    EXPECT_EQ(buffer.Find('\n', 0), 2u);
    buffer.Append("g", 1);
    EXPECT_EQ(buffer.Take(100), "cd\nefg");
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.Take(1), "");
}

TEST(ManagedBuffer, TakingPieceByPieceKeepsTheOrder) {
    TNetManagedBuffer buffer;
    std::string all;
    for (int i = 0; i < 1000; ++i)
        all += std::to_string(i) + ",";
    buffer.Append(all.data(), all.size());
    std::string taken;
    while (!buffer.Empty()) {
        taken += buffer.Take(7);
        if (taken.size() % 70 == 0) buffer.Append("+", 1), all += "+";
    }
    EXPECT_EQ(taken, all);
    buffer.Append("x", 1);
    buffer.Clear();
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.View(), "");
}
