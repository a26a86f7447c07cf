#pragma once

#include <sys/resource.h>

// CPU time (user + system) this process has used, in seconds: tests and benchmarks compare it
// with wall time to prove that waiting never spins.
inline double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
