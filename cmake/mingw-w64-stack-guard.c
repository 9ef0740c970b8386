/* The stack protector's guard and its failure, for every program and DLL of the Windows builds, in
 * place of GCC's libssp: that seeds its guard through ADVAPI32, which would join the program's and
 * the engine's imports. The guard is seeded as Windows' own compilers seed theirs, from what
 * differs between one process and the next: the performance counter, the time, the process and
 * thread, and where the stack and the image were loaded. It is seeded among the C run time's first
 * initialisers, which run before any function of the program or DLL, so that no frame that the
 * guard protects outlives the change. This file itself is built without the protector. */
#include <stdint.h>
#include <windows.h>

uintptr_t __stack_chk_guard = (uintptr_t)0x2f8c6b1d9e3a5700ull;

__attribute__((noreturn)) void __stack_chk_fail(void) {
    TerminateProcess(GetCurrentProcess(), (UINT)STATUS_STACK_BUFFER_OVERRUN);
    __builtin_unreachable();
}

static void seed_stack_guard(void) {
    LARGE_INTEGER counter;
    FILETIME time;
    QueryPerformanceCounter(&counter);
    GetSystemTimeAsFileTime(&time);
    uint64_t seed = (uint64_t)counter.QuadPart;
    seed ^= ((uint64_t)time.dwHighDateTime << 32 | time.dwLowDateTime) * 0x9e3779b97f4a7c15ull;
    seed ^= (uint64_t)GetCurrentProcessId() << 40 ^ (uint64_t)GetCurrentThreadId() << 20;
    seed ^= (uint64_t)(uintptr_t)&counter ^ (uint64_t)(uintptr_t)&__stack_chk_guard << 16;
    seed ^= GetTickCount64();
    seed ^= seed >> 29;
    seed *= 0xbf58476d1ce4e5b9ull;
    seed ^= seed >> 32;
    /* A zero byte first stops a string copy that runs over the guard from reading or writing it. */
    __stack_chk_guard = (uintptr_t)seed & ~(uintptr_t)0xff;
}

/* Among the C initialisers, which the run time calls before the C++ ones and before main, WinMain
 * or DllMain. */
__attribute__((section(".CRT$XIB"), used)) static void (*const seed_first)(void) = seed_stack_guard;
