#pragma once
// Reading the common candle shapes straight from checked text: an object of
// the six plain member names with number values, or an array of five or six
// numbers. Anything else (escapes, other members, repeated names, strings,
// huge integers) is left to the general record reader, which also owns every
// error message, so both give identical results.

#include "indicators/candle.hpp"

namespace plenko::json {

// On success fills `out`, sets `next` past the candle and returns true; on
// false nothing is promised and the caller reads the candle the slow way.
bool read_plain_candle(const char* p, const char* end, Candle& out, const char*& next);

}  // namespace plenko::json
