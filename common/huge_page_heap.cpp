#include "common/huge_page_heap.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

void RestartWithHugePageHeap(char** argv) {
    static const char kName[] = "GLIBC_TUNABLES";
    static const char kTunable[] = "glibc.malloc.hugetlb=";
    const char* current = std::getenv(kName);
    // Set already: by the first start, or by the user, whose choice stands.
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
