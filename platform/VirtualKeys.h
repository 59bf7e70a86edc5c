#pragma once
// Virtual-key codes for SDL's keys.
#include <SDL.h>

#include <cstdint>

// The virtual key of a key event: letters follow the keyboard layout, digits and punctuation
// the key's position, as the desktop's own key codes do. 0 for keys without one.
uint32_t VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// Whether the key is one of the "extended" keys (the cursor block, right-hand modifiers,
// the keypad's Enter and divide), flagged in the key-flags word.
bool IsExtendedKey(SDL_Scancode scancode);
