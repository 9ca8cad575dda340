// The default report's box: shown after the reporting code has returned, with
// no main loop of its own.
#include "ErrorReport.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <chrono>
#include <thread>

namespace {

struct SeenBox {
    bool seen = false;
    bool duringReport = false;
    int mainDepth = 0;
    std::string text;
};

// The first visible message box among the toplevels, or nullptr.
GtkMessageDialog* VisibleMessageBox()
{
    GList* windows = gtk_window_list_toplevels();
    GtkMessageDialog* found = nullptr;
    for (GList* l = windows; l && !found; l = l->next)
        if (GTK_IS_MESSAGE_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data)))
            found = GTK_MESSAGE_DIALOG(l->data);
    g_list_free(windows);
    return found;
}

} // namespace

TEST(ErrorReportTest, TheBoxIsShownAfterTheReportReturnsAndRunsNoLoopOfItsOwn)
{
    auto previous = platform::SetErrorSink({});
    SeenBox box;
    bool reporting = false;
    // Answers the box as soon as it shows, noting where the main loop stood.
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            GtkMessageDialog* dialog = VisibleMessageBox();
            if (!dialog || box.seen)
                return true;
            box.seen = true;
            box.duringReport = reporting;
            box.mainDepth = g_main_depth();
            gchar* text = nullptr;
            g_object_get(dialog, "text", &text, nullptr);
            box.text = text ? text : "";
            g_free(text);
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
            return true;
        },
        10);
    // Reported from a callback of the main loop, as an engine's signal handler would.
    Glib::signal_idle().connect_once([&] {
        reporting = true;
        platform::ReportError("The page could not be saved.");
        reporting = false;
    });

    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!box.seen && std::chrono::steady_clock::now() < limit)
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Lets the answered box go away.
    while (VisibleMessageBox() && std::chrono::steady_clock::now() < limit)
        g_main_context_iteration(nullptr, FALSE);
    watch.disconnect();
    platform::SetErrorSink(std::move(previous));

    ASSERT_TRUE(box.seen) << "no box was shown";
    EXPECT_FALSE(box.duringReport) << "the box was shown inside the code that reported";
    EXPECT_EQ(box.mainDepth, 1) << "the box ran a main loop of its own";
    EXPECT_EQ(box.text, "The page could not be saved.");
    EXPECT_EQ(VisibleMessageBox(), nullptr);
}
