#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sim {

// One unit of time or volume is this many pixels, on the tank, the bars and the graph alike.
inline constexpr std::int32_t kUnitPx = 25;
// The interval, in milliseconds, from which every fresh start derives its own.
inline constexpr std::int32_t kBaseInterval = 20;
inline constexpr int kMaxRecords = 10;

// A point of the graph in its own pixels: origin at its top-left corner, y downwards.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Everything the program knows apart from the bounds of the four moving shapes. The names are the
// program's own words: Suii the water level, Nagare the stream, Kankaku the interval, Jikan the
// time step, Suiryo the water per step, SyokiRyo the initial amount, Kiroku the records.
struct State {
    std::int32_t Suii = 0;                    // water level in pixels above the tank floor, 0 to 500
    std::int32_t Nagare = 0;                  // length of the falling stream in pixels
    std::int32_t Kankaku = 0;                 // timer interval in milliseconds
    std::int32_t Jikan = 0;                   // time step 1 to 5; 0 until the first fresh start
    std::int32_t Suiryo = 0;                  // water per time step 1 to 5; 0 until the first fresh start
    std::int32_t SyokiRyo = 0;                // initial amount in volume units, 0 to 10
    std::int32_t SyokiY = 0;                  // graph y of the starting point (500 is volume 0)
    std::int32_t KirokuSu = 0;                // number of records, 0 to 10
    float KeikaTick = 0.0F;                   // rising ticks since the last reset, counted in single precision
    std::array<Point, kMaxRecords + 1> Ten{}; // [0] the live point, [1..KirokuSu] records
    std::array<std::string, kMaxRecords + 1> KirokuX{}; // [1..10] recorded time texts
    std::array<std::string, kMaxRecords + 1> KirokuY{}; // [1..10] recorded volume texts
    bool TenkiFlg = false;                              // dots of the records on the graph
    bool MusubuFlg = false;                             // polyline through the records
    bool TomeFlg = false;                               // a run was stopped: the next start resumes
    bool KirokuAutoFlg = false;                         // record at whole time units
};

} // namespace sim
