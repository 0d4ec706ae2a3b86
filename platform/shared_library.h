#pragma once

#include <filesystem>
#include <string>

namespace morva::platform {

// A shared library loaded by path at run time. Loading the same path twice gives the same
// library; it stays loaded for the life of the process, as code may still hold its functions.
class SharedLibrary {
public:
    // False, with the reason in error(), when the file is missing or cannot be loaded.
    bool load(const std::filesystem::path& path);
    bool loaded() const { return handle_ != nullptr; }
    // The address of an exported symbol; null when it is not there or nothing is loaded.
    void* symbol(const char* name) const;
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace morva::platform
