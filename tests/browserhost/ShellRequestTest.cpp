// Shell requests over the in-process DDE layer: which initiates a host
// answers, and what web-page and folder execute commands do.
#include "DdeAtomTable.h"
#include "DdeMemory.h"
#include "DdeRouter.h"
#include "ErrorReport.h"
#include "HostOptions.h"
#include "HostOwnWindow.h"
#include "RegistryStore.h"
#include "ScriptedBrowserEngine.h"
#include "ShellExecuteRequest.h"
#include "ShellItemListTable.h"
#include "TBrowserHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace platform;

namespace {

void SetDefaultText(const char* path, const std::string& text)
{
    RegistryStore& store = RegistryStore::Program();
    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::ClassesRoot, path, key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "", REG_SZ, std::string_view(text.c_str(), text.size() + 1)), kRegSuccess);
}

struct Received {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// A client window that keeps what it receives.
class Client {
public:
    Client() : window_(Procedure(), false) {}
    Client(std::int64_t processId, std::int64_t threadId) : window_(Procedure(), false, processId, threadId) {}
    DdeWindow Handle() const { return window_.Handle(); }
    std::vector<Received>& Log() { return log_; }

    // Broadcasts an initiate for application and topic; returns the acknowledgements.
    std::vector<Received> Initiate(const std::string& application, const std::string& topic)
    {
        log_.clear();
        DdeAtomTable& atoms = DdeAtomTable::Program();
        const Atom app = atoms.Add(application), top = atoms.Add(topic);
        DdeRouter::Program().BroadcastInitiate(Handle(), app, top);
        atoms.Delete(app);
        atoms.Delete(top);
        return log_;
    }

private:
    DdeWindowProcedure Procedure()
    {
        return [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
            log_.push_back({message, wParam, lParam});
            return std::intptr_t{0};
        };
    }
    std::vector<Received> log_;
    DdeWindowRegistration window_;
};

class ShellRequestTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterScriptedEngine();
        SetDefaultText("htmlfile\\shell\\open\\ddeexec\\application", "IExplore");
        SetDefaultText("htmlfile\\shell\\open\\ddeexec\\topic", "WWW_OpenURL");
        SetDefaultText("Folder\\shell\\open\\ddeexec\\application", "Folders");
        SetDefaultText("Folder\\shell\\open\\ddeexec\\topic", "AppProperties");
        SetDefaultText("Folder\\shell\\open\\ddeexec", "[ViewFolder(\"%l\", %I, %S)]");
        SetDefaultText("Folder\\shell\\explore\\ddeexec", "[ExploreFolder(\"%l\", %I, %S)]");
        SetDefaultText("Directory\\shell\\find\\ddeexec", "[FindFolder(\"%l\", %I)]");
        host_ = std::make_unique<TBrowserHost>();
        host_->EnableDDE = true; // builds the shell-request window; no loaded step
    }
    void TearDown() override { SetShellExecutor({}); }

    TBrowserHost& Host() { return *host_; }
    DdeWindow OwnWindow() { return host_->Options().OwnWindow().Handle(); }
    std::vector<std::string> Navigations()
    {
        std::vector<std::string> found;
        for (const std::string& call : ScriptedBrowserControl::Of(host_->ControlInstance())->Calls())
            if (call.rfind("Navigate2 ", 0) == 0)
                found.push_back(call.substr(10));
        return found;
    }
    // Sends an execute of text in the conversation client opened and delivers
    // the posted answers. Returns the acknowledgement word, or -1 for none.
    std::intptr_t Execute(Client& client, const std::string& text)
    {
        DdeMemory& memory = DdeMemory::Program();
        const DdeMemoryHandle commands = memory.Alloc(text + '\0');
        const std::intptr_t packed = memory.Pack(0, commands);
        client.Log().clear();
        DdeRouter::Program().Send(OwnWindow(), WM_DDE_EXECUTE, client.Handle(), packed);
        DdeRouter::Program().DeliverPosted();
        EXPECT_EQ(memory.LockCount(commands), 0) << "the command memory is unlocked again";
        std::intptr_t word = -1;
        for (const Received& got : client.Log()) {
            if (got.message != WM_DDE_ACK)
                continue;
            EXPECT_EQ(got.wParam, OwnWindow());
            auto values = memory.Unpack(got.lParam);
            EXPECT_TRUE(values && values->second == commands) << "the same memory comes back";
            word = values ? static_cast<std::intptr_t>(values->first) : -1;
        }
        memory.FreePacked(packed);
        memory.Free(commands);
        return word;
    }

    std::unique_ptr<TBrowserHost> host_;
};

// Executes reach the host's own window once the loaded step has hooked it.
class LoadedShellRequestTest : public ShellRequestTest {
protected:
    void SetUp() override
    {
        ShellRequestTest::SetUp();
        Host().Loaded();
    }
};

} // namespace

TEST_F(ShellRequestTest, AnswersInitiatesOfItsOwnThreadOnlyAndOnlyWhileEnabled)
{
    Client client;
    auto acks = client.Initiate("IExplore", "WWW_OpenURL");
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(acks[0].message, WM_DDE_ACK);
    EXPECT_EQ(acks[0].wParam, OwnWindow()) << "the host's own window serves, not the request window";
    EXPECT_EQ(DdeAtomTable::Program().Find("IExplore"), 0) << "the answer's atoms are deleted again";

    EXPECT_EQ(client.Initiate("Folders", "AppProperties").size(), 1u);
    EXPECT_TRUE(client.Initiate("IExplore", "AppProperties").empty()) << "topic of the other conversation";
    EXPECT_TRUE(client.Initiate("Other", "WWW_OpenURL").empty());

    Client otherProcess(CurrentProcessId() + 1, CurrentThreadId());
    EXPECT_TRUE(otherProcess.Initiate("IExplore", "WWW_OpenURL").empty());
    Client otherThread(CurrentProcessId(), CurrentThreadId() + 1);
    EXPECT_TRUE(otherThread.Initiate("IExplore", "WWW_OpenURL").empty());
    std::vector<Received> fromThread;
    std::thread([&] {
        Client realOtherThread;
        fromThread = realOtherThread.Initiate("IExplore", "WWW_OpenURL");
    }).join();
    EXPECT_TRUE(fromThread.empty()) << "a window made on another thread";

    Host().EnableDDE = false;
    EXPECT_TRUE(client.Initiate("IExplore", "WWW_OpenURL").empty());
    EXPECT_TRUE(client.Initiate("Folders", "AppProperties").empty());
}

TEST_F(LoadedShellRequestTest, WebPageCommandsNavigateToTheQuotedUrlOrTheWholeText)
{
    Client client;
    ASSERT_EQ(client.Initiate("IExplore", "WWW_OpenURL").size(), 1u);
    EXPECT_EQ(Execute(client, "\"http://127.0.0.1/a.html\",,-1,0,,,,"), 1);
    EXPECT_EQ(Execute(client, "http://127.0.0.1/b.html,x"), 1);
    EXPECT_EQ(Navigations(), (std::vector<std::string>{"http://127.0.0.1/a.html", "http://127.0.0.1/b.html,x"}));
}

TEST_F(LoadedShellRequestTest, FolderOpenNavigatesToThePathOrTheItemListItResolves)
{
    ShellItemListTable& table = ShellItemListTable::Program();
    const ItemIdList list{5, 0, 't', 'm', 'p', 0, 0};
    Client client;
    ASSERT_EQ(client.Initiate("Folders", "AppProperties").size(), 1u);

    EXPECT_EQ(Execute(client, "[ViewFolder(\"/srv/data\", :" + std::to_string(table.AddShared(list, 77)) + ":77, 1)]"),
              1);
    const std::int64_t shared = table.AddShared(list, CurrentProcessId());
    EXPECT_EQ(Execute(client, "[ViewFolder(\"\", :" + std::to_string(shared) + ":" +
                                  std::to_string(CurrentProcessId()) + ", 1)]"),
              1);
    EXPECT_FALSE(table.TakeShared(shared, CurrentProcessId())) << "the shared block was freed";
    EXPECT_EQ(Execute(client, "[ViewFolder(\"\", " + std::to_string(table.Add(list)) + ", 1)]"), 1);
    EXPECT_EQ(Execute(client, "[ViewFolder(\"\", 987654321, 1)]"), 1)
        << "a number this process never handed out names no list; acknowledged all the same";
    EXPECT_EQ(Execute(client, "[ViewFolder(\"\", :5:1, 1)]"), 1) << "another process's memory is out of reach";
    EXPECT_EQ(Execute(client, "[OpenSomething(\"/srv/other\", 0, 1)]"), 0) << "a kind that matches none";
    EXPECT_EQ(Navigations(), (std::vector<std::string>{"/srv/data", "item-list:7", "item-list:7"}));
}

TEST_F(LoadedShellRequestTest, ExploreAndFindGoToTheDesktopAndNoInitiateIsAnsweredMeanwhile)
{
    std::vector<ShellExecuteRequest> requests;
    std::size_t answeredDuringCall = 0;
    Client client;
    SetShellExecutor([&](const ShellExecuteRequest& request) {
        requests.push_back(request);
        Client another;
        answeredDuringCall += another.Initiate("Folders", "AppProperties").size();
        return true;
    });
    ASSERT_EQ(client.Initiate("Folders", "AppProperties").size(), 1u);
    EXPECT_EQ(Execute(client, "[ExploreFolder(\"/srv/data\", 0, 3)]"), 1);
    const std::int64_t number = ShellItemListTable::Program().Add({5, 0, 's', 'r', 'v', 0, 0});
    EXPECT_EQ(Execute(client, "[FindFolder(\"\", " + std::to_string(number) + ")]"), 1);
    EXPECT_EQ(answeredDuringCall, 0u);
    EXPECT_EQ(client.Initiate("Folders", "AppProperties").size(), 1u) << "answered again after the call";

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].lpVerb, "explore");
    EXPECT_EQ(requests[0].lpClass, "folder");
    EXPECT_EQ(requests[0].lpFile, "/srv/data");
    EXPECT_EQ(requests[0].fMask, SEE_MASK_CLASSNAME);
    EXPECT_EQ(requests[0].nShow, 3);
    EXPECT_EQ(requests[1].lpVerb, "find");
    EXPECT_EQ(requests[1].lpClass, "");
    EXPECT_EQ(requests[1].fMask, SEE_MASK_IDLIST);
    EXPECT_EQ(requests[1].nShow, 1);
    ASSERT_TRUE(requests[1].lpIDList);
    EXPECT_EQ(ItemIdListPath(*requests[1].lpIDList), "/srv");
    EXPECT_TRUE(Navigations().empty());
}

TEST_F(LoadedShellRequestTest, UnusableExecuteMemoryIsDroppedAndTerminateIsAnswered)
{
    Client client;
    ASSERT_EQ(client.Initiate("IExplore", "WWW_OpenURL").size(), 1u);
    client.Log().clear();
    DdeMemory& memory = DdeMemory::Program();
    DdeRouter& router = DdeRouter::Program();
    router.Send(OwnWindow(), WM_DDE_EXECUTE, client.Handle(), 0x7FFFFFF0); // packs nothing
    const std::intptr_t freed = memory.Pack(0, memory.Alloc("gone"));
    memory.Free(memory.Unpack(freed)->second);
    router.Send(OwnWindow(), WM_DDE_EXECUTE, client.Handle(), freed);
    router.DeliverPosted();
    EXPECT_TRUE(client.Log().empty());
    EXPECT_TRUE(Navigations().empty());
    memory.FreePacked(freed);

    router.Send(OwnWindow(), WM_DDE_TERMINATE, client.Handle(), 0);
    EXPECT_TRUE(client.Log().empty()) << "posted, not sent";
    router.DeliverPosted();
    ASSERT_EQ(client.Log().size(), 1u);
    EXPECT_EQ(client.Log()[0].message, WM_DDE_TERMINATE);
    EXPECT_EQ(client.Log()[0].wParam, OwnWindow());
}

TEST_F(LoadedShellRequestTest, ARefusedNavigationIsReportedAndAcknowledgedAsFailed)
{
    std::vector<std::string> reports;
    ErrorSink previous = SetErrorSink([&](const std::string& text) { reports.push_back(text); });
    Client client;
    ASSERT_EQ(client.Initiate("IExplore", "WWW_OpenURL").size(), 1u);
    ScriptedBrowserControl::Of(Host().ControlInstance())->FailNextCall(E_FAIL);
    EXPECT_EQ(Execute(client, "http://127.0.0.1/"), 0);
    EXPECT_EQ(reports.size(), 1u);
    SetErrorSink(previous);
}
