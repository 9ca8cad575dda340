#pragma once
// What a call raised, for checking a failure's kind and words in one line.
#include <exception>
#include <functional>
#include <optional>
#include <string>

// The exception of kind E that action raised, copied (so name the exact
// kind, not a base); nothing when it raised none.
template <typename E = std::exception>
std::optional<E> Raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}

// The message of the exception of kind E that action raised; "<no error>"
// when it raised none.
template <typename E = std::exception>
std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& error) {
        return error.what();
    }
    return "<no error>";
}
