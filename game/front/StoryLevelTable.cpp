#include "game/front/StoryLevelTable.h"

#include <algorithm>

#include "framework/core/TextResource.h"

int StoryLevelTable::Load(const TextResource& text) {
    int level = 0;
    int position = 0;
    String line;
    while (level < kStoryLevelCount && text.ReadLine(&position, &line)) {
        if (line.IsEmpty()) continue;
        int field = 0;
        StoryLevelRecord& record = records_[level];
        record.percent = static_cast<int32_t>(line.Tokenize('\t', &field).ToLong());
        record.seed = static_cast<uint32_t>(line.Tokenize('\t', &field).ToULong());
        record.caption = line.Tokenize('\t', &field);
        ++level;
    }
    return level;
}

int StoryLevelTable::LoadFromAssets() {
    TextResource text;
    if (!text.Open(kTextId, TextResource::kAnsi)) return 0;
    return Load(text);
}

const StoryLevelRecord& StoryLevelTable::At(int level) const {
    return records_[std::clamp(level, 0, kStoryLevelCount - 1)];
}
