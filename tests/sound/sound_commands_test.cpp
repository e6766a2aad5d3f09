// PlayAudio, TickCount and SleepMilliseconds as the application calls them.
// Portable: natively the sound service only checks the data; on the target
// the sounds really play (into the test run's capture device).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/sound/sound_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/sound/sound_service.h"

namespace talv {
namespace {

std::vector<uint8_t> SmallWave() {
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                            'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
                            0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0,
                            'd', 'a', 't', 'a', 0, 0, 0, 0};
  const uint32_t samples = 2205;  // 0.1 s
  for (uint32_t i = 0; i < samples * 2; ++i) w.push_back(0);
  const uint32_t data = samples * 2, riff = uint32_t(w.size() - 8);
  for (int i = 0; i < 4; ++i) {
    w[4 + i] = uint8_t(riff >> (8 * i));
    w[40 + i] = uint8_t(data >> (8 * i));
  }
  return w;
}

// A file in the current directory (the build tree in both builds).
std::string WriteFile(const char* name, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(name, "wb");
  if (f) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return name;
}

bool Play(TypedValue sound, TypedValue loop = Omitted()) {
  TypedValue args[2] = {sound, loop};
  TypedValue r = InvokeCommand(&PlayAudio, 2, args);
  EXPECT_EQ(r.type, TypeCode::Bool);
  return AsBool(r);
}

class PlayAudioCommand : public testing::Test {
 protected:
  void TearDown() override { StopAllSound(true); }
};

TEST_F(PlayAudioCommand, FileNameIsUsedExactlyAndRecognisedByContent) {
  std::string name = WriteFile("talv_sound_without_extension", SmallWave());
  EXPECT_TRUE(Play(TextValue(name.c_str())));
  std::remove(name.c_str());
  EXPECT_FALSE(Play(TextValue("talv_sound_without_extension")));  // now gone
}

TEST_F(PlayAudioCommand, UnplayableFilesGiveFalse) {
  std::string ten = WriteFile("talv_ten_byte_sound", {'R', 'I', 'F', 'F', 2, 0, 0, 0, 'W', 'A'});
  EXPECT_FALSE(Play(TextValue(ten.c_str())));
  std::string empty = WriteFile("talv_empty_sound", {});
  EXPECT_FALSE(Play(TextValue(empty.c_str())));
  std::string text = WriteFile("talv_text_sound", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r',
                                                   'l', 'd', '!', '!', '!'});
  EXPECT_FALSE(Play(TextValue(text.c_str())));
  for (const std::string& n : {ten, empty, text}) std::remove(n.c_str());
}

TEST_F(PlayAudioCommand, ArgumentsOfTheWrongKindGiveFalse) {
  EXPECT_FALSE(Play(TextValue(nullptr)));  // the empty text
  EXPECT_FALSE(Play(TextValue("")));
  EXPECT_FALSE(Play(BytesValue(nullptr)));  // the empty byte array
  EXPECT_FALSE(Play(IntValue(1)));
  EXPECT_FALSE(Play(Omitted()));
  TypedValue none[1] = {Omitted()};
  EXPECT_FALSE(AsBool(InvokeCommand(&PlayAudio, 0, none)));
}

TEST_F(PlayAudioCommand, ByteArrayOfWaveDataPlays) {
  std::vector<uint8_t> wave = SmallWave();
  uint8_t* block = NewByteArray(wave.data(), wave.size());
  EXPECT_TRUE(Play(BytesValue(block)));
  EXPECT_TRUE(Play(BytesValue(block), BoolValue(false)));
  EXPECT_EQ(ByteArrayLength(block), wave.size());  // the argument is not consumed
  Free(block);
}

TEST_F(PlayAudioCommand, MidiDataIsAcceptedEvenWhenItCannotPlay) {
  const uint8_t junk_midi[] = {'M', 'T', 'h', 'd', 1, 2, 3};
  uint8_t* block = NewByteArray(junk_midi, sizeof junk_midi);
  EXPECT_TRUE(Play(BytesValue(block)));
  Free(block);
}

TEST(SleepMillisecondsCommand, NegativeDurationReturnsAtOnce) {
  // A negative count passed on as unsigned would sleep for 49 days; the
  // test run's time-out would catch that.
  TypedValue args[1] = {IntValue(-5)};
  TypedValue r = InvokeCommand(&SleepMilliseconds, 1, args);
  EXPECT_EQ(r.type, 0u);  // no result
  args[0] = IntValue(1);
  InvokeCommand(&SleepMilliseconds, 1, args);
}

TEST(TickCountCommand, IsAnIntegerThatMovesForward) {
  TypedValue none[1] = {Omitted()};
  TypedValue a = InvokeCommand(&TickCount, 0, none);
  EXPECT_EQ(a.type, TypeCode::Int);
  TypedValue sleep[1] = {IntValue(30)};
  InvokeCommand(&SleepMilliseconds, 1, sleep);
  TypedValue b = InvokeCommand(&TickCount, 0, none);
  EXPECT_GT(uint32_t(AsInt(b)) - uint32_t(AsInt(a)), 0u);
}

}  // namespace
}  // namespace talv
