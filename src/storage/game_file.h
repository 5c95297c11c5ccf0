// Every file of a game folder is opened here and nowhere else. A game folder comes
// from a stranger's archive, so its names, links and file kinds are input, never a
// place to follow:
// - a name is refused before anything is touched when it is absolute, has a ".."
//   that would climb out of the folder, or holds a control character (NUL included);
// - the file is opened beneath the game folder's own descriptor (openat2 with
//   RESOLVE_BENEATH, else a walk with O_NOFOLLOW at every step), so a link is
//   followed only while it stays inside the folder;
// - only a regular file is opened: a FIFO, device, socket or folder in a file's
//   place is refused at once, never waited on;
// - what is read is capped by the bytes actually read, whatever the file claims.
// Names are looked up as on the game's own platform (storage/game_names.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <string>

namespace hibi {

// Why a game file could not be used.
enum class FileProblem {
  None,
  Missing,   // no file of that name (a dangling link too, when reading)
  Refused,   // the name or a link leads outside the folder, or a dangling link to write
  NotAFile,  // a folder, FIFO, device or socket stands in the file's place
  TooLarge,  // more bytes than the reader takes
  Denied,    // the player's permissions forbid it, or the file or disk is read-only
  NoSpace,   // the disk, the quota or the file size limit leaves no room
  Failed,    // anything else: a read or write error
};

// What is wrong with a name below the game folder, before any file is looked at.
enum class NameFault { None, Absolute, LeavesFolder, ControlCharacter };

// `relative` is a path below the game folder with "/" or "\" between its parts. An
// empty part (a name beginning with a separator, or a drive letter such as "C:") makes
// it absolute.
NameFault CheckGameName(QStringView relative);

// A suffix from the settings file must not lead a name into another folder.
bool SuffixHoldsSeparator(QStringView suffix);

// An open descriptor; closed when it goes.
class FileHandle {
 public:
  explicit FileHandle(int fd = -1) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept : fd_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle();

  int get() const { return fd_; }
  int release();
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

struct OpenedFile {
  FileHandle file;
  FileProblem problem = FileProblem::None;
};

// Opens for reading the file the game names by `path`: `gameFolder` (ending in "/")
// followed by a name inside it, as the game builds every path. A path not below
// `gameFolder` is refused.
OpenedFile OpenGameFile(const QString& gameFolder, const QString& path);

struct FileBytes {
  QByteArray bytes;
  FileProblem problem = FileProblem::None;
};

// Every byte of an open file when there are at most `maxBytes`; else TooLarge (or
// Failed on a read error) and no bytes. Reads in chunks, never more than one past the cap.
FileBytes ReadAllBytes(const FileHandle& file, qsizetype maxBytes);

// OpenGameFile, then ReadAllBytes.
FileBytes ReadGameFile(const QString& gameFolder, const QString& path, qsizetype maxBytes);

// The folder part of a path, ending in "/" ("./" when it has none).
QString FolderOfPath(const QString& path);

// The problem an errno of an open, read or write stands for.
FileProblem ProblemOfError(int error);

// Where a file to be written lies once its links are followed: a descriptor of its
// folder (readable, for a listing and a sync) and its name there. Resolved beneath the
// game folder like any read; a link whose target does not exist is refused, so no file
// is ever created through one.
struct WriteTarget {
  FileHandle folder;
  std::string name;
  FileProblem problem = FileProblem::None;
};
WriteTarget ResolveGameFileToWrite(const QString& gameFolder, const QString& path);

}  // namespace hibi
