#pragma once

#include <string>
#include <utility>

namespace plenko {

struct EngineError {
    enum class Kind { Parse, UnknownFeature, BadSpec, Data };
    Kind kind;
    std::string message;

    static EngineError parse(std::string m) { return {Kind::Parse, std::move(m)}; }
    static EngineError unknown_feature(std::string m) { return {Kind::UnknownFeature, std::move(m)}; }
    static EngineError bad_spec(std::string m) { return {Kind::BadSpec, std::move(m)}; }
    static EngineError data(std::string m) { return {Kind::Data, std::move(m)}; }

    std::string display() const {
        switch (kind) {
            case Kind::Parse: return "parse: " + message;
            case Kind::UnknownFeature: return "unknown feature: " + message;
            case Kind::BadSpec: return "bad spec: " + message;
            case Kind::Data: return "data: " + message;
        }
        return message;
    }
};

}  // namespace plenko
