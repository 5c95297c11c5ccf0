// Reading and decoding of CP932 text files. The atomic writer lives in atomic_write.cpp.
#include "storage/text_file.h"

#include <unistd.h>

#include <cerrno>
#include <limits>
#include <utility>

#include "storage/iconv_codec.h"

namespace hibi {

namespace {

bool IsAscii(std::string_view bytes) {
  for (unsigned char c : bytes) {
    if (c >= 0x80) return false;
  }
  return true;
}

// The start of the line after the one that ends at the CR `cr`: CR LF is one line
// end, and so is a lone CR.
std::size_t NextLineStart(std::string_view bytes, std::size_t cr) {
  return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
}

// How many bytes a broken sequence swallows. A lead byte whose follower could be a
// trail byte but is no ASCII character takes the follower with it: the pair is one
// broken character, and the follower must not turn into a stray katakana. An ASCII
// follower (a quote, a space, a letter) is kept, so one bad byte costs one character.
std::size_t BrokenLength(std::string_view rest) {
  if (rest.size() >= 2 && IsCp932LeadByte(static_cast<unsigned char>(rest[0]))) {
    const auto next = static_cast<unsigned char>(rest[1]);
    if (next >= 0x80 && next <= 0xFC) return 2;
  }
  return 1;
}

QString FromAscii(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Decode(IconvCodec& codec, std::string_view bytes) {
  if (IsAscii(bytes)) return FromAscii(bytes);
  std::string utf8;
  codec.Convert(bytes, utf8, BrokenLength, "\xEF\xBF\xBD");
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The length of the UTF-8 character a rest begins with, so an unencodable character
// becomes exactly one "?".
std::size_t Utf8Length(std::string_view rest) {
  const auto c = static_cast<unsigned char>(rest[0]);
  std::size_t n = 1;
  if (c >= 0xF0) {
    n = 4;
  } else if (c >= 0xE0) {
    n = 3;
  } else if (c >= 0xC0) {
    n = 2;
  }
  return n < rest.size() ? n : rest.size();
}

}  // namespace

bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::optional<std::size_t> FirstInvalidCp932(std::string_view bytes) {
  // The converter the game decodes with, so both agree on every byte.
  IconvCodec codec("UTF-8", "CP932");
  const std::size_t good = codec.ConvertibleLength(bytes);
  if (good == bytes.size()) return std::nullopt;
  return good;
}

std::vector<std::string_view> SplitRawLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t cr = bytes.find('\r'); cr != std::string_view::npos;
       cr = bytes.find('\r', start)) {
    lines.push_back(bytes.substr(start, cr - start));
    start = NextLineStart(bytes, cr);
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

QString DecodeCp932(std::string_view bytes) {
  if (IsAscii(bytes)) return FromAscii(bytes);
  IconvCodec codec("UTF-8", "CP932");
  return Decode(codec, bytes);
}

std::string EncodeCp932(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::string_view in(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (IsAscii(in)) return std::string(in);
  IconvCodec codec("CP932", "UTF-8");
  std::string out;
  codec.Convert(in, out, Utf8Length, "?");
  return out;
}

std::string NativePath(const QString& path) {
  std::string bytes;
  qsizetype run = 0;  // start of the text not yet encoded
  for (qsizetype i = 0; i <= path.size(); ++i) {
    const bool kept = i < path.size() && path[i].unicode() >= 0xDC80 &&
                      path[i].unicode() <= 0xDCFF && (i == 0 || !path[i - 1].isHighSurrogate());
    if (!kept && i < path.size()) continue;
    bytes += QStringView(path).sliced(run, i - run).toUtf8().toStdString();
    if (kept) bytes += static_cast<char>(path[i].unicode() - 0xDC00);
    run = i + 1;
  }
  return bytes;
}

TextReader::TextReader(int fd, std::size_t maxBytes)
    : fd_(fd), codec_("UTF-8", "CP932"), allowance_(maxBytes) {}

TextReader::~TextReader() {
  ::close(fd_);
}

// CR and LF can never be the second byte of a CP932 character, so lines are cut on
// the raw bytes before decoding.
std::optional<QString> TextReader::ReadLine() {
  if (stop_ != Stop::None) return std::nullopt;
  std::size_t scanned = 0;  // bytes after pos_ known to hold no CR
  for (;;) {
    const std::size_t cr = buffer_.find('\r', pos_ + scanned);
    const std::size_t end = cr == std::string::npos ? buffer_.size() : cr;
    if (end - pos_ > kMaxLineBytes) return Halt(Stop::Damaged);
    if (cr != std::string::npos) {
      // A CR at the very end of the buffer may be the first half of a CR LF.
      if (cr + 1 == buffer_.size() && !eof_) {
        scanned = cr - pos_;
        Fill();
        continue;
      }
      QString line = Take(cr - pos_);
      pos_ = NextLineStart(buffer_, cr);
      return line;
    }
    scanned = buffer_.size() - pos_;
    if (eof_) {
      // A line cut by the byte bound may go on beyond it: not a line of the file.
      if (allowance_ == 0) return Halt(Stop::Damaged);
      if (readError_) return Halt(Stop::ReadError);
      if (scanned == 0) return std::nullopt;
      return Take(scanned);
    }
    Fill();
  }
}

std::uint64_t TextReader::offset() const {
  return read_ - (buffer_.size() - pos_);
}

std::nullopt_t TextReader::Halt(Stop why) {
  stop_ = why;
  buffer_ = std::string();
  pos_ = 0;
  return std::nullopt;
}

QString TextReader::Take(std::size_t length) {
  QString line = Decode(codec_, std::string_view(buffer_).substr(pos_, length));
  pos_ += length;
  return line;
}

// Appends the next chunk, never reading past the byte bound.
void TextReader::Fill() {
  constexpr std::size_t kChunk = 64 * 1024;
  buffer_.erase(0, pos_);
  pos_ = 0;
  const std::size_t old = buffer_.size();
  const std::size_t want = allowance_ < kChunk ? allowance_ : kChunk;
  buffer_.resize(old + want);
  ssize_t got = 0;
  if (want > 0) {
    do {
      got = ::read(fd_, buffer_.data() + old, want);
    } while (got < 0 && errno == EINTR);
  }
  if (got < 0) readError_ = true;
  if (got <= 0) {
    eof_ = true;
    got = 0;
  }
  buffer_.resize(old + static_cast<std::size_t>(got));
  allowance_ -= static_cast<std::size_t>(got);
  read_ += static_cast<std::uint64_t>(got);
}

std::unique_ptr<TextReader> TextReader::Open(const QString& gameFolder, const QString& path,
                                             std::size_t maxBytes, FileProblem* problem) {
  OpenedFile opened = OpenGameFile(gameFolder, path);
  if (problem) *problem = opened.problem;
  if (!opened.file) return nullptr;
  return std::make_unique<TextReader>(opened.file.release(), maxBytes);
}

std::optional<QStringList> ReadFirstLines(const QString& gameFolder, const QString& path,
                                          qsizetype count, std::size_t maxBytes) {
  auto reader = TextReader::Open(gameFolder, path, maxBytes);
  if (!reader) return std::nullopt;
  QStringList lines;
  while (lines.size() < count) {
    auto line = reader->ReadLine();
    if (!line) break;
    lines.append(*std::move(line));
  }
  return lines;
}

std::optional<QStringList> ReadAllLines(const QString& gameFolder, const QString& path) {
  return ReadFirstLines(gameFolder, path, std::numeric_limits<qsizetype>::max());
}

}  // namespace hibi
