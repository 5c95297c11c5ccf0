#include "storage/picture_bytes.h"

#include <cstdint>
#include <cstdlib>

namespace hibi {
namespace {

std::uint32_t Byte(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

std::uint32_t BigEndian32(const QByteArray& bytes, qsizetype at) {
  return Byte(bytes, at) << 24 | Byte(bytes, at + 1) << 16 | Byte(bytes, at + 2) << 8 |
         Byte(bytes, at + 3);
}

std::int64_t LittleEndian(const QByteArray& bytes, qsizetype at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | Byte(bytes, at + i);
  return size == 4 ? static_cast<std::int32_t>(value) : static_cast<std::int64_t>(value);
}

bool PngWhole(const QByteArray& bytes) {
  for (qsizetype at = 8; at + 12 <= bytes.size();) {
    const std::int64_t length = BigEndian32(bytes, at);
    if (bytes.sliced(at + 4, 4) == "IEND") return true;
    at += 12 + length;
  }
  return false;
}

// Inside a scan an FF byte is always followed by 00 or a restart marker, so an end
// marker after the last start of scan is the picture's own.
bool JpegWhole(const QByteArray& bytes) {
  const qsizetype scan = bytes.lastIndexOf("\xFF\xDA");
  return scan >= 0 && bytes.indexOf("\xFF\xD9", scan) > scan;
}

// Skips a run of sub-blocks; false when the bytes end first.
bool SkipSubBlocks(const QByteArray& bytes, qsizetype& at) {
  while (at < bytes.size()) {
    const std::uint32_t size = Byte(bytes, at++);
    if (size == 0) return true;
    at += size;
  }
  return false;
}

bool GifWhole(const QByteArray& bytes) {
  if (bytes.size() < 13) return false;
  qsizetype at = 13;
  if (Byte(bytes, 10) & 0x80) at += 3 * (qsizetype(2) << (Byte(bytes, 10) & 7));
  while (at < bytes.size()) {
    const std::uint32_t block = Byte(bytes, at++);
    if (block == 0x3B) return true;
    if (block == 0x21) {
      ++at;  // the extension's label
    } else if (block == 0x2C) {
      if (at + 9 > bytes.size()) return false;
      const std::uint32_t flags = Byte(bytes, at + 8);
      at += 9;
      if (flags & 0x80) at += 3 * (qsizetype(2) << (flags & 7));
      ++at;  // the smallest code size
    } else {
      return false;
    }
    if (!SkipSubBlocks(bytes, at)) return false;
  }
  return false;
}

bool BmpWhole(const QByteArray& bytes) {
  constexpr qsizetype kHeaders = 14 + 40;
  if (bytes.size() < 14 + 4) return false;
  if (LittleEndian(bytes, 14, 4) < 40) return true;  // an old OS/2 header: left to the decoder
  if (bytes.size() < kHeaders) return false;
  const std::int64_t compression = LittleEndian(bytes, 30, 4);
  if (compression != 0 && compression != 3) return true;  // run-length coded: its own ends
  const std::int64_t offset = LittleEndian(bytes, 10, 4);
  const std::int64_t width = LittleEndian(bytes, 18, 4);
  const std::int64_t height = std::llabs(LittleEndian(bytes, 22, 4));
  const std::int64_t bits = LittleEndian(bytes, 28, 2);
  const std::int64_t row = (width * bits + 31) / 32 * 4;
  return width >= 0 && offset >= 0 && offset + row * height <= bytes.size();
}

}  // namespace

bool PictureBytesWhole(const QByteArray& bytes) {
  if (bytes.startsWith("\x89PNG\r\n\x1A\n")) return PngWhole(bytes);
  if (bytes.startsWith("\xFF\xD8")) return JpegWhole(bytes);
  if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) return GifWhole(bytes);
  if (bytes.startsWith("BM")) return BmpWhole(bytes);
  return true;
}

}  // namespace hibi
