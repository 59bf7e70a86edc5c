// Fuzz entry of the text resource reader: the block as 8-bit and as UTF-16 text, read line by
// line to the end; every line must move the position on.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/String.h"
#include "framework/core/TextResource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryResources module;
    module.Add(kTextType, 1, std::vector<uint8_t>(data, data + size));
    for (int mode : {TextResource::kAnsi, TextResource::kUtf16}) {
        TextResource text;
        if (!text.Open(1, mode, &module)) continue;
        int position = 0;
        String line;
        while (text.ReadLine(&position, &line)) {
            if (position > text.Length()) std::abort();
        }
    }
    return 0;
}
