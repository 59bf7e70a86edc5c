#include "framework/ui/CursorImages.h"

#include "framework/ui/ScreenManager.h"

CursorImage CursorImageOf(int32_t kind) {
    switch (kind) {
        case ScreenManager::kCursorHand: return {70, 9, 1};
        case ScreenManager::kCursorIBeam: return {72, 6, 14};
        case ScreenManager::kCursorSpecial: return {73, 9, 1};
        case ScreenManager::kCursorWait: return {74, 1, 1};
        default: return {71, 1, 1};
    }
}
