#include "script_bytes.h"

#include <errno.h>
#include <iconv.h>

#include <QStringDecoder>
#include <memory>
#include <type_traits>

namespace hibi::check {
namespace {

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::vector<std::string_view> SplitRawLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

std::optional<std::size_t> FirstInvalidCp932(std::string_view line) {
  // The same converter the game decodes with, so both agree on every byte.
  IconvHandle cd(iconv_open("UTF-16LE", "CP932"));
  if (cd.get() == reinterpret_cast<iconv_t>(-1)) {
    cd.release();
    return std::nullopt;
  }
  char* in = const_cast<char*>(line.data());
  std::size_t inLeft = line.size();
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    return static_cast<std::size_t>(in - line.data());
  }
  return std::nullopt;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (char c : bytes) multiByte = multiByte || (static_cast<unsigned char>(c) & 0x80) != 0;
  if (!multiByte) return false;
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !decoder.hasError();
}

}  // namespace hibi::check
