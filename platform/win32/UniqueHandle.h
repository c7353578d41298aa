// One owner for a handle of the system: it releases the handle when it goes, on every
// path, and can be moved but not copied. `Release` is a callable taking the handle; it
// may carry what the release needs besides the handle (the DDE instance of a string
// handle, the window of a device context). A handle equal to `Handle{}` is none.
#pragma once

#include <utility>

namespace plat {

template <class Handle, class Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle, Release release = Release{})
        : handle_(handle), release_(std::move(release)) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Handle{})), release_(std::move(other.release_)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
            release_ = std::move(other.release_);
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    // Releases the handle held, if any, and takes `handle`.
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) release_(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
    Release release_{};
};

}  // namespace plat
