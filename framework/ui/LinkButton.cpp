#include "framework/ui/LinkButton.h"

#include <string_view>

#include "framework/ui/ScreenManager.h"
#include "framework/ui/UiHost.h"
#include "platform/LinkOpener.h"

LinkButton::LinkButton(int32_t imageId, const char* address)
    : Button(imageId, 1, false), address_(address) {
    if (imageId == kMakerLinkImageId) {
        address_.Empty();
        address_.LoadExeString(kMakerAddressId);
    }
}

// The maker's picture comes from the executable; it must be in the image cache before the
// button measures its frame.
void LinkButton::OnCreate() {
    if (GetImageId() == kMakerLinkImageId) {
        if (ScreenManager* manager = GetManager()) manager->LoadExeImage(kMakerLinkImageId);
    }
    Button::OnCreate();
}

void LinkButton::OnClick() { OpenAddress(address_); }

void LinkButton::OpenAddress(const String& address) {
    OpenLinkInBrowser(std::string_view(address.CStr(), static_cast<size_t>(address.Length())));
}

void LinkButton::OnButtonCreated() {
    UiHost* host = GetUiHost();
    bool linksOff = host && !host->LinksActive();
    if (address_.IsEmpty() || (GetImageId() == kMakerLinkImageId && linksOff)) SetEnabled(false);
}
