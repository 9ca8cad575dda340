// Handed-over URLs open one per main-loop turn, and only once the window can take them.
#include "UrlHandover.h"

#include "ErrorReport.h"
#include "MainLoop.h"

#include <gtest/gtest.h>
#include <glib.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

TEST(UrlHandover, ManyUrlsOpenOnePerMainLoopTurnInTheirOrder)
{
    std::vector<std::string> opened;
    UrlHandover handover([&](const std::string& url) { opened.push_back(url); }, [] { return true; });
    handover.HandOver({"http://127.0.0.1/1", "http://127.0.0.1/2", "http://127.0.0.1/3", "http://127.0.0.1/4"});
    EXPECT_EQ(opened.size(), 1u) << "the first opens at once, the others wait for later turns";

    // Each iteration dispatches what is ready: never more than one page.
    for (int turn = 0; turn < 100 && opened.size() < 4; ++turn) {
        const std::size_t before = opened.size();
        g_main_context_iteration(nullptr, TRUE);
        ASSERT_LE(opened.size(), before + 1) << "two pages opened in one main-loop turn";
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"http://127.0.0.1/1", "http://127.0.0.1/2", "http://127.0.0.1/3",
                                                "http://127.0.0.1/4"}));
    EXPECT_EQ(handover.Pending(), 0u);
}

TEST(UrlHandover, UrlsWaitUntilTheWindowCanTakeThemAndAFailingOneDoesNotStopTheRest)
{
    std::vector<std::string> reports;
    const platform::ErrorSink previous = platform::SetErrorSink([&](const std::string& text) { reports.push_back(text); });
    bool ready = false;
    std::vector<std::string> opened;
    UrlHandover handover(
        [&](const std::string& url) {
            opened.push_back(url);
            if (url == "http://127.0.0.1/bad")
                throw std::runtime_error("refused");
        },
        [&] { return ready; });
    handover.HandOver({"http://127.0.0.1/bad", "http://127.0.0.1/good"});
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(handover.Pending(), 2u);

    ready = true;
    ASSERT_TRUE(RunUntil([&] { return handover.Pending() == 0; }, std::chrono::seconds(10)));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://127.0.0.1/bad", "http://127.0.0.1/good"}));
    EXPECT_EQ(reports, std::vector<std::string>{"refused"});
    platform::SetErrorSink(previous);
}

TEST(UrlHandover, AtMostTheBoundWaitsHoweverManySendersHandOver)
{
    bool ready = false;
    std::vector<std::string> opened;
    UrlHandover handover([&](const std::string& url) { opened.push_back(url); }, [&] { return ready; });
    std::vector<std::string> call(kMaxWaitingUrls - 10);
    for (std::size_t i = 0; i < call.size(); ++i)
        call[i] = "http://127.0.0.1/" + std::to_string(i);
    EXPECT_EQ(handover.HandOver(call), call.size());
    EXPECT_EQ(handover.HandOver(call), 10u) << "the second call fills what is left";
    EXPECT_EQ(handover.HandOver(call), 0u);
    EXPECT_EQ(handover.Pending(), kMaxWaitingUrls);

    ready = true;
    ASSERT_TRUE(RunUntil([&] { return handover.Pending() == 0; }, std::chrono::seconds(10)));
    EXPECT_EQ(opened.size(), kMaxWaitingUrls);
    EXPECT_EQ(handover.HandOver(call), call.size()) << "what has opened makes room again";
}
