#include "residentmemory.h"

#include <malloc.h>

#include <fstream>
#include <sstream>
#include <string>

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kilobytes = -1;
            fields >> kilobytes;
            return kilobytes;
        }
    }
    return -1;
}

long heapInUseKilobytes()
{
    // A sanitizer's allocator replaces malloc and leaves these counts at zero.
    const struct mallinfo2 info = mallinfo2();
    const std::size_t bytes = info.uordblks + info.hblkhd;
    return bytes == 0 ? -1 : static_cast<long>(bytes / 1024);
}
