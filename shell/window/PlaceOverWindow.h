#pragma once

#include <functional>

class QWidget;

// Moves `dialog`, just shown, over the middle of `window`: also right when the window manager
// has not yet placed the window, which would otherwise leave the dialog at the screen's corner.
void placeOverWindow(QWidget& dialog, const QWidget* window);
// Calls `then` once `window` is on the screen and laid out: at once when it is already.
void whenOnScreen(QWidget& window, std::function<void()> then);
