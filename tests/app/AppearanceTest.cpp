// How the windows look on a screen with a scale factor of 2 and under a dark
// theme: pictures drawn from their sharp copies, every text legible.
#include "DrawnPixels.h"
#include "ProgramFixture.h"
#include "WidgetSearch.h"

#include <gdk/gdkx.h>
#include <gtkmm.h>

#include <utility>
#include <vector>

namespace {

// Every window of the display at scale factor 2 while it lives, as with
// GDK_SCALE=2; back to 1 afterwards.
class ScaleFactorTwo {
public:
    ScaleFactorTwo() { Set(2); }
    ~ScaleFactorTwo() { Set(1); }

private:
    static void Set(int scale)
    {
        gdk_x11_display_set_window_scale(gdk_display_get_default(), scale);
    }
};

// GTK's own theme in its dark variant while it lives, as with GTK_THEME=Adwaita:dark.
class DarkTheme {
public:
    DarkTheme() : settings_(Gtk::Settings::get_default()), theme_(settings_->property_gtk_theme_name())
    {
        settings_->property_gtk_theme_name() = "Adwaita";
        settings_->property_gtk_application_prefer_dark_theme() = true;
    }
    ~DarkTheme()
    {
        settings_->property_gtk_application_prefer_dark_theme() = false;
        settings_->property_gtk_theme_name() = theme_;
    }

private:
    Glib::RefPtr<Gtk::Settings> settings_;
    Glib::ustring theme_;
};

Rgb ToRgb(const Gdk::RGBA& colour)
{
    return {colour.get_red(), colour.get_green(), colour.get_blue()};
}

// One frame of an animation clip's strip.
Glib::RefPtr<Gdk::Pixbuf> Frame(const std::string& strip, int frame, int width, int height)
{
    return Gdk::Pixbuf::create_subpixbuf(BundlePicture(strip), frame * width, 0, width, height);
}

} // namespace

TEST_F(ProgramFixture, AtScaleFactorTwoEveryPictureIsDrawnFromItsSharpCopyAtTheSameLayoutSize)
{
    Start();
    ScaleFactorTwo scale;
    TfrmMain& main = program_->frmMain;
    ASSERT_TRUE(RunUntil([&] { return main.get_scale_factor() == 2; }));
    ASSERT_TRUE(WaitForNextPaint(main));

    MainToolbar& toolbar = main.Toolbar();
    const std::pair<Gtk::ToolButton*, std::string> buttons[] = {
        {&toolbar.btnHome, "home"},       {&toolbar.btnBack, "back"},
        {&toolbar.btnForward, "forward"}, {&toolbar.btnRefresh, "refresh"},
        {&toolbar.btnStopAll, "stop-all"}, {&toolbar.btnStop1, "stop-current"}};
    for (const auto& [button, name] : buttons) {
        Gtk::Widget& picture = *button->get_icon_widget();
        int minimum = 0, natural = 0;
        picture.get_preferred_width(minimum, natural);
        EXPECT_EQ(natural, 24) << name;
        picture.get_preferred_height(minimum, natural);
        EXPECT_EQ(natural, 24) << name;
        EXPECT_LT(BestMeanDifference(DrawAtScale(picture, 2), BundlePicture("toolbar/" + name + "@2x.png")), 0.5)
            << "tool bar picture " << name;
    }

    // The first page is loading, so the globe turns: compare the frame it shows.
    const int busyFrame = main.BusyAnimation().CurrentFrame();
    EXPECT_LT(BestMeanDifference(DrawAtScale(main.BusyAnimation(), 2),
                                 Frame("animations/busy@2x.png", busyFrame, 64, 58)), 0.5)
        << "busy animation, frame " << busyFrame;

    TfrmAbout& about = program_->frmAbout();
    about.ShowModeless();
    ASSERT_TRUE(RunUntil([&] { return about.get_mapped() && about.get_scale_factor() == 2; }));
    ASSERT_TRUE(WaitForNextPaint(about));
    EXPECT_EQ(about.Emblem().Width(), 33);
    EXPECT_LT(BestMeanDifference(DrawAtScale(about.Emblem(), 2), BundlePicture("emblem@2x.png")), 0.5)
        << "About box emblem";
    platform::AnimationControl& clip = about.Animation();
    const int frame = clip.CurrentFrame(); // drawn right away, before the next frame is due
    EXPECT_LT(BestMeanDifference(DrawAtScale(clip, 2), Frame("animations/about@2x.png", frame, 128, 128)), 0.5)
        << "About box animation, frame " << frame;

    TfrmWelcome& welcome = program_->frmWelcome();
    welcome.show();
    ASSERT_TRUE(RunUntil([&] { return welcome.get_mapped(); }));
    ASSERT_TRUE(WaitForNextPaint(welcome));
    Gtk::Image* tip = FindDescendant<Gtk::Image>(welcome);
    ASSERT_NE(tip, nullptr);
    EXPECT_LT(BestMeanDifference(DrawAtScale(*tip, 2), BundlePicture("welcome@2x.png")), 0.5)
        << "Welcome picture";
    welcome.hide();
}

TEST_F(ProgramFixture, UnderADarkThemeEveryTextStandsOutAndTheBusyBoxTakesTheThemeColours)
{
    DarkTheme dark;
    Start();
    TfrmMain& main = program_->frmMain;
    const Rgb windowColour = ToRgb(main.get_style_context()->get_background_color());
    ASSERT_LT(Luminance(windowColour), 0.1) << "the dark theme is not in force";

    program_->frmAbout().ShowModeless();
    Gtk::Window* windows[] = {&main, &program_->frmAbout(), &program_->dlgProperties(), &program_->frmWelcome(),
                              &program_->frmProfileButtonSettings()};
    for (Gtk::Window* window : windows) {
        window->show();
        ASSERT_TRUE(RunUntil([&] { return window->get_mapped(); })) << window->get_title();
        ASSERT_TRUE(WaitForNextPaint(*window)) << window->get_title();
        const auto drawing = DrawAtScale(*window, 1);
        int checked = 0;
        for (Gtk::Label* label : Descendants<Gtk::Label>(*window)) {
            if (!label->get_is_drawable() || !label->is_sensitive() || label->get_text().empty())
                continue;
            int x = 0, y = 0;
            ASSERT_TRUE(label->translate_coordinates(*window, 0, 0, x, y));
            const InkOnGround colours =
                TextColours(drawing, x, y, label->get_allocated_width(), label->get_allocated_height());
            EXPECT_GE(ContrastRatio(colours.ink, colours.ground), 4.5)
                << window->get_title() << ": \"" << label->get_text() << "\"";
            ++checked;
        }
        EXPECT_GT(checked, 0) << window->get_title();

        if (window == &main) {
            // The busy animation's box, just inside its border, beside the still globe.
            Gtk::Widget& box = *main.BusyAnimation().get_parent();
            int x = 0, y = 0;
            ASSERT_TRUE(box.translate_coordinates(main, 0, 0, x, y));
            Gdk::RGBA base;
            ASSERT_TRUE(box.get_style_context()->lookup_color("theme_base_color", base));
            const Rgb inside = PixelOf(drawing, x + 4, y + 4);
            EXPECT_NEAR(inside.red, base.get_red(), 0.02);
            EXPECT_NEAR(inside.green, base.get_green(), 0.02);
            EXPECT_NEAR(inside.blue, base.get_blue(), 0.02);
        }
        if (window != &main)
            window->hide();
    }
}
