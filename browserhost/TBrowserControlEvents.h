#pragma once
// Handler types of the browser control's events. Each handler gets the
// browser (Sender) first, then the event's arguments in declared order;
// by-reference arguments (references here) reach the control when the handler
// returns, e.g. Cancel = true cancels a navigation or a new window.
#include "BrowserCom.h"

#include <cstdint>
#include <functional>
#include <string>

class TBrowserControl;

using platform::DispatchPtr;
using platform::Variant;
using platform::WordBool;

using TNotifyEvent = std::function<void(TBrowserControl* Sender)>;
using TBrowserControlStatusTextChange = std::function<void(TBrowserControl* Sender, const std::string& Text)>;
using TBrowserControlProgressChange =
    std::function<void(TBrowserControl* Sender, std::int32_t Progress, std::int32_t ProgressMax)>;
using TBrowserControlCommandStateChange =
    std::function<void(TBrowserControl* Sender, std::int32_t Command, WordBool Enable)>;
using TBrowserControlTitleChange = std::function<void(TBrowserControl* Sender, const std::string& Text)>;
using TBrowserControlPropertyChange = std::function<void(TBrowserControl* Sender, const std::string& szProperty)>;
using TBrowserControlBeforeNavigate2 =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp, Variant& URL, Variant& Flags,
                       Variant& TargetFrameName, Variant& PostData, Variant& Headers, WordBool& Cancel)>;
// bstrUrl: the address the new window is to show.
using TBrowserControlNewWindow2 =
    std::function<void(TBrowserControl* Sender, DispatchPtr& ppDisp, WordBool& Cancel, const std::string& bstrUrl)>;
using TBrowserControlNavigateComplete2 =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp, Variant& URL)>;
using TBrowserControlDocumentComplete =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp, Variant& URL)>;
using TBrowserControlOnVisible = std::function<void(TBrowserControl* Sender, WordBool Visible)>;
using TBrowserControlOnToolBar = std::function<void(TBrowserControl* Sender, WordBool ToolBar)>;
using TBrowserControlOnMenuBar = std::function<void(TBrowserControl* Sender, WordBool MenuBar)>;
using TBrowserControlOnStatusBar = std::function<void(TBrowserControl* Sender, WordBool StatusBar)>;
using TBrowserControlOnFullScreen = std::function<void(TBrowserControl* Sender, WordBool FullScreen)>;
using TBrowserControlOnTheaterMode = std::function<void(TBrowserControl* Sender, WordBool TheaterMode)>;
using TBrowserControlWindowSetResizable = std::function<void(TBrowserControl* Sender, WordBool Resizable)>;
using TBrowserControlWindowSetLeft = std::function<void(TBrowserControl* Sender, std::int32_t Left)>;
using TBrowserControlWindowSetTop = std::function<void(TBrowserControl* Sender, std::int32_t Top)>;
using TBrowserControlWindowSetWidth = std::function<void(TBrowserControl* Sender, std::int32_t Width)>;
using TBrowserControlWindowSetHeight = std::function<void(TBrowserControl* Sender, std::int32_t Height)>;
using TBrowserControlWindowClosing =
    std::function<void(TBrowserControl* Sender, WordBool IsChildWindow, WordBool& Cancel)>;
using TBrowserControlClientToHostWindow =
    std::function<void(TBrowserControl* Sender, std::int32_t& CX, std::int32_t& CY)>;
using TBrowserControlSetSecureLockIcon = std::function<void(TBrowserControl* Sender, std::int32_t SecureLockIcon)>;
using TBrowserControlFileDownload = std::function<void(TBrowserControl* Sender, WordBool& Cancel)>;
using TBrowserControlNavigateError =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp, Variant& URL, Variant& Frame,
                       Variant& StatusCode, WordBool& Cancel)>;
using TBrowserControlPrintTemplateInstantiation =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp)>;
using TBrowserControlPrintTemplateTeardown = std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp)>;
using TBrowserControlUpdatePageStatus =
    std::function<void(TBrowserControl* Sender, const DispatchPtr& pDisp, Variant& nPage, Variant& fDone)>;
using TBrowserControlPrivacyImpactedStateChange = std::function<void(TBrowserControl* Sender, WordBool bImpacted)>;
