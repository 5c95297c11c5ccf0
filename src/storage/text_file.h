// Text files in code page 932 (through glibc iconv's "CP932", which, unlike
// "SHIFT_JIS", keeps ～ － ① ㈱ and a plain backslash). All game texts pass here.
//
// Reading: a line ends at CR LF or at a lone CR; the last line needs no line end.
// A byte sequence that is not CP932 decodes as U+FFFD and reading goes on: a lead
// byte followed by a non-ASCII byte is one broken character, a lead byte followed by
// an ASCII character is broken alone and the character is kept. A lone LF is text.
// A read error acts as the end of the file. Nothing here throws.
// Writing: every line is encoded and followed by CR LF. A character CP932 cannot
// hold is written as "?".
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "storage/iconv_codec.h"

namespace hibi {

QString DecodeCp932(std::string_view bytes);
std::string EncodeCp932(const QString& text);

// File names are passed to the file system as UTF-8.
std::string NativePath(const QString& path);

// A file opened for reading line by line. Lines are cut from large chunks, so a long
// script costs one pass over its bytes.
class TextReader {
 public:
  // Nullptr when the file cannot be opened (missing, a folder, no permission).
  static std::unique_ptr<TextReader> Open(const QString& path);
  // Takes over an open file descriptor; Open is the way in.
  explicit TextReader(int fd);
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  ~TextReader();

  // The next line without its line end; nullopt at the end of the file.
  std::optional<QString> ReadLine();

 private:
  QString Take(std::size_t length);
  void Fill();

  int fd_;
  IconvCodec codec_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
};

// Reads every line; nullopt when the file cannot be opened.
std::optional<QStringList> ReadAllLines(const QString& path);

// Reads the first `count` lines, or fewer when the file is shorter; what follows them
// is never read. Nullopt when the file cannot be opened.
std::optional<QStringList> ReadFirstLines(const QString& path, qsizetype count);

// Replaces the file with the lines, each followed by CR LF, without ever
// destroying the old file: the lines go to a temporary file in the same folder,
// which is flushed to disk and then renamed over the old one. On any failure the
// old file is left byte for byte as it was, the temporary file is removed, and the
// result is false.
bool WriteLinesAtomically(const QString& path, const QStringList& lines);

}  // namespace hibi
