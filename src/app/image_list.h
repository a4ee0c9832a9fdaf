// The image list the user builds: gathering paths into image files, adding them (measured,
// with a preview when previews are on, each file once), excluding and clearing, and the two
// display settings the table follows. The items live in the batch engine; whoever shows them
// listens to `changed`.
#pragma once

#include "engine/image_item.h"
#include "platform/file_system.h"
#include "ui/core/ui_signal.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace scalora {

class BatchEngine;
class ImageListHost;
class SettingsStore;

class ImageList {
public:
    ImageList(BatchEngine& engine, SettingsStore& settings, ImageListHost& host);
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // The image files the paths stand for: folders searched (with their subfolders while
    // general/isUseSubfolders is on), hidden entries and refused extensions left out, links
    // followed, each file once, and nothing from inside the destination the host shows.
    std::vector<std::string> expandPaths(const std::vector<std::string>& paths) const;
    // Adds the files in order with the host busy and one event-loop turn per file; "Images
    // not found." for an empty list. Returns how many were added.
    int addImages(const std::vector<std::string>& paths);
    // One file, unless it is listed already (the same file by device and inode) or does not
    // open as an image. The caller rebuilds the view.
    bool addImage(const std::string& path);

    // Removes the items at these rows (any order, repeats and bad rows ignored).
    void excludeSelected(const std::vector<std::size_t>& rows);
    void clear();
    std::size_t size() const;
    const std::vector<ImageItem>& items() const;

    bool showPreview() const;
    bool showFullName() const;
    // Stores the setting; switching previews on makes the missing ones, busy as addImages.
    void setShowPreview(bool on);
    void setShowFullName(bool on);

    // How messages are shown; a message box owned by the host's window unless replaced
    // (tests replace it).
    void setMessageHandler(std::function<void(const std::string&)> handler);

    // The items or the way they are shown changed: the table rebuilds.
    UISignal<> changed;

private:
    // What adding one file needs, worked out off the UI thread.
    struct Prepared;
    Prepared prepare(const std::string& path, bool withPreview) const;
    bool commit(Prepared prepared);
    // Identities of the listed files, in item order; rebuilt when the engine's list was
    // changed behind the list's back.
    void syncIdentities();
    void showMessage(const std::string& text);

    BatchEngine& engine_;
    SettingsStore& settings_;
    ImageListHost& host_;
    std::vector<FileIdentity> identities_;
    std::set<FileIdentity> listed_;
    std::function<void(const std::string&)> messageHandler_;
};

} // namespace scalora
