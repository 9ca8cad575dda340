#include "Variant.h"

#include "EOleException.h"

#include <charconv>

namespace platform {

std::string Variant::AsText() const
{
    switch (GetKind()) {
    case Kind::Empty: return {};
    case Kind::Text: return std::get<std::string>(value_);
    case Kind::Int32: return std::to_string(std::get<std::int32_t>(value_));
    case Kind::Bool: return std::get<WordBool>(value_) ? "True" : "False";
    default: throw EOleException(DISP_E_TYPEMISMATCH, "Could not convert variant to text");
    }
}

std::int32_t Variant::AsInt32() const
{
    switch (GetKind()) {
    case Kind::Empty: return 0;
    case Kind::Int32: return std::get<std::int32_t>(value_);
    case Kind::Bool: return std::get<WordBool>(value_).Raw();
    case Kind::Text: {
        const std::string& text = std::get<std::string>(value_);
        std::int32_t number = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error == std::errc() && end == text.data() + text.size() && !text.empty())
            return number;
        [[fallthrough]];
    }
    default: throw EOleException(DISP_E_TYPEMISMATCH, "Could not convert variant to integer");
    }
}

WordBool Variant::AsBool() const
{
    switch (GetKind()) {
    case Kind::Empty: return false;
    case Kind::Bool: return std::get<WordBool>(value_);
    case Kind::Int32: return std::get<std::int32_t>(value_) != 0;
    default: throw EOleException(DISP_E_TYPEMISMATCH, "Could not convert variant to boolean");
    }
}

const ByteArray& Variant::AsBytes() const
{
    if (GetKind() != Kind::Bytes)
        throw EOleException(DISP_E_TYPEMISMATCH, "Could not convert variant to a byte array");
    return std::get<ByteArray>(value_);
}

DispatchPtr Variant::AsDispatch() const
{
    if (GetKind() == Kind::Empty)
        return nullptr;
    if (GetKind() != Kind::Dispatch)
        throw EOleException(DISP_E_TYPEMISMATCH, "Could not convert variant to an object");
    return std::get<DispatchPtr>(value_);
}

std::string& Variant::TextRef()
{
    if (GetKind() != Kind::Text)
        value_ = AsText();
    return std::get<std::string>(value_);
}

std::int32_t& Variant::Int32Ref()
{
    if (GetKind() != Kind::Int32)
        value_ = AsInt32();
    return std::get<std::int32_t>(value_);
}

WordBool& Variant::BoolRef()
{
    if (GetKind() != Kind::Bool)
        value_ = AsBool();
    return std::get<WordBool>(value_);
}

DispatchPtr& Variant::DispatchRef()
{
    if (GetKind() != Kind::Dispatch)
        value_ = AsDispatch();
    return std::get<DispatchPtr>(value_);
}

} // namespace platform
