// TBrowserHost's answers to the control: the defaults of the callback table,
// forwarding to assigned handlers, flag words, Exec and fpExceptions.
#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "EOleException.h"
#include "ScriptedBrowserEngine.h"
#include "TBrowserHost.h"
#include "TPrintOptions.h"

#include <gtest/gtest.h>

#include <cfenv>

using namespace platform;

namespace {

class BrowserHostTest : public testing::Test {
protected:
    void SetUp() override { RegisterScriptedEngine(); }
    TBrowserHost host;
    ScriptedBrowserControl& Scripted() { return *ScriptedBrowserControl::Of(host.ControlInstance()); }
    // The host interface as the control finds it on its client site.
    template <typename Interface>
    Interface& Site(const Guid& iid)
    {
        auto* found = QueryInterfaceRaw<Interface>(Scripted().Site(), iid);
        EXPECT_NE(found, nullptr);
        return *found;
    }
    IDocHostUIHandler2& UIHandler() { return Site<IDocHostUIHandler2>(IID_IDocHostUIHandler2); }
    IDocHostShowUI& ShowUI() { return Site<IDocHostShowUI>(IID_IDocHostShowUI); }
    IDispatch& Ambient() { return Site<IDispatch>(IID_IDispatch); }
    IOleCommandTarget& Commands() { return Site<IOleCommandTarget>(IID_IOleCommandTarget); }
    Variant AmbientDownloadControl()
    {
        DispParams none;
        Variant value;
        EXPECT_EQ(Ambient().Invoke(DISPID_AMBIENT_DLCONTROL, GUID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET,
                                   none, &value, nullptr, nullptr),
                  S_OK);
        return value;
    }
};

} // namespace

TEST_F(BrowserHostTest, TheSiteAnswersTheHostInterfacesInOrderAndTheGenericOnesAfter)
{
    IOleClientSite& site = host;
    EXPECT_EQ(site.QueryInterface(IID_IOleCommandTarget), static_cast<IOleCommandTarget*>(&host));
    EXPECT_EQ(site.QueryInterface(IID_IServiceProvider), static_cast<IServiceProvider*>(&host));
    EXPECT_EQ(site.QueryInterface(IID_IDispatch), static_cast<IDispatch*>(&host));
    EXPECT_EQ(site.QueryInterface(IID_IDocHostUIHandler2), static_cast<IDocHostUIHandler2*>(&host));
    EXPECT_EQ(dynamic_cast<IDocHostUIHandler*>(site.QueryInterface(IID_IDocHostUIHandler)),
              dynamic_cast<IDocHostUIHandler*>(site.QueryInterface(IID_IDocHostUIHandler2)));
    EXPECT_EQ(site.QueryInterface(IID_IDocHostShowUI), static_cast<IDocHostShowUI*>(&host));
    EXPECT_EQ(site.QueryInterface(IID_IOleClientSite), static_cast<IOleClientSite*>(&host));
    EXPECT_EQ(site.QueryInterface(IID_IWebBrowser2), nullptr);
}

TEST_F(BrowserHostTest, WithNoHandlersTheControlGetsTheDefaultAnswersFromItsSite)
{
    EXPECT_TRUE(Scripted().RequestContextMenu()) << "the control shows its own menu";
    EXPECT_EQ(Scripted().HostInfoFlags(), 0u);
    EXPECT_EQ(Scripted().DownloadControlFlags(), 0x70) << "images, videos and background sounds";
    IDocHostUIHandler2& ui = UIHandler();
    DocHostUIInfo info;
    info.pchHostCss = "kept";
    EXPECT_EQ(ui.GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.pchHostCss, "kept");
    EXPECT_EQ(ui.ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(ui.HideUI(), S_FALSE);
    EXPECT_EQ(ui.UpdateUI(), S_FALSE);
    EXPECT_EQ(ui.EnableModeless(true), S_FALSE);
    EXPECT_EQ(ui.OnDocWindowActivate(true), S_FALSE);
    EXPECT_EQ(ui.OnFrameWindowActivate(true), S_FALSE);
    EXPECT_EQ(ui.ResizeBorder(nullptr, nullptr, true), S_FALSE);
    EXPECT_EQ(ui.TranslateAccelerator(nullptr, nullptr, 0), S_FALSE);
    std::string key = "untouched";
    EXPECT_EQ(ui.GetOptionKeyPath(key, 0), S_FALSE);
    EXPECT_EQ(ui.GetOverrideKeyPath(key, 0), S_OK);
    EXPECT_EQ(key, "untouched");
    auto stale = std::make_shared<BrowserPropertyBag>();
    std::shared_ptr<IUnknown> dropTarget = stale;
    EXPECT_EQ(ui.GetDropTarget(nullptr, &dropTarget), S_OK);
    EXPECT_EQ(dropTarget, nullptr);
    DispatchPtr external = stale;
    EXPECT_EQ(ui.GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    std::string translated = "untouched";
    EXPECT_EQ(ui.TranslateUrl(0, "http://a/", translated), S_FALSE);
    EXPECT_EQ(translated, "untouched");
    std::shared_ptr<IUnknown> filtered = stale;
    EXPECT_EQ(ui.FilterDataObject(nullptr, &filtered), S_FALSE);
    EXPECT_EQ(filtered, nullptr);
    std::int32_t result = -7;
    EXPECT_EQ(ShowUI().ShowMessage(nullptr, "t", "c", 0, "", 0, result), S_FALSE);
    EXPECT_EQ(result, -7);
    EXPECT_EQ(ShowUI().ShowHelp(nullptr, "", 0, 0, {}, nullptr), S_FALSE) << "empty HelpFile";
    std::shared_ptr<IUnknown> service = stale;
    EXPECT_EQ(Site<IServiceProvider>(IID_IServiceProvider).QueryService(GUID_NULL, GUID_NULL, service), E_NOINTERFACE);
    std::uint32_t count = 9;
    EXPECT_EQ(Ambient().GetTypeInfoCount(count), E_NOTIMPL);
    EXPECT_EQ(count, 0u);
    std::shared_ptr<IUnknown> typeInfo = stale;
    EXPECT_EQ(Ambient().GetTypeInfo(0, 0, typeInfo), E_NOTIMPL);
    EXPECT_EQ(typeInfo, nullptr);
    std::string name = "x";
    DispId id = 0;
    EXPECT_EQ(Ambient().GetIDsOfNames(GUID_NULL, &name, 1, 0, &id), E_NOTIMPL);
    EXPECT_EQ(Commands().QueryStatus(&CGID_DocHostCommandHandler, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(AmbientDownloadControl(), Variant(std::int32_t{0x70}));
    DispParams none;
    Variant userMode;
    EXPECT_EQ(Ambient().Invoke(DISPID_AMBIENT_USERMODE, GUID_NULL, 0, DISPATCH_PROPERTYGET, none, &userMode, nullptr,
                          nullptr),
              S_OK) << "other ambient properties get the generic host's answer";
    EXPECT_EQ(Ambient().Invoke(12345, GUID_NULL, 0, DISPATCH_PROPERTYGET, none, &userMode, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(BrowserHostTest, AssignedHandlersGetTheArgumentsInOrderAndTheirResultIsReturned)
{
    Point seenPoint;
    std::uint32_t seenID = 0;
    host.OnShowContextMenu = [&](std::uint32_t dwID, Point* ppt, IUnknown*, IDispatch*) -> HRESULT {
        seenID = dwID;
        seenPoint = *ppt;
        return S_OK;
    };
    Point where{3, 4};
    EXPECT_EQ(UIHandler().ShowContextMenu(5, &where, nullptr, nullptr), S_OK);
    EXPECT_EQ(seenID, 5u);
    EXPECT_EQ(seenPoint.y, 4);
    EXPECT_FALSE(Scripted().RequestContextMenu()) << "S_OK suppresses the control's menu";

    host.SetUserInterfaceOptions({TUserInterfaceOption::DIALOG, TUserInterfaceOption::NO3DBORDER});
    host.OnGetHostInfo = [](DocHostUIInfo* pInfo) -> HRESULT {
        EXPECT_EQ(pInfo->dwFlags, 0x5u) << "filled before the handler runs";
        pInfo->dwDoubleClick = 1;
        return E_FAIL;
    };
    DocHostUIInfo info;
    EXPECT_EQ(UIHandler().GetHostInfo(&info), E_FAIL);
    EXPECT_EQ(info.dwDoubleClick, 1u);

    std::shared_ptr<IUnknown> given;
    host.OnQueryService = [&](const Guid& rsid, const Guid&, std::shared_ptr<IUnknown>& Obj) -> HRESULT {
        EXPECT_EQ(Obj, nullptr) << "cleared before the handler runs";
        EXPECT_EQ(rsid, IID_IDispatch);
        return S_OK;
    };
    given = std::make_shared<BrowserPropertyBag>();
    EXPECT_EQ(Site<IServiceProvider>(IID_IServiceProvider).QueryService(IID_IDispatch, GUID_NULL, given), S_OK);

    host.OnShowMessage = [](WindowHandle, const std::string& text, const std::string& caption, std::uint32_t type,
                            const std::string&, std::uint32_t, std::int32_t& plResult) -> HRESULT {
        EXPECT_EQ(text, "hello");
        EXPECT_EQ(caption, "Message from webpage");
        EXPECT_EQ(type, MB_OK | MB_ICONWARNING);
        plResult = IDOK;
        return S_OK;
    };
    std::int32_t result = 0;
    EXPECT_EQ(Scripted().ShowScriptMessage("hello", result), S_OK);
    EXPECT_EQ(result, IDOK);

    host.OnShowHelp = [](WindowHandle, const std::string&, std::uint32_t uCommand, std::uint32_t, Point& ptMouse,
                         IDispatch*) -> HRESULT {
        ptMouse.x = 99;
        return static_cast<HRESULT>(uCommand);
    };
    host.HelpFile = "/nonexistent/help.html";
    EXPECT_EQ(ShowUI().ShowHelp(nullptr, "", 7, 0, {}, nullptr), 7) << "the handler wins over HelpFile";

    host.OnInvoke = [](DispId DispID, const Guid&, std::uint32_t, std::uint16_t, DispParams&, Variant* VarResult,
                       ExcepInfo*, std::uint32_t*) -> HRESULT {
        *VarResult = DispID;
        return S_OK;
    };
    EXPECT_EQ(AmbientDownloadControl(), Variant(std::int32_t{0x70})) << "-5512 is answered before OnInvoke";
    DispParams none;
    Variant value;
    EXPECT_EQ(Ambient().Invoke(-701, GUID_NULL, 0, DISPATCH_PROPERTYGET, none, &value, nullptr, nullptr), S_OK);
    EXPECT_EQ(value, Variant(std::int32_t{-701}));
}

TEST_F(BrowserHostTest, FlagWordsForEmptyDefaultAndFullSets)
{
    EXPECT_EQ(DownloadControlFlagWord({}), 0u);
    EXPECT_EQ(host.DownloadControlFlags(), 0x70u);
    TDownloadControlOptions allDownload;
    for (int i = 0; i < 19; ++i)
        allDownload.Include(static_cast<TDownloadControlOption>(i));
    EXPECT_EQ(DownloadControlFlagWord(allDownload), 0xF007FFF0u);
    EXPECT_EQ(DownloadControlFlagWord({TDownloadControlOption::DLCTL_OFFLINE}), 0x80000000u);

    EXPECT_EQ(UserInterfaceFlagWord({}), 0u);
    EXPECT_EQ(host.HostUIFlags(), 0u);
    TUserInterfaceOptions allUI;
    for (int i = 0; i < 17; ++i)
        allUI.Include(static_cast<TUserInterfaceOption>(i));
    EXPECT_EQ(UserInterfaceFlagWord(allUI), 0x37FFFu) << "no member for 0x8000";
    EXPECT_EQ(UserInterfaceFlagWord({TUserInterfaceOption::ENABLE_INPLACE_NAVIGATION}), 0x10000u);
}

TEST_F(BrowserHostTest, OptionSettersNotifyTheControlOfTheAmbientChange)
{
    EXPECT_EQ(Scripted().DownloadControlFlags(), 0x70) << "the constructor's options reached the control";
    host.SetDownloadOptions({});
    EXPECT_EQ(host.DownloadControlFlags(), 0u);
    EXPECT_EQ(Scripted().DownloadControlFlags(), 0);
    EXPECT_EQ(AmbientDownloadControl(), Variant(std::int32_t{0}));
    const std::size_t notifications = std::count(Scripted().Calls().begin(), Scripted().Calls().end(),
                                                 "OnAmbientPropertyChange -5512");
    host.SetUserInterfaceOptions({TUserInterfaceOption::SCROLL_NO});
    EXPECT_EQ(std::count(Scripted().Calls().begin(), Scripted().Calls().end(), "OnAmbientPropertyChange -5512"),
              static_cast<std::ptrdiff_t>(notifications + 1))
        << "both setters send -5512";
    EXPECT_EQ(Scripted().HostInfoFlags(), 0x8u);

    Scripted().FailNextCall(E_FAIL); // the Application read fails
    EXPECT_THROW(host.SetDownloadOptions({TDownloadControlOption::DLCTL_NO_SCRIPTS}), EOleException);
    EXPECT_EQ(host.DownloadControlFlags(), 0x80u) << "the value is kept although the notification failed";
}

TEST_F(BrowserHostTest, ExecResults)
{
    EXPECT_EQ(Commands().Exec(nullptr, 2300, 0, nullptr, nullptr), OLECMDERR_E_UNKNOWNGROUP);
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 2300, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(Commands().Exec(&GUID_NULL, 1, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);

    int unloads = 0;
    host.OnUnload = [&](TBrowserControl* Sender) {
        EXPECT_EQ(Sender, &host);
        ++unloads;
    };
    EXPECT_EQ(Commands().Exec(&CGID_Explorer, 37, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 37, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(unloads, 1);

    bool cancel = true;
    std::vector<std::int32_t> commands;
    host.OnRefresh = [&](TBrowserControl*, std::int32_t CmdID, bool& Cancel) {
        EXPECT_FALSE(Cancel) << "starts false";
        commands.push_back(CmdID);
        Cancel = cancel;
    };
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 2300, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 6041, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 6042, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 6043, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    cancel = false;
    EXPECT_EQ(Commands().Exec(&CGID_DocHostCommandHandler, 2300, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(commands, (std::vector<std::int32_t>{2300, 6041, 6042, 2300}));
}

TEST_F(BrowserHostTest, ScriptErrorsReachOnScriptErrorWithTheEventsProperties)
{
    Variant out;
    EXPECT_EQ(Scripted().RaiseScriptError("1", "2", "3", "4", "5", &out), OLECMDERR_E_NOTSUPPORTED)
        << "no handler: the control shows its own dialog";
    std::vector<std::string> seen;
    bool showDialog = false;
    host.OnScriptError = [&](TBrowserControl*, const std::string& ErrorLine, const std::string& ErrorCharacter,
                             const std::string& ErrorCode, const std::string& ErrorMessage,
                             const std::string& ErrorUrl, bool& ContinueScript, bool& Showdialog) {
        seen = {ErrorLine, ErrorCharacter, ErrorCode, ErrorMessage, ErrorUrl};
        EXPECT_TRUE(ContinueScript);
        EXPECT_TRUE(Showdialog);
        Showdialog = showDialog;
    };
    EXPECT_EQ(Scripted().RaiseScriptError("12", "7", "0", "x is not defined", "http://127.0.0.1/p", &out),
              OLECMDERR_E_NOTSUPPORTED)
        << "no document yet: nothing to read, the control shows its own dialog";
    EXPECT_TRUE(seen.empty());
    Scripted().SetCompleteNavigationsAutomatically(true);
    Variant url("http://127.0.0.1/p"), e1, e2, e3, e4;
    host.Navigate2(url, e1, e2, e3, e4);
    EXPECT_EQ(Scripted().RaiseScriptError("12", "7", "0", "x is not defined", "http://127.0.0.1/p", &out), S_OK);
    EXPECT_EQ(seen, (std::vector<std::string>{"12", "7", "0", "x is not defined", "http://127.0.0.1/p"}));
    EXPECT_EQ(out, Variant(WordBool(true)));
    EXPECT_EQ(out.AsBool().Raw(), -1);
    showDialog = true;
    EXPECT_EQ(Scripted().RaiseScriptError("1", "1", "0", "m", "u", &out), OLECMDERR_E_NOTSUPPORTED);
}

TEST_F(BrowserHostTest, APageHostBuildsNoOptionalMachineryUntilItIsSwitchedOn)
{
    Scripted().SetCompleteNavigationsAutomatically(true);
    Variant url("http://127.0.0.1/p"), e1, e2, e3, e4;
    host.Navigate2(url, e1, e2, e3, e4);
    EXPECT_TRUE(Scripted().RequestContextMenu());
    EXPECT_TRUE(host.fpExceptions());
    EXPECT_FALSE(host.EnableDDE);
    host.EnableDDE = false;
    EXPECT_FALSE(host.HasOptions()) << "navigating, answering and reading the switches build nothing";
    host.EnableDDE = true;
    EXPECT_TRUE(host.HasOptions());
    EXPECT_TRUE(host.EnableDDE);

    TBrowserHost printing;
    EXPECT_EQ(printing.PrintOptions().HTMLHeader(), std::vector<std::string>{"<HTML></HTML>"});
    EXPECT_TRUE(printing.HasOptions()) << "the print options are part of it";
}

TEST_F(BrowserHostTest, FpExceptionsMasksEveryExceptionAndRestoresTheStartupWord)
{
    std::fenv_t startup;
    std::fegetenv(&startup);
    host.SetfpExceptions(false);
    EXPECT_FALSE(host.fpExceptions());
    std::fenv_t masked;
    std::fegetenv(&masked);
    EXPECT_EQ(fegetexcept(), 0);
#if defined(__x86_64__)
    EXPECT_EQ(masked.__control_word & 0x3F, 0x3F) << "every x87 exception masked";
    EXPECT_EQ(masked.__mxcsr & 0x1F80u, 0x1F80u) << "every SSE exception masked";
#endif
    feenableexcept(FE_DIVBYZERO); // a change the restore must undo
    host.SetfpExceptions(true);
    EXPECT_TRUE(host.fpExceptions());
    EXPECT_EQ(fegetexcept(), 0) << "the word saved at program start has every exception masked";
    std::fenv_t restored;
    std::fegetenv(&restored);
#if defined(__x86_64__)
    EXPECT_EQ(restored.__control_word, startup.__control_word);
#endif
}
