// Finding the file a game names, the way the platform the games are written on finds
// it: letter case does not matter, "\" separates folders, and a name that an archive
// tool left in code page 932 bytes is still the name it was. The exact path always
// comes first, so a game whose names match exactly is read exactly as before.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace hibi {

// How a name was found beyond its exact spelling (several may apply).
enum FoundThrough : unsigned {
  kExactName = 0,
  kCaseFolding = 1,
  kBackslash = 2,
  kCodePage932 = 4,
  kSeveralMatched = 8,  // more than one name on disk matched one part of the path
};

struct FoundFile {
  QString path;  // the file on disk, or the path asked for when nothing matched
  bool found = false;
  unsigned through = kExactName;
};

// `path` lies below `gameFolder` (ending in "/"); only the parts below it are matched
// loosely. Folder listings are kept and read again when a folder's time changes.
FoundFile FindGameFile(const QString& gameFolder, const QString& path);

// The path to open: the file found, else the path unchanged so the failure names it.
QString GameFile(const QString& gameFolder, const QString& path);

// The path to write: the file of that name in any case when one exists (so ALL.DAT is
// rewritten rather than joined by an all.dat), else the name as given in its folder.
QString GameFileToWrite(const QString& gameFolder, const QString& path);

// A name read from disk as text: UTF-8 when it is, else each byte from 0x80 up kept
// as the lone surrogate U+DC00 + byte, which NativePath turns back into that byte.
QString TextFromNativeName(std::string_view bytes);

}  // namespace hibi
