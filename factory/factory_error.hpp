#pragma once
// The factory's failure value, shown to users through the engine's
// "unknown feature: ..." error and the Python ValueError.

#include <string>
#include <utility>

namespace plenko {

struct FactoryError {
    enum class Kind { UnknownIndicator, InvalidParams, InvalidInput };

    Kind kind = Kind::UnknownIndicator;
    std::string name;     // UnknownIndicator: the name as passed; InvalidParams: the indicator
    std::string message;  // InvalidParams, InvalidInput

    static FactoryError unknown_indicator(std::string name) {
        return {Kind::UnknownIndicator, std::move(name), {}};
    }
    static FactoryError invalid_params(std::string name, std::string message) {
        return {Kind::InvalidParams, std::move(name), std::move(message)};
    }
    static FactoryError invalid_input(std::string message) {
        return {Kind::InvalidInput, {}, std::move(message)};
    }

    std::string text() const {
        switch (kind) {
            case Kind::UnknownIndicator: return "unknown indicator type: " + name;
            case Kind::InvalidParams: return "invalid parameters for indicator " + name + ": " + message;
            case Kind::InvalidInput: return "invalid input data: " + message;
        }
        return message;
    }
};

}  // namespace plenko
