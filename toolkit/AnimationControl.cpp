#include "AnimationControl.h"

#include "AccessibleNames.h"
#include "BusyAccessible.h"
#include "ProgramIdentity.h"

#include <gdkmm/general.h>
#include <glibmm/main.h>

namespace platform {

AnimationControl::AnimationControl(int frameWidth, int frameHeight, unsigned frameIntervalMs)
    : Glib::ObjectBase("PandrelAnimationControl"),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      frameIntervalMs_(frameIntervalMs)
{
    set_size_request(frameWidth, frameHeight);
    UseBusyAccessible(*this);
    atk_object_set_role(gtk_widget_get_accessible(GTK_WIDGET(gobj())), ATK_ROLE_ANIMATION);
}

void AnimationControl::SetAccessibleName(const std::string& name, bool reportBusy)
{
    platform::SetAccessibleName(*this, name);
    reportBusy_ = reportBusy;
    SetAccessibleBusy(*this, reportBusy_ && active_);
}

AnimationControl::~AnimationControl()
{
    timer_.disconnect();
}

void AnimationControl::Open(const std::string& resourcePath)
{
    SetActive(false);
    const ScaledPixbuf strip = LoadScaledPixbuf(resourcePath, 1);
    clip_ = resourcePath;
    strip_ = ScaledSurface(strip);
    sharpStrip_.clear();
    frameCount_ = frameWidth_ > 0 ? strip.pixels->get_width() / frameWidth_ : 0;
    currentFrame_ = 0;
    queue_draw();
}

void AnimationControl::SetLastFrame(int lastFrame)
{
    lastFrame_ = lastFrame;
}

int AnimationControl::PlayedFrames() const
{
    if (lastFrame_ > 0 && lastFrame_ < frameCount_)
        return lastFrame_;
    return frameCount_;
}

void AnimationControl::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (reportBusy_)
        SetAccessibleBusy(*this, active_);
    timer_.disconnect();
    if (active_) {
        timer_ = Glib::signal_timeout().connect(sigc::mem_fun(*this, &AnimationControl::Advance),
                                                frameIntervalMs_);
    } else {
        currentFrame_ = 0;
        queue_draw();
    }
}

bool AnimationControl::Advance()
{
    const int frames = PlayedFrames();
    currentFrame_ = frames > 0 ? (currentFrame_ + 1) % frames : 0;
    queue_draw();
    return true;
}

const Cairo::RefPtr<Cairo::Surface>& AnimationControl::StripFor(int scaleFactor)
{
    if (scaleFactor < 2)
        return strip_;
    if (!sharpStrip_)
        sharpStrip_ = ScaledSurface(LoadScaledPixbuf(clip_, scaleFactor));
    return sharpStrip_;
}

bool AnimationControl::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    if (!strip_ || frameCount_ == 0)
        return true;
    const double x = (get_allocated_width() - frameWidth_) / 2;
    const double y = (get_allocated_height() - frameHeight_) / 2;
    cr->rectangle(x, y, frameWidth_, frameHeight_);
    cr->clip();
    cr->set_source(StripFor(get_scale_factor()), x - currentFrame_ * frameWidth_, y);
    cr->paint();
    return true;
}

} // namespace platform
