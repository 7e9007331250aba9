#pragma once
// Where the program's windows go on the screen. No window is larger than the available area
// of its screen (its contents scroll instead), and none starts outside it. A tool window opens
// beside its owner when the screen has room there, so that it covers none of the owner, and
// over the owner otherwise. A tracked window comes back where it was left, also in a later
// run when a place store is set (main() keeps the places in the settings).
#include <QByteArray>
#include <QRect>

#include <functional>

class QWidget;

namespace WindowPlacement {

// The frame rectangle for a tool window whose frame wants the given size: right of the
// owner's frame, else left of it, else below, else above, on the first side where the
// available area has room; otherwise over the owner, level with its top right corner. The
// result lies inside the available area and is no larger than it.
QRect BesideOwner(const QRect& owner, QSize size, const QRect& available);

// Makes the window no larger than its screen's available area and moves it inside.
void FitToScreen(QWidget* window);

// The first time the window is shown: at its kept place when there is one, else beside its
// owner (placeBeside) or where it put itself; always fitted to the screen. Whenever it hides
// its place is kept under the name.
void Track(QWidget* window, QWidget* owner, const char* name, bool placeBeside = true);

// Where the places of tracked windows are kept between runs; without a store they last only
// as long as the windows.
struct PlaceStore {
    std::function<QByteArray(const char* name)> read;
    std::function<void(const char* name, const QByteArray& geometry)> write;
};
void SetPlaceStore(PlaceStore store);
// Keeps the places of the tracked windows that are still shown (at the program's end).
void KeepAll();

} // namespace WindowPlacement
