// A memory stream grown step by step, as the body of a chunked reply grows it (its size set
// ahead of each chunk, then cut back), moves its block only a few times, not once a step.

#include "base/memory_stream.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;

namespace {

struct GrowthCase {
    const char* name;
    bool setSizeFirst; // the size set ahead of each piece, as a counted read does
};

TEST(MemoryStreamGrowthTest, StepByStepGrowthMovesTheBlockRarely) {
    constexpr int kSteps = 2000;
    constexpr size_t kPiece = 4096;
    // 1.5 times per move from one piece to kSteps pieces needs about 19 moves.
    constexpr int kMostMoves = 40;
    const std::string piece(kPiece, 'p');
    for (const GrowthCase& growth :
         {GrowthCase{"writes alone", false}, GrowthCase{"size set ahead of each write", true}}) {
        SCOPED_TRACE(growth.name);
        TMemoryStream stream;
        int moves = 0;
        const uint8_t* block = nullptr;
        for (int i = 0; i < kSteps; ++i) {
            if (growth.setSizeFirst) stream.SetSize(stream.Position() + kPiece);
            stream.Write(piece.data(), piece.size());
            stream.SetSize(stream.Position());
            if (stream.Data() != block) ++moves;
            block = stream.Data();
        }
        EXPECT_EQ(stream.Size(), static_cast<int64_t>(kSteps * kPiece));
        EXPECT_LE(moves, kMostMoves);
    }
}

TEST(MemoryStreamGrowthTest, SetSizeKeepsTheBytesAndCutsThePosition) {
    TMemoryStream stream;
    stream.Write("abcdef", 6);
    stream.SetSize(1 << 20);
    EXPECT_EQ(stream.Size(), 1 << 20);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Data()), 6), "abcdef");
    stream.SetSize(3);
    EXPECT_EQ(stream.Size(), 3);
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Data()), 3), "abc");
}

} // namespace
