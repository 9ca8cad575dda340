// The default report's box: shown after the reporting code has returned, with
// no main loop of its own.
#include "ErrorReport.h"
#include "MainLoop.h"
#include "WidgetSearch.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <chrono>

namespace {

struct SeenBox {
    bool seen = false;
    bool duringReport = false;
    int mainDepth = 0;
    std::string text;
};

} // namespace

TEST(ErrorReportTest, TheBoxIsShownAfterTheReportReturnsAndRunsNoLoopOfItsOwn)
{
    auto previous = platform::SetErrorSink({});
    SeenBox box;
    bool reporting = false;
    // Answers the box as soon as it shows, noting where the main loop stood.
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            Gtk::MessageDialog* dialog = FindVisibleWindowOf<Gtk::MessageDialog>();
            if (!dialog || box.seen)
                return true;
            box.seen = true;
            box.duringReport = reporting;
            box.mainDepth = g_main_depth();
            box.text = dialog->property_text().get_value();
            dialog->response(Gtk::RESPONSE_OK);
            return true;
        },
        10);
    // Reported from a callback of the main loop, as an engine's signal handler would.
    Glib::signal_idle().connect_once([&] {
        reporting = true;
        platform::ReportError("The page could not be saved.");
        reporting = false;
    });

    RunUntil([&] { return box.seen; }, std::chrono::seconds(10));
    // Lets the answered box go away.
    RunUntil([] { return !FindVisibleWindowOf<Gtk::MessageDialog>(); }, std::chrono::seconds(10));
    watch.disconnect();
    platform::SetErrorSink(std::move(previous));

    ASSERT_TRUE(box.seen) << "no box was shown";
    EXPECT_FALSE(box.duringReport) << "the box was shown inside the code that reported";
    EXPECT_EQ(box.mainDepth, 1) << "the box ran a main loop of its own";
    EXPECT_EQ(box.text, "The page could not be saved.");
    EXPECT_EQ(FindVisibleWindowOf<Gtk::MessageDialog>(), nullptr);
}
