#pragma once
// An error of the settings store, carrying the message the user sees.
#include <stdexcept>
#include <string>

namespace profiles {

class ESettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace profiles
