// The in-process DDE layer: atoms, posted and sent messages, the initiate
// broadcast, command memory.
#include "DdeAtomTable.h"
#include "DdeMemory.h"
#include "DdeRouter.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

using namespace platform;

TEST(DdeAtomTable, NamesAreSharedCountedAndFoundWithoutRegardToCase)
{
    DdeAtomTable atoms;
    const Atom first = atoms.Add("IExplore");
    EXPECT_GE(first, 0xC000);
    EXPECT_EQ(atoms.Add("iexplore"), first);
    EXPECT_EQ(atoms.Find("IEXPLORE"), first);
    EXPECT_EQ(atoms.Name(first), "IExplore") << "the name as first added";
    EXPECT_EQ(atoms.Add(""), 0);
    EXPECT_EQ(atoms.Add(std::string(256, 'x')), 0);
    EXPECT_NE(atoms.Add(std::string(255, 'x')), 0);
    EXPECT_EQ(atoms.Delete(first), 0);
    EXPECT_EQ(atoms.Find("IExplore"), first) << "one use left";
    EXPECT_EQ(atoms.Delete(first), 0);
    EXPECT_EQ(atoms.Find("IExplore"), 0);
    EXPECT_FALSE(atoms.Name(first));
    EXPECT_EQ(atoms.Delete(first), first) << "deleting what is gone fails";
    EXPECT_EQ(atoms.Add("Folders"), first) << "a freed atom is used again";
}

TEST(DdeRouter, PostedMessagesArriveInOrderFromTheMainLoopAndOnlyWhileTheWindowLives)
{
    std::vector<std::uint32_t> received;
    auto window = std::make_unique<DdeWindowRegistration>(
        [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
            received.push_back(message);
            return std::intptr_t{7};
        },
        false);
    DdeRouter& router = DdeRouter::Program();
    EXPECT_EQ(router.ProcessAndThreadOf(window->Handle()), std::make_pair(CurrentProcessId(), CurrentThreadId()));
    EXPECT_TRUE(router.Post(window->Handle(), 1, 0, 0));
    EXPECT_TRUE(router.Post(window->Handle(), 2, 0, 0));
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(router.Send(window->Handle(), 3, 0, 0), 7);
    for (int i = 0; i < 100 && router.PendingPosts() > 0; ++i)
        Gtk::Main::iteration(false);
    EXPECT_EQ(received, (std::vector<std::uint32_t>{3, 1, 2}));

    router.Post(window->Handle(), 4, 0, 0);
    const DdeWindow gone = window->Handle();
    window.reset();
    router.DeliverPosted();
    EXPECT_EQ(received.size(), 3u) << "dropped with its window";
    EXPECT_FALSE(router.Post(gone, 5, 0, 0));
    EXPECT_EQ(router.Send(gone, 5, 0, 0), 0);
}

TEST(DdeRouter, InitiatesReachTopLevelWindowsButNotTheClient)
{
    std::vector<std::string> reached;
    auto recorder = [&](const char* name) {
        return [&, name](std::uint32_t message, std::uintptr_t, std::intptr_t lParam) {
            if (message == WM_DDE_INITIATE)
                reached.push_back(std::string(name) + " " + std::to_string(LowWord(lParam)) + "/" +
                                  std::to_string(HighWord(lParam)));
            return std::intptr_t{0};
        };
    };
    DdeWindowRegistration topLevel(recorder("top"), true);
    DdeWindowRegistration child(recorder("child"), false);
    DdeWindowRegistration client(recorder("client"), true);
    DdeRouter::Program().BroadcastInitiate(client.Handle(), 0xC001, 0xC002);
    EXPECT_EQ(reached, std::vector<std::string>{"top 49153/49154"});
}

TEST(DdeMemory, BlocksLockAndPackedParametersCarryTwoValues)
{
    DdeMemory memory;
    const DdeMemoryHandle block = memory.Alloc("[ViewFolder()]");
    const std::string* locked = memory.Lock(block);
    ASSERT_TRUE(locked);
    EXPECT_EQ(*locked, "[ViewFolder()]");
    EXPECT_EQ(memory.LockCount(block), 1);
    EXPECT_TRUE(memory.Unlock(block));
    EXPECT_FALSE(memory.Unlock(block)) << "not locked";
    const std::intptr_t packed = memory.Pack(0, block);
    EXPECT_TRUE(memory.Reuse(packed, 1, block));
    EXPECT_EQ(memory.Unpack(packed), std::make_pair(std::uintptr_t{1}, std::uintptr_t{block}));
    EXPECT_TRUE(memory.Free(block));
    EXPECT_FALSE(memory.Lock(block));
    EXPECT_TRUE(memory.FreePacked(packed));
    EXPECT_FALSE(memory.Unpack(packed));
}
