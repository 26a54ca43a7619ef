#pragma once

#include <chrono>

// Wall-clock seconds since `start`.
inline double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
