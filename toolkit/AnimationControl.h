#pragma once
// A widget that plays an animation clip: a strip of equally sized frames laid
// side by side in one picture of the program's resource bundle. Active, it
// shows the frames in turn and starts over after the last; inactive, it stands
// still on the first frame. On a screen with a scale factor of 2 or more it
// draws the clip's twice-as-large copy (ScaledPicture.h) at the same size.
#include "ScaledPicture.h"

#include <gtkmm/drawingarea.h>

#include <string>

namespace platform {

class AnimationControl : public Gtk::DrawingArea {
public:
    AnimationControl(int frameWidth, int frameHeight, unsigned frameIntervalMs);
    ~AnimationControl() override;

    // Loads the clip from the resource bundle (path below the program's prefix,
    // e.g. "animations/busy.png") and shows its first frame, inactive.
    // The frame count is that of the clip at scale 1.
    // Throws Glib::Error when the clip cannot be loaded.
    void Open(const std::string& resourcePath);

    // Plays frames 1..lastFrame over and over; 0 (the default) means all frames.
    void SetLastFrame(int lastFrame);

    // Making it active while active, or inactive while inactive, changes nothing.
    void SetActive(bool active);
    bool Active() const { return active_; }

    // The frame on show, counted from 0.
    int CurrentFrame() const { return currentFrame_; }

    // Names it for screen readers; with reportBusy, it tells them it is busy
    // while active (a progress indicator rather than a picture).
    void SetAccessibleName(const std::string& name, bool reportBusy);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    bool Advance();
    int PlayedFrames() const;
    // The clip as a surface for the widget's scale factor, loaded on first use.
    const Cairo::RefPtr<Cairo::Surface>& StripFor(int scaleFactor);

    const int frameWidth_;
    const int frameHeight_;
    const unsigned frameIntervalMs_;
    std::string clip_;
    Cairo::RefPtr<Cairo::Surface> strip_;       // scale 1
    Cairo::RefPtr<Cairo::Surface> sharpStrip_;  // scale 2 and above
    int frameCount_ = 0;
    int lastFrame_ = 0;
    int currentFrame_ = 0;
    bool active_ = false;
    bool reportBusy_ = false;
    sigc::connection timer_;
};

} // namespace platform
