// The ordinary build's driver of a fuzz entry: feeds it every file of the folders (or the files)
// named on the command line, and every prefix of each as a cut-short file would present it, so
// that CTest replays the committed seeds, and any finding kept among them, under the sanitizers.
// A fault aborts through the sanitizers; otherwise the answer is 0.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

void Feed(const std::vector<uint8_t>& bytes) {
    // A fresh block of exactly the length, so any read past it trips the sanitizer.
    const std::vector<uint8_t> copy(bytes);
    LLVMFuzzerTestOneInput(copy.data(), copy.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            for (const auto& entry : fs::directory_iterator(argv[i], error)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
        } else {
            files.emplace_back(argv[i]);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no seeds to replay\n");
        return 1;
    }
    for (const fs::path& path : files) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Feed(bytes);
        for (size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 64) {
            Feed(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        }
    }
    std::printf("replayed %zu seeds\n", files.size());
    return 0;
}
