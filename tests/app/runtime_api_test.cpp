// The application's typed wrapper: plain C++ values reach commands as typed
// arguments, owned texts are freed through the gate.
#include "app/runtime_api.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/commands/dll_directory_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/heap.h"
#include "runtime/core/property_host.h"

namespace {

std::vector<talv::TypedValue> g_args;
void Echo(talv::TypedValue* result, int32_t count, talv::TypedValue* args) {
  g_args.assign(args, args + count);
  *result = talv::TextValue(talv::NewText("echo"));
}

TEST(RuntimeApi, ValuesBecomeTypedArguments) {
  rt::Text t = rt::CallText(Echo, int32_t(3), 1.5, true, "文字", rt::Omit);
  EXPECT_STREQ(t.c_str(), "echo");
  ASSERT_EQ(g_args.size(), 5u);
  EXPECT_EQ(g_args[0].type, talv::TypeCode::Int);
  EXPECT_EQ(g_args[1].type, talv::TypeCode::Double);
  EXPECT_EQ(talv::AsDouble(g_args[1]), 1.5);
  EXPECT_EQ(g_args[2].type, talv::TypeCode::Bool);
  EXPECT_STREQ(talv::AsText(g_args[3]), "文字");
  EXPECT_EQ(g_args[4].type, 0u);
}

TEST(RuntimeApi, OwnedTextsAreFreedOnce) {
  talv::HeapCounters before = talv::GetHeapCounters();
  {
    rt::Text a = rt::CallText(Echo);
    rt::Text b = std::move(a);
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_FALSE(b.empty());
  }
  talv::HeapCounters after = talv::GetHeapCounters();
  EXPECT_EQ(after.allocations - before.allocations, 1u);
  EXPECT_EQ(after.frees - before.frees, 1u);
}

TEST(RuntimeApi, DllCommandDirectoryThroughTheCommandGate) {
  EXPECT_EQ(rt::CallText(talv::SetDllCommandDirectory, "C:\\t").get(), nullptr);
  EXPECT_STREQ(rt::CallText(talv::SetDllCommandDirectory, rt::Omit).c_str(), "C:\\t\\");
  EXPECT_EQ(talv::DllCommandDirectory(), "");
}

TEST(RuntimeApi, ByteArraysAreReadInPlaceAndMadeOnTheRuntimeHeap) {
  EXPECT_EQ(rt::ByteArray(nullptr).data, nullptr);
  EXPECT_EQ(rt::ByteArray(nullptr).size, 0u);
  EXPECT_EQ(rt::NewByteArray("abc", 0), nullptr);

  talv::HeapCounters before = talv::GetHeapCounters();
  void* block = rt::NewByteArray("a\0c", 3);
  const rt::ByteArrayView view = rt::ByteArray(block);
  ASSERT_EQ(view.size, 3u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data), view.size),
            std::string("a\0c", 3));
  // The same layout as the runtime's own byte arrays.
  EXPECT_EQ(talv::ByteArrayLength(block), 3u);
  EXPECT_EQ(view.data, talv::ByteArrayData(block));
  rt::Free(block);
  talv::HeapCounters after = talv::GetHeapCounters();
  EXPECT_EQ(after.allocations - before.allocations, 1u);
  EXPECT_EQ(after.frees - before.frees, 1u);
}

class TextHost : public talv::PropertyHost {
 public:
  std::string stored;
  bool IsWindowLoaded(int32_t) override { return true; }
  bool HasLiveWindow(int32_t) override { return true; }
  uint64_t ReadProperty(int32_t, int32_t, int32_t, int32_t) override {
    talv::TypedValue v{};
    talv::SetPointer(v, talv::NewText(stored.c_str()));
    return talv::RawBits(v);
  }
  void WriteProperty(int32_t, int32_t, int32_t, int32_t, uint64_t value) override {
    talv::TypedValue v{};
    talv::SetRawBits(v, value);
    stored = talv::AsText(v);
  }
  void* LiveObject(int32_t, int32_t) override { return nullptr; }
};

TEST(RuntimeApi, TextPropertiesRoundTrip) {
  TextHost host;
  talv::SetPropertyHost(&host);
  rt::WriteText(0x52010002, 0x1601001C, 8, "5+3=8");
  EXPECT_EQ(host.stored, "5+3=8");
  rt::Text back = rt::ReadText(0x52010002, 0x1601001C, 8);
  EXPECT_STREQ(back.c_str(), "5+3=8");
  talv::SetPropertyHost(nullptr);
}

int g_cleanups = 0;
void CleanUp() { ++g_cleanups; }

TEST(RuntimeApi, ExitRoutineRegistration) {
  talv::ClearExitRoutines();
  rt::RegisterExitRoutine(CleanUp);
  rt::RegisterExitRoutine(CleanUp);
  EXPECT_EQ(talv::ExitRoutineCount(), 1u);
  talv::RunExitRoutines();
  EXPECT_EQ(g_cleanups, 1);
}

}  // namespace
