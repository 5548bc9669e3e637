#pragma once

#include <fstream>
#include <string>

namespace bench {

// A field of /proc/self/status, in KiB; 0 where there is none.
inline double StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1));
    }
    return 0.0;
}

// How much the process's peak resident memory grows while `work` runs, in KiB: the peak is set
// back to the current size first (Linux), so that only the work's own growth counts.
template <class Work> double PeakGrowthKiB(Work&& work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = StatusKiB("VmRSS");
    work();
    return StatusKiB("VmHWM") - before;
}

} // namespace bench
