#pragma once
// A small automation object whose properties are read by name: the document
// object ("URL") and the script-error event object ("errorMessage", ...)
// that the engines hand out.
#include "BrowserControlInterfaces.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class BrowserPropertyBag : public virtual IDispatch, public std::enable_shared_from_this<BrowserPropertyBag> {
public:
    using Getter = std::function<Variant()>;

    // Adds a read-only property; names compare without regard to ASCII case.
    void AddProperty(const std::string& name, Getter getter);
    void AddProperty(const std::string& name, Variant value);

    IUnknown* QueryInterface(const Guid& iid) override;
    HRESULT GetTypeInfoCount(std::uint32_t& count) override;
    HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t localeId, std::shared_ptr<IUnknown>& typeInfo) override;
    HRESULT GetIDsOfNames(const Guid& iid, const std::string* names, std::uint32_t nameCount,
                          std::uint32_t localeId, DispId* dispIds) override;
    HRESULT Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags,
                   DispParams& params, Variant* varResult, ExcepInfo* excepInfo, std::uint32_t* argErr) override;

private:
    struct Property {
        std::string name;
        Getter getter;
    };
    std::vector<Property> properties_; // dispatch identifier = position + 1
};

// A document object: a property bag that also is an IHTMLDocument2 whose
// parent window reports the event being handled.
class BrowserDocument : public BrowserPropertyBag, public IHTMLDocument2 {
public:
    explicit BrowserDocument(std::function<DispatchPtr()> currentEvent);
    IUnknown* QueryInterface(const Guid& iid) override;
    HRESULT get_parentWindow(std::shared_ptr<IHTMLWindow2>& p) override;

private:
    std::function<DispatchPtr()> currentEvent_;
};

// Reads one property by name: looks the name up (name-not-found raises
// "'<name>' not supported.", another failure an EOleException for its
// HRESULT), then gets it with no arguments (a failure raises the exception
// information's description, or the HRESULT's text).
Variant GetPropertyByName(IDispatch& object, const std::string& name);

} // namespace platform
