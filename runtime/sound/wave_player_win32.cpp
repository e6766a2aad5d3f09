// Wave players: one per playing wave sound. Each streams its private copy
// of the "data" chunk through 20 rotating 15,360-byte buffers on a worker
// thread of its own; the device callback only counts returned buffers and
// releases one semaphore permit per buffer. The worker frees its player,
// once its device is closed and no callback is inside the player's lock.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "runtime/core/heap.h"
#include "runtime/sound/players_win32.h"
#include "runtime/sound/riff_chunks.h"

namespace talv::sound {
namespace {

constexpr int kBufferCount = 20;
constexpr DWORD kBufferBytes = 15360;
constexpr DWORD kIdleTimeoutMs = 8888;  // no buffer came back: the device is gone

// A zero-filled WAVEFORMATEX with the format body copied in: a PCM format
// body may be only 16 bytes long, and the device reads at least 18.
struct FormatCopy {
  union {
    WAVEFORMATEX format;
    uint8_t bytes[256];
  };
};

struct WavePlayer {
  WavePlayer* prev;  // links of the global player list
  WavePlayer* next_player;

  uint8_t* data;  // private copy of the "data" chunk
  size_t length;
  FormatCopy format;    // the "fmt " chunk's body
  HWAVEOUT device;      // null when no device opened
  uint8_t* buffers;     // 20 WAVEHDR, then 20 buffers of 15,360 bytes
  WAVEHDR* headers;
  int free;             // buffers not queued on the device
  int next;             // the next buffer to fill
  size_t position;      // bytes of data already queued
  bool loop;
  HANDLE permits;       // one permit per buffer that may be filled
  HANDLE stop;          // manual-reset
  CRITICAL_SECTION lock;  // guards free, next and position
  HANDLE thread;
  DWORD thread_id;
};

// The list of live players and its lock. Never destroyed: workers may still
// be running while the process exits.
struct PlayerList {
  CRITICAL_SECTION lock;
  WavePlayer* first = nullptr;
  uint32_t count = 0;
  PlayerList() { InitializeCriticalSection(&lock); }
};
PlayerList& Players() {
  static PlayerList* list = new PlayerList;
  return *list;
}

void AddPlayer(WavePlayer* p) {
  PlayerList& list = Players();
  EnterCriticalSection(&list.lock);
  p->prev = nullptr;
  p->next_player = list.first;
  if (list.first) list.first->prev = p;
  list.first = p;
  ++list.count;
  LeaveCriticalSection(&list.lock);
}

void RemovePlayer(WavePlayer* p) {
  PlayerList& list = Players();
  EnterCriticalSection(&list.lock);
  if (p->prev) p->prev->next_player = p->next_player;
  else list.first = p->next_player;
  if (p->next_player) p->next_player->prev = p->prev;
  --list.count;
  InterlockedIncrement(&Counters().players_ended);  // with the count, for one snapshot
  LeaveCriticalSection(&list.lock);
}

// The routine of SetBufferReturnHook (tests only).
BufferReturnHook volatile buffer_return_hook = nullptr;

// Called by the audio device on its own thread. Only counts and releases:
// the worker does everything else. Both happen inside the player's lock,
// and the lock is the last the callback touches of the player: the worker
// reads the count under the lock, and its clean-up takes the lock before it
// frees the player, so no callback is still using a player that is freed.
void CALLBACK DeviceCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* p = reinterpret_cast<WavePlayer*>(instance);
  EnterCriticalSection(&p->lock);
  ++p->free;
  if (BufferReturnHook hook = buffer_return_hook) hook();
  ReleaseSemaphore(p->permits, 1, nullptr);
  LeaveCriticalSection(&p->lock);
}

void UnprepareAll(WavePlayer* p) {
  if (!p->device) return;
  for (int i = 0; i < kBufferCount; ++i) {
    if (p->headers[i].dwFlags & WHDR_PREPARED) {
      waveOutUnprepareHeader(p->device, &p->headers[i], sizeof(WAVEHDR));
    }
  }
}

// Closes the output device, if one opened. A device that refuses (buffers
// still queued on it) is reset and asked once more. False when it still
// refuses: it may go on writing into the buffers and calling back with the
// player.
bool CloseOutput(WavePlayer* p) {
  if (!p->device) return true;
  if (waveOutClose(p->device) == MMSYSERR_NOERROR) return true;
  waveOutReset(p->device);
  UnprepareAll(p);
  if (waveOutClose(p->device) == MMSYSERR_NOERROR) return true;
  InterlockedIncrement(&Counters().device_close_failures);
  return false;
}

// Frees what no device callback uses: the data copy and the thread and stop
// handles.
void FreeWorkerParts(WavePlayer* p) {
  Free(p->data);
  p->data = nullptr;
  if (p->thread) CloseHandle(p->thread);
  if (p->stop) CloseHandle(p->stop);
}

// Frees the rest: the buffers, the semaphore, the lock and the player.
void FreeDeviceParts(WavePlayer* p) {
  if (p->buffers) HeapFree(GetProcessHeap(), 0, p->buffers);
  if (p->permits) CloseHandle(p->permits);
  DeleteCriticalSection(&p->lock);
  HeapFree(GetProcessHeap(), 0, p);
}

// A player that was never listed: no worker ran and no device opened.
void DestroyUnstartedPlayer(WavePlayer* p) {
  FreeWorkerParts(p);
  FreeDeviceParts(p);
}

// The worker's clean-up. Once the device is closed no callback starts, and
// taking the player's lock waits for one still inside it; only then does the
// player leave the list and go. A device that would not close keeps the
// buffers, the semaphore and the lock it may still use, and the player that
// holds them (a bounded leak of one player's buffers, rather than memory
// that the device may still write).
void CleanUpPlayer(WavePlayer* p) {
  const bool closed = CloseOutput(p);
  EnterCriticalSection(&p->lock);
  LeaveCriticalSection(&p->lock);
  RemovePlayer(p);
  FreeWorkerParts(p);
  if (closed) FreeDeviceParts(p);
}

// Sends the next piece of data, if any. Returns false when nothing is left.
bool SendNextPiece(WavePlayer* p, int next, size_t position) {
  WAVEHDR* h = &p->headers[next];
  if (p->device && (h->dwFlags & WHDR_PREPARED)) {
    waveOutUnprepareHeader(p->device, h, sizeof(WAVEHDR));
  }
  const size_t rest = p->length - position;
  const DWORD piece = rest < kBufferBytes ? DWORD(rest) : kBufferBytes;
  if (piece == 0) return false;
  std::memcpy(h->lpData, p->data + position, piece);
  h->dwBufferLength = piece;
  h->dwFlags = 0;
  EnterCriticalSection(&p->lock);
  p->position = position + piece;
  LeaveCriticalSection(&p->lock);
  if (p->device) {
    waveOutPrepareHeader(p->device, h, sizeof(WAVEHDR));
    if (waveOutWrite(p->device, h, sizeof(WAVEHDR)) == MMSYSERR_NOERROR) {
      InterlockedIncrement(&Counters().buffers_written);
    }
  }
  EnterCriticalSection(&p->lock);
  --p->free;
  p->next = (next + 1) % kBufferCount;
  LeaveCriticalSection(&p->lock);
  return true;
}

// Starts the sound over: every buffer is free again, with 20 permits.
void Rewind(WavePlayer* p) {
  EnterCriticalSection(&p->lock);
  p->position = 0;
  p->next = 0;
  p->free = kBufferCount;
  LeaveCriticalSection(&p->lock);
  // Permits left over from waits that found nothing to send would make the
  // release below exceed the maximum (and then release nothing): drop them.
  while (WaitForSingleObject(p->permits, 0) == WAIT_OBJECT_0) {
  }
  ReleaseSemaphore(p->permits, kBufferCount, nullptr);
}

// Opening the output takes the audio system several milliseconds, so the
// worker does it rather than the caller. A player whose device did not open
// still runs: its worker ends by the idle time-out, and nothing is reported.
// Workers open their devices one at a time, as callers on one thread would:
// the audio system copes badly with hundreds of streams opened at once.
CRITICAL_SECTION& OpenLock() {
  static CRITICAL_SECTION* lock = [] {
    auto* cs = new CRITICAL_SECTION;
    InitializeCriticalSection(cs);
    return cs;
  }();
  return *lock;
}

void OpenOutput(WavePlayer* p) {
  if (waveOutGetNumDevs() == 0) return;
  EnterCriticalSection(&OpenLock());
  HWAVEOUT device = nullptr;
  if (WaitForSingleObject(p->stop, 0) != WAIT_OBJECT_0 &&
      waveOutOpen(&device, WAVE_MAPPER, &p->format.format, DWORD_PTR(&DeviceCallback),
                  DWORD_PTR(p), CALLBACK_FUNCTION) == MMSYSERR_NOERROR) {
    p->device = device;
    InterlockedIncrement(&Counters().devices_opened);
  }
  LeaveCriticalSection(&OpenLock());
}

DWORD WINAPI Worker(void* parameter) {
  auto* p = static_cast<WavePlayer*>(parameter);
  OpenOutput(p);
  HANDLE waits[2] = {p->permits, p->stop};
  for (;;) {
    const DWORD outcome = WaitForMultipleObjects(2, waits, FALSE, kIdleTimeoutMs);
    if (outcome == WAIT_OBJECT_0) {
      EnterCriticalSection(&p->lock);
      const int free = p->free, next = p->next;
      const size_t position = p->position;
      LeaveCriticalSection(&p->lock);
      if (free <= 0) continue;
      if (SendNextPiece(p, next, position)) continue;
      if (free < kBufferCount) continue;  // buffers are still playing
      if (p->loop) {
        Rewind(p);
        continue;
      }
      UnprepareAll(p);
      break;
    }
    if (outcome == WAIT_OBJECT_0 + 1 || outcome == WAIT_TIMEOUT || outcome == WAIT_FAILED) {
      if (outcome == WAIT_TIMEOUT) InterlockedIncrement(&Counters().players_timed_out);
      if (p->device) {
        waveOutPause(p->device);
        waveOutReset(p->device);
      }
      UnprepareAll(p);
      break;
    }
  }
  CleanUpPlayer(p);
  return 0;
}

void CopyFormat(const WaveChunks& chunks, FormatCopy* copy) {
  std::memset(copy, 0, sizeof *copy);
  size_t n = chunks.format_size < sizeof copy->bytes ? chunks.format_size : sizeof copy->bytes;
  std::memcpy(copy->bytes, chunks.format, n);
  if (copy->format.wFormatTag == WAVE_FORMAT_PCM || n < sizeof(WAVEFORMATEX)) {
    copy->format.cbSize = 0;
  } else if (copy->format.cbSize > n - sizeof(WAVEFORMATEX)) {
    copy->format.cbSize = WORD(n - sizeof(WAVEFORMATEX));  // extra bytes actually present
  }
}

}  // namespace

bool StartWavePlayer(const uint8_t* data, size_t length, bool loop) {
  WaveChunks chunks;
  if (WalkWaveChunks(data, length, &chunks) != WaveWalk::Ok) return false;

  HANDLE heap = GetProcessHeap();
  auto* p = static_cast<WavePlayer*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(WavePlayer)));
  if (!p) return false;
  InitializeCriticalSection(&p->lock);
  p->data = static_cast<uint8_t*>(TryAllocate(chunks.sample_size));
  p->buffers = static_cast<uint8_t*>(HeapAlloc(
      heap, HEAP_ZERO_MEMORY, kBufferCount * (sizeof(WAVEHDR) + kBufferBytes)));
  p->stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  p->permits = CreateSemaphoreA(nullptr, kBufferCount, kBufferCount, nullptr);
  if (!p->data || !p->buffers || !p->stop || !p->permits) {
    DestroyUnstartedPlayer(p);
    return false;
  }
  std::memcpy(p->data, chunks.samples, chunks.sample_size);
  p->length = chunks.sample_size;
  p->headers = reinterpret_cast<WAVEHDR*>(p->buffers);
  uint8_t* first_buffer = p->buffers + kBufferCount * sizeof(WAVEHDR);
  for (int k = 0; k < kBufferCount; ++k) {
    p->headers[k].lpData = reinterpret_cast<LPSTR>(first_buffer + k * kBufferBytes);
    p->headers[k].dwBufferLength = kBufferBytes;
  }
  p->free = kBufferCount;
  p->next = 0;
  p->position = 0;
  p->loop = loop;

  CopyFormat(chunks, &p->format);

  p->thread = CreateThread(nullptr, 0, &Worker, p, CREATE_SUSPENDED, &p->thread_id);
  if (!p->thread) {
    DestroyUnstartedPlayer(p);
    return false;
  }
  AddPlayer(p);
  InterlockedIncrement(&Counters().players_started);
  ResumeThread(p->thread);
  return true;
}

void SignalWavePlayers(std::vector<HANDLE>* threads) {
  PlayerList& list = Players();
  if (threads) {
    // Reserve outside the lock: the list lock is only held to signal.
    EnterCriticalSection(&list.lock);
    size_t count = list.count;
    LeaveCriticalSection(&list.lock);
    threads->reserve(count + 16);
  }
  EnterCriticalSection(&list.lock);
  for (WavePlayer* p = list.first; p; p = p->next_player) {
    SetEvent(p->stop);
    // The worker closes its own thread handle when it ends, so the waiter
    // gets a duplicate that stays valid.
    HANDLE copy = nullptr;
    if (threads && DuplicateHandle(GetCurrentProcess(), p->thread, GetCurrentProcess(), &copy,
                                   SYNCHRONIZE, FALSE, 0)) {
      threads->push_back(copy);
    }
  }
  LeaveCriticalSection(&list.lock);
}

void SetBufferReturnHook(BufferReturnHook hook) { buffer_return_hook = hook; }

uint32_t CountWavePlayers() {
  PlayerList& list = Players();
  EnterCriticalSection(&list.lock);
  uint32_t count = list.count;
  LeaveCriticalSection(&list.lock);
  return count;
}

}  // namespace talv::sound
