#include "game/model/PlayerProfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "framework/core/DataStream.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/SaveFailureNotice.h"
#include "platform/RegularFile.h"

namespace {

int32_t InRange(int32_t value, int32_t low, int32_t high, int32_t fallback)
{
    return value < low || value > high ? fallback : value;
}

// Renames `from` to `to` only while nothing has that name, even one that appears meanwhile;
// errno says why not. File systems without such a rename (NFS) take a link, which never
// replaces either, and an unlink.
bool RenameWithoutReplacing(const char* from, const char* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if ((errno != EINVAL && errno != ENOSYS) || link(from, to) != 0)
        return false;
    unlink(from);
    return true;
}

// Moves the damaged profile of `playerId` to the first free name of its kept copies; true once
// it is kept, or when there is none to keep. An earlier copy is never replaced: with every name
// taken the file stays where it is.
bool KeepDamaged(int32_t playerId)
{
    const String fileName = PlayerProfile::MakeProfileFileName(playerId);
    for (int copy = 0; copy < PlayerProfile::kKeptCopies; ++copy) {
        if (RenameWithoutReplacing(fileName.CStr(), PlayerProfile::MakeKeptCopyName(playerId, copy).CStr()))
            return true;
        if (errno != EEXIST)
            return errno == ENOENT;
    }
    return false;
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

void PlayerProfile::SerializeState(DataStream* stream) { Transfer(stream, false); }

bool PlayerProfile::Transfer(DataStream* stream, bool withProgramFolder)
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
    if (!withProgramFolder)
        return stream->Finish();
    const String& folder = PlayerFolders::ProgramFolder();
    return stream->TransferBlock(folder.CStr(), folder.Length());
}

bool PlayerProfile::ReadBytes(const std::vector<uint8_t>& bytes, int32_t playerId, bool withProgramFolder)
{
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    const bool trailerOk = Transfer(&stream, withProgramFolder);
    return trailerOk && id == playerId && magic == kMagic && version == kVersion;
}

bool PlayerProfile::Load(int32_t playerId, const String& playerName)
{
    const String fileName = MakeProfileFileName(playerId);
    std::vector<uint8_t> bytes;
    const FileRead got = ReadRegularFile(fileName.CStr(), DataStream::kMaxFileBytes, FileLinks::kRefuse, &bytes);
    // Read into a scratch record, so a damaged file can leave nothing half-read behind.
    PlayerProfile read;
    bool valid = got == FileRead::kRead && read.ReadBytes(bytes, playerId, false);
    bool older = false;
    if (got == FileRead::kRead && !valid) {
        read = PlayerProfile();
        older = valid = read.ReadBytes(bytes, playerId, true);
    }
    if (valid) {
        *this = read;
        Normalize();
        // Rewritten now, the record no longer depends on where this copy of the program lies.
        if (older)
            Save();
        return true;
    }
    Reset(playerId);
    name = playerName;
    // Only bytes that were read and failed their check are damaged; a file that could not be
    // read at all may be whole, and stays exactly as it is.
    keepAside_ = got == FileRead::kRead;
    unreadable_ = unreadableNotice_ = got == FileRead::kRefused;
    return false;
}

bool PlayerProfile::Save()
{
    // Without a player folder the name would land in whatever folder the process runs in.
    if (id == -1 || unreadable_ || PlayerFolders::UserData().IsEmpty())
        return false;
    const String fileName = MakeProfileFileName(id);
    SaveFailureNotice& notice = PlayerFilesNotice();
    const bool saved = notice.Note(SaveFailureNotice::kProfile, Write(fileName), fileName);
    // The list is written only when the players change: one that failed is tried again with the
    // player's next save, so a player added on a full disk is listed once there is room, and
    // the failing streak can end.
    if (saved && notice.IsFailing(SaveFailureNotice::kList))
        ThePlayerList().Save();
    return saved;
}

bool PlayerProfile::Write(const String& fileName)
{
    if (keepAside_) {
        if (!KeepDamaged(id))
            return false;
        keepAside_ = false;
    }
    DataStream stream;
    stream.OpenWrite(fileName.CStr());
    return Transfer(&stream, false);
}

bool PlayerProfile::TakeUnreadableNotice()
{
    const bool due = unreadableNotice_;
    unreadableNotice_ = false;
    return due;
}

void PlayerProfile::Normalize()
{
    currentLayout = InRange(currentLayout, 0, kFreeLayouts - 1, 0);
    dealPercent = std::clamp(dealPercent, 0, 100);
    freeTileSet = InRange(freeTileSet, 0, kTileSets - 1, 1);
    storyTileSet = InRange(storyTileSet, 0, kTileSets - 1, 0);
    background = InRange(background, kRotateBackgrounds, kBackgrounds - 1, kRotateBackgrounds);
    storyLevelsDone = std::clamp(storyLevelsDone, 0, kStoryLevels);
    if (name.Length() > PlayerList::kMaxNameLength)
        name = name.Left(PlayerList::kMaxNameLength);
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

String PlayerProfile::MakeKeptCopyName(int32_t playerId, int copy)
{
    String fileName = MakeProfileFileName(playerId) + ".bad";
    if (copy > 0) {
        String number;
        number.Format("%d", copy);
        fileName += number;
    }
    return fileName;
}

String PlayerProfile::MakeKeptCopyMaskName(int32_t playerId) { return MakeProfileFileName(playerId) + ".bad*"; }

PlayerProfile& CurrentProfile()
{
    static PlayerProfile profile;
    return profile;
}
