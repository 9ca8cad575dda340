#pragma once
// The value type of the browser-control contract: empty, text (UTF-8),
// 32-bit integer, 16-bit boolean, byte array or a dispatch object.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class IDispatch;
using DispatchPtr = std::shared_ptr<IDispatch>;

// A 16-bit boolean: -1 is true, 0 false; any non-zero value reads as true.
class WordBool {
public:
    constexpr WordBool(bool value = false) : raw_(value ? -1 : 0) {}
    static constexpr WordBool FromRaw(std::int16_t raw) { WordBool b; b.raw_ = raw; return b; }
    constexpr operator bool() const { return raw_ != 0; }
    constexpr std::int16_t Raw() const { return raw_; }
    friend constexpr bool operator==(WordBool a, WordBool b) { return bool(a) == bool(b); }

private:
    std::int16_t raw_;
};

using ByteArray = std::vector<std::uint8_t>;

class Variant {
public:
    enum class Kind { Empty, Text, Int32, Bool, Bytes, Dispatch };

    Variant() = default;
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(std::int32_t number) : value_(number) {}
    Variant(WordBool flag) : value_(flag) {}
    Variant(bool flag) : value_(WordBool(flag)) {}
    Variant(ByteArray bytes) : value_(std::move(bytes)) {}
    Variant(DispatchPtr object) : value_(std::move(object)) {}

    Kind GetKind() const { return static_cast<Kind>(value_.index()); }
    bool IsEmpty() const { return GetKind() == Kind::Empty; }

    // Typed reads; each raises EOleException(DISP_E_TYPEMISMATCH) for another kind
    // (AsText and AsInt32 convert where the conversion is plain).
    std::string AsText() const;
    std::int32_t AsInt32() const;
    WordBool AsBool() const;
    const ByteArray& AsBytes() const;
    DispatchPtr AsDispatch() const;

    // References to the stored value for by-reference arguments. The value is
    // first converted to (or, when empty, initialised as) that kind.
    std::string& TextRef();
    std::int32_t& Int32Ref();
    WordBool& BoolRef();
    DispatchPtr& DispatchRef();

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::string, std::int32_t, WordBool, ByteArray, DispatchPtr> value_;
};

} // namespace platform
