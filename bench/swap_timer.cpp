// A preloadable shim that times any GLUT program from outside: it wraps glXSwapBuffers and
// glutDisplayFunc and writes one line per call to the file named by SWAP_TIMER_LOG: "S" or "D",
// the CLOCK_MONOTONIC time and the processor time of the whole process so far, in nanoseconds.
// Without that variable it only passes the calls on.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
struct Event {
    char kind;
    int64_t ns;
    int64_t cpuNs;
};

constexpr int kBufferedEvents = 4096;
Event events[kBufferedEvents];
int eventCount = 0;
int logFd = -2;  // -2 = not opened yet, -1 = logging off

int64_t clockNs(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void flushEvents() {
    if (logFd < 0) return;
    char line[64];
    for (int i = 0; i < eventCount; ++i) {
        const int length =
            std::snprintf(line, sizeof line, "%c %lld %lld\n", events[i].kind,
                          static_cast<long long>(events[i].ns), static_cast<long long>(events[i].cpuNs));
        if (write(logFd, line, static_cast<size_t>(length)) != length) break;
    }
    eventCount = 0;
}

// Swaps come from the one GLUT thread, so the buffer needs no lock.
void record(char kind) {
    const int64_t ns = clockNs(CLOCK_MONOTONIC);
    const int64_t cpuNs = clockNs(CLOCK_PROCESS_CPUTIME_ID);
    if (logFd == -2) {
        const char* path = std::getenv("SWAP_TIMER_LOG");
        logFd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    if (logFd < 0) return;
    if (eventCount == kBufferedEvents) flushEvents();
    events[eventCount++] = {kind, ns, cpuNs};
}

template <typename Function>
Function nextDefinition(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

__attribute__((destructor)) void writeRemainingEvents() {
    flushEvents();
    if (logFd >= 0) close(logFd);
    logFd = -1;
}
}  // namespace

extern "C" __attribute__((visibility("default"))) void glXSwapBuffers(Display* display,
                                                                      GLXDrawable drawable) {
    using SwapBuffers = void (*)(Display*, GLXDrawable);
    static const SwapBuffers realSwap = nextDefinition<SwapBuffers>("glXSwapBuffers");
    if (realSwap) realSwap(display, drawable);
    record('S');
}

extern "C" __attribute__((visibility("default"))) void glutDisplayFunc(void (*callback)()) {
    using DisplayFunc = void (*)(void (*)());
    static const DisplayFunc realDisplayFunc = nextDefinition<DisplayFunc>("glutDisplayFunc");
    record('D');
    if (realDisplayFunc) realDisplayFunc(callback);
}
