#pragma once

// Starts the program again, once, with the C library's allocator told to back its heap with
// transparent huge pages (GLIBC_TUNABLES=glibc.malloc.hugetlb=1); the tunable is read only
// when a program starts. A large LV fills hundreds of MB of heap; page by page, faulting it
// in costs about a third of the time of opening it. Returns (and the program goes on as it
// is) when the tunable is already set or the program cannot be started again. Call it first
// thing in main, before any thread or file exists.
void RestartWithHugePageHeap(char** argv);
