// bench-artcost: what drawing each fixed picture costs at the sizes the window shows it, for a
// few scales of the window. The front ends draw them again whenever the window's size changes.
//
//   bench-artcost [--runs N] [SCALE...]
// Each picture at each scale (default 1.40625 2 3) is drawn N times (default 5); the fastest and
// the slowest run are printed, and the fastest in processor time, which other work on a shared
// machine disturbs less.

#include "art.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Shown {
    core::Art art;
    const char* name;
    int width; // the picture's bounds in the window's layout at scale 1
    int height;
};

constexpr Shown kPictures[] = {
    {core::Art::Faucet, "faucet", 121, 105},
    {core::Art::VerticalScale, "vertical scale", 25, 529},
    {core::Art::HorizontalScale, "horizontal scale", 521, 25},
};

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::vector<double> scales;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            scales.push_back(std::atof(argv[i]));
        }
    }
    if (scales.empty()) {
        scales = {1.40625, 2, 3};
    }
    std::printf("%-8s %-17s %11s %10s %10s %10s\n", "scale", "picture", "size", "fastest", "slowest", "cpu");
    for (const double scale : scales) {
        for (const Shown& p : kPictures) {
            const int width = static_cast<int>(std::lround(p.width * scale));
            const int height = static_cast<int>(std::lround(p.height * scale));
            double fastest = 1e300;
            double slowest = 0;
            double cpu = 1e300;
            std::size_t pixels = 0;
            for (int run = 0; run < runs; ++run) {
                const std::clock_t startCpu = std::clock();
                const Clock::time_point start = Clock::now();
                const core::Picture picture = core::drawArt(p.art, width, height);
                const double ms = milliseconds(Clock::now() - start);
                cpu = std::min(cpu, 1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
                pixels += picture.pixels.size();
                fastest = std::min(fastest, ms);
                slowest = std::max(slowest, ms);
            }
            std::printf("%-8g %-17s %5dx%-5d %7.2f ms %7.2f ms %7.2f ms%s\n", scale, p.name, width, height, fastest,
                        slowest, cpu, pixels == static_cast<std::size_t>(runs) * width * height ? "" : "  (not drawn)");
        }
    }
    return 0;
}
