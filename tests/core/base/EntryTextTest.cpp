#include "core/base/EntryText.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(TrimBlanks, BothEnds) {
    EXPECT_EQ(TrimBlanks(" \t a b \t "), "a b");
    EXPECT_EQ(TrimBlanks(" "), "") << "nothing but blanks leaves nothing";
    EXPECT_EQ(TrimBlanks(""), "");
}

} // namespace
} // namespace torvane
