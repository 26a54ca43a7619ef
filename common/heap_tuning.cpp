#include "common/heap_tuning.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <unistd.h>

void TuneHeap(char** argv) {
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, 16 << 20);

    static const char kName[] = "GLIBC_TUNABLES";
    static const char kTunable[] = "glibc.malloc.hugetlb=";
    const char* current = std::getenv(kName);
    if (current && std::strstr(current, kTunable)) return;
    const std::string before = current ? current : "";
    const std::string value = (before.empty() ? "" : before + ":") + kTunable + "1";
    if (setenv(kName, value.c_str(), 1) != 0) return;
    execv("/proc/self/exe", argv);
    // Not started again: go on, and leave the environment of child processes as it was.
    if (current)
        setenv(kName, before.c_str(), 1);
    else
        unsetenv(kName);
}
