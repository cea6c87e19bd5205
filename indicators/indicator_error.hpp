#pragma once
// The indicator library's error value. Messages carried by the variants are
// fixed texts with static storage (string literals), so building an error
// never allocates.

#include <string>
#include <string_view>

namespace plenko {

class IndicatorError {
public:
    enum class Kind {
        ZeroPeriod,
        InvalidPeriod,
        NonFiniteInput,
        InvalidCandle,
        ZeroMultiplier,
        InvalidParameter,
    };

    IndicatorError() = default;

    static constexpr IndicatorError zero_period() { return {Kind::ZeroPeriod, {}}; }
    static constexpr IndicatorError invalid_period(std::string_view m) { return {Kind::InvalidPeriod, m}; }
    static constexpr IndicatorError non_finite_input() { return {Kind::NonFiniteInput, {}}; }
    static constexpr IndicatorError invalid_candle(std::string_view m) { return {Kind::InvalidCandle, m}; }
    static constexpr IndicatorError zero_multiplier() { return {Kind::ZeroMultiplier, {}}; }
    static constexpr IndicatorError invalid_parameter(std::string_view m) { return {Kind::InvalidParameter, m}; }

    constexpr Kind kind() const { return kind_; }
    constexpr std::string_view message() const { return message_; }

    std::string text() const {
        switch (kind_) {
            case Kind::ZeroPeriod: return "period must be greater than zero";
            case Kind::InvalidPeriod: return "invalid period: " + std::string(message_);
            case Kind::NonFiniteInput: return "input value must be finite (got NaN or infinity)";
            case Kind::InvalidCandle: return "invalid candle: " + std::string(message_);
            case Kind::ZeroMultiplier: return "multiplier must be greater than zero";
            case Kind::InvalidParameter: return "invalid parameter: " + std::string(message_);
        }
        return std::string(message_);
    }

    friend constexpr bool operator==(const IndicatorError& a, const IndicatorError& b) {
        return a.kind_ == b.kind_ && a.message_ == b.message_;
    }

private:
    constexpr IndicatorError(Kind k, std::string_view m) : kind_(k), message_(m) {}

    Kind kind_ = Kind::ZeroPeriod;
    std::string_view message_{};
};

}  // namespace plenko
