// Replays a fuzz target's corpus without libFuzzer: every file named on the command line, or
// found in a folder named there, goes once through LLVMFuzzerTestOneInput. A crash or a sanitizer
// report fails the run; so does finding no input at all, which would hide a lost corpus.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> inputFiles(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path argument(argv[i]);
        if (std::filesystem::is_directory(argument)) {
            for (const auto& entry : std::filesystem::directory_iterator(argument)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.push_back(argument);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << '\n';
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::filesystem::path> files = inputFiles(argc, argv);
    if (files.empty()) {
        std::cerr << "no corpus input found\n";
        return 1;
    }
    size_t replayed = 0;
    for (const auto& file : files) {
        if (!replay(file)) {
            return 1;
        }
        ++replayed;
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return 0;
}
