#include "tune_check.h"

#include <cstdint>

#include "audio/midi_file.h"
#include "file_problems.h"

namespace hibi::check {
namespace {

const QString kTune = QStringLiteral("bgm.mid");

std::uint32_t BigEndian(const QByteArray& bytes, qsizetype at, int size) {
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// The first thing wrong with the file as a standard MIDI file; empty when it is sound.
QString MidiProblem(const QByteArray& bytes) {
  constexpr qsizetype kChunkHeader = 8;
  if (bytes.size() < kChunkHeader || !bytes.startsWith("MThd")) {
    return QStringLiteral("not a standard MIDI file: it does not begin with \"MThd\"");
  }
  const std::uint32_t headerLength = BigEndian(bytes, 4, 4);
  if (headerLength < 6 || headerLength > static_cast<std::uint64_t>(bytes.size() - kChunkHeader)) {
    return QStringLiteral("the \"MThd\" header is damaged");
  }
  const std::uint32_t format = BigEndian(bytes, 8, 2);
  const std::uint32_t tracks = BigEndian(bytes, 10, 2);
  const std::uint32_t division = BigEndian(bytes, 12, 2);
  if (format > 2) return QStringLiteral("unknown MIDI format %1").arg(format);
  if (tracks == 0) return QStringLiteral("the header declares no track");
  if (format == 0 && tracks != 1) {
    return QStringLiteral("a format 0 MIDI file has one track; this header declares %1")
        .arg(tracks);
  }
  if (division == 0) return QStringLiteral("the header's time division is 0");

  std::uint32_t trackChunks = 0;
  int chunk = 1;
  for (qsizetype at = kChunkHeader + headerLength; at < bytes.size(); ++chunk) {
    if (bytes.size() - at < kChunkHeader) {
      return QStringLiteral("chunk %1 is cut off by the end of the file").arg(chunk + 1);
    }
    const QByteArray type = bytes.mid(at, 4);
    const std::uint32_t length = BigEndian(bytes, at + 4, 4);
    if (length > static_cast<std::uint64_t>(bytes.size() - at - kChunkHeader)) {
      return QStringLiteral("chunk %1 (\"%2\") runs past the end of the file")
          .arg(chunk + 1)
          .arg(QString::fromLatin1(type));
    }
    if (type == "MTrk") ++trackChunks;
    at += kChunkHeader + static_cast<qsizetype>(length);
  }
  if (trackChunks < tracks) {
    return QStringLiteral("the header declares %1 tracks but the file holds %2 \"MTrk\" chunks")
        .arg(tracks)
        .arg(trackChunks);
  }
  return {};
}

}  // namespace

void CheckTune(const QString& gameFolder, Report& report) {
  const FileBytes file = ReadGameFile(gameFolder, gameFolder + kTune, kMaxTuneBytes);
  if (file.problem != FileProblem::None) {
    report.Error(
        {kTune},
        QStringLiteral("the tune %1; the game plays no music").arg(FileProblemText(file.problem)));
    return;
  }
  const QString problem = MidiProblem(file.bytes);
  if (!problem.isEmpty()) {
    report.Error({kTune}, problem);
  } else if (!MidiFileLengthInTicks(file.bytes)) {
    // Sound by the file format, but the game's own rule refuses it.
    report.Error({kTune}, QStringLiteral("the game will not play this tune (an unusual header, "
                                         "chunk or event, or no length at all); it stays silent"));
  }
}

}  // namespace hibi::check
