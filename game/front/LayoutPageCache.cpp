#include "game/front/LayoutPageCache.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "framework/app/AppGlobals.h"
#include "game/model/TileLayout.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

namespace {

// A decimal count as the cache writes it: digits only, within 0..TileLayout::kMaxTiles.
bool ParseCount(const String& text, int32_t* value) {
    if (text.IsEmpty() || text.Length() > 6) return false;
    for (int i = 0; i < text.Length(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    long parsed = text.ToLong();
    if (parsed > TileLayout::kMaxTiles) return false;
    *value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseLine(const String& line, PageCacheLine* out) {
    int position = 0;
    String name = line.Tokenize('\t', &position);
    if (position >= line.Length()) return false;
    String tiles = line.Tokenize('\t', &position);
    String freeTiles = line.Mid(position);
    if (!ParseCount(tiles, &out->tiles) || !ParseCount(freeTiles, &out->freeTiles)) return false;
    if (out->freeTiles > out->tiles) return false;
    out->name = name;
    return true;
}

}  // namespace

void LayoutPageCache::FileNames(const String& folder, int pageStart, String* bmp, String* txt) {
    String base;
    base.Format("%s%d.", folder.CStr(), pageStart);
    if (bmp) *bmp = base + "bmp";
    if (txt) *txt = base + "txt";
}

void LayoutPageCache::FileNames(int pageStart, String* bmp, String* txt) {
    FileNames(Globals().sharedDataFolder, pageStart, bmp, txt);
}

int LayoutPageCache::ReadText(const char* path, Lines* lines) {
    if (!path || !lines) return -1;
    std::string text;
    if (ReadRegularFile(path, kMaxFileBytes, FileLinks::kRefuse, &text) != FileRead::kRead) return -1;
    std::string_view rest = text;
    int count = 0;
    while (count < kSlots && !rest.empty()) {
        const size_t end = rest.find('\n');
        // No line end: the file was cut short. A line as long as the buffer is damaged too.
        if (end == std::string_view::npos || end + 1 >= static_cast<size_t>(kLineBuffer)) return -1;
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos) return -1;
        String copy;
        copy.Assign(line.data(), static_cast<int>(line.size()));
        if (!ParseLine(copy, &(*lines)[count])) return -1;
        ++count;
    }
    return count;
}

bool LayoutPageCache::WriteText(const char* path, const PageCacheLine* lines, int count) {
    if (!path || (!lines && count > 0)) return false;
    AtomicFile file;
    if (!file.Open(path)) return false;
    bool ok = true;
    for (int i = 0; i < count && i < kSlots && ok; ++i) {
        if (lines[i].tiles == 0) break;
        // A name never carries the separators of the format.
        String name = lines[i].name;
        char* chars = name.GetBuffer(name.Length());
        for (int k = 0; chars[k]; ++k) {
            if (chars[k] == '\t' || chars[k] == '\r' || chars[k] == '\n') chars[k] = ' ';
        }
        name.ReleaseBuffer();
        ok = std::fprintf(file.File(), "%s\t%d\t%d\n", name.CStr(), lines[i].tiles,
                          lines[i].freeTiles) > 0;
    }
    return ok && file.Commit();
}
