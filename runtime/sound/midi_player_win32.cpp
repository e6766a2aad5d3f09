// The MIDI player: one MIDI sound at a time through the MIDI stream
// functions. The file is read into stream events (midi_file.h), cut into
// buffers of at most 64 KB and queued; a watcher thread queues them again
// when a looping sound has played to its end (stream functions may not be
// called from the device callback).
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "runtime/sound/midi_file.h"
#include "runtime/sound/players_win32.h"

namespace talv::sound {
namespace {

constexpr size_t kEventsPerBuffer = 5000;  // 60,000 bytes: under the 64 KB limit
constexpr DWORD kStopWaitMs = 2000;

struct MidiPlayer {
  CRITICAL_SECTION lock;  // held by Play and Stop, never by the callback
  std::vector<uint8_t> bytes;  // copy of the sound being played
  MidiSequence sequence;
  std::vector<MIDIHDR> headers;
  HMIDISTRM stream = nullptr;
  HANDLE watcher = nullptr;
  HANDLE stop = nullptr;        // manual-reset: the watcher ends
  HANDLE all_done = nullptr;    // auto-reset: every queued buffer has come back
  volatile LONG pending = 0;    // buffers queued and not yet back
  bool loop = false;
  MidiPlayer() {
    InitializeCriticalSection(&lock);
    stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    all_done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  }
};
// Never destroyed: it may be in use while the process exits.
MidiPlayer& Player() {
  static MidiPlayer* player = new MidiPlayer;
  return *player;
}

void CALLBACK StreamCallback(HMIDIOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message != MOM_DONE) return;
  auto* m = reinterpret_cast<MidiPlayer*>(instance);
  if (InterlockedDecrement(&m->pending) == 0) SetEvent(m->all_done);
}

bool QueueAll(MidiPlayer* m) {
  InterlockedExchange(&m->pending, LONG(m->headers.size()));
  ResetEvent(m->all_done);
  for (size_t i = 0; i < m->headers.size(); ++i) {
    if (midiStreamOut(m->stream, &m->headers[i], sizeof(MIDIHDR)) != MMSYSERR_NOERROR) {
      // The buffers not queued will never come back.
      if (InterlockedExchangeAdd(&m->pending, -LONG(m->headers.size() - i)) ==
          LONG(m->headers.size() - i)) {
        SetEvent(m->all_done);
      }
      return false;
    }
  }
  return true;
}

DWORD WINAPI Watcher(void* parameter) {
  auto* m = static_cast<MidiPlayer*>(parameter);
  HANDLE waits[2] = {m->stop, m->all_done};
  for (;;) {
    DWORD outcome = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (outcome != WAIT_OBJECT_0 + 1) break;  // stopped (or the wait failed)
    // A sequence that takes no time would repeat in a tight loop: play it once.
    if (!m->loop || m->sequence.length_ticks == 0) break;
    if (!QueueAll(m)) break;
  }
  InterlockedExchange(&Counters().midi_playing, 0);
  return 0;
}

// Closes whatever the player holds. Called with the player lock held.
void Close(MidiPlayer* m) {
  if (m->watcher) {
    SetEvent(m->stop);
    WaitForSingleObject(m->watcher, INFINITE);  // it waits only on the two events
    CloseHandle(m->watcher);
    m->watcher = nullptr;
  }
  bool released = true;
  if (m->stream) {
    midiStreamStop(m->stream);
    midiOutReset(reinterpret_cast<HMIDIOUT>(m->stream));  // returns queued buffers
    if (m->pending > 0) WaitForSingleObject(m->all_done, kStopWaitMs);
    for (MIDIHDR& h : m->headers) {
      if (h.dwFlags & MHDR_PREPARED) {
        midiOutUnprepareHeader(reinterpret_cast<HMIDIOUT>(m->stream), &h, sizeof(MIDIHDR));
      }
    }
    released = midiStreamClose(m->stream) == MMSYSERR_NOERROR;
    m->stream = nullptr;
  }
  InterlockedExchange(&Counters().midi_playing, 0);
  if (!released) {
    // The device still holds the buffers: leave them to it rather than free
    // memory it may write to.
    new MidiSequence(std::move(m->sequence));
    new std::vector<MIDIHDR>(std::move(m->headers));
  }
  m->headers.clear();
  m->sequence = MidiSequence{};
  m->bytes.clear();
  m->bytes.shrink_to_fit();
  ResetEvent(m->stop);
}

bool Open(MidiPlayer* m) {
  MidiRead read = ReadMidiFile(m->bytes.data(), m->bytes.size(), &m->sequence);
  if (!read.ok || m->sequence.note_messages == 0) return false;
  UINT device = MIDI_MAPPER;
  if (midiStreamOpen(&m->stream, &device, 1, DWORD_PTR(&StreamCallback), DWORD_PTR(m),
                     CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    m->stream = nullptr;
    return false;
  }
  MIDIPROPTIMEDIV division = {sizeof(MIDIPROPTIMEDIV), m->sequence.division};
  midiStreamProperty(m->stream, reinterpret_cast<LPBYTE>(&division),
                     MIDIPROP_SET | MIDIPROP_TIMEDIV);
  std::vector<StreamEvent>& events = m->sequence.events;
  for (size_t first = 0; first < events.size(); first += kEventsPerBuffer) {
    const size_t count = events.size() - first < kEventsPerBuffer ? events.size() - first
                                                                   : kEventsPerBuffer;
    MIDIHDR h;
    std::memset(&h, 0, sizeof h);
    h.lpData = reinterpret_cast<LPSTR>(&events[first]);
    h.dwBufferLength = h.dwBytesRecorded = DWORD(count * sizeof(StreamEvent));
    m->headers.push_back(h);
  }
  for (MIDIHDR& h : m->headers) {
    if (midiOutPrepareHeader(reinterpret_cast<HMIDIOUT>(m->stream), &h, sizeof(MIDIHDR)) !=
        MMSYSERR_NOERROR) {
      return false;
    }
  }
  return true;
}

}  // namespace

void PlayMidi(const uint8_t* data, size_t length, bool loop) {
  MidiPlayer* m = &Player();
  EnterCriticalSection(&m->lock);
  Close(m);
  m->bytes.assign(data, data + length);
  m->loop = loop;
  if (Open(m) && QueueAll(m)) {
    midiStreamRestart(m->stream);
    InterlockedIncrement(&Counters().midi_started);
    InterlockedExchange(&Counters().midi_playing, 1);
    DWORD id;
    m->watcher = CreateThread(nullptr, 0, &Watcher, m, 0, &id);
  } else {
    Close(m);
  }
  LeaveCriticalSection(&m->lock);
}

void StopMidi() {
  MidiPlayer* m = &Player();
  EnterCriticalSection(&m->lock);
  Close(m);
  LeaveCriticalSection(&m->lock);
}

}  // namespace talv::sound
