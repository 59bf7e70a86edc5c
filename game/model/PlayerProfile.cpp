#include "game/model/PlayerProfile.h"

#include <algorithm>

#include "framework/core/DataStream.h"
#include "game/model/PlayerFolders.h"

namespace {

int32_t InRange(int32_t value, int32_t low, int32_t high, int32_t fallback)
{
    return value < low || value > high ? fallback : value;
}

}  // namespace

PlayerProfile::PlayerProfile(int32_t playerId) { Reset(playerId); }

void PlayerProfile::Reset(int32_t playerId)
{
    id = playerId;
    autoHint = true;
    veil = true;
    currentLayout = 0;
    dealPercent = 25;
    freeTileSet = 1;
    background = kRotateBackgrounds;
    firstGameTip = false;
    bestTimes.fill(kNoTime);
    bestScores.fill(0);
    storyLevelsDone = 0;
    storyTileSet = 0;
    storyTimes.fill(kNoTime);
    storyScores.fill(0);
    showLeaveNotice = true;
}

void PlayerProfile::SerializeState(DataStream* stream) { Transfer(stream); }

bool PlayerProfile::Transfer(DataStream* stream)
{
    if (stream->GetMode() == DataStream::kWrite) {
        magic = kMagic;
        version = kVersion;
    }
    stream->TransferShort(&magic);
    stream->TransferChar(&version);
    stream->TransferShort(&id);
    stream->TransferString(&name);
    stream->TransferBool(&autoHint);
    stream->TransferBool(&veil);
    stream->TransferShort(&currentLayout);
    stream->TransferShort(&dealPercent);
    stream->TransferChar(&freeTileSet);
    stream->TransferChar(&background);
    stream->TransferBool(&firstGameTip);
    for (int i = 0; i < kLayoutSlots; ++i) {
        stream->TransferUShort(&bestTimes[i]);
        stream->TransferInt(&bestScores[i]);
    }
    stream->TransferShort(&storyLevelsDone);
    stream->TransferChar(&storyTileSet);
    for (int i = 0; i < kStoryLevels; ++i) {
        stream->TransferUShort(&storyTimes[i]);
        stream->TransferInt(&storyScores[i]);
    }
    stream->TransferBool(&showLeaveNotice);
    const String& folder = PlayerFolders::ProgramFolder();
    return stream->TransferBlock(folder.CStr(), folder.Length());
}

bool PlayerProfile::Load(int32_t playerId, const String& playerName)
{
    // Read into a scratch record, so a damaged file can leave nothing half-read behind.
    PlayerProfile read;
    DataStream stream;
    bool valid = false;
    if (stream.OpenRead(MakeProfileFileName(playerId).CStr())) {
        read.SerializeState(&stream);
        valid = read.id == playerId && read.magic == kMagic && read.version == kVersion && stream.CrcOk();
    }
    if (valid) {
        *this = read;
        Normalize();
        return true;
    }
    Reset(playerId);
    name = playerName;
    return false;
}

bool PlayerProfile::Save()
{
    if (id == -1)
        return false;
    DataStream stream;
    stream.OpenWrite(MakeProfileFileName(id).CStr());
    return Transfer(&stream);
}

void PlayerProfile::Normalize()
{
    currentLayout = InRange(currentLayout, 0, kFreeLayouts - 1, 0);
    dealPercent = std::clamp(dealPercent, 0, 100);
    freeTileSet = InRange(freeTileSet, 0, kTileSets - 1, 1);
    storyTileSet = InRange(storyTileSet, 0, kTileSets - 1, 0);
    background = InRange(background, kRotateBackgrounds, kBackgrounds - 1, kRotateBackgrounds);
    storyLevelsDone = std::clamp(storyLevelsDone, 0, kStoryLevels);
    for (int32_t& time : bestTimes)
        time = std::min(time, kNoTime);
    for (int32_t& time : storyTimes)
        time = std::min(time, kNoTime);
}

String PlayerProfile::MakeProfileFileName(int32_t playerId)
{
    String fileName;
    fileName.Format("%s%d.usr", PlayerFolders::UserData().CStr(), playerId);
    return fileName;
}

String PlayerProfile::MakeSaveFileName(int index) const
{
    String fileName;
    fileName.Format("%s%d_%d.sav", PlayerFolders::UserData().CStr(), id, index);
    return fileName;
}

String PlayerProfile::MakeSaveFileNameD(int index) const
{
    String fileName;
    fileName.Format("%s%d_%d_D.sav", PlayerFolders::UserData().CStr(), id, index);
    return fileName;
}

String PlayerProfile::MakeSaveMaskName(int32_t playerId, String* folder)
{
    if (folder)
        *folder = PlayerFolders::UserData();
    String mask;
    mask.Format("%s%d_*.sav", PlayerFolders::UserData().CStr(), playerId);
    return mask;
}

PlayerProfile& CurrentProfile()
{
    static PlayerProfile profile;
    return profile;
}
