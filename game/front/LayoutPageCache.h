#pragma once
// The free-play grid's page cache in the shared data folder: for the page starting at layout p,
// "<p>.bmp" holds the page's nine miniatures (609 x 459, magenta where no miniature lies) and
// "<p>.txt" one line per filled slot, "name<TAB>tiles<TAB>free tiles".
#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/core/String.h"

struct PageCacheLine {
    String name;
    int32_t tiles = 0;
    int32_t freeTiles = 0;
};

class LayoutPageCache {
public:
    static constexpr int kSlots = 9;
    static constexpr int32_t kPageWidth = 609;
    static constexpr int32_t kPageHeight = 459;
    static constexpr int kLineBuffer = 1000;
    // Larger text files are not the cache's own.
    static constexpr size_t kMaxFileBytes = 64 * 1024;
    using Lines = std::array<PageCacheLine, kSlots>;

    // The two file names of page `pageStart` in `folder` (which ends in "/").
    static void FileNames(const String& folder, int pageStart, String* bmp, String* txt);
    // The same in the application's shared data folder.
    static void FileNames(int pageStart, String* bmp, String* txt);

    // Reads up to nine lines. Answers how many, or -1 when the file cannot be read or any line
    // is damaged (no two TABs, a count that is not a plain number, more free tiles than tiles,
    // more tiles than a layout holds, a line too long for the buffer): the page is then rebuilt.
    static int ReadText(const char* path, Lines* lines);
    // Writes the lines in slot order, stopping at the first with no tiles. The file is replaced
    // whole or not at all (a link in its place is replaced, never written through); false when
    // it could not be.
    static bool WriteText(const char* path, const PageCacheLine* lines, int count);
};
