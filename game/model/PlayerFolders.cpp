#include "game/model/PlayerFolders.h"

namespace {

struct Folders {
    String userData;
    String programFolder;
};

Folders& Current()
{
    static Folders folders;
    return folders;
}

}  // namespace

void PlayerFolders::Set(const String& userData, const String& programFolder)
{
    Current().userData = userData;
    Current().programFolder = programFolder;
}

const String& PlayerFolders::UserData() { return Current().userData; }

const String& PlayerFolders::ProgramFolder() { return Current().programFolder; }
