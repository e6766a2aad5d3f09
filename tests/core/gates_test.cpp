// The gate table: slot order, the command gates' result record and argument
// passing, the heap gates and the property gates' checks before the host.
#include "runtime/core/gates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/core/heap.h"
#include "runtime/core/property_host.h"

namespace talv {
namespace {

TALV_CONSTANT const char kConstant[] = "fixed";

TEST(GateTable, SlotsInTheirFixedOrder) {
  const GateTable& g = Gates();
  void* const* slots = reinterpret_cast<void* const*>(&g);
  EXPECT_EQ(sizeof(GateTable), GateSlot::Count * sizeof(void*));
  EXPECT_EQ(slots[GateSlot::Allocate], reinterpret_cast<void*>(&Allocate));
  EXPECT_EQ(slots[GateSlot::Reallocate], reinterpret_cast<void*>(&Reallocate));
  EXPECT_EQ(slots[GateSlot::Free], reinterpret_cast<void*>(&Free));
  EXPECT_EQ(slots[GateSlot::ReadProperty], reinterpret_cast<void*>(&ReadPropertyGate));
  EXPECT_EQ(slots[GateSlot::WriteProperty], reinterpret_cast<void*>(&WritePropertyGate));
  EXPECT_EQ(slots[GateSlot::RunMessageLoop], reinterpret_cast<void*>(&RunMessageLoop));
  EXPECT_EQ(slots[GateSlot::LoadStartupWindow], reinterpret_cast<void*>(&LoadStartupWindow));
  for (int i = 0; i < GateSlot::Count; ++i) EXPECT_NE(slots[i], nullptr) << "slot " << i;
}

// A command that records what it was given.
struct Seen {
  int32_t count = -1;
  std::vector<TypedValue> args;
  TypedValue result_on_entry{1, 1, 1};
};
Seen g_seen;
void Recorder(TypedValue* result, int32_t count, TypedValue* args) {
  g_seen.count = count;
  g_seen.args.assign(args, args + count);
  g_seen.result_on_entry = *result;
}
void WritesOnlyTheValue(TypedValue* result, int32_t, TypedValue*) { SetInt(*result, 42); }

TEST(CommandGate, ACommandThatWritesNothingReturnsZeroWithTypeZero) {
  TypedValue r = Gates().CallCommand(Recorder, 0);
  EXPECT_EQ(g_seen.count, 0);
  EXPECT_EQ(g_seen.result_on_entry.lo, 0u);
  EXPECT_EQ(g_seen.result_on_entry.hi, 0u);
  EXPECT_EQ(g_seen.result_on_entry.type, 0u);
  EXPECT_EQ(r.lo, 0u);
  EXPECT_EQ(r.hi, 0u);
  EXPECT_EQ(r.type, 0u);

  TypedValue v = Gates().CallCommand(WritesOnlyTheValue, 0);
  EXPECT_EQ(AsInt(v), 42);
  EXPECT_EQ(v.type, 0u);
}

// The records must arrive back to back, in order, whatever their types:
// on the 32-bit target the gate hands the command the caller's own stack.
TEST(CommandGate, TypedArgumentsArriveInOrderWithOmittedOnesAsTypeZero) {
  TypedValue r = Gates().CallCommand(Recorder, 5, IntValue(-7), Omitted(), DoubleValue(2.5),
                                     TextValue(kConstant), LongValue(0x123456789ABCDEF0LL));
  ASSERT_EQ(g_seen.count, 5);
  EXPECT_EQ(g_seen.args[0].type, TypeCode::Int);
  EXPECT_EQ(AsInt(g_seen.args[0]), -7);
  EXPECT_EQ(g_seen.args[1].type, TypeCode::None);
  EXPECT_EQ(RawBits(g_seen.args[1]), 0u);
  EXPECT_EQ(g_seen.args[2].type, TypeCode::Double);
  EXPECT_EQ(AsDouble(g_seen.args[2]), 2.5);
  EXPECT_EQ(AsText(g_seen.args[3]), kConstant);
  EXPECT_EQ(AsLong(g_seen.args[4]), 0x123456789ABCDEF0LL);
  EXPECT_EQ(r.type, 0u);
}

// The gate allocates nothing: the result record is its own local.
TEST(CommandGate, AddsNoAllocation) {
  HeapCounters before = GetHeapCounters();
  for (int i = 0; i < 100; ++i) Gates().CallCommand(WritesOnlyTheValue, 2, IntValue(i), Omitted());
  EXPECT_EQ(GetHeapCounters().allocations, before.allocations);
}

TEST(CommandGate, ManyArgumentsOfEveryWidthStayInOrder) {
  Gates().CallCommand(Recorder, 9, BoolValue(true), FloatValue(0.5f), IntValue(3),
                      DateTimeValue(45000.25), IntValue(5), TextValue(nullptr), LongValue(-7),
                      BytesValue(kConstant), IntValue(9));
  ASSERT_EQ(g_seen.count, 9);
  EXPECT_EQ(g_seen.args[1].type, TypeCode::Float);
  EXPECT_EQ(AsFloat(g_seen.args[1]), 0.5f);
  EXPECT_EQ(AsDouble(g_seen.args[3]), 45000.25);
  EXPECT_EQ(g_seen.args[3].type, TypeCode::DateTime);
  EXPECT_EQ(AsText(g_seen.args[5]), nullptr);
  EXPECT_EQ(AsLong(g_seen.args[6]), -7);
  EXPECT_EQ(AsPointer(g_seen.args[7]), kConstant);
  for (int i : {2, 4, 8}) EXPECT_EQ(AsInt(g_seen.args[size_t(i)]), i + 1);
}

TEST(CommandGate, ArrayFormAndLibraryGateBehaveAlike) {
  TypedValue args[2] = {IntValue(1), BoolValue(true)};
  CallCommandArray(Recorder, 2, args);
  ASSERT_EQ(g_seen.count, 2);
  EXPECT_EQ(AsInt(g_seen.args[0]), 1);
  EXPECT_TRUE(AsBool(g_seen.args[1]));

  // The library position after the arguments is not an argument.
  Gates().CallLibraryCommand(Recorder, 1, IntValue(9), int32_t(2));
  ASSERT_EQ(g_seen.count, 1);
  EXPECT_EQ(AsInt(g_seen.args[0]), 9);
  EXPECT_EQ(g_seen.result_on_entry.type, 0u);
}

TEST(HeapGates, FreeIgnoresNullAndConstantsAndReallocateCopiesConstants) {
  HeapCounters before = GetHeapCounters();
  Gates().Free(nullptr);
  Gates().Free(const_cast<char*>(kConstant));
  EXPECT_EQ(GetHeapCounters().frees, before.frees);

  char* copy = static_cast<char*>(Gates().Reallocate(const_cast<char*>(kConstant), 6));
  ASSERT_NE(copy, kConstant);
  EXPECT_STREQ(copy, "fixed");
  Gates().Free(copy);
  void* block = Gates().Allocate(3);
  Gates().Free(block);
  EXPECT_EQ(GetHeapCounters().frees, before.frees + 2);
}

// A window runtime with one loaded window, whose live object comes and goes.
class FakeHost : public PropertyHost {
 public:
  bool live = true;
  int32_t last[4] = {};
  uint64_t written = 0;
  bool IsWindowLoaded(int32_t id) override { return id == 0x52010002; }
  bool HasLiveWindow(int32_t) override { return live; }
  uint64_t ReadProperty(int32_t w, int32_t c, int32_t p, int32_t m) override {
    Record(w, c, p, m);
    return 0x1122334455667788ull;
  }
  void WriteProperty(int32_t w, int32_t c, int32_t p, int32_t m, uint64_t v) override {
    Record(w, c, p, m);
    written = v;
  }
  void* LiveObject(int32_t, int32_t) override { return nullptr; }
  void Record(int32_t w, int32_t c, int32_t p, int32_t m) {
    last[0] = w;
    last[1] = c;
    last[2] = p;
    last[3] = m;
  }
};

class PropertyGates : public testing::Test {
 protected:
  void SetUp() override { SetPropertyHost(&host_); }
  void TearDown() override { SetPropertyHost(nullptr); }
  FakeHost host_;
};

TEST_F(PropertyGates, ReachTheHostWithTheAddressUnchanged) {
  EXPECT_EQ(Gates().ReadProperty(0x52010002, 0x1601001C, 8, -1), 0x1122334455667788ull);
  EXPECT_EQ(host_.last[1], 0x1601001C);
  EXPECT_EQ(host_.last[2], 8);
  EXPECT_EQ(host_.last[3], -1);
  Gates().WriteProperty(0x52010002, 0x16010009, 8, 3, 0xAABBCCDDu, 0x01020304u);
  EXPECT_EQ(host_.written, 0x01020304AABBCCDDull);
  EXPECT_EQ(host_.last[3], 3);
}

TEST_F(PropertyGates, CommonPropertiesNeedNoLiveWindow) {
  host_.live = false;
  Gates().ReadProperty(0x52010002, 0x06010003, 2, -1);
  EXPECT_EQ(host_.last[2], 2);
  Gates().WriteProperty(0x52010002, 0x06010003, 7, -1, 1, 0);
  EXPECT_EQ(host_.written, 1u);
}

}  // namespace
}  // namespace talv
