// The keys the engine answers itself when the host leaves them to it.
#include "WebKitKeys.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

using namespace platform;

TEST(EngineKeys, MapToTheEnginesOwnCommands)
{
    auto key = [](guint keyval, guint state) {
        GdkEventKey event{};
        event.type = GDK_KEY_PRESS;
        event.keyval = keyval;
        event.state = state;
        return event;
    };
    GdkEventKey left = key(GDK_KEY_Left, 0);
    GdkEventKey letter = key(GDK_KEY_f, GDK_CONTROL_MASK);
    GdkEventKey f5 = key(GDK_KEY_F5, 0);
    EXPECT_EQ(EngineKeyCommandFor(&f5), EngineKeyCommand::Refresh);
    EXPECT_EQ(EngineKeyCommandFor(&letter), EngineKeyCommand::Find);
    GdkEventKey altLeft = key(GDK_KEY_Left, GDK_MOD1_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&altLeft), EngineKeyCommand::Back);
    EXPECT_EQ(EngineKeyCommandFor(&left), EngineKeyCommand::None) << "a plain arrow scrolls the page";
    GdkEventKey ctrlAltF = key(GDK_KEY_f, GDK_CONTROL_MASK | GDK_MOD1_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&ctrlAltF), EngineKeyCommand::None);
    GdkEventKey zoomIn = key(GDK_KEY_plus, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&zoomIn), EngineKeyCommand::ZoomIn);
    GdkEventKey zoomReset = key(GDK_KEY_0, GDK_CONTROL_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&zoomReset), EngineKeyCommand::ZoomReset);
}
