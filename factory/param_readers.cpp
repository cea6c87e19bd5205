#include "factory/param_readers.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "factory/number_text.hpp"
#include "indicators/checked.hpp"

namespace plenko {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();  // 2.220446049250313e-16

FactoryError fail(std::string_view name, std::string message) {
    return FactoryError::invalid_params(std::string(name), std::move(message));
}

std::string index_text(std::size_t index) { return "parameter #" + std::to_string(index); }

bool near_integral(double v) { return std::fabs(v - std::trunc(v)) <= kEpsilon; }

}  // namespace

Expected<double, FactoryError> param_f64(std::span<const double> params, std::size_t index, std::string_view name) {
    if (index >= params.size()) return unexpected(fail(name, "missing parameter #" + std::to_string(index)));
    const double v = params[index];
    if (!std::isfinite(v)) return unexpected(fail(name, index_text(index) + " must be finite"));
    return v;
}

Expected<std::size_t, FactoryError> param_usize(std::span<const double> params, std::size_t index,
                                                std::string_view name) {
    auto v = param_f64(params, index, name);
    if (!v) return unexpected(std::move(v.error()));
    const double x = *v;
    if (!(x > 0.0) || !near_integral(x)) {
        return unexpected(fail(name, index_text(index) + " must be a positive integer, got " + plain_decimal(x)));
    }
    // Saturates above the largest count; the window-length checks reject it.
    return clamp_to_count(std::trunc(x));
}

Expected<std::int32_t, FactoryError> param_i32(std::span<const double> params, std::size_t index,
                                               std::string_view name) {
    auto v = param_f64(params, index, name);
    if (!v) return unexpected(std::move(v.error()));
    const double x = *v;
    if (!near_integral(x) || !(x >= -2147483648.0 && x <= 2147483647.0)) {
        return unexpected(fail(name, index_text(index) + " must be an i32, got " + plain_decimal(x)));
    }
    return static_cast<std::int32_t>(std::trunc(x));
}

Expected<std::uint32_t, FactoryError> param_u32(std::span<const double> params, std::size_t index,
                                                std::string_view name) {
    auto v = param_f64(params, index, name);
    if (!v) return unexpected(std::move(v.error()));
    const double x = *v;
    if (!near_integral(x) || !(x >= 0.0 && x <= 4294967295.0)) {
        return unexpected(fail(name, index_text(index) + " must be a u32, got " + plain_decimal(x)));
    }
    return static_cast<std::uint32_t>(std::trunc(x));
}

}  // namespace plenko
