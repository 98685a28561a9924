#pragma once

// The one way a step of the program says it was refused: it returns Expected<T, E>, a value
// or the reason it has none. A small stand-in for C++23's std::expected, with the same
// names for what the program uses, so that it can give way to the real one.

#include <cassert>
#include <type_traits>
#include <utility>
#include <variant>

namespace ferolune {

// The reason carried by a refused Expected, as std::unexpected carries it.
template <class E>
class Unexpected {
public:
    explicit Unexpected(E error) : m_error(std::move(error)) {}
    const E &error() const & { return m_error; }
    E &&error() && { return std::move(m_error); }

private:
    E m_error;
};

template <class E>
Unexpected(E) -> Unexpected<E>;

template <class T, class E>
class Expected {
public:
    Expected() requires std::is_default_constructible_v<T> : m_state(std::in_place_index<0>) {}
    Expected(const T &value) : m_state(std::in_place_index<0>, value) {}       // NOLINT: implicit like expected
    Expected(T &&value) : m_state(std::in_place_index<0>, std::move(value)) {} // NOLINT
    template <class G>
    Expected(const Unexpected<G> &failure) : m_state(std::in_place_index<1>, failure.error()) // NOLINT
    {
    }
    template <class G>
    Expected(Unexpected<G> &&failure) : m_state(std::in_place_index<1>, std::move(failure).error()) // NOLINT
    {
    }

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }

    const T &value() const & { return checked(), std::get<0>(m_state); }
    T &value() & { return checked(), std::get<0>(m_state); }
    T &&value() && { return checked(), std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    T &operator*() & { return value(); }
    T &&operator*() && { return std::move(*this).value(); }
    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }

    const E &error() const
    {
        assert(!has_value());
        return std::get<1>(m_state);
    }

    template <class U>
    T value_or(U &&fallback) const &
    {
        return has_value() ? value() : static_cast<T>(std::forward<U>(fallback));
    }

private:
    void checked() const { assert(has_value()); }

    std::variant<T, E> m_state;
};

// A step that gives nothing back but may be refused.
template <class E>
class Expected<void, E> {
public:
    Expected() = default;
    template <class G>
    Expected(const Unexpected<G> &failure) : m_error(failure.error()), m_failed(true) // NOLINT
    {
    }
    template <class G>
    Expected(Unexpected<G> &&failure) : m_error(std::move(failure).error()), m_failed(true) // NOLINT
    {
    }

    bool has_value() const { return !m_failed; }
    explicit operator bool() const { return has_value(); }
    const E &error() const
    {
        assert(m_failed);
        return m_error;
    }

private:
    E m_error{};
    bool m_failed = false;
};

} // namespace ferolune
