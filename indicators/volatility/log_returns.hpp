#pragma once
// Log returns r = ln(close / previous close) of strictly positive closes.
// A close that is not above 0 is rejected and leaves the previous close as it
// was; the first accepted close only becomes the previous close.

#include <cmath>
#include <optional>

namespace plenko {

class LogReturns {
public:
    std::optional<double> update(double close) {
        if (!(close > 0.0)) return std::nullopt;
        if (!has_previous_) {
            previous_ = close;
            has_previous_ = true;
            return std::nullopt;
        }
        const double r = std::log(close / previous_);
        previous_ = close;
        return r;
    }

private:
    bool has_previous_ = false;
    double previous_ = 0.0;
};

}  // namespace plenko
