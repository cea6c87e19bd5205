#pragma once
// A small result-or-error type. Failures in this library are values: every
// fallible operation returns Expected<T, E> and nothing is thrown.

#include <type_traits>
#include <utility>
#include <variant>

namespace plenko {

template <class E>
struct Unexpected {
    E error;
};

template <class E>
Unexpected<std::decay_t<E>> unexpected(E&& e) {
    return Unexpected<std::decay_t<E>>{std::forward<E>(e)};
}

template <class T, class E>
class [[nodiscard]] Expected {
public:
    Expected(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    template <class G>
    Expected(Unexpected<G> e) : v_(std::in_place_index<1>, E(std::move(e.error))) {}

    bool has_value() const { return v_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    E& error() & { return std::get<1>(v_); }
    const E& error() const& { return std::get<1>(v_); }
    E&& error() && { return std::get<1>(std::move(v_)); }

private:
    std::variant<T, E> v_;
};

template <class E>
class [[nodiscard]] Expected<void, E> {
public:
    Expected() = default;
    template <class G>
    Expected(Unexpected<G> e) : err_(E(std::move(e.error))), failed_(true) {}

    bool has_value() const { return !failed_; }
    explicit operator bool() const { return has_value(); }
    E& error() & { return err_; }
    const E& error() const& { return err_; }
    E&& error() && { return std::move(err_); }

private:
    E err_{};
    bool failed_ = false;
};

}  // namespace plenko
