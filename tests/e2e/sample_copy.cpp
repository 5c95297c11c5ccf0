#include "sample_copy.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <limits>

#include "storage/text_file.h"

namespace hibi::e2e {
namespace {

// Small enough to forgive the smoothing of a stretch, large enough to tell the
// shop at noon from the shop in the afternoon.
const QSize kReduced(32, 24);

QImage Reduce(const QImage& image) {
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_RGB32)
      .scaled(kReduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

long Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return std::numeric_limits<long>::max();
  long difference = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      difference += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q));
    }
  }
  return difference;
}

}  // namespace

SampleCopy::SampleCopy() {
  const QDir sample(QStringLiteral(HIBI_SAMPLE_DIR));
  QDirIterator files(sample.path(), QDir::Files, QDirIterator::Subdirectories);
  int copied = 0;
  while (files.hasNext()) {
    const QString from = files.next();
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly)) {
      ADD_FAILURE() << "cannot read " << from.toStdString();
      continue;
    }
    Write(sample.relativeFilePath(from), file.readAll());
    ++copied;
  }
  EXPECT_GT(copied, 0) << "no sample game at " HIBI_SAMPLE_DIR;
}

QByteArray SampleCopy::Read(const QString& relative) const {
  QFile file(folder() + relative);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void SampleCopy::Write(const QString& relative, const QByteArray& bytes) const {
  const QString path = folder() + relative;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    ADD_FAILURE() << "cannot write " << path.toStdString();
  }
}

bool SampleCopy::Exists(const QString& relative) const {
  return QFileInfo::exists(folder() + relative);
}

QByteArray Cp932Lines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    const std::string encoded = EncodeCp932(line);
    bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
    bytes.append("\r\n");
  }
  return bytes;
}

QString SavedNumber(int value) {
  return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
         QStringLiteral(" ");
}

QString SampleCopy::WhichPicture(const QImage& shown) const {
  if (shown.isNull()) return {};
  if (reduced_.isEmpty()) {
    for (const QString& file : QDir(folder() + "img").entryList({"*.png"}, QDir::Files)) {
      reduced_.insert(QFileInfo(file).completeBaseName(), Reduce(QImage(folder() + "img/" + file)));
    }
  }
  const QImage small = Reduce(shown);
  QString closest;
  long best = std::numeric_limits<long>::max();
  for (auto it = reduced_.cbegin(); it != reduced_.cend(); ++it) {
    const long difference = Difference(small, it.value());
    if (difference < best) {
      best = difference;
      closest = it.key();
    }
  }
  return closest;
}

}  // namespace hibi::e2e
