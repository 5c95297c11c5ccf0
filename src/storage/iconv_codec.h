// One glibc iconv conversion, owned for its lifetime, that never gives up on bad
// input: a sequence it cannot convert is replaced and conversion goes on.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace hibi {

class IconvCodec {
 public:
  IconvCodec(const char* to, const char* from);
  IconvCodec(const IconvCodec&) = delete;
  IconvCodec& operator=(const IconvCodec&) = delete;
  ~IconvCodec();

  // Tells how many input bytes an unconvertible sequence at the start of `rest` spans
  // (at least one, at most rest.size()).
  using SkipRule = std::size_t (*)(std::string_view rest);

  // Appends the converted `in` to `out`; every unconvertible sequence becomes
  // `replacement`. Without a usable converter every non-ASCII byte is replaced.
  void Convert(std::string_view in, std::string& out, SkipRule skip, std::string_view replacement);

  // How many bytes at the start of `in` convert before the first sequence that does
  // not (in.size() when all of it does). Without a usable converter, the ASCII run.
  std::size_t ConvertibleLength(std::string_view in);

 private:
  iconv_t cd_;
};

}  // namespace hibi
