#pragma once

// Sets up the C library's allocator for large LVs; call it first thing in main, before any
// thread or file exists.
//
// - Freed memory stays with the process up to 64 MB, and blocks below 32 MB come from the
//   heap: otherwise the allocator hands the buffers that a printout or a save allocates and
//   frees again and again back to the system each time, and has every page of them cleared
//   and faulted in anew (half the time of a printout).
// - The heap is backed by transparent huge pages: a large LV fills hundreds of MB of heap,
//   and faulting it in page by page costs about a third of the time of opening it. The
//   allocator reads that setting (GLIBC_TUNABLES=glibc.malloc.hugetlb=1) only when a program
//   starts, so the program starts itself again, once, with it set. It goes on as it is when
//   the setting is there already (a choice of the user's stands) or it cannot start again.
void TuneHeap(char** argv);
