// Counts heap allocations per frame in the frame loop: starts the program's globals as the game
// does, in an offscreen 1024 x 768 Mesa context, then runs runFrame() in several situations with
// every malloc, calloc and realloc counted (operator new comes through malloc). An allocation
// counts as the program's when the first caller outside the C and C++ runtimes lies in this
// executable (the program's code is linked in statically); the rest is the GL driver's.
// Run it in a folder that holds the game's data.
#include <GL/gl.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/key_commands.h"
#include "app/park_actions.h"
#include "offscreen_game.h"
#include "support/gl_context.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* pointer, size_t size);

namespace {
std::atomic<int> counting{0};
std::atomic<long> programAllocations{0};
std::atomic<long> driverAllocations{0};
thread_local int insideHook = 0;
const void* programBase = nullptr;

bool isRuntimeLibrary(const char* path) {
    const char* name = std::strrchr(path, '/');
    name = name ? name + 1 : path;
    return !std::strncmp(name, "libc.so", 7) || !std::strncmp(name, "libstdc++.so", 12) ||
           !std::strncmp(name, "libgcc_s.so", 11) || !std::strncmp(name, "libm.so", 7);
}

// The first two return addresses are this function's and the hook's.
__attribute__((noinline)) void noteAllocation() {
    if (!counting.load(std::memory_order_relaxed) || insideHook) return;
    insideHook = 1;
    void* frames[24];
    const int depth = backtrace(frames, 24);
    bool program = false;
    for (int i = 2; i < depth; ++i) {
        Dl_info info;
        if (!dladdr(frames[i], &info) || !info.dli_fname) break;
        if (info.dli_fbase == programBase) {
            program = true;
            break;
        }
        if (!isRuntimeLibrary(info.dli_fname)) break;
    }
    (program ? programAllocations : driverAllocations).fetch_add(1, std::memory_order_relaxed);
    insideHook = 0;
}
}  // namespace

extern "C" __attribute__((noinline)) void* malloc(size_t size) noexcept {
    noteAllocation();
    return __libc_malloc(size);
}

extern "C" __attribute__((noinline)) void* calloc(size_t count, size_t size) noexcept {
    noteAllocation();
    return __libc_calloc(count, size);
}

extern "C" __attribute__((noinline)) void* realloc(void* pointer, size_t size) noexcept {
    noteAllocation();
    return __libc_realloc(pointer, size);
}

namespace {
int steadyMs() {
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

// The ride of the frame benchmark: forward held, the view swaying, a kick every 30 frames.
void rideInput(int frame) {
    Keyboard.moveKeys = kMoveForward;
    Pointer.x = (frame % 16) - 8;
    Pointer.y = (frame % 6) - 3;
    Pointer.moved = 1;
    if (frame % 30 == 0) Pointer.recordButton(kLeftButton, kButtonDownEvent);
    if (frame % 30 == 3) Pointer.recordButton(kLeftButton, kButtonUpEvent);
}

// The pointer wanders over the open menu without pressing anything.
void menuInput(int frame) {
    Pointer.x = 300 + (frame % 200);
    Pointer.y = 400 - (frame % 100);
    Pointer.moved = 1;
}

void runCounted(const char* situation, int frames, void (*input)(int)) {
    for (int i = 0; i < 30; ++i) {
        input(i);
        runFrame();
        glFinish();
    }
    programAllocations = 0;
    driverAllocations = 0;
    const auto start = std::chrono::steady_clock::now();
    counting = 1;
    for (int i = 0; i < frames; ++i) {
        input(i);
        runFrame();
        glFinish();
    }
    counting = 0;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / frames;
    std::printf("  %-44s %8.3f %8.2f   (%ld and %ld in %d frames, %.1f ms a frame)\n", situation,
                static_cast<double>(programAllocations) / frames,
                static_cast<double>(driverAllocations) / frames, programAllocations.load(),
                driverAllocations.load(), frames, ms);
}
// Two allocations made here on purpose must be counted as the program's.
void checkAttribution() {
    programAllocations = 0;
    counting = 1;
    char* volatile bytes = new char[64];
    std::string text(100, 'x');
    counting = 0;
    delete[] bytes;
    std::printf("Attribution check: %ld of 2 deliberate allocations counted as the program's\n",
                programAllocations.load());
}
}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    Dl_info self;
    if (!dladdr(reinterpret_cast<void*>(&noteAllocation), &self)) return 1;
    programBase = self.dli_fbase;
    void* warm[4];
    backtrace(warm, 4);  // loads the unwinder before anything is counted

    GlContext gl(1024, 768);
    if (!gl.ok()) {
        std::printf("frame_alloc_bench: no offscreen GL context\n");
        return 1;
    }
    startGameOffscreen(1024, 768, steadyMs);
    checkAttribution();
    std::printf("Heap allocations per frame (offscreen 1024 x 768, %d frames each):\n", frames);
    std::printf("  %-44s %8s %8s\n", "", "program", "driver");

    runCounted("riding at the defaults", frames, rideInput);
    Prefs.fpsClockOn = 1;
    Flags.helpVisible = 1;
    StatusLine.setText("A status message");
    runCounted("riding, frame rate, help and status line", frames, rideInput);
    Flags.helpVisible = 0;
    Flags.infoVisible = 1;
    Prefs.letterbox = 3;
    Prefs.screenClear = 0;
    runCounted("riding, info screen, letterbox and trails", frames, rideInput);
    Flags.infoVisible = 0;
    Prefs.letterbox = 0;
    Prefs.screenClear = 1;
    togglePopupMenu(MenuToggleSource::MouseButton);
    runCounted("menu open, pointer moving, no rebuild", frames, menuInput);
    togglePopupMenu(MenuToggleSource::MouseButton);
    return 0;
}
