// The keys the engine answers itself when the host leaves them to it.
#include "KeyEvents.h"
#include "WebKitKeys.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

using namespace platform;

TEST(EngineKeys, MapToTheEnginesOwnCommands)
{
    const struct {
        guint keyval, state;
        EngineKeyCommand command;
    } keys[] = {
        {GDK_KEY_F5, 0, EngineKeyCommand::Refresh},
        {GDK_KEY_f, GDK_CONTROL_MASK, EngineKeyCommand::Find},
        {GDK_KEY_Left, GDK_MOD1_MASK, EngineKeyCommand::Back},
        {GDK_KEY_Left, 0, EngineKeyCommand::None}, // a plain arrow scrolls the page
        {GDK_KEY_f, GDK_CONTROL_MASK | GDK_MOD1_MASK, EngineKeyCommand::None},
        {GDK_KEY_plus, GDK_CONTROL_MASK | GDK_SHIFT_MASK, EngineKeyCommand::ZoomIn},
        {GDK_KEY_0, GDK_CONTROL_MASK, EngineKeyCommand::ZoomReset},
    };
    for (const auto& key : keys) {
        const GdkEventKey event = KeyPressRecord(key.keyval, key.state);
        EXPECT_EQ(EngineKeyCommandFor(&event), key.command) << gdk_keyval_name(key.keyval) << ", state " << key.state;
    }
}
