// Path resolution that never leaves a folder: the storage layer's own tool, used by
// game_file.cpp, game_names.cpp and the atomic writer. Paths here are native bytes
// with "/" between their parts, relative to the folder `root` is a descriptor of;
// `rootText` is that folder's own path, ending in "/", so that an absolute link
// that points back inside it can still be followed.
#pragma once

#include <string>

#include "storage/game_file.h"

namespace hibi::beneath {

// Opens `relative` beneath `root` with `flags` (O_CLOEXEC and O_NOCTTY are added):
// openat2 with RESOLVE_BENEATH first, a component walk where the kernel lacks it or
// refuses an absolute link. -1 with errno on failure; EXDEV when the path or a link
// on it would leave the folder.
int Open(int root, const std::string& rootText, const std::string& relative, int flags);

// The folder holding the file `relative` ends at once every link on the way and at
// the end is followed, and the file's name there ("." when the path ends at a
// folder); `error` is 0, or an errno (ENOENT
// for a last part that does not exist, and then `throughLink` tells whether a link
// led there).
struct Resolved {
  FileHandle folder;  // an O_PATH descriptor
  std::string name;
  bool throughLink = false;
  int error = 0;
};
Resolved Walk(int root, const std::string& rootText, const std::string& relative);

// A descriptor (O_PATH) of the game folder itself; the folder's own path may hold links.
FileHandle OpenRoot(const std::string& folder);

}  // namespace hibi::beneath
