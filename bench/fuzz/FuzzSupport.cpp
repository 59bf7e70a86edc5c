#include "bench/fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "framework/core/DataStream.h"

std::vector<uint8_t> WithRecordTrailer(const uint8_t* data, size_t size, const std::string& tail) {
    // Written through a stream, so the trailer is whatever the readers expect.
    DataStream stream;
    stream.OpenWriteMemory();
    for (size_t i = 0; i < size; ++i) {
        int32_t byte = data[i];
        stream.TransferChar(&byte);
    }
    if (tail.empty()) {
        stream.Finish();
    } else {
        stream.TransferBlock(tail.data(), static_cast<long>(tail.size()));
    }
    const auto written = stream.Written();
    return std::vector<uint8_t>(written.begin(), written.end());
}

namespace {

std::string gScratchFolder;

void RemoveScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(gScratchFolder, error);
}

}  // namespace

const std::string& FuzzScratchFolder() {
    if (gScratchFolder.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qm-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        gScratchFolder = pattern + "/";
        std::atexit(RemoveScratchFolder);
    }
    return gScratchFolder;
}

bool WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    // An empty block may come without an address, which fwrite must not be given.
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
