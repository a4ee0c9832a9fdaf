// What the image list needs from the window that shows it: the busy state while images are
// added, the counter and the commands that follow the list's length, an event-loop turn per
// file, the destination that gathering leaves out, and the window that owns its messages and
// dialogs. The main window implements it; tests implement it without a window.
#pragma once

#include <string>

namespace scalora {

class UIWindow;

class ImageListHost {
public:
    virtual ~ImageListHost() = default;

    // The busy layer over the table, drops refused until endBusy().
    virtual void beginBusy() = 0;
    // percent: 0 to 100, shown in the status bar's progress.
    virtual void setBusyProgress(double percent) = 0;
    virtual void endBusy() = 0;

    // "^ images" in the status bar, from the list's current length.
    virtual void updateCounter() = 0;
    // Exclude all images and Resize enabled exactly while the list holds an item.
    virtual void updateCommands() = 0;

    // Lets the event loop handle what is pending, without waiting; false once the
    // application is quitting, which ends an addition after the current file.
    [[nodiscard]] virtual bool turnEventLoop() = 0;

    // The destination field's text as typed (results inside it are not gathered again).
    virtual std::string destinationText() const = 0;

    // Owner of the list's message boxes; nullptr shows them without an owner.
    virtual UIWindow* ownerWindow() = 0;

    // The Add images dialog, for a double click on the empty part of the list.
    virtual void openAddImagesDialog() = 0;
};

} // namespace scalora
