// The command service entry: conversions, the program directory, memory,
// component objects and the services that other parts register.
#include "runtime/core/services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/core/heap.h"
#include "runtime/core/program_directory.h"
#include "runtime/core/property_host.h"

namespace talv {
namespace {

intptr_t ToInt(TypedValue v) {
  return CommandService(ServiceCode::ToInteger, reinterpret_cast<intptr_t>(&v), 0);
}

TEST(Services, NumericValuesBecomeIntegers) {
  TypedValue byte{0xFFFFFF81, 0, TypeCode::Byte};
  EXPECT_EQ(ToInt(byte), 0x81);
  TypedValue shrt{0xFFFF, 0, TypeCode::Short};
  EXPECT_EQ(ToInt(shrt), -1);
  EXPECT_EQ(ToInt(IntValue(-123456)), -123456);
  EXPECT_EQ(ToInt(LongValue(0x100000005LL)), 5);
  EXPECT_EQ(ToInt(DoubleValue(-2.9)), -2);
  EXPECT_EQ(ToInt(FloatValue(7.75f)), 7);
}

TEST(Services, DoublesOutsideTheIntegerRangeStayCalm) {
  EXPECT_EQ(ToInt(DoubleValue(std::numeric_limits<double>::quiet_NaN())), 0);
  EXPECT_EQ(ToInt(DoubleValue(1e300)), INT32_MAX);
  EXPECT_EQ(ToInt(DoubleValue(-HUGE_VAL)), INT32_MIN);
  EXPECT_EQ(ToInt(DoubleValue(2147483647.5)), INT32_MAX);
}

TEST(Services, ProgramDirectoryIsTheKeptText) {
  SetProgramDirectory("C:\\程序");
  auto* text = reinterpret_cast<const char*>(CommandService(ServiceCode::ProgramDirectory, 0, 0));
  EXPECT_STREQ(text, "C:\\程序");
  EXPECT_EQ(text, ProgramDirectory());
  SetProgramDirectory("");
}

TEST(Services, MemoryServicesFollowTheHeapRules) {
  HeapCounters before = GetHeapCounters();
  auto* a = reinterpret_cast<char*>(CommandService(ServiceCode::Allocate, 8, 0));
  ASSERT_NE(a, nullptr);
  a[0] = 'q';
  a = reinterpret_cast<char*>(
      CommandService(ServiceCode::Reallocate, reinterpret_cast<intptr_t>(a), 100));
  EXPECT_EQ(a[0], 'q');
  CommandService(ServiceCode::Free, reinterpret_cast<intptr_t>(a), 0);
#if defined(_WIN32)
  // The plain allocation returns null on failure instead of ending the
  // program (natively the address sanitizer would stop the test first).
  EXPECT_EQ(CommandService(ServiceCode::Allocate, -16, 1), 0);
#endif
  void* b = reinterpret_cast<void*>(CommandService(ServiceCode::Allocate, 4, 1));
  ASSERT_NE(b, nullptr);
  Free(b);
  HeapCounters after = GetHeapCounters();
  EXPECT_EQ(after.allocations - before.allocations, 2u);
  EXPECT_EQ(after.frees - before.frees, 2u);
}

class ObjectHost : public PropertyHost {
 public:
  int object = 0;
  bool IsWindowLoaded(int32_t) override { return true; }
  bool HasLiveWindow(int32_t) override { return true; }
  uint64_t ReadProperty(int32_t, int32_t, int32_t, int32_t) override { return 0; }
  void WriteProperty(int32_t, int32_t, int32_t, int32_t, uint64_t) override {}
  void* LiveObject(int32_t w, int32_t c) override {
    return w == 0x52010002 && c == 0x1601001C ? &object : nullptr;
  }
};

TEST(Services, ComponentObjectsComeFromTheWindowRuntime) {
  EXPECT_EQ(CommandService(ServiceCode::FindObject, 0x52010002, 0x1601001C), 0);
  ObjectHost host;
  SetPropertyHost(&host);
  EXPECT_EQ(CommandService(ServiceCode::FindObject, 0x52010002, 0x1601001C),
            reinterpret_cast<intptr_t>(&host.object));
  EXPECT_EQ(CommandService(ServiceCode::RequireObject, 0x52010002, 0x1601001C),
            reinterpret_cast<intptr_t>(&host.object));
  EXPECT_EQ(CommandService(ServiceCode::FindObject, 0x52010002, 0x16010001), 0);
  SetPropertyHost(nullptr);
}

intptr_t g_sound_args[2];
intptr_t FakePlay(intptr_t a, intptr_t b) {
  g_sound_args[0] = a;
  g_sound_args[1] = b;
  return 1;
}

TEST(Services, SoundAndMessageServicesBelongToTheirOwners) {
  EXPECT_EQ(CommandService(ServiceCode::PlaySound, 1, 2), 0);
  EXPECT_EQ(CommandService(ServiceCode::DispatchMessages, 0, 0), 0);
  SetServiceHandler(ServiceCode::PlaySound, FakePlay);
  EXPECT_EQ(CommandService(ServiceCode::PlaySound, 11, 22), 1);
  EXPECT_EQ(g_sound_args[0], 11);
  EXPECT_EQ(g_sound_args[1], 22);
  SetServiceHandler(ServiceCode::PlaySound, nullptr);
  EXPECT_EQ(CommandService(ServiceCode::PlaySound, 1, 2), 0);
  EXPECT_EQ(CommandService(9999, 1, 2), 0);
}

}  // namespace
}  // namespace talv
