// The virtual machine's libraries: host shared objects.
#include "platform/host/HostPlatform.h"

#include <dlfcn.h>

#include "platform/Paths.h"

namespace plat {

namespace {

class HostLibrary : public Library {
public:
    explicit HostLibrary(void* handle) : handle_(handle) {}
    ~HostLibrary() override { dlclose(handle_); }
    void* Symbol(const std::string& name) override { return dlsym(handle_, name.c_str()); }
    void* Ordinal(int ordinal) override {
        return dlsym(handle_, ("torvex_ordinal_" + std::to_string(ordinal)).c_str());
    }

private:
    void* handle_;
};

}  // namespace

std::unique_ptr<Library> HostPlatform::OpenLibrary(const std::string& path, LoadError* error) {
    auto fail = [&](LoadError why) -> std::unique_ptr<Library> {
        if (error) *error = why;
        return nullptr;
    };
    std::string candidate = path;
    if (path.find_first_of("\\/:") == std::string::npos) {
        // A bare name: the program's folder, then the current folder, then C:\WINDOWS.
        candidate.clear();
        for (const std::string& folder : {ExtractFilePath(moduleFileName_), currentDirectory_,
                                          WindowsDirectory()}) {
            if (FileExists(JoinPath(folder, path))) {
                candidate = JoinPath(folder, path);
                break;
            }
        }
        if (candidate.empty()) return fail(LoadError::NotFound);
    }
    if (!FileExists(candidate)) return fail(LoadError::NotFound);
    void* handle = dlopen(HostPath(candidate).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return fail(LoadError::Other);
    librariesLoaded_.push_back(candidate);
    if (error) *error = LoadError::None;
    return std::make_unique<HostLibrary>(handle);
}

std::string HostPlatform::GlobalText(void* handle) {
    return handle ? std::string(static_cast<const char*>(handle)) : std::string();
}

}  // namespace plat
