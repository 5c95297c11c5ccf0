// Makes the game folders the benchmark plays, each a copy of the built game
// folder (the executable included, since a game is the folder beside it):
//   <out>/ff   its opening scene "opn" is 5,000 lines of text, each one shown line
//              (fast-forward and clicks)
//   <out>/big  its title "ttl" and the opening's picture "opn" are 1920 x 1080
//   <out>/imgs its opening shows a line, then runs 5,000 ">img ttl" lines in one
//              step before the second line
//   <out>/loop its tune is one organ chord held for 1.5 s to the tune's very end,
//              so any silence at the loop point is the restart's own
//
// usage: hibi_bench_games <built game folder> <out folder>
//        hibi_bench_games --gap <raw recording>   (16-bit stereo at 44.1 kHz)
//   prints "gap_ms <median> <longest>": the silence at the tune's loop points
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_script.h"
#include "storage/text_file.h"

namespace {

bool CopyFolder(const QString& from, const QString& to) {
  QDir(to).removeRecursively();
  QDir().mkpath(to);
  QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = to + "/" + QDir(from).relativeFilePath(path);
    if (it.fileInfo().isDir()) {
      if (!QDir().mkpath(target)) return false;
    } else if (!QFile::copy(path, target)) {
      return false;
    }
  }
  return true;
}

// A detailed picture, so scaling it costs what a real illustration costs.
bool WriteBigPicture(const QString& path, QColor top, QColor bottom) {
  QImage image(1920, 1080, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 1080);
  sky.setColorAt(0, top);
  sky.setColorAt(1, bottom);
  p.fillRect(image.rect(), sky);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 400; ++i) {
    p.setBrush(QColor::fromHsv((i * 37) % 360, 90, 230, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF((i * 211) % 1920, (i * 97) % 1080), 10 + i % 60, 8 + i % 40);
  }
  p.end();
  return image.save(path);
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

// 96 ticks a quarter at 120 a minute: 288 ticks are 1.5 s.
bool WriteLoopTune(const QString& path) {
  QByteArray track = Bytes({0x00, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20, 0x00, 0xC0, 19});
  for (int note : {48, 55, 60, 64}) track += Bytes({0x00, 0x90, note, 100});
  track += Bytes({0x82, 0x20, 0x80, 48, 0});  // 288 ticks later
  for (int note : {55, 60, 64}) track += Bytes({0x00, 0x80, note, 0});
  track += Bytes({0x00, 0xFF, 0x2F, 0x00});
  const int n = static_cast<int>(track.size());
  const QByteArray tune = "MThd" + Bytes({0, 0, 0, 6, 0, 0, 0, 1, 0, 96}) + "MTrk" +
                          Bytes({n >> 24, (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF}) + track;
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(tune) == tune.size();
}

// The silence at each loop point of a recording of the loop tune, as
// "<median> <longest>" in milliseconds, or "-1 -1" when nothing sounded.
// Silence is every sample below -60 dBFS. The loop points are found as the one
// set of silences spaced by the tune's length that holds the most of them, so a
// dropout elsewhere (an overloaded machine starving the sound server) is not
// taken for one; a loop point with no silence at all counts 0. When no two
// silences are a tune's length apart, the loop points cannot be told: the
// median is then 0 and the longest is the longest silence anywhere.
QString LoopGaps(const QString& path) {
  constexpr qsizetype kPeriod = 66150;  // 1.5 s at 44.1 kHz
  constexpr qsizetype kSlack = 1323;    // 30 ms
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("-1 -1");
  const QByteArray raw = file.readAll();
  const auto* samples = reinterpret_cast<const qint16*>(raw.constData());
  const qsizetype frames = raw.size() / 4;
  struct Run {
    qsizetype start, length;
  };
  std::vector<Run> runs;
  qsizetype quiet = 0;
  bool sounded = false;
  for (qsizetype f = 0; f < frames; ++f) {
    if (std::abs(samples[2 * f]) < 33 && std::abs(samples[2 * f + 1]) < 33) {
      ++quiet;
      continue;
    }
    sounded = true;
    // Half a millisecond at least: a waveform crosses zero for a sample or two.
    if (quiet >= 22 && quiet < f) runs.push_back({f - quiet, quiet});  // not the leading silence
    quiet = 0;
  }
  const auto near = [](qsizetype a, qsizetype b) {
    const qsizetype d = ((a - b) % kPeriod + kPeriod) % kPeriod;
    return d < kSlack || d > kPeriod - kSlack;
  };
  qsizetype anchor = -1, best = 0;
  for (const Run& a : runs) {
    const auto count = std::count_if(runs.begin(), runs.end(),
                                     [&](const Run& r) { return near(r.start, a.start); });
    if (count > best) best = count, anchor = a.start;
  }
  if (!sounded) return QStringLiteral("-1 -1");
  if (best < 2) {
    qsizetype longest = 0;
    for (const Run& r : runs) longest = std::max(longest, r.length);
    return QStringLiteral("0 %1").arg(longest * 1000.0 / 44100, 0, 'f', 1);
  }
  std::vector<double> gaps;
  for (qsizetype point = anchor % kPeriod; point < frames - kSlack; point += kPeriod) {
    if (point < kSlack) continue;
    double gap = 0;
    for (const Run& r : runs)
      if (std::abs(r.start - point) < kSlack) gap = std::max(gap, r.length * 1000.0 / 44100);
    gaps.push_back(gap);
  }
  std::sort(gaps.begin(), gaps.end());
  return QStringLiteral("%1 %2").arg(gaps[gaps.size() / 2], 0, 'f', 1).arg(gaps.back(), 0, 'f', 1);
}

QStringList PictureRun(int pictures) {
  QStringList lines{QStringLiteral("一行目。")};
  for (int i = 0; i < pictures; ++i) lines << QStringLiteral(">img ttl");
  return lines << QStringLiteral("二行目。絵の続いたあとの行。");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--gap") {
    std::printf("gap_ms %s\n", qPrintable(LoopGaps(QString::fromLocal8Bit(argv[2]))));
    return 0;
  }
  // Pictures are drawn in memory; no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: hibi_bench_games <built game folder> <out folder>\n");
    return 2;
  }
  const QString from = QString::fromLocal8Bit(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const bool ok =
      CopyFolder(from, out + "/ff") && CopyFolder(from, out + "/big") &&
      CopyFolder(from, out + "/loop") && WriteLoopTune(out + "/loop/bgm.mid") &&
      CopyFolder(from, out + "/imgs") &&
      hibi::WriteLinesAtomically(out + "/imgs/txt/opn.txt", PictureRun(5000)) &&
      hibi::WriteLinesAtomically(out + "/ff/txt/opn.txt", hibi::bench::TextScene(5000)) &&
      WriteBigPicture(out + "/big/img/ttl.png", QColor(90, 170, 240), QColor(250, 220, 160)) &&
      WriteBigPicture(out + "/big/img/opn.png", QColor(250, 180, 120), QColor(60, 80, 160));
  if (!ok) std::fprintf(stderr, "hibi_bench_games: cannot write %s\n", argv[2]);
  return ok ? 0 : 1;
}
