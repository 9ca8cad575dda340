#pragma once
// An accessible for a widget that shows work going on (a busy animation): it
// reports the "busy" state while the widget is busy, and assistive
// technologies hear of each change.
namespace Gtk {
class Widget;
}

namespace platform {

// Makes widget's class use the busy-reporting accessible. Call from the
// constructor of a widget class of its own, before its accessible is made.
void UseBusyAccessible(Gtk::Widget& widget);

// Sets what the accessible reports and announces the change.
void SetAccessibleBusy(Gtk::Widget& widget, bool busy);

} // namespace platform
