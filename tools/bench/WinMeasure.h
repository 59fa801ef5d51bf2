#pragma once
// Clock and memory figures of the Windows benchmarks (<chrono> cannot be compiled into
// Shift_JIS literals: the clock is the performance counter).

#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <cstddef>

// Milliseconds since some fixed point.
inline double NowMilliseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

// The process's memory now and at its peak so far, in bytes.
struct ProcessMemory {
    size_t workingSet = 0;
    size_t peakWorkingSet = 0;
    size_t pagefile = 0;  // private bytes
    size_t peakPagefile = 0;
};

inline ProcessMemory ProcessMemoryNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ProcessMemory memory;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return memory;
    memory.workingSet = counters.WorkingSetSize;
    memory.peakWorkingSet = counters.PeakWorkingSetSize;
    memory.pagefile = counters.PagefileUsage;
    memory.peakPagefile = counters.PeakPagefileUsage;
    return memory;
}
