#pragma once
// One price bar. `time` is compared and echoed; calendar-based indicators
// read it as milliseconds since the Unix epoch, UTC.

#include <cstdint>

namespace plenko {

struct Candle {
    std::int64_t time = 0;
    double open = 0.0;
    double high = 0.0;
    double low = 0.0;
    double close = 0.0;
    double volume = 0.0;
};

}  // namespace plenko
