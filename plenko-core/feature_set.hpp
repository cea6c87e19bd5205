#pragma once
// Turns candles into feature rows. Every distinct indicator (same name, same
// parameter text) gets one evaluator, shared by all features that name it
// whatever their `field`; each column is resolved once, at build time, to
// the evaluator and output slot it reads, so feeding a candle does no string
// work.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "indicators/candle.hpp"
#include "indicators/evaluator.hpp"
#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"
#include "plenko-core/schema.hpp"

namespace plenko {

// "Sma(14)", "MacdIndicator(12,26,9)", "Name()": the name and the parameters
// in plain decimal, joined by commas.
std::string evaluator_key(const Feature& feature);

struct Column {
    enum class Source : unsigned char {
        Price,  // a field of the candle itself
        Value,  // the evaluator's main value
        Field,  // one of the evaluator's named outputs
        Never,  // a field the evaluator does not report: never has a value
    };
    Source source = Source::Price;
    PriceField price = PriceField::Close;
    std::size_t evaluator = 0;
    std::size_t field = 0;  // index into the evaluator's field_values()
};

class FeatureSet {
public:
    // Fails with the first feature (in order) the factory refuses.
    static Expected<FeatureSet, EngineError> build(const std::vector<Feature>& features);

    // Feeds one candle to every evaluator, in creation order.
    void feed(const Candle& candle);

    // The row of the candle last fed, written into `out` (width() values);
    // false when some column has no value on that candle.
    bool row(std::span<double> out) const;

    std::size_t width() const { return columns_.size(); }

private:
    struct Slot {
        std::string key;
        std::unique_ptr<Evaluator> evaluator;
        bool has_value = false;  // on the candle last fed
        double value = 0.0;
    };
    std::vector<Slot> evaluators_;
    std::vector<Column> columns_;
    Candle last_{};
    bool fed_ = false;
};

}  // namespace plenko
