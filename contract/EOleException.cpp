#include "EOleException.h"

#include <cstdio>

namespace platform {

std::string HResultText(HRESULT hr)
{
    switch (hr) {
    case E_NOTIMPL: return "Not implemented";
    case E_NOINTERFACE: return "Interface not supported";
    case E_POINTER: return "Invalid pointer";
    case E_ABORT: return "Operation aborted";
    case E_FAIL: return "Unspecified error";
    case E_UNEXPECTED: return "Catastrophic failure";
    case E_INVALIDARG: return "The parameter is incorrect";
    case E_OUTOFMEMORY: return "Not enough storage is available to complete this operation";
    case DISP_E_MEMBERNOTFOUND: return "Member not found";
    case DISP_E_TYPEMISMATCH: return "Type mismatch";
    case DISP_E_UNKNOWNNAME: return "Unknown name";
    case DISP_E_EXCEPTION: return "Exception occurred";
    default: break;
    }
    char text[40];
    std::snprintf(text, sizeof text, "OLE error %08X", static_cast<unsigned>(hr));
    return text;
}

EOleException::EOleException(HRESULT hr, const std::string& message)
    : std::runtime_error(message.empty() ? HResultText(hr) : message), hr_(hr)
{
}

void OleCheck(HRESULT hr)
{
    if (Failed(hr))
        throw EOleException(hr);
}

} // namespace platform
