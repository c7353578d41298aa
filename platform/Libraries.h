// Run-time libraries, and what they hand over.
#pragma once

#include <memory>
#include <string>

namespace plat {

// Why a library could not be loaded; the database binding turns these into engine codes.
enum class LoadError { None, NotFound, OutOfMemory, Other };

class Library {
public:
    virtual ~Library() = default;
    virtual void* Symbol(const std::string& name) = 0;
    virtual void* Ordinal(int ordinal) = 0;
};

class Libraries {
public:
    // By path (or by bare name through the search order). Errors that the loader would
    // show in a box are suppressed; the result says why it failed.
    virtual std::unique_ptr<Library> OpenLibrary(const std::string& path, LoadError* error) = 0;

    // The text of a global memory handle that another module hands over (locked, copied,
    // unlocked; the handle stays its owner's).
    virtual std::string GlobalText(void* handle) = 0;

protected:
    ~Libraries() = default;
};

}  // namespace plat
