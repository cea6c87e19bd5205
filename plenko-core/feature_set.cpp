#include "plenko-core/feature_set.hpp"

#include <utility>

#include "factory/factory.hpp"
#include "factory/number_text.hpp"

namespace plenko {

std::string evaluator_key(const Feature& feature) {
    std::string key = feature.name;
    key.push_back('(');
    for (std::size_t i = 0; i < feature.params.size(); ++i) {
        if (i > 0) key.push_back(',');
        key += plain_decimal(feature.params[i]);
    }
    key.push_back(')');
    return key;
}

namespace {

double price_of(const Candle& c, PriceField f) {
    switch (f) {
        case PriceField::Open: return c.open;
        case PriceField::High: return c.high;
        case PriceField::Low: return c.low;
        case PriceField::Close: return c.close;
        case PriceField::Volume: return c.volume;
    }
    return c.close;
}

// The published output "<key>.<field>" of an evaluator: a later field of an
// equal name replaces an earlier one, so the last match is the one read.
Column field_column(std::size_t evaluator, const Evaluator& ev, const std::string& field) {
    Column col;
    col.evaluator = evaluator;
    col.source = Column::Source::Never;
    const auto names = ev.field_names();
    for (std::size_t j = names.size(); j-- > 0;) {
        if (names[j] == field) {
            col.source = Column::Source::Field;
            col.field = j;
            break;
        }
    }
    return col;
}

}  // namespace

Expected<FeatureSet, EngineError> FeatureSet::build(const std::vector<Feature>& features) {
    FeatureSet set;
    set.columns_.reserve(features.size());
    for (const Feature& feature : features) {
        if (feature.kind == FeatureKind::Price) {
            Column col;
            col.source = Column::Source::Price;
            col.price = feature.price_field;
            set.columns_.push_back(col);
            continue;
        }
        std::string key = evaluator_key(feature);
        std::size_t index = set.evaluators_.size();
        for (std::size_t i = 0; i < set.evaluators_.size(); ++i) {
            if (set.evaluators_[i].key == key) {
                index = i;
                break;
            }
        }
        if (index == set.evaluators_.size()) {
            auto built = build_evaluator(feature.name, feature.params);
            if (!built) return unexpected(EngineError::unknown_feature(feature.name + ": " + built.error().text()));
            set.evaluators_.push_back(Slot{std::move(key), std::move(*built)});
        }
        if (feature.field) {
            set.columns_.push_back(field_column(index, *set.evaluators_[index].evaluator, *feature.field));
        } else {
            Column col;
            col.source = Column::Source::Value;
            col.evaluator = index;
            set.columns_.push_back(col);
        }
    }
    return set;
}

void FeatureSet::feed(const Candle& candle) {
    const BarContext bar{.candle = candle};
    for (Slot& slot : evaluators_) {
        const auto v = slot.evaluator->update(bar);
        slot.has_value = v.has_value();
        if (v) slot.value = *v;
    }
    last_ = candle;
    fed_ = true;
}

bool FeatureSet::row(std::span<double> out) const {
    if (!fed_) return false;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const Column& col = columns_[c];
        switch (col.source) {
            case Column::Source::Price: out[c] = price_of(last_, col.price); break;
            case Column::Source::Value: {
                const Slot& slot = evaluators_[col.evaluator];
                if (!slot.has_value) return false;
                out[c] = slot.value;
                break;
            }
            case Column::Source::Field: {
                const Slot& slot = evaluators_[col.evaluator];
                if (!slot.has_value) return false;
                out[c] = slot.evaluator->field_values()[col.field];
                break;
            }
            case Column::Source::Never: return false;
        }
    }
    return true;
}

}  // namespace plenko
