#include "storage/iconv_codec.h"

#include <cerrno>

namespace hibi {

namespace {
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
}

IconvCodec::IconvCodec(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

IconvCodec::~IconvCodec() {
  if (cd_ != kNoConverter) iconv_close(cd_);
}

void IconvCodec::Convert(std::string_view in, std::string& out, SkipRule skip,
                         std::string_view replacement) {
  if (cd_ == kNoConverter) {
    // A system without the gconv modules still reads the ASCII parts of a file.
    for (std::size_t i = 0; i < in.size();) {
      if (static_cast<unsigned char>(in[i]) < 0x80) {
        out += in[i++];
      } else {
        out += replacement;
        i += skip(in.substr(i));
      }
    }
    return;
  }
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  // Neither direction the game uses more than triples the size, so one pass of
  // room usually suffices; E2BIG below grows it when not.
  const std::size_t start = out.size();
  out.resize(start + in.size() * 3 + 16);
  std::size_t used = start;
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = out.data() + used;
    std::size_t dstLeft = out.size() - used;
    const std::size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    const int error = errno;
    used = out.size() - dstLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) {
      out.resize(out.size() * 2 + 16);
      continue;
    }
    // EILSEQ, EINVAL (a sequence cut off by the end) or anything unexpected.
    const std::size_t n = skip(std::string_view(src, srcLeft));
    const std::size_t step = (n == 0 || n > srcLeft) ? 1 : n;
    out.resize(used);
    out += replacement;
    used = out.size();
    if (out.size() < used + srcLeft * 3 + 16) out.resize(used + srcLeft * 3 + 16);
    src += step;
    srcLeft -= step;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
}

std::size_t IconvCodec::ConvertibleLength(std::string_view in) {
  std::size_t i = 0;
  if (cd_ == kNoConverter) {
    while (i < in.size() && static_cast<unsigned char>(in[i]) < 0x80) ++i;
    return i;
  }
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buffer[256];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) break;
  }
  return in.size() - srcLeft;
}

}  // namespace hibi
