#pragma once
// The picture behind the play field; its image is released with it.
#include "framework/ui/Widget.h"

class BackgroundImage : public Widget {
public:
    ~BackgroundImage() override;

    void Draw() override;
    void OnCreate() override;

    // 0 shows nothing. A change releases the picture shown before.
    void SetImage(int imageId);
    int ImageId() const { return imageId_; }

private:
    int imageId_ = 0;
};
