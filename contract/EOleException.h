#pragma once
// The exception a failing browser-control call raises: it carries the HRESULT.
#include "HResult.h"

#include <stdexcept>
#include <string>

namespace platform {

class EOleException : public std::runtime_error {
public:
    // message empty: a text describing hr is used.
    explicit EOleException(HRESULT hr, const std::string& message = {});
    HRESULT HResult() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

// The system's description of a result code ("Unspecified error", ...).
std::string HResultText(HRESULT hr);

// Raises EOleException when hr is a failure; does nothing otherwise.
void OleCheck(HRESULT hr);

} // namespace platform
