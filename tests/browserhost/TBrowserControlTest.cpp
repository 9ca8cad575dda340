// TBrowserControl over the scripted engine: event table, handler slots,
// by-reference arguments, operations and their failures.
#include "BrowserDispIds.h"
#include "BrowserPropertyBag.h"
#include "EOleException.h"
#include "ErrorReport.h"
#include "ScriptedBrowserEngine.h"
#include "TBrowserHost.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class BrowserControlTest : public testing::Test {
protected:
    void SetUp() override { RegisterScriptedEngine(); }
    ScriptedBrowserControl& Scripted(TBrowserControl& browser)
    {
        auto scripted = ScriptedBrowserControl::Of(browser.ControlInstance());
        EXPECT_TRUE(scripted);
        return *scripted;
    }
    void Navigate(TBrowserControl& browser, const std::string& url)
    {
        Variant URL(url), Flags, TargetFrameName, PostData, Headers;
        browser.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
    }
};

// Assigns a recorder to every handler slot; each records its table position.
void AssignAllHandlers(TBrowserControl& b, std::vector<int>& calls)
{
    auto rec = [&calls](int i) { return [&calls, i](auto&&...) { calls.push_back(i); }; };
    b.OnStatusTextChange = rec(0);
    b.OnProgressChange = rec(1);
    b.OnCommandStateChange = rec(2);
    b.OnDownloadBegin = rec(3);
    b.OnDownloadComplete = rec(4);
    b.OnTitleChange = rec(5);
    b.OnPropertyChange = rec(6);
    b.OnBeforeNavigate2 = rec(7);
    b.OnNewWindow2 = rec(8);
    b.OnNavigateComplete2 = rec(9);
    b.OnDocumentComplete = rec(10);
    b.OnQuit = rec(11);
    b.OnVisible = rec(12);
    b.OnToolBar = rec(13);
    b.OnMenuBar = rec(14);
    b.OnStatusBar = rec(15);
    b.OnFullScreen = rec(16);
    b.OnTheaterMode = rec(17);
    b.OnWindowSetResizable = rec(18);
    b.OnWindowSetLeft = rec(19);
    b.OnWindowSetTop = rec(20);
    b.OnWindowSetWidth = rec(21);
    b.OnWindowSetHeight = rec(22);
    b.OnWindowClosing = rec(23);
    b.OnClientToHostWindow = rec(24);
    b.OnSetSecureLockIcon = rec(25);
    b.OnFileDownload = rec(26);
    b.OnNavigateError = rec(27);
    b.OnPrintTemplateInstantiation = rec(28);
    b.OnPrintTemplateTeardown = rec(29);
    b.OnUpdatePageStatus = rec(30);
    b.OnPrivacyImpactedStateChange = rec(31);
}

// Arguments of the right kinds for each event, in declared order.
std::vector<Variant> ArgumentsFor(DispId id)
{
    switch (id) {
    case DISPID_STATUSTEXTCHANGE: case DISPID_TITLECHANGE: case DISPID_PROPERTYCHANGE: return {Variant("t")};
    case DISPID_PROGRESSCHANGE: return {1, 2};
    case DISPID_COMMANDSTATECHANGE: return {1, WordBool(true)};
    case DISPID_BEFORENAVIGATE2: return {DispatchPtr(), "u", {}, {}, {}, {}, WordBool(false)};
    case DISPID_NEWWINDOW2: return {DispatchPtr(), WordBool(false), Variant("http://127.0.0.1/new")};
    case DISPID_NAVIGATECOMPLETE2: case DISPID_DOCUMENTCOMPLETE: return {DispatchPtr(), "u"};
    case DISPID_WINDOWSETLEFT: case DISPID_WINDOWSETTOP: case DISPID_WINDOWSETWIDTH: case DISPID_WINDOWSETHEIGHT:
    case DISPID_SETSECURELOCKICON: return {5};
    case DISPID_WINDOWCLOSING: return {WordBool(false), WordBool(false)};
    case DISPID_CLIENTTOHOSTWINDOW: return {1, 2};
    case DISPID_FILEDOWNLOAD: return {WordBool(false)};
    case DISPID_NAVIGATEERROR: return {DispatchPtr(), "u", "f", 404, WordBool(false)};
    case DISPID_PRINTTEMPLATEINSTANTIATION: case DISPID_PRINTTEMPLATETEARDOWN: return {DispatchPtr()};
    case DISPID_UPDATEPAGESTATUS: return {DispatchPtr(), 1, WordBool(true)};
    case DISPID_DOWNLOADBEGIN: case DISPID_DOWNLOADCOMPLETE: case DISPID_ONQUIT: return {};
    default: return {WordBool(true)};
    }
}

} // namespace

TEST_F(BrowserControlTest, EveryEventIdentifierReachesTheHandlerAtItsTablePosition)
{
    const DispId expected[32] = {102, 108, 105, 106, 104, 113, 112, 250, 251, 252, 259, 253, 254, 255, 256, 257,
                                 258, 260, 262, 264, 265, 266, 267, 263, 268, 269, 270, 271, 225, 226, 227, 272};
    TBrowserHost browser;
    ASSERT_EQ(browser.ControlData().EventCount, 32u);
    EXPECT_EQ(browser.ControlData().Version, 401u);
    EXPECT_EQ(browser.ControlData().ClassID.ToString(), "8856F961-340A-11D0-A96B-00C04FD705A2");
    EXPECT_EQ(browser.ControlData().EventIID.ToString(), "34A715A0-6587-11D0-924A-0020AFC7AC4D");
    std::vector<int> calls;
    AssignAllHandlers(browser, calls);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(browser.ControlData().EventDispIDs[i], expected[i]) << "position " << i;
        calls.clear();
        Scripted(browser).RaiseEvent(expected[i], ArgumentsFor(expected[i]));
        EXPECT_EQ(calls, std::vector<int>{i}) << "dispatch identifier " << expected[i];
    }
}

TEST_F(BrowserControlTest, UnknownIdentifiersAndUnassignedHandlersAreIgnored)
{
    TBrowserHost browser;
    std::vector<int> calls;
    AssignAllHandlers(browser, calls);
    Scripted(browser).RaiseEvent(261, {WordBool(true)}); // between 260 and 262, not in the table
    Scripted(browser).RaiseEvent(0, {});
    EXPECT_TRUE(calls.empty());

    TBrowserHost bare;
    DispParams after = Scripted(bare).RaiseEvent(DISPID_TITLECHANGE, {Variant("title")});
    EXPECT_EQ(after.Arg(0).AsText(), "title");
    after = Scripted(bare).RaiseEvent(DISPID_BEFORENAVIGATE2, ArgumentsFor(DISPID_BEFORENAVIGATE2));
    EXPECT_FALSE(after.Arg(6).AsBool());
}

TEST_F(BrowserControlTest, ArgumentsArriveInDeclaredOrderAndByReferenceWritesReachTheControl)
{
    TBrowserHost browser;
    std::string seenURL;
    browser.OnBeforeNavigate2 = [&](TBrowserControl* Sender, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                    Variant&, Variant&, WordBool& Cancel) {
        EXPECT_EQ(Sender, &browser);
        seenURL = URL.AsText();
        Cancel = true;
    };
    browser.OnClientToHostWindow = [](TBrowserControl*, std::int32_t& CX, std::int32_t& CY) {
        CX += 100;
        CY = -CY;
    };
    std::string newWindowURL;
    browser.OnNewWindow2 = [&](TBrowserControl*, DispatchPtr&, WordBool& Cancel, const std::string& bstrUrl) {
        newWindowURL = bstrUrl;
        Cancel = true;
    };
    browser.OnProgressChange = [](TBrowserControl*, std::int32_t Progress, std::int32_t ProgressMax) {
        EXPECT_EQ(Progress, 3);
        EXPECT_EQ(ProgressMax, 10);
    };
    Scripted(browser).RaiseEvent(DISPID_PROGRESSCHANGE, {3, 10});
    DispParams after = Scripted(browser).RaiseEvent(DISPID_CLIENTTOHOSTWINDOW, {7, 9});
    EXPECT_EQ(after.Arg(0).AsInt32(), 107);
    EXPECT_EQ(after.Arg(1).AsInt32(), -9);
    EXPECT_FALSE(Scripted(browser).RequestNewWindow("http://127.0.0.1/window"));
    EXPECT_EQ(newWindowURL, "http://127.0.0.1/window");

    // A cancelled navigation stays where it was.
    Navigate(browser, "http://127.0.0.1/cancelled");
    EXPECT_EQ(seenURL, "http://127.0.0.1/cancelled");
    EXPECT_FALSE(Scripted(browser).PendingURL());
    EXPECT_FALSE(browser.Busy());
    EXPECT_EQ(browser.LocationURL(), "");
}

TEST_F(BrowserControlTest, HandlerExceptionsGoToTheErrorReportNotTheControl)
{
    std::vector<std::string> reports;
    ErrorSink previous = SetErrorSink([&](const std::string& text) { reports.push_back(text); });
    {
        TBrowserHost browser;
        browser.OnTitleChange = [](TBrowserControl*, const std::string&) { throw std::runtime_error("boom"); };
        EXPECT_NO_THROW(Scripted(browser).RaiseEvent(DISPID_TITLECHANGE, {Variant("x")}));
    }
    SetErrorSink(previous);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("boom"), std::string::npos);
}

TEST_F(BrowserControlTest, NavigationHistoryAndFailuresRaiseWithTheirHResult)
{
    TBrowserHost browser;
    auto& scripted = Scripted(browser);
    try {
        browser.GoBack();
        FAIL() << "GoBack with no history must raise";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.HResult(), E_FAIL);
    }
    Navigate(browser, "http://127.0.0.1/a");
    EXPECT_TRUE(browser.Busy());
    scripted.CompleteNavigation();
    Navigate(browser, "http://127.0.0.1/b");
    scripted.CompleteNavigation();
    EXPECT_EQ(browser.LocationURL(), "http://127.0.0.1/b");
    EXPECT_EQ(GetPropertyByName(*browser.Document(), "URL").AsText(), "http://127.0.0.1/b");
    browser.GoBack();
    scripted.CompleteNavigation();
    EXPECT_EQ(browser.LocationURL(), "http://127.0.0.1/a");
    browser.GoForward();
    scripted.CompleteNavigation();
    EXPECT_EQ(browser.LocationURL(), "http://127.0.0.1/b");
    EXPECT_THROW(browser.GoForward(), EOleException);

    scripted.FailNextCall(E_ABORT);
    try {
        browser.Refresh();
        FAIL() << "a failing Refresh must raise";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.HResult(), E_ABORT);
    }
    scripted.FailNextCall(MakeHResult(0x80070005u));
    EXPECT_THROW(browser.SetVisible(true), EOleException);
    browser.SetVisible(true);
    EXPECT_TRUE(browser.Visible());
    browser.SetProperty(DISPID_TOOLBAR, 3);
    EXPECT_EQ(browser.GetProperty(DISPID_TOOLBAR), Variant(3));
    EXPECT_THROW(browser.SetProperty(DISPID_BUSY, WordBool(true)), EOleException);
}

TEST_F(BrowserControlTest, TheDefaultInterfaceIsFetchedOnceAndReleasedOnDestruction)
{
    std::weak_ptr<IUnknown> control;
    {
        TBrowserHost browser;
        control = browser.ControlInstance();
        IWebBrowser2* first = &browser.DefaultInterface();
        browser.Stop();
        EXPECT_EQ(first, &browser.DefaultInterface());
        EXPECT_FALSE(Scripted(browser).IsClosed());
    }
    EXPECT_TRUE(control.expired());
}
