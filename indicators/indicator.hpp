#pragma once
// Everything an indicator source file needs: the input records, the error
// type, candle validation, the Evaluator interface and the adapters, plus the
// shared building blocks.

#include "indicators/adapters.hpp"
#include "indicators/bar_context.hpp"
#include "indicators/candle.hpp"
#include "indicators/checked.hpp"
#include "indicators/evaluator.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/input_kind.hpp"
#include "indicators/validate_candle.hpp"

#include "indicators/blocks/exponential_average.hpp"
#include "indicators/blocks/midpoint.hpp"
#include "indicators/blocks/ring_window.hpp"
#include "indicators/blocks/rolling_variance.hpp"
#include "indicators/blocks/simple_average.hpp"
#include "indicators/blocks/sorted_window.hpp"
#include "indicators/blocks/wilder_smoothing.hpp"
#include "indicators/blocks/window_length.hpp"
