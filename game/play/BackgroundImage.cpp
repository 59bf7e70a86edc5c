#include "game/play/BackgroundImage.h"

#include "framework/ui/ScreenManager.h"

BackgroundImage::~BackgroundImage()
{
    if (imageId_ && GetManager()) GetManager()->UnloadImage(imageId_);
}

void BackgroundImage::OnCreate()
{
    if (imageId_ && GetManager()) GetManager()->LoadImage(imageId_);
}

void BackgroundImage::SetImage(int imageId)
{
    ScreenManager* manager = GetManager();
    if (imageId == imageId_) return;
    if (imageId_ && manager) manager->UnloadImage(imageId_);
    imageId_ = imageId;
    if (imageId_ && manager) {
        manager->LoadImage(imageId_);
        manager->MarkDirty();
    }
}

void BackgroundImage::Draw()
{
    if (imageId_) DrawImage(0, 0, imageId_, nullptr, true);
}
