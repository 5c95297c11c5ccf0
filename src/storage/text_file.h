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

namespace hibi {

QString DecodeCp932(std::string_view bytes);
std::string EncodeCp932(const QString& text);

// File names are passed to the file system as UTF-8, except that the lone surrogates
// U+DC80..U+DCFF stand for the bytes 0x80..0xFF of a name that is not UTF-8.
std::string NativePath(const QString& path);

// A file opened for reading line by line.
class TextReader {
 public:
  // Nullptr when the file cannot be opened (missing, a folder, no permission).
  static std::unique_ptr<TextReader> Open(const QString& path);
  virtual ~TextReader() = default;

  // The next line without its line end; nullopt at the end of the file.
  virtual std::optional<QString> ReadLine() = 0;
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
