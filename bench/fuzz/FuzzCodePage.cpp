// Fuzz entry of the code-page conversions: the block as UTF-8 and as UTF-16 into the 8-bit code
// page, and as 8-bit text out to UTF-8, which must come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string narrow;
    Utf8ToCp1252(bytes, &narrow);

    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    Utf16ToCp1252(units);

    const std::string utf8 = Cp1252ToUtf8(bytes);
    std::string back;
    if (!Utf8ToCp1252(utf8, &back) || back != bytes) std::abort();
    return 0;
}
