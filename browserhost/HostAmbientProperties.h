#pragma once
// The host's ambient properties (IDispatch on the client site): above all the
// download-control property (-5512), the flag word of DownloadOptions, which
// says what the control may download and run. OnGetTypeInfoCount,
// OnGetTypeInfo, OnGetIDsOfNames and OnInvoke may answer the rest; with no
// handler the generic control host answers (user mode; nothing else).
#include "BrowserHostInterfaces.h"
#include "HostOptionFlags.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TBrowserControl;

using TGetTypeInFoCountEvent = std::function<platform::HRESULT(std::uint32_t& Count)>;
using TGetTypeInfoEvent = std::function<platform::HRESULT(std::uint32_t Index, std::uint32_t LocaleID,
                                                          std::shared_ptr<platform::IUnknown>& TypeInfo)>;
using TGetIDsOfNamesEvent =
    std::function<platform::HRESULT(const platform::Guid& IID, const std::string* Names, std::uint32_t NameCount,
                                    std::uint32_t LocaleID, platform::DispId* DispIDs)>;
using TInvokeEvent = std::function<platform::HRESULT(
    platform::DispId DispID, const platform::Guid& IID, std::uint32_t LocaleID, std::uint16_t Flags,
    platform::DispParams& Params, platform::Variant* VarResult, platform::ExcepInfo* ExcepInfo,
    std::uint32_t* ArgErr)>;

class HostAmbientProperties : public platform::IDispatch {
public:
    // control is told when the download-control property changes.
    explicit HostAmbientProperties(TBrowserControl& control) : control_(control) {}

    const TDownloadControlOptions& DownloadOptions() const { return downloadOptions_; }
    // Stores the set, recomputes the flag word and tells the control its
    // download-control ambient property changed. Raises when the control's
    // Application does not offer IOleControl (the new value is kept).
    void SetDownloadOptions(const TDownloadControlOptions& value);
    // The flag word the control reads as the download-control property.
    std::uint32_t DownloadControlFlags() const { return downloadControlFlags_; }

    TGetTypeInFoCountEvent OnGetTypeInfoCount;
    TGetTypeInfoEvent OnGetTypeInfo;
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TInvokeEvent OnInvoke;

    // E_NOTIMPL with Count 0.
    platform::HRESULT GetTypeInfoCount(std::uint32_t& count) override;
    // E_NOTIMPL; typeInfo is cleared first.
    platform::HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t localeId,
                                  std::shared_ptr<platform::IUnknown>& typeInfo) override;
    // E_NOTIMPL.
    platform::HRESULT GetIDsOfNames(const platform::Guid& iid, const std::string* names, std::uint32_t nameCount,
                                    std::uint32_t localeId, platform::DispId* dispIds) override;
    // A get of -5512 is answered with the flag word before OnInvoke is asked.
    platform::HRESULT Invoke(platform::DispId dispId, const platform::Guid& iid, std::uint32_t localeId,
                             std::uint16_t flags, platform::DispParams& params, platform::Variant* varResult,
                             platform::ExcepInfo* excepInfo, std::uint32_t* argErr) override;

private:
    TBrowserControl& control_;
    TDownloadControlOptions downloadOptions_;
    std::uint32_t downloadControlFlags_ = 0;
};
