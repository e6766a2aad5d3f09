// Helpers of the sound tests on the target: wave file images made to
// measure, files to play, the audio capture the test run plays into, and
// waiting for conditions.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "runtime/sound/sound_service.h"

namespace talv::soundtest {

constexpr uint32_t kRate = 22050;  // mono, 16-bit: 44,100 bytes a second

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
inline void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

inline std::vector<uint8_t> PcmFormatChunk() {
  std::vector<uint8_t> c;
  PutTag(c, "fmt ");
  Put32(c, 16);
  Put16(c, 1);          // PCM
  Put16(c, 1);          // mono
  Put32(c, kRate);
  Put32(c, kRate * 2);  // bytes per second
  Put16(c, 2);          // block align
  Put16(c, 16);         // bits per sample
  return c;
}

// `count` samples all holding `marker`, so the capture can be searched.
inline std::vector<uint8_t> DataChunk(size_t count, int16_t marker, uint32_t claimed_size = 0) {
  std::vector<uint8_t> c;
  PutTag(c, "data");
  Put32(c, claimed_size ? claimed_size : uint32_t(count * 2));
  for (size_t i = 0; i < count; ++i) Put16(c, uint16_t(marker));
  return c;
}

inline std::vector<uint8_t> RiffFile(const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 0);
  PutTag(out, "WAVE");
  for (const auto& c : chunks) out.insert(out.end(), c.begin(), c.end());
  const uint32_t riff = uint32_t(out.size() - 8);
  std::memcpy(&out[4], &riff, 4);
  return out;
}

inline std::vector<uint8_t> Tone(size_t samples, int16_t marker) {
  return RiffFile({PcmFormatChunk(), DataChunk(samples, marker)});
}

inline std::string TempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + name;
}

inline std::string WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = TempPath(name);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (h != INVALID_HANDLE_VALUE) {
    if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  return path;
}

inline bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = 30000) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(5);
  }
}

inline bool AllPlayersEnded(DWORD timeout_ms = 30000) {
  return WaitFor([] { return GetSoundServiceCounters().live_players == 0; }, timeout_ms);
}

// The file the test run's ALSA device writes into (a Unix path in the
// environment, reached through Wine's Z: drive); empty when not capturing.
inline std::string CapturePath() {
  char unix_path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("TALV_SOUND_CAPTURE", unix_path, sizeof unix_path);
  if (n == 0 || n >= sizeof unix_path) return std::string();
  std::string path = "Z:";
  for (DWORD i = 0; i < n; ++i) path += unix_path[i] == '/' ? '\\' : unix_path[i];
  return path;
}

// The capture device writes each stream into a file of its own: the capture
// path itself, then the path with ".0001", ".0002" … appended.
inline std::vector<std::string> CaptureFiles() {
  std::vector<std::string> files;
  std::string path = CapturePath();
  if (path.empty()) return files;
  std::string dir = path.substr(0, path.rfind('\\') + 1);
  WIN32_FIND_DATAA found;
  HANDLE f = FindFirstFileA((path + "*").c_str(), &found);
  if (f == INVALID_HANDLE_VALUE) return files;
  do {
    files.push_back(dir + found.cFileName);
  } while (FindNextFileA(f, &found));
  FindClose(f);
  return files;
}

inline void ClearCapture() {
  for (const std::string& file : CaptureFiles()) DeleteFileA(file.c_str());
}

// Every captured 16-bit sample, all streams one after another.
inline std::vector<int16_t> ReadCapture() {
  std::vector<int16_t> samples;
  for (const std::string& file : CaptureFiles()) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    DWORD size = GetFileSize(h, nullptr);
    std::vector<int16_t> part(size / 2);
    DWORD got = 0;
    if (!part.empty()) ReadFile(h, part.data(), DWORD(part.size() * 2), &got, nullptr);
    part.resize(got / 2);
    samples.insert(samples.end(), part.begin(), part.end());
    CloseHandle(h);
  }
  return samples;
}

// Markers are byte-symmetric (0x1111, 0x2222 …), so a sample is found even
// where simultaneous streams' bytes were interleaved at an odd offset.
inline size_t CountCaptured(int16_t marker) {
  size_t n = 0;
  for (int16_t s : ReadCapture()) n += s == marker;
  return n;
}

// Runs this test program again as a child, running only `test` (a disabled
// test, so it never runs by itself), with `extra_env` ("NAME=value" lines)
// added to its environment. Returns the exit code, or -1 when the child did
// not end within `timeout_ms` (it is then killed).
inline int RunChildTest(const std::string& test, const std::vector<std::string>& extra_env,
                        DWORD timeout_ms, DWORD* elapsed_ms = nullptr) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string command = std::string("\"") + exe +
                        "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
  std::vector<char> env;
  for (const std::string& e : extra_env) env.insert(env.end(), e.c_str(), e.c_str() + e.size() + 1);
  char* block = GetEnvironmentStringsA();
  for (const char* p = block; *p; p += std::strlen(p) + 1) {
    bool replaced = false;
    for (const std::string& e : extra_env) {
      size_t eq = e.find('=');
      if (_strnicmp(p, e.c_str(), eq + 1) == 0) replaced = true;
    }
    if (!replaced) env.insert(env.end(), p, p + std::strlen(p) + 1);
  }
  FreeEnvironmentStringsA(block);
  env.push_back('\0');
  STARTUPINFOA si;
  std::memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  const DWORD start = GetTickCount();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, env.data(), nullptr, &si,
                      &pi)) {
    return -2;
  }
  CloseHandle(pi.hThread);
  int code = -1;
  if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0) {
    DWORD exit_code = 0;
    GetExitCodeProcess(pi.hProcess, &exit_code);
    code = int(exit_code);
  } else {
    TerminateProcess(pi.hProcess, 99);
  }
  if (elapsed_ms) *elapsed_ms = GetTickCount() - start;
  CloseHandle(pi.hProcess);
  return code;
}

}  // namespace talv::soundtest
