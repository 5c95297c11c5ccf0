#include "audio/midi_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace hibi {
namespace {

// Reads big-endian numbers and variable-length quantities; every read past the
// end sets `failed` instead of touching memory it does not own.
class Reader {
 public:
  Reader(const QByteArray& bytes, qsizetype begin, qsizetype end)
      : data_(bytes.constData()), pos_(begin), end_(end) {}

  bool failed = false;
  bool AtEnd() const { return pos_ >= end_; }
  qsizetype pos() const { return pos_; }

  std::uint32_t Byte() {
    if (pos_ >= end_) {
      failed = true;
      return 0;
    }
    return static_cast<std::uint8_t>(data_[pos_++]);
  }
  std::uint32_t BigEndian(int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | Byte();
    return value;
  }
  // At most four bytes, as the file format allows.
  std::uint32_t VarLen() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t b = Byte();
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return value;
    }
    failed = true;
    return 0;
  }
  void Skip(std::uint32_t count) {
    if (count > static_cast<std::uint64_t>(end_ - pos_)) {
      failed = true;
      pos_ = end_;
      return;
    }
    pos_ += count;
  }

 private:
  const char* data_;
  qsizetype pos_;
  qsizetype end_;
};

// Meta events whose length the synthesiser checks and refuses the whole file over.
bool MetaLengthPlays(std::uint32_t type, std::uint32_t length) {
  switch (type) {
    case 0x2F:
      return length == 0;  // end of track
    case 0x51:
      return length == 3;  // tempo
    case 0x54:
      return length == 5;  // SMPTE offset
    case 0x58:
      return length == 4;  // time signature
    case 0x59:
      return length == 2;  // key signature
    default:
      return true;
  }
}

int DataBytes(std::uint32_t status) {
  const std::uint32_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// The track's length in ticks, or -1 when it is malformed.
std::int64_t TrackLength(Reader r) {
  std::int64_t ticks = 0;
  std::uint32_t running = 0;
  while (!r.AtEnd() && !r.failed) {
    ticks += r.VarLen();
    std::uint32_t status = r.Byte();
    if (status == 0xFF) {
      const std::uint32_t type = r.Byte();
      const std::uint32_t length = r.VarLen();
      if (!MetaLengthPlays(type, length)) return -1;
      r.Skip(length);
      if (type == 0x2F) return r.failed ? -1 : ticks;
    } else if (status == 0xF0) {
      r.Skip(r.VarLen());
      running = 0;  // the synthesiser runs no status on past a system exclusive
    } else {
      int data = 0;
      if (status & 0x80) {
        // System common messages do not belong in files; the synthesiser refuses
        // an escaped (F7) event too.
        if (status > 0xEF) return -1;
        running = status;
        data = DataBytes(status);
      } else {
        if (running == 0) return -1;  // a data byte with no status to run on
        data = DataBytes(running) - 1;
      }
      for (int i = 0; i < data; ++i)
        if (r.Byte() & 0x80) return -1;
    }
  }
  return -1;  // no end-of-track event
}

}  // namespace

std::optional<int> MidiFileLengthInTicks(const QByteArray& bytes) {
  Reader header(bytes, 0, bytes.size());
  if (!bytes.startsWith("MThd")) return std::nullopt;
  header.Skip(4);
  const std::uint32_t headerLength = header.BigEndian(4);
  const std::uint32_t format = header.BigEndian(2);
  const std::uint32_t tracks = header.BigEndian(2);
  const std::uint32_t division = header.BigEndian(2);
  if (header.failed || headerLength != 6 || format > 2 || tracks == 0 || division == 0 ||
      (division & 0x8000) != 0)
    return std::nullopt;

  qsizetype pos = header.pos();
  std::int64_t longest = 0;
  for (std::uint32_t t = 0; t < tracks;) {
    Reader chunk(bytes, pos, bytes.size());
    // The format allows chunks of other kinds among the tracks, but the synthesiser
    // plays nothing of a file that has one.
    if (bytes.mid(pos, 4) != "MTrk") return std::nullopt;
    chunk.Skip(4);
    const std::uint32_t length = chunk.BigEndian(4);
    if (chunk.failed || length > static_cast<std::uint64_t>(bytes.size() - chunk.pos()))
      return std::nullopt;
    const std::int64_t ticks = TrackLength(Reader(bytes, chunk.pos(), chunk.pos() + length));
    if (ticks < 0) return std::nullopt;
    longest = std::max(longest, ticks);
    ++t;
    pos = chunk.pos() + length;
  }
  if (longest <= 0 || longest > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(longest);
}

}  // namespace hibi
