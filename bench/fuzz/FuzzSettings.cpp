// Fuzz entry of the settings file: the block as the file's text. What loads must survive being
// written and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsStore store;
    store.FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string text = store.ToText();
    SettingsStore again;
    again.FromText(text);
    if (again.ToText() != text) std::abort();
    return 0;
}
