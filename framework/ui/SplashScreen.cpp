#include "framework/ui/SplashScreen.h"

#include "framework/core/String.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/SplashView.h"
#include "framework/ui/UiHost.h"

SplashScreen::SplashScreen(bool logo) : Screen(0, 0), logo_(logo) {}

SplashScreen::~SplashScreen() {
    if (ScreenManager* manager = GetManager()) manager->UnloadSound(kReleasedSoundId);
}

void SplashScreen::OnAttach() {
    if (logo_) {
        UiHost* host = GetUiHost();
        String path = host ? host->ProgramFolder() : String();
        path += "SplashLogo";
        ScreenManager* manager = GetManager();
        logo_ = manager && manager->LoadImageFile(kLogoImageId, path.CStr());
    }
    AddWidget(new SplashView(logo_), 0, 0);
}
