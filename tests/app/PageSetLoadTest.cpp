// A profile's page set loads the page the user sees first: the other pages'
// first loads wait until it has committed or failed, or until they are chosen,
// and are where a save finds them meanwhile.
#include "ProgramFixture.h"
#include "ScriptedBrowserEngine.h"

#include <gtkmm.h>

class PageSetLoadTest : public ProgramFixture {
protected:
    static std::string Url(int page) { return "http://127.0.0.1:9/site" + std::to_string(page) + ".html"; }

    // Profile 2 holds four pages, the last remembering where it is.
    void StoreProfile2()
    {
        ProfileButton(2).clicked();
        for (int i = 0; i < 4; ++i)
            List().OpenPage(Url(i), "Site " + std::to_string(i));
        List().PageInfo(3).SetRememberLastURL(true);
        Scripted(3).CompleteNavigation();
        ProfileButton(1).clicked();
        RunPendingEvents();
    }
};

TEST_F(PageSetLoadTest, OtherPagesWaitForTheShownPageOrForTheUser)
{
    Start();
    StoreProfile2();

    ProfileButton(2).clicked();
    RunPendingEvents();
    ASSERT_EQ(List().PageCount(), 4);
    EXPECT_EQ(Scripted(0).PendingURL(), Url(0)) << "the page shown loads at once";
    for (int i = 1; i < 4; ++i) {
        EXPECT_FALSE(Scripted(i).PendingURL()) << "page " << i << " waits for the shown page";
        EXPECT_EQ(List().LocationURL(i), Url(i)) << "a waiting page is where it is going";
    }

    // Chosen by the user, a waiting page loads at once.
    List().Notebook().set_current_page(2);
    EXPECT_EQ(Scripted(2).PendingURL(), Url(2));
    EXPECT_FALSE(Scripted(1).PendingURL());
    List().SetCurrentPage(0);

    // The shown page has committed (its document not yet complete): the rest
    // load, in order; a failed shown page lets them go the same way.
    const platform::DispatchPtr top = List().Browser(0).Application();
    Scripted(0).RaiseEvent(platform::DISPID_NAVIGATECOMPLETE2, {top, platform::Variant(Url(0))});
    RunPendingEvents();
    EXPECT_EQ(Scripted(1).PendingURL(), Url(1)) << "the rest wait only for the shown page's commit";
    ASSERT_TRUE(Scripted(0).CompleteNavigation());
    EXPECT_EQ(Scripted(3).PendingURL(), Url(3));
    Scripted(3).CompleteNavigation();

    ProfileButton(1).clicked();
    ProfileButton(2).clicked();
    RunPendingEvents();
    ASSERT_FALSE(Scripted(1).PendingURL());
    const platform::DispatchPtr again = List().Browser(0).Application();
    Scripted(0).RaiseEvent(platform::DISPID_NAVIGATEERROR, {again, platform::Variant(Url(0)), platform::Variant(""),
                                                            platform::Variant(std::int32_t{404}),
                                                            platform::WordBool(false)});
    RunPendingEvents();
    EXPECT_EQ(Scripted(1).PendingURL(), Url(1)) << "the rest do not wait out a shown page that failed";
    ASSERT_TRUE(Scripted(3).CompleteNavigation());

    // Stop all while pages wait: they load nothing; a save finds them in place.
    ProfileButton(2).clicked();
    RunPendingEvents();
    g_signal_emit_by_name(Main().Toolbar().btnStopAll.gobj(), "clicked");
    EXPECT_FALSE(Scripted(1).PendingURL());
    g_signal_emit_by_name(Main().Toolbar().btnHome.gobj(), "clicked");
    ASSERT_TRUE(Scripted(0).CompleteNavigation());
    RunPendingEvents();
    EXPECT_FALSE(Scripted(1).PendingURL()) << "a stopped page does not load later";
    ProfileButton(1).clicked();
    EXPECT_EQ(StoredText("Profile2", "URL3"), Url(3));
    EXPECT_EQ(StoredNumber("Profile2", "Sites"), 4);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(PageSetLoadTest, WaitingPagesGetTheirViewsLaterAndALeftProfileSavesThemAsStored)
{
    Start();
    StoreProfile2();
    // Every value profile 2's four pages are stored with (page 3 with its history).
    auto storedPages = [&] {
        std::vector<std::string> values;
        for (int i = 0; i < 4; ++i)
            for (const char* stem : {"Label", "URL", "FirstURL", "RemURL", "Session"}) {
                const auto value = StoredValue(*store_, "Profile2", stem + std::to_string(i));
                values.push_back(value ? std::to_string(value->type) + ":" + value->data : "(none)");
            }
        return values;
    };
    const std::vector<std::string> before = storedPages();
    ASSERT_NE(before[3 * 5 + 4], "(none)") << "page 3 was stored with its history";
    auto viewMade = [&](int page) {
        return !dynamic_cast<Gtk::Container&>(*List().Notebook().get_nth_page(page)).get_children().empty();
    };

    // The switch lists all four pages, but makes only the shown page's view.
    ProfileButton(2).clicked();
    ASSERT_EQ(List().PageCount(), 4);
    EXPECT_TRUE(viewMade(0));
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(viewMade(i)) << "page " << i << "'s view waits for its load";
    EXPECT_EQ(List().Caption(3), "Site 3");

    // Left at once, the profile saves every page as it was stored.
    ProfileButton(1).clicked();
    EXPECT_EQ(StoredNumber("Profile2", "Sites"), 4);
    EXPECT_EQ(storedPages(), before);

    // Chosen before its view exists, a page shows its view and loads.
    ProfileButton(2).clicked();
    List().Notebook().set_current_page(2);
    EXPECT_TRUE(viewMade(2));
    EXPECT_EQ(Scripted(2).PendingURL(), Url(2));
    EXPECT_TRUE(reports_.empty());
}
