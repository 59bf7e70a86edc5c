#include "game/model/PlayerList.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/core/DataStream.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"
#include "platform/RegularFile.h"

namespace {

// An entry takes at least a 16-bit id and the NUL of its name; the trailer four bytes.
constexpr size_t kMinEntryBytes = 3;
constexpr size_t kTrailerBytes = 4;
// Profile ids stay within the file's 16-bit fields.
constexpr long kMaxProfileId = 32767;

const char* const kDefaultName = "Player 1";

// The id of a file named "<digits>.usr", or -1.
long ProfileIdOf(const char* fileName)
{
    const size_t length = strlen(fileName);
    const size_t digits = length > 4 ? length - 4 : 0;
    if (digits == 0 || digits > 5 || strcmp(fileName + digits, ".usr") != 0)
        return -1;
    long id = 0;
    for (size_t i = 0; i < digits; ++i) {
        if (fileName[i] < '0' || fileName[i] > '9')
            return -1;
        id = id * 10 + (fileName[i] - '0');
    }
    return id <= kMaxProfileId ? id : -1;
}

}  // namespace

void PlayerList::SerializeState(DataStream* stream)
{
    if (stream->GetMode() == DataStream::kWrite) {
        magic_ = kMagic;
        version_ = kVersion;
        int32_t count = Count();
        stream->TransferShort(&magic_);
        stream->TransferChar(&version_);
        stream->TransferShort(&currentId_);
        stream->TransferShort(&count);
        for (Entry& entry : entries_) {
            stream->TransferShort(&entry.id);
            stream->TransferString(&entry.name);
        }
        readOk_ = stream->Finish();
        return;
    }
    if (stream->GetMode() != DataStream::kRead)
        return;
    readOk_ = false;
    int32_t magic = 0, version = 0, current = -1, count = 0;
    stream->TransferShort(&magic);
    stream->TransferChar(&version);
    stream->TransferShort(&current);
    stream->TransferShort(&count);
    if (magic != kMagic || version != kVersion || count < 0 || count > kMaxPlayers ||
        static_cast<size_t>(count) * kMinEntryBytes + kTrailerBytes > stream->Remaining())
        return;
    std::vector<Entry> read(count);
    for (Entry& entry : read) {
        stream->TransferShort(&entry.id);
        stream->TransferString(&entry.name);
        if (entry.id < 0)
            return;
        if (entry.name.Length() > kMaxNameLength)
            entry.name = entry.name.Left(kMaxNameLength);
    }
    for (size_t i = 0; i < read.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (read[i].id == read[j].id)
                return;
    if (!stream->Finish())
        return;
    // A current id that names no entry would play as a player without a name and write a
    // profile no entry lists; the first player stands in for it.
    const bool listed = std::any_of(read.begin(), read.end(), [current](const Entry& e) { return e.id == current; });
    if (!listed)
        current = read.empty() ? -1 : read.front().id;
    entries_ = std::move(read);
    magic_ = magic;
    version_ = version;
    currentId_ = current;
    readOk_ = true;
}

String PlayerList::FileName() { return PlayerFolders::UserData() + "list.usr"; }

bool PlayerList::Load()
{
    std::vector<uint8_t> bytes;
    const FileRead got = ReadRegularFile(FileName().CStr(), DataStream::kMaxFileBytes, FileLinks::kRefuse, &bytes);
    // A list that could not be read at all may be whole: it stays exactly as it is.
    unreadable_ = unreadableNotice_ = got == FileRead::kRefused;
    readOk_ = false;
    if (got == FileRead::kRead) {
        DataStream stream;
        stream.OpenMemory(bytes.data(), bytes.size());
        SerializeState(&stream);
    }
    if (readOk_)
        return true;
    Recover();
    return false;
}

void PlayerList::Recover()
{
    Clear();
    heldIds_.clear();
    currentId_ = -1;
    std::vector<long> ids;
    if (DIR* folder = opendir(PlayerFolders::UserData().CStr())) {
        while (const dirent* item = readdir(folder)) {
            const long id = ProfileIdOf(item->d_name);
            if (id >= 0 && static_cast<int>(ids.size()) < kMaxPlayers)
                ids.push_back(id);
        }
        closedir(folder);
    }
    std::sort(ids.begin(), ids.end());
    for (long id : ids) {
        PlayerProfile profile;
        if (profile.Load(static_cast<int32_t>(id), String()))
            entries_.push_back({profile.id, profile.name});
        else if (profile.TakeUnreadableNotice())
            heldIds_.push_back(static_cast<int32_t>(id));
    }
    if (!entries_.empty())
        currentId_ = entries_.front().id;
}

bool PlayerList::Save()
{
    if (unreadable_)
        return false;
    const String fileName = FileName();
    DataStream stream;
    stream.OpenWrite(fileName.CStr());
    SerializeState(&stream);
    return PlayerFilesNotice().Note(SaveFailureNotice::kList, readOk_, fileName);
}

bool PlayerList::TakeUnreadableNotice()
{
    const bool due = unreadableNotice_;
    unreadableNotice_ = false;
    return due;
}

int32_t PlayerList::Add(const String& name)
{
    if (Count() >= kMaxPlayers)
        return -1;
    std::vector<bool> used(entries_.size() + heldIds_.size() + 1, false);
    const auto use = [&used](int32_t id) {
        if (id < static_cast<int32_t>(used.size()))
            used[id] = true;
    };
    for (const Entry& entry : entries_)
        use(entry.id);
    for (int32_t id : heldIds_)
        use(id);
    const auto id = static_cast<int32_t>(std::find(used.begin(), used.end(), false) - used.begin());
    entries_.push_back({id, name});
    changed_ = true;
    return id;
}

void PlayerList::Remove(int32_t id)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (found != entries_.end())
        entries_.erase(found);
}

String PlayerList::NameOf(int32_t id) const
{
    for (const Entry& entry : entries_)
        if (entry.id == id)
            return entry.name;
    return kDefaultName;
}

int PlayerList::IndexOfCurrent() const
{
    for (int i = 0; i < Count(); ++i)
        if (entries_[i].id == currentId_)
            return i;
    return 0;
}

int32_t PlayerList::SelectIndex(int index)
{
    currentId_ = index >= 0 && index < Count() ? entries_[index].id : -1;
    return currentId_;
}

void PlayerList::Clear() { entries_.clear(); }

PlayerList& ThePlayerList()
{
    static PlayerList list;
    return list;
}
