#pragma once
// Owners for what GLib and the libraries built on it hand out: GObjectPtr
// holds one reference on a GObject (WebKit's views, requests, downloads,
// GIO's files ...), GObjectWeakPtr a weak one, GOwnedPtr frees a boxed value,
// a string or an error with the function made for it. Nothing is unreferenced or freed by hand, so no
// early return or exception leaks, and no reference is let go twice.
#include <glib-object.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

namespace platform {

// One reference on a GObject, let go when the pointer goes. Copies take a
// reference of their own; moves hand the one they hold on.
template <typename T>
class GObjectPtr {
public:
    GObjectPtr() noexcept = default;
    GObjectPtr(std::nullptr_t) noexcept {}
    ~GObjectPtr() { reset(); }
    GObjectPtr(const GObjectPtr& other) noexcept : object_(other.object_)
    {
        if (object_)
            g_object_ref(object_);
    }
    GObjectPtr(GObjectPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GObjectPtr& operator=(GObjectPtr other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    // Takes over the reference the caller was given (what a _new function
    // returns); a floating one, as a new widget's, becomes this pointer's.
    static GObjectPtr Adopt(T* object) noexcept
    {
        GObjectPtr ptr;
        if (object && g_object_is_floating(object))
            g_object_ref_sink(object);
        ptr.object_ = object;
        return ptr;
    }
    // Takes a reference of its own on an object somebody else holds.
    static GObjectPtr Ref(T* object) noexcept
    {
        GObjectPtr ptr;
        if (object)
            g_object_ref(object);
        ptr.object_ = object;
        return ptr;
    }

    T* get() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    // Lets go of the reference now.
    void reset() noexcept
    {
        if (T* object = std::exchange(object_, nullptr))
            g_object_unref(object);
    }
    // Hands the reference to a caller that lets go of it itself.
    [[nodiscard]] T* release() noexcept { return std::exchange(object_, nullptr); }

    friend bool operator==(const GObjectPtr& a, const GObjectPtr& b) noexcept { return a.object_ == b.object_; }
    friend bool operator==(const GObjectPtr& a, const T* b) noexcept { return a.object_ == b; }

private:
    T* object_ = nullptr;
};

// A weak reference on a GObject: it does not keep the object alive, and
// Lock() gives a reference of its own while the object lives, or nothing.
template <typename T>
class GObjectWeakPtr {
public:
    GObjectWeakPtr() noexcept { g_weak_ref_init(&ref_, nullptr); }
    ~GObjectWeakPtr() { g_weak_ref_clear(&ref_); }
    GObjectWeakPtr(const GObjectWeakPtr&) = delete;
    GObjectWeakPtr& operator=(const GObjectWeakPtr&) = delete;

    void Set(T* object) noexcept { g_weak_ref_set(&ref_, object); }
    GObjectPtr<T> Lock() const noexcept { return GObjectPtr<T>::Adopt(static_cast<T*>(g_weak_ref_get(&ref_))); }

private:
    mutable GWeakRef ref_; // g_weak_ref_get takes it as changeable
};

// The deleter that calls Free, the function a library gives for the value.
template <auto Free>
struct GFreeWith {
    template <typename T>
    void operator()(T* value) const noexcept
    {
        Free(value);
    }
};

// A value freed with Free when the pointer goes: GOwnedPtr<GUri, g_uri_unref>.
template <typename T, auto Free>
using GOwnedPtr = std::unique_ptr<T, GFreeWith<Free>>;

// Text GLib hands out to be freed with g_free.
using GCharPtr = GOwnedPtr<gchar, g_free>;
// An error GLib reports through a GError** argument.
using GErrorPtr = GOwnedPtr<GError, g_error_free>;
// A list GLib hands out whose items belong to somebody else.
using GListPtr = GOwnedPtr<GList, g_list_free>;

// The text GLib handed out (null reads as empty), freed at once.
inline std::string TakeGText(gchar* text)
{
    const GCharPtr owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

} // namespace platform
