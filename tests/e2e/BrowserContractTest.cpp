// The contract both engines keep: the same tests run over the scripted
// in-memory engine and over WebKit against a local server.
#include "BrowserEngineFixture.h"

#include "BrowserPropertyBag.h"
#include "BrowserDispIds.h"
#include "EOleException.h"
#include "Raised.h"
#include "ScriptedBrowserEngine.h"

using namespace platform;

class BrowserContractTest : public testing::TestWithParam<EngineKind> {
protected:
    BrowserEngineFixture f{GetParam()};
    void SetUp() override
    {
        f.Server().AddPage("/a.html", "<html><head><title>A</title></head><body>a</body></html>");
        f.Server().AddPage("/b.html", "<html><head><title>B</title></head><body>b</body></html>");
    }
};

TEST_P(BrowserContractTest, NavigationRaisesBeforeNavigate2ThenDocumentCompleteAndThePropertiesFollow)
{
    const std::string a = f.Server().Url("/a.html");
    ASSERT_TRUE(f.NavigateAndWait(a));
    auto before = std::find(f.Events().begin(), f.Events().end(), "BeforeNavigate2 " + a);
    auto committed = std::find(f.Events().begin(), f.Events().end(), "NavigateComplete2 " + a);
    auto complete = std::find(f.Events().begin(), f.Events().end(), "DocumentComplete " + a);
    ASSERT_NE(before, f.Events().end());
    EXPECT_LT(before, committed);
    EXPECT_LT(committed, complete);
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    EXPECT_EQ(f.Host().LocationURL(), a);
    EXPECT_EQ(GetPropertyByName(*f.Host().Document(), "URL").AsText(), a);
    EXPECT_EQ(MessageOf<EOleException>([&] { GetPropertyByName(*f.Host().Document(), "noSuchProperty"); }),
              "'noSuchProperty' not supported.");
}

TEST_P(BrowserContractTest, ACancelledNavigationStaysWhereItWas)
{
    const std::string a = f.Server().Url("/a.html");
    const std::string b = f.Server().Url("/b.html");
    ASSERT_TRUE(f.NavigateAndWait(a));
    f.Host().OnBeforeNavigate2 = [&](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                     Variant&, Variant&, WordBool& Cancel) {
        f.Events().push_back("BeforeNavigate2 " + URL.AsText());
        Cancel = true;
    };
    Navigate(f.Host(), b);
    EXPECT_EQ(f.CountEvents("BeforeNavigate2 " + b), 1u) << "raised before Navigate2 returns";
    EXPECT_EQ(f.Host().LocationURL(), a);
    EXPECT_FALSE(f.Host().Busy());
    // A later navigation completing is the barrier: the cancelled one would
    // have been requested and completed before it.
    f.Host().OnBeforeNavigate2 = nullptr;
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/a.html?later")));
    EXPECT_EQ(f.CountEvents("DocumentComplete " + b), 0u);
    EXPECT_FALSE(f.Server().WasRequested("/b.html"));
}

TEST_P(BrowserContractTest, AStoppedNavigationRaisesNothing)
{
    const std::string a = f.Server().Url("/a.html");
    const std::string slow = f.Server().Url("/slow.html");
    f.Server().AddPage("/slow.html", "<title>slow</title>", "text/html", std::chrono::minutes(10));
    ASSERT_TRUE(f.NavigateAndWait(a));
    if (auto scripted = ScriptedBrowserControl::Of(f.Host().ControlInstance()))
        scripted->SetCompleteNavigationsAutomatically(false);
    const std::size_t mark = f.Events().size();
    Navigate(f.Host(), slow);
    ASSERT_TRUE(f.WaitFor([&] {
        return f.Kind() == EngineKind::Scripted ? f.Host().Busy() : f.Server().WasRequested("/slow.html");
    }));
    f.Host().Stop();
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    // What the stopped load would raise comes before a second view's page completes.
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/b.html")));
    EXPECT_EQ(std::vector<std::string>(f.Events().begin() + static_cast<std::ptrdiff_t>(mark), f.Events().end()),
              std::vector<std::string>{"BeforeNavigate2 " + slow})
        << "the animation runs on and the box keeps what was typed until a document completes";
    EXPECT_EQ(GetPropertyByName(*f.Host().Document(), "URL").AsText(), a);
}

TEST_P(BrowserContractTest, BackAndForwardWalkTheHistoryAndRaiseWithoutOne)
{
    const std::string a = f.Server().Url("/a.html");
    const std::string b = f.Server().Url("/b.html");
    const auto noHistory = Raised<EOleException>([&] { f.Host().GoBack(); });
    ASSERT_TRUE(noHistory) << "GoBack with no history must raise";
    EXPECT_LT(noHistory->HResult(), 0);
    ASSERT_TRUE(f.NavigateAndWait(a));
    EXPECT_THROW(f.Host().GoBack(), EOleException);
    ASSERT_TRUE(f.NavigateAndWait(b));
    std::size_t mark = f.Events().size();
    f.Host().GoBack();
    ASSERT_TRUE(f.WaitForDocumentComplete(a, mark));
    EXPECT_EQ(f.Host().LocationURL(), a);
    mark = f.Events().size();
    f.Host().GoForward();
    ASSERT_TRUE(f.WaitForDocumentComplete(b, mark));
    EXPECT_EQ(f.Host().LocationURL(), b);
    EXPECT_THROW(f.Host().GoForward(), EOleException);
}

TEST_P(BrowserContractTest, RefreshReloadsUnlessTheHostTakesTheCommand)
{
    const std::string a = f.Server().Url("/a.html");
    ASSERT_TRUE(f.NavigateAndWait(a));
    std::vector<std::int32_t> refreshCommands;
    f.Host().OnRefresh = [&](TBrowserControl*, std::int32_t CmdID, bool& Cancel) {
        refreshCommands.push_back(CmdID);
        Cancel = true;
    };
    f.Server().ClearLog();
    std::size_t mark = f.Events().size();
    f.Host().Refresh();
    EXPECT_EQ(refreshCommands, std::vector<std::int32_t>{2300});
    // A reload begun anyway would have been asked about and requested before
    // a second view's page completes.
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/b.html")));
    EXPECT_EQ(f.Events().size(), mark) << testing::PrintToString(f.Events());
    EXPECT_FALSE(f.Server().WasRequested("/a.html"));

    f.Host().OnRefresh = nullptr;
    f.Host().Refresh();
    ASSERT_TRUE(f.WaitForDocumentComplete(a, mark));
    EXPECT_EQ(f.Host().LocationURL(), a);
}

TEST_P(BrowserContractTest, PublishedPropertiesStartAtTheirDefaultsAndKeepWhatIsPut)
{
    TBrowserHost& host = f.Host();
    EXPECT_TRUE(host.Visible());
    EXPECT_TRUE(host.GetProperty(DISPID_REGISTERASDROPTARGET).AsBool());
    EXPECT_TRUE(host.GetProperty(DISPID_RESIZABLE).AsBool());
    EXPECT_FALSE(host.GetProperty(DISPID_SILENT).AsBool());
    EXPECT_EQ(host.GetProperty(DISPID_STATUSTEXT).AsText(), "");
    host.SetProperty(DISPID_SILENT, WordBool(true));
    host.SetProperty(DISPID_RESIZABLE, WordBool(false));
    host.SetProperty(DISPID_STATUSTEXT, "ready");
    EXPECT_TRUE(host.GetProperty(DISPID_SILENT).AsBool());
    EXPECT_FALSE(host.GetProperty(DISPID_RESIZABLE).AsBool());
    EXPECT_EQ(host.GetProperty(DISPID_STATUSTEXT).AsText(), "ready");
    const auto busy = Raised<EOleException>([&] { f.Host().SetProperty(DISPID_BUSY, WordBool(true)); });
    ASSERT_TRUE(busy) << "Busy is the engine's own";
    EXPECT_EQ(busy->HResult(), DISP_E_MEMBERNOTFOUND);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, BrowserContractTest, testing::Values(EngineKind::Scripted, EngineKind::WebKit),
                         [](const testing::TestParamInfo<EngineKind>& info) {
                             return info.param == EngineKind::Scripted ? "Scripted" : "WebKit";
                         });
