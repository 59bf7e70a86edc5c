#pragma once

#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Button.h"

// A one-frame image button that opens a web address in the desktop's browser. Image 56 of the
// executable is the maker's link, whose address is text 66 of the executable and which the
// links switch can turn off; a link without an address is disabled.
class LinkButton : public Button {
public:
    static constexpr int32_t kMakerLinkImageId = 56;
    static constexpr int32_t kMakerAddressId = 66;

    LinkButton(int32_t imageId, const char* address);

    void OnCreate() override;
    void OnClick() override;
    void OnButtonCreated() override;

    const String& GetAddress() const { return address_; }

protected:
    // Hands the address to the browser; tests replace it.
    virtual void OpenAddress(const String& address);

private:
    String address_;
};
