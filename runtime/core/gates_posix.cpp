#include <pthread.h>
#include <unistd.h>

#include "runtime/core/gates.h"

namespace talv::platform {
namespace {
const pthread_t g_main_thread = pthread_self();
}  // namespace

void EndProcess(int32_t code) { _exit(code); }
bool IsMainThread() { return pthread_equal(pthread_self(), g_main_thread) != 0; }
}  // namespace talv::platform
