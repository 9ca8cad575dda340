#include "BrowserPropertyBag.h"

#include "BrowserInterfaceIds.h"
#include "DispatchProperty.h"
#include "EOleException.h"

#include <glib.h>

namespace platform {

void BrowserPropertyBag::AddProperty(const std::string& name, Getter getter)
{
    properties_.push_back({name, std::move(getter)});
}

void BrowserPropertyBag::AddProperty(const std::string& name, Variant value)
{
    AddProperty(name, [value] { return value; });
}

IUnknown* BrowserPropertyBag::QueryInterface(const Guid& iid)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    return nullptr;
}

HRESULT BrowserPropertyBag::GetTypeInfoCount(std::uint32_t& count)
{
    count = 0;
    return S_OK;
}

HRESULT BrowserPropertyBag::GetTypeInfo(std::uint32_t, std::uint32_t, std::shared_ptr<IUnknown>& typeInfo)
{
    typeInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserPropertyBag::GetIDsOfNames(const Guid&, const std::string* names, std::uint32_t nameCount,
                                          std::uint32_t, DispId* dispIds)
{
    if (nameCount == 0 || !names || !dispIds)
        return E_INVALIDARG;
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        if (g_ascii_strcasecmp(properties_[i].name.c_str(), names[0].c_str()) == 0) {
            dispIds[0] = static_cast<DispId>(i + 1);
            return S_OK;
        }
    }
    dispIds[0] = -1;
    return DISP_E_UNKNOWNNAME;
}

HRESULT BrowserPropertyBag::Invoke(DispId dispId, const Guid&, std::uint32_t, std::uint16_t flags, DispParams&,
                                   Variant* varResult, ExcepInfo* excepInfo, std::uint32_t*)
{
    if (dispId < 1 || static_cast<std::size_t>(dispId) > properties_.size())
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    try {
        Variant value = properties_[dispId - 1].getter();
        if (varResult)
            *varResult = std::move(value);
        return S_OK;
    } catch (const std::exception& error) {
        if (excepInfo) {
            excepInfo->bstrDescription = error.what();
            excepInfo->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }
}

BrowserDocument::BrowserDocument(std::function<DispatchPtr()> currentEvent) : currentEvent_(std::move(currentEvent))
{
}

IUnknown* BrowserDocument::QueryInterface(const Guid& iid)
{
    if (iid == IID_IHTMLDocument2)
        return static_cast<IHTMLDocument2*>(this);
    return BrowserPropertyBag::QueryInterface(iid);
}

namespace {

// The document's window: only its current event matters to the host.
class DocumentWindow : public BrowserPropertyBag, public IHTMLWindow2 {
public:
    explicit DocumentWindow(DispatchPtr event) : event_(std::move(event)) {}
    IUnknown* QueryInterface(const Guid& iid) override
    {
        if (iid == IID_IHTMLWindow2)
            return static_cast<IHTMLWindow2*>(this);
        return BrowserPropertyBag::QueryInterface(iid);
    }
    HRESULT get_event(DispatchPtr& p) override
    {
        p = event_;
        return S_OK;
    }

private:
    DispatchPtr event_;
};

} // namespace

HRESULT BrowserDocument::get_parentWindow(std::shared_ptr<IHTMLWindow2>& p)
{
    p = std::make_shared<DocumentWindow>(currentEvent_ ? currentEvent_() : nullptr);
    return S_OK;
}

Variant GetPropertyByName(IDispatch& object, const std::string& name)
{
    DispId dispId = 0;
    HRESULT hr = object.GetIDsOfNames(GUID_NULL, &name, 1, LOCALE_SYSTEM_DEFAULT, &dispId);
    if (hr == DISP_E_UNKNOWNNAME)
        throw EOleException(hr, "'" + name + "' not supported.");
    OleCheck(hr);
    return GetDispatchProperty(object, dispId);
}

} // namespace platform
