// The link label: what a click opens, the click itself, and "Copy".
#include "KeyEvents.h"
#include "LinkTarget.h"
#include "RenderWidget.h"
#include "ScopedShellOpener.h"
#include "TUrlLabel.h"

#include <gtest/gtest.h>
#include <gtkmm/clipboard.h>
#include <gtkmm/offscreenwindow.h>

using Opened = std::vector<std::string>;

TEST(LinkTarget, UrlWinsUnlessBlankAndIsOpenedUntrimmed)
{
    EXPECT_EQ(LinkTarget("https://a.example/", "https://b.example/"), "https://a.example/");
    EXPECT_EQ(LinkTarget("   ", "https://b.example/"), "https://b.example/");
    EXPECT_EQ(LinkTarget("\t\r\n", "https://b.example/"), "https://b.example/");
    EXPECT_EQ(LinkTarget(" x ", "https://b.example/"), " x ");
    EXPECT_EQ(LinkTarget("", "  "), "");
    EXPECT_EQ(LinkTarget("", ""), "");
    // Bytes of multi-byte characters are not blanks.
    EXPECT_EQ(TrimBlanks(" \xC3\xA9\x01"), "\xC3\xA9");
}

TEST(TUrlLabel, ClickRunsItsHandlerThenOpensTheTarget)
{
    ScopedShellOpener shell(false); // a failing open is silent
    TUrlLabel label;
    std::vector<std::string> events;
    label.signal_click().connect([&] { events.push_back("handler, " + std::to_string(shell.opened.size())); });

    label.SetCaption("https://caption.example/");
    label.SetURL("   ");
    label.Click();
    EXPECT_EQ(shell.opened, Opened{"https://caption.example/"});
    EXPECT_EQ(events, std::vector<std::string>{"handler, 0"});

    label.SetURL(" x ");
    label.Click();
    EXPECT_EQ(shell.opened.back(), " x ");

    label.SetURL("");
    label.SetCaption("");
    label.Click();
    EXPECT_EQ(shell.opened.size(), 2u) << "nothing to open";
    EXPECT_EQ(events.size(), 3u) << "the handler runs on every click";
}

namespace {

void SendButton(Gtk::Widget& widget, GdkEventType type, guint button, double x, double y)
{
    GdkEvent* event = NewButtonEvent(type, widget.get_window()->gobj(), button, x, y);
    gtk_widget_event(widget.gobj(), event);
    gdk_event_free(event);
}

} // namespace

TEST(TUrlLabel, PressAndReleaseOnTheLabelIsAClick)
{
    ScopedShellOpener shell;
    TUrlLabel label;
    label.SetCaption("https://www.kestrane.com/");
    label.SetURL("https://www.kestrane.com/");
    Gtk::OffscreenWindow window;
    window.add(label);
    window.show_all();
    RunPendingEvents();

    // The hand cursor sits on the label's own input window only.
    int handWindows = 0;
    for (GList* w = gdk_window_peek_children(label.get_window()->gobj()); w; w = w->next) {
        gpointer owner = nullptr;
        gdk_window_get_user_data(GDK_WINDOW(w->data), &owner);
        GdkCursor* cursor = gdk_window_get_cursor(GDK_WINDOW(w->data));
        if (owner == label.gobj() && cursor)
            ++handWindows;
    }
    EXPECT_EQ(handWindows, 1);
    EXPECT_EQ(gdk_window_get_cursor(label.get_window()->gobj()), nullptr) << "the parent's cursor is untouched";

    SendButton(label, GDK_BUTTON_PRESS, 1, 2, 2);
    SendButton(label, GDK_BUTTON_RELEASE, 1, 3, 2);
    EXPECT_EQ(shell.opened, Opened{"https://www.kestrane.com/"});

    // Released away from the label: no click.
    SendButton(label, GDK_BUTTON_PRESS, 1, 2, 2);
    SendButton(label, GDK_BUTTON_RELEASE, 1, -20, 2);
    // A release without a press on the label: no click either.
    SendButton(label, GDK_BUTTON_RELEASE, 1, 2, 2);
    EXPECT_EQ(shell.opened.size(), 1u);
    window.remove();
}

TEST(TUrlLabel, CopyPutsTheUrlNeverTheCaptionOnTheClipboard)
{
    TUrlLabel label;
    const auto items = label.LinkMenu().get_children();
    ASSERT_EQ(items.size(), 1u);
    auto* copy = dynamic_cast<Gtk::MenuItem*>(items.front());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->get_label(), "Copy");

    auto clipboard = Gtk::Clipboard::get();
    label.SetCaption("https://caption.example/");
    label.SetURL("https://url.example/");
    copy->activate();
    EXPECT_EQ(clipboard->wait_for_text(), "https://url.example/");

    label.SetURL("");
    copy->activate();
    EXPECT_EQ(clipboard->wait_for_text(), "");
}
