// PlayAudio, StopAudio, TickCount and SleepMilliseconds: argument handling.
// Playing and stopping are the sound service's work; PlayAudio only finds
// the bytes.
#include "runtime/sound/sound_commands.h"

#include "runtime/sound/sound_commands_platform.h"
#include "runtime/core/blocks.h"
#include "runtime/core/heap.h"
#include "runtime/sound/sound_service.h"

namespace talv {
namespace {

// An optional flag: omitted is 0; a number counts by its value (so 0.5 is
// set), anything else by its bits.
bool FlagArgument(const TypedValue& v) {
  switch (v.type) {
    case TypeCode::None: return false;
    case TypeCode::Byte: return uint8_t(v.lo) != 0;
    case TypeCode::Short: return uint16_t(v.lo) != 0;
    case TypeCode::Int: return v.lo != 0;
    case TypeCode::Float: return AsFloat(v) != 0.0f;
    case TypeCode::Double: return AsDouble(v) != 0.0;
    case TypeCode::Bool: return AsBool(v);
    default: return RawBits(v) != 0;
  }
}

bool Play(const TypedValue& sound, bool loop) {
  if (sound.type == TypeCode::Text) {
    const char* name = AsText(sound);
    if (!name || !*name) return false;
    size_t size = 0;
    uint8_t* bytes = platform::ReadWholeFile(name, &size);
    if (!bytes) return false;
    const bool started = PlaySoundData(bytes, size, loop);
    Free(bytes);
    return started;
  }
  if (sound.type == TypeCode::Bytes) {
    const void* block = AsPointer(sound);
    const size_t size = ByteArrayLength(block);
    if (size == 0) return false;
    return PlaySoundData(ByteArrayData(block), size, loop);
  }
  return false;
}

}  // namespace

void PlayAudio(TypedValue* result, int32_t count, TypedValue* args) {
  bool started = false;
  if (count >= 1) started = Play(args[0], count >= 2 && FlagArgument(args[1]));
  SetBool(*result, started);
  result->type = TypeCode::Bool;
}

void StopAudio(TypedValue*, int32_t, TypedValue*) { StopAllSound(false); }

void TickCount(TypedValue* result, int32_t count, TypedValue* args) {
  SetInt(*result, int32_t(platform::SystemTickCount()));
  result->type = TypeCode::Int;
}

void SleepMilliseconds(TypedValue* result, int32_t count, TypedValue* args) {
  int32_t ms = count >= 1 ? AsInt(args[0]) : 0;
  platform::SleepFor(ms < 0 ? 0 : uint32_t(ms));
}

}  // namespace talv
