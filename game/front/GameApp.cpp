#include "game/front/GameApp.h"

#include "framework/app/AppGlobals.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/MainMenuScreen.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"

void GameApp::LoadUserData()
{
    PlayerFolders::Set(Globals().userDataFolder, Globals().programFolder);
    PlayerList& players = ThePlayerList();
    players.Load();
    if (players.CurrentId() != -1)
        CurrentProfile().Load(players.CurrentId(), players.NameOf(players.CurrentId()));
}

void GameApp::SaveUserData()
{
    if (ThePlayerList().CurrentId() != -1)
        CurrentProfile().Save();
}

void GameApp::ShowMainScreen()
{
    if (ScreenManager* manager = GetScreenManager()) manager->BeginTransition(new MainMenuScreen());
}
