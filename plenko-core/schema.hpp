#pragma once
// The engine's input documents: the fingerprint specification with its
// features, and candles.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"
#include "plenko-core/json_view.hpp"

namespace plenko {

inline constexpr std::uint64_t MAX_DIM = 4096;

enum class NormalizeMode : std::uint8_t { None, ZScore, MinMax };
enum class Metric : std::uint8_t { Cosine, Euclid, Dtw };
enum class PriceField : std::uint8_t { Open, High, Low, Close, Volume };
enum class FeatureKind : std::uint8_t { Indicator, Price, Microstructure };

struct Feature {
    FeatureKind kind = FeatureKind::Indicator;
    PriceField price_field = PriceField::Close;  // price features only
    std::string name;                            // indicator and microstructure features
    std::vector<double> params;
    std::optional<std::string> field;
};

struct FingerprintSpec {
    std::vector<Feature> features;
    std::uint64_t window = 1;
    NormalizeMode normalize = NormalizeMode::None;
    Metric metric = Metric::Cosine;
};

// From the constructor's text: positions are part of every message.
Expected<FingerprintSpec, EngineError> decode_spec_text(std::string_view text);
// From an already decoded value (the `spec` member of `set_spec`).
Expected<FingerprintSpec, EngineError> decode_spec_value(json::JsonView value);
Expected<std::vector<Candle>, EngineError> decode_candles(json::JsonView value);
// The dimension (features × window) of an acceptable specification.
Expected<std::uint64_t, EngineError> validate_spec(const FingerprintSpec& spec);

}  // namespace plenko
