// The vector-backed text list as the combo box and its list view use it.
#include "TextListModel.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <string>
#include <vector>

using platform::TextListModel;

namespace {

std::vector<std::string> RowsOf(GtkTreeModel* model)
{
    std::vector<std::string> rows;
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &row); more; more = gtk_tree_model_iter_next(model, &row)) {
        gchar* text = nullptr;
        gtk_tree_model_get(model, &row, 0, &text, -1);
        rows.emplace_back(text ? text : "(null)");
        g_free(text);
    }
    return rows;
}

} // namespace

TEST(TextListModel, AComboShowsItsRowsAndFollowsAppends)
{
    Gtk::ComboBoxText box(true);
    auto model = TextListModel::Create({"http://a.example/", "http://b.example/", "http://c.example/"});
    box.set_model(model);
    box.set_active(2);
    EXPECT_EQ(box.get_entry_text(), "http://c.example/");

    std::vector<int> inserted;
    model->signal_row_inserted().connect(
        [&](const Gtk::TreeModel::Path& path, const Gtk::TreeModel::iterator&) { inserted.push_back(path.front()); });
    TextListModel::Append(model, "http://d.example/ä");
    EXPECT_EQ(inserted, std::vector<int>{3});
    box.set_active(3);
    EXPECT_EQ(box.get_entry_text(), "http://d.example/ä");
    EXPECT_EQ(RowsOf(model->gobj()), (std::vector<std::string>{"http://a.example/", "http://b.example/",
                                                                "http://c.example/", "http://d.example/ä"}));
    ASSERT_NE(TextListModel::Texts(model), nullptr);
    EXPECT_EQ(TextListModel::Texts(model)->size(), 4u);
}

TEST(TextListModel, PathsAndIteratorsOutsideTheListAreRefused)
{
    auto model = TextListModel::Create({"one", "two"});
    GtkTreeModel* list = model->gobj();
    EXPECT_EQ(gtk_tree_model_iter_n_children(list, nullptr), 2);
    EXPECT_EQ(gtk_tree_model_get_n_columns(list), 2);

    GtkTreeIter row;
    ASSERT_TRUE(gtk_tree_model_iter_nth_child(list, &row, nullptr, 1));
    GtkTreePath* path = gtk_tree_model_get_path(list, &row);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(gtk_tree_path_get_depth(path), 1);
    EXPECT_EQ(gtk_tree_path_get_indices(path)[0], 1);
    gtk_tree_path_free(path);
    gchar* id = reinterpret_cast<gchar*>(1);
    gtk_tree_model_get(list, &row, 1, &id, -1);
    EXPECT_EQ(id, nullptr) << "the id column is unset";
    EXPECT_FALSE(gtk_tree_model_iter_has_child(list, &row));
    EXPECT_EQ(gtk_tree_model_iter_n_children(list, &row), 0);
    EXPECT_FALSE(gtk_tree_model_iter_next(list, &row)) << "past the last row";

    EXPECT_FALSE(gtk_tree_model_iter_nth_child(list, &row, nullptr, 2));
    GtkTreePath* deep = gtk_tree_path_new_from_string("0:0");
    EXPECT_FALSE(gtk_tree_model_get_iter(list, &row, deep));
    gtk_tree_path_free(deep);
    ASSERT_TRUE(gtk_tree_model_get_iter_first(list, &row));
    EXPECT_FALSE(gtk_tree_model_iter_previous(list, &row)) << "before the first row";

    // An iterator of another list does not read this one.
    auto other = TextListModel::Create({"x"});
    GtkTreeIter foreign;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(other->gobj(), &foreign));
    EXPECT_EQ(gtk_tree_model_get_path(list, &foreign), nullptr);

    Gtk::TreeModelColumnRecord columns;
    Gtk::TreeModelColumn<Glib::ustring> text;
    columns.add(text);
    EXPECT_EQ(TextListModel::Texts(Gtk::ListStore::create(columns)), nullptr) << "a list store is no text list";
}
