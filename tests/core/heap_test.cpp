// The runtime heap's ownership rules: constants are never freed and are
// copied out when resized; the counters see owned blocks only.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/core/heap.h"

namespace talv {
namespace {

TALV_CONSTANT const char kConstantText[] = "constant text";

TEST(Heap, ConstantSegmentHoldsMarkedConstantsOnly) {
  EXPECT_TRUE(IsInConstantSegment(kConstantText));
  EXPECT_TRUE(IsInConstantSegment(kConstantText + sizeof kConstantText - 1));
  char local[4] = {};
  EXPECT_FALSE(IsInConstantSegment(local));
  void* block = Allocate(16);
  EXPECT_FALSE(IsInConstantSegment(block));
  Free(block);
  EXPECT_FALSE(IsInConstantSegment(nullptr));
}

TEST(Heap, FreeIgnoresNullAndConstants) {
  HeapCounters before = GetHeapCounters();
  Free(nullptr);
  Free(const_cast<char*>(kConstantText));
  EXPECT_EQ(GetHeapCounters().frees, before.frees);
  EXPECT_STREQ(kConstantText, "constant text");
}

TEST(Heap, ReallocateCopiesAConstantOut) {
  char* copy = static_cast<char*>(Reallocate(const_cast<char*>(kConstantText), 64));
  ASSERT_NE(copy, kConstantText);
  EXPECT_FALSE(IsInConstantSegment(copy));
  EXPECT_STREQ(copy, "constant text");
  copy[0] = 'C';
  EXPECT_EQ(kConstantText[0], 'c');
  Free(copy);
}

TEST(Heap, ReallocateKeepsContentsAndNullAllocates) {
  char* block = static_cast<char*>(Reallocate(nullptr, 4));
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(Reallocate(block, 4096));
  EXPECT_STREQ(block, "abc");
  block = static_cast<char*>(Reallocate(block, 2));
  EXPECT_EQ(std::memcmp(block, "ab", 2), 0);
  Free(block);
}

TEST(Heap, CountersCountOwnedBlocks) {
  HeapCounters before = GetHeapCounters();
  void* a = Allocate(8);
  void* b = TryAllocate(8);
  Free(a);
  Free(b);
  HeapCounters after = GetHeapCounters();
  EXPECT_EQ(after.allocations - before.allocations, 2u);
  EXPECT_EQ(after.frees - before.frees, 2u);
}

}  // namespace
}  // namespace talv
