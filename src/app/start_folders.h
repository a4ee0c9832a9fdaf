// Where the program's file and folder dialogs open: the folder the user last took images
// from or wrote to, while it exists, else the desktop folder of the user's session.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

// The user's desktop folder as the session names it (XDG_DESKTOP_DIR in user-dirs.dirs, with
// $HOME expanded), else ~/Desktop when it exists, else the home folder; empty when there is
// no home. Ends with "/" when not empty.
std::string userDesktopFolder();

// The desktop folder named by the text of a user-dirs.dirs file for the given home, or empty.
std::string desktopFolderFromUserDirs(std::string_view userDirs, std::string_view home);

// stored when it names an existing folder (with a trailing "/"), else userDesktopFolder().
std::string dialogStartFolder(std::string_view stored);

} // namespace scalora
