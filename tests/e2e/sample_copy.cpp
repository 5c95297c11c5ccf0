#include "sample_copy.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

#include "storage/text_file.h"

namespace hibi::e2e {
namespace {

// Stretching smooths the picture a little; the reduced copies still agree within
// this much per colour channel on average, while two different pictures do not.
constexpr int kMostMeanDifference = 12;
const QSize kReduced(16, 12);

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

bool LooksLike(const QImage& shown, const QString& pictureFile) {
  const QImage picture(pictureFile);
  if (shown.isNull() || picture.isNull()) return false;
  const auto reduce = [](const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(kReduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  };
  const QImage a = reduce(shown);
  const QImage b = reduce(picture);
  long difference = 0;
  for (int y = 0; y < kReduced.height(); ++y) {
    for (int x = 0; x < kReduced.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      difference += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q));
    }
  }
  return difference / (kReduced.width() * kReduced.height() * 3) <= kMostMeanDifference;
}

}  // namespace hibi::e2e
