#pragma once
// How an in-game menu opens a box: it closes itself first, so the play screen is always the
// screen below the box.
class Screen;

namespace MenuHandOver {

// Fades `menu` out and pushes `box` over the game, faded in, dimming the game when asked. The box
// is freed when the menu is not on a stack.
void OpenInPlace(Screen* menu, Screen* box, bool dimGame);

}  // namespace MenuHandOver
