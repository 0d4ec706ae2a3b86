#include "platform/shared_library.h"

#include <dlfcn.h>

namespace morva::platform {

bool SharedLibrary::load(const std::filesystem::path& path) {
    handle_ = nullptr;
    error_.clear();
    // A bare file name would make the loader search its own folders: only this path counts.
    if (!path.has_parent_path()) {
        error_ = "not a path: " + path.string();
        return false;
    }
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        error_ = reason != nullptr ? reason : "cannot be loaded";
    }
    return handle_ != nullptr;
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

} // namespace morva::platform
