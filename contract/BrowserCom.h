#pragma once
// The object model of the browser-control contract: objects answer interfaces
// by identifier (IUnknown), and automation objects read and write properties
// and call methods by dispatch identifier (IDispatch).
#include "Guid.h"
#include "HResult.h"
#include "Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint32_t LOCALE_SYSTEM_DEFAULT = 0x0800;

// Every interface derives virtually from IUnknown, so one object offers many.
class IUnknown {
public:
    virtual ~IUnknown() = default;
    // The object as interface iid, or nullptr when it does not offer it.
    virtual IUnknown* QueryInterface(const Guid& iid) = 0;
};

// Queries a shared object and keeps it alive through the returned pointer.
template <typename Interface>
std::shared_ptr<Interface> QueryInterfacePtr(const std::shared_ptr<IUnknown>& object, const Guid& iid)
{
    if (!object)
        return nullptr;
    auto* found = dynamic_cast<Interface*>(object->QueryInterface(iid));
    return found ? std::shared_ptr<Interface>(object, found) : nullptr;
}

template <typename Interface>
Interface* QueryInterfaceRaw(IUnknown* object, const Guid& iid)
{
    return object ? dynamic_cast<Interface*>(object->QueryInterface(iid)) : nullptr;
}

// Arguments of a dispatch call. The array holds them last first, the order
// every dispatch caller builds; Arg(i) gives the i-th argument in declared order.
struct DispParams {
    std::vector<Variant> rgvarg;

    static DispParams InDeclaredOrder(std::vector<Variant> args)
    {
        return DispParams{std::vector<Variant>(args.rbegin(), args.rend())};
    }
    std::size_t Count() const { return rgvarg.size(); }
    Variant& Arg(std::size_t declaredIndex) { return rgvarg.at(rgvarg.size() - 1 - declaredIndex); }
    const Variant& Arg(std::size_t declaredIndex) const { return rgvarg.at(rgvarg.size() - 1 - declaredIndex); }
};

struct ExcepInfo {
    std::uint16_t wCode = 0;
    std::string bstrSource;
    std::string bstrDescription;
    std::string bstrHelpFile;
    std::uint32_t dwHelpContext = 0;
    HRESULT scode = S_OK;
};

class IDispatch : public virtual IUnknown {
public:
    virtual HRESULT GetTypeInfoCount(std::uint32_t& count) = 0;
    virtual HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t localeId, std::shared_ptr<IUnknown>& typeInfo) = 0;
    virtual HRESULT GetIDsOfNames(const Guid& iid, const std::string* names, std::uint32_t nameCount,
                                  std::uint32_t localeId, DispId* dispIds) = 0;
    virtual HRESULT Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags,
                           DispParams& params, Variant* varResult, ExcepInfo* excepInfo, std::uint32_t* argErr) = 0;
};

} // namespace platform
