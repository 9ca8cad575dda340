#pragma once
// Class, interface and command-group identifiers of the browser-control contract.
#include "Guid.h"

namespace platform {

// The embeddable web-browser control and its interfaces.
inline constexpr Guid CLSID_WebBrowser = "8856F961-340A-11D0-A96B-00C04FD705A2"_guid;
inline constexpr Guid DIID_DWebBrowserEvents2 = "34A715A0-6587-11D0-924A-0020AFC7AC4D"_guid;
inline constexpr Guid IID_IWebBrowser2 = "D30C1661-CDAF-11D0-8A3E-00C04FC9E26E"_guid;
inline constexpr Guid IID_IUnknown = "00000000-0000-0000-C000-000000000046"_guid;
inline constexpr Guid IID_IDispatch = "00020400-0000-0000-C000-000000000046"_guid;
inline constexpr Guid IID_IOleObject = "00000112-0000-0000-C000-000000000046"_guid;
inline constexpr Guid IID_IOleInPlaceActiveObject = "00000117-0000-0000-C000-000000000046"_guid;
inline constexpr Guid IID_IOleClientSite = "00000118-0000-0000-C000-000000000046"_guid;
inline constexpr Guid IID_IOleControl = "B196B288-BAB4-101A-B69C-00AA00341D07"_guid;
inline constexpr Guid IID_IHTMLDocument2 = "332C4425-26CB-11D0-B483-00C04FD90119"_guid;
inline constexpr Guid IID_IHTMLWindow2 = "332C4427-26CB-11D0-B483-00C04FD90119"_guid;

// Host interfaces the control asks its client site for.
inline constexpr Guid IID_IOleCommandTarget = "B722BCCB-4E68-101B-A2BC-00AA00404770"_guid;
inline constexpr Guid IID_IServiceProvider = "6D5140C1-7436-11CE-8034-00AA006009FA"_guid;
inline constexpr Guid IID_IDocHostUIHandler2 = "3050F6D0-98B5-11CF-BB82-00AA00BDCE0B"_guid;
inline constexpr Guid IID_IDocHostUIHandler = "BD3F23C0-D43E-11CF-893B-00AA00BDCE1A"_guid;
inline constexpr Guid IID_IDocHostShowUI = "C4D244B0-D43E-11CF-893B-00AA00BDCE1A"_guid;

// Command groups of IOleCommandTarget.Exec.
inline constexpr Guid CGID_Explorer = "000214D0-0000-0000-C000-000000000046"_guid;
inline constexpr Guid CGID_DocHostCommandHandler = "F38BC242-B950-11D1-8918-00C04FC2C836"_guid;

} // namespace platform
