/* On 32-bit Windows the exports are stdcall: the callee removes its arguments from the stack. A
 * caller that calls them through stdcall function pointers, as a VBA Declare or GetProcAddress
 * user does, must find its stack pointer where it was after any number of calls; a callee of
 * another convention would move it by the arguments' 16 or 24 bytes at every call. */
#include <stdio.h>
#include <windows.h>

#include "vantrel.h"

typedef vantrel_trunk_function Trunk;
typedef vantrel_traffic_function Traffic;

static unsigned long stack_pointer(void) {
    unsigned long esp;
    __asm__ volatile("movl %%esp, %0" : "=r"(esp));
    return esp;
}

int main(void) {
    HMODULE library = LoadLibraryW(L"vantrel.dll");
    /* Through void (*)(void), the type that converts to any other function pointer quietly. */
    Trunk trunk =
        library != NULL ? (Trunk)(void (*)(void))GetProcAddress(library, "cal_trunk") : NULL;
    Traffic traffic =
        library != NULL ? (Traffic)(void (*)(void))GetProcAddress(library, "cal_traffic") : NULL;
    if (trunk == NULL || traffic == NULL) {
        fprintf(stderr, "vantrel.dll or its exports not found\n");
        return 1;
    }
    volatile double sum = 0;
    const unsigned long before = stack_pointer();
    for (int i = 0; i < 100000; ++i) {
        sum += trunk(10, 0.01);
        sum += traffic(0.01, 10, 3);
        /* And through the import library, as the header declares them. */
        sum += cal_trunk(1, 0.5);
    }
    const unsigned long after = stack_pointer();
    if (after != before) {
        fprintf(stderr, "the stack pointer moved by %ld bytes\n", (long)(after - before));
        return 1;
    }
    printf("300000 calls, stack pointer unchanged (sum %.17g)\n", sum);
    return sum > 0 ? 0 : 1;
}
