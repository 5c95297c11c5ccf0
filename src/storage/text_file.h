// Text files in code page 932 (through glibc iconv's "CP932", which, unlike
// "SHIFT_JIS", keeps ～ － ① ㈱ and a plain backslash). All game texts pass here.
//
// Reading: a line ends at CR LF or at a lone CR; the last line needs no line end.
// A byte sequence that is not CP932 decodes as U+FFFD and reading goes on: a lead
// byte followed by a non-ASCII byte is one broken character, a lead byte followed by
// an ASCII character is broken alone and the character is kept. A lone LF is text.
// Reading is bounded: a line longer than kMaxLineBytes, or one running past the
// reader's byte bound, is damage and ends the reading, as does a read error; memory
// stays small whatever the file holds. Nothing here throws.
// Writing: every line is encoded and followed by CR LF. A character CP932 cannot
// hold is written as "?".
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/game_file.h"
#include "storage/iconv_codec.h"

namespace hibi {

QString DecodeCp932(std::string_view bytes);
std::string EncodeCp932(const QString& text);

// A lead byte of a CP932 double-byte character.
bool IsCp932LeadByte(unsigned char c);

// The offset of the first byte sequence that is not CP932 (a sequence cut off by the
// end counts), or nullopt when all of it decodes: where reading shows U+FFFD first.
std::optional<std::size_t> FirstInvalidCp932(std::string_view bytes);

// A file's lines as TextReader cuts them, undecoded and without their line ends; no
// line at all for no bytes.
std::vector<std::string_view> SplitRawLines(std::string_view bytes);

// File names are passed to the file system as UTF-8, except that the lone surrogates
// U+DC80..U+DCFF stand for the bytes 0x80..0xFF of a name that is not UTF-8.
std::string NativePath(const QString& path);

// Far above any line a script, save or memory list really holds.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
inline constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();

// A file opened for reading line by line. Lines are cut from large chunks, so a long
// script costs one pass over its bytes; the buffer never holds much more than one
// line at its longest and one chunk.
class TextReader {
 public:
  // Why reading ended before the end of the file, if it did.
  enum class Stop { None, Damaged, ReadError };

  // Opens a game file (storage/game_file.h: `path` lies below `gameFolder`). Nullptr
  // when it cannot be opened, and then `problem`, if given, tells why. Nothing beyond
  // the first `maxBytes` bytes is read.
  static std::unique_ptr<TextReader> Open(const QString& gameFolder, const QString& path,
                                          std::size_t maxBytes = kUnbounded,
                                          FileProblem* problem = nullptr);
  // Takes over an open file descriptor; Open is the way in.
  TextReader(int fd, std::size_t maxBytes);
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  ~TextReader();

  // The next line without its line end; nullopt at the end of the file and from
  // the point where reading stopped early on.
  std::optional<QString> ReadLine();
  Stop stop() const { return stop_; }
  // Where in the file the next line begins: what lies before it has been returned as
  // lines. Taken before a ReadLine that stops, it is where the damage begins.
  std::uint64_t offset() const;
  // The open file, for reading again from an offset (pread); the reader keeps it.
  int fd() const { return fd_; }

 private:
  std::nullopt_t Halt(Stop why);
  QString Take(std::size_t length);
  void Fill();

  int fd_;
  IconvCodec codec_;
  std::size_t allowance_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool readError_ = false;
  Stop stop_ = Stop::None;
  std::uint64_t read_ = 0;  // bytes taken from the file so far
};

// Reads every line of a game file (up to where reading stops); nullopt when the file
// cannot be opened.
std::optional<QStringList> ReadAllLines(const QString& gameFolder, const QString& path);

// Reads the first `count` lines of a game file, or fewer when the file is shorter or
// reading stops early; what follows them is never read. Nullopt when the file cannot
// be opened.
std::optional<QStringList> ReadFirstLines(const QString& gameFolder, const QString& path,
                                          qsizetype count, std::size_t maxBytes = kUnbounded);

// Replaces the file with the lines, each followed by CR LF, without ever
// destroying the old file: the lines go to a temporary file in the same folder,
// which is flushed to disk and then renamed over the old one. On any failure the
// old file is left byte for byte as it was, the temporary file is removed, and the
// result is false. A link is followed and the file behind it replaced in its own
// folder; an existing file the process may not write is a failure; the new file
// keeps the old one's mode (and owner and group where allowed). Where the folder
// allows no new file but the file itself is writable, it is overwritten in place
// and synced. Temporary files of killed earlier runs go with the next success.
// The file is a game file (`path` below `gameFolder`): the name is looked up as any
// game file's, in any letter case, and written only where it lies inside the folder
// once its links are followed; a link that leads outside or whose target is missing
// is Refused and nothing is created or changed. NoSpace and Denied tell a full disk
// and a file or folder the player may not write from other failures (Failed).
// With `rest`, the bytes of that open file from its offset to its end follow the lines
// verbatim; a file that cannot be replaced through a temporary file is then not
// overwritten in place, as the new lines would overwrite the rest before it is copied.
struct FileRest {
  int fd;
  std::uint64_t offset;
};
FileProblem WriteGameLines(const QString& gameFolder, const QString& path, const QStringList& lines,
                           std::optional<FileRest> rest = std::nullopt);

// WriteGameLines with the file's own folder as the game folder, for files the tools write.
bool WriteLinesAtomically(const QString& path, const QStringList& lines);

}  // namespace hibi
