#include "ScaledPicture.h"

#include "ProgramIdentity.h"

#include <gdk/gdk.h>

namespace platform {

namespace {

// "toolbar/home.png" -> "toolbar/home@2x.png".
std::string DoubleSizeName(const std::string& name)
{
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return name + "@2x";
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

bool InBundle(const std::string& path)
{
    return g_resources_get_info(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr, nullptr, nullptr);
}

} // namespace

ScaledPixbuf LoadScaledPixbuf(const std::string& name, int scaleFactor)
{
    if (scaleFactor >= 2) {
        const std::string sharper = ResourcePath(DoubleSizeName(name));
        if (InBundle(sharper))
            return {Gdk::Pixbuf::create_from_resource(sharper), 2};
    }
    return {Gdk::Pixbuf::create_from_resource(ResourcePath(name)), 1};
}

Cairo::RefPtr<Cairo::Surface> ScaledSurface(const ScaledPixbuf& picture)
{
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(picture.pixels->gobj(), picture.scale, nullptr);
    return Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(surface, true));
}

ScaledImage::ScaledImage()
{
    scaleChanged_ = property_scale_factor().signal_changed().connect([this] {
        if (!name_.empty())
            Load();
    });
}

ScaledImage::~ScaledImage()
{
    scaleChanged_.disconnect();
}

void ScaledImage::SetPicture(const std::string& name)
{
    name_ = name;
    Load();
}

void ScaledImage::Load()
{
    set(ScaledSurface(LoadScaledPixbuf(name_, get_scale_factor())));
}

} // namespace platform
