// The GObject pointer holds exactly the references it took: the object is
// freed when the last holder goes, never before, never twice.
#include "GObjectPtr.h"

#include <gtest/gtest.h>

using platform::GObjectPtr;

TEST(GObjectPtr, HoldsExactlyTheReferencesItTook)
{
    gpointer alive = nullptr;
    {
        // A new widget's reference is floating: adopting it makes it ours.
        auto adopted = GObjectPtr<GObject>::Adopt(G_OBJECT(g_object_new(G_TYPE_INITIALLY_UNOWNED, nullptr)));
        alive = adopted.get();
        g_object_add_weak_pointer(adopted.get(), &alive);
        EXPECT_FALSE(g_object_is_floating(adopted.get()));
        auto shared = GObjectPtr<GObject>::Ref(adopted.get());
        GObjectPtr<GObject> copy = shared;
        GObjectPtr<GObject> moved = std::move(shared);
        EXPECT_FALSE(shared);
        EXPECT_EQ(G_OBJECT(moved.get())->ref_count, 3u) << "adopted, referenced and copied: three holders";
        adopted.reset();
        copy = nullptr;
        ASSERT_NE(alive, nullptr) << "freed while a holder remains";
        EXPECT_EQ(G_OBJECT(moved.get())->ref_count, 1u);
    }
    EXPECT_EQ(alive, nullptr) << "the last holder did not let go";
}
