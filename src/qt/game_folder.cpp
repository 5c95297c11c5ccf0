#include "qt/game_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "storage/game_names.h"

namespace hibi {
namespace {

bool IsGame(const QString& folder) {
  const QString root = folder + u'/';
  return FindGameFile(root, root + QStringLiteral("sys/sys.dat")).found;
}

QString UserDataFolder() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (QDir::isAbsolutePath(xdg)) return xdg;
  return QDir::homePath() + QStringLiteral("/.local/share");
}

// The fingerprint of a sample's files, written beside it by the build; empty when
// there is none.
QByteArray ReadStamp(const QString& file) {
  QFile stamp(file);
  if (!stamp.open(QIODevice::ReadOnly)) return {};
  return stamp.read(256).trimmed();
}

bool WriteStamp(const QString& file, const QByteArray& stamp) {
  QSaveFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(stamp + '\n') == stamp.size() + 1 &&
         out.commit();
}

// The save and the gallery are the player's, whatever a sample ships in their place.
bool IsPlayersOwn(const QString& relative) {
  return relative.compare(QStringLiteral("/sys/all.dat"), Qt::CaseInsensitive) == 0 ||
         relative.compare(QStringLiteral("/sys/lstphoto.dat"), Qt::CaseInsensitive) == 0;
}

// Written beside and renamed over, so a start cut short leaves whole files only, and
// readable and writable by the player whatever the installed modes.
bool CopyFile(const QString& source, const QString& target) {
  const QString part = target + QStringLiteral(".part");
  QFile::remove(part);
  return QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(source, part) &&
         QFile::setPermissions(
             part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther) &&
         std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) ==
             0;
}

// Copies every file of the sample over the copy, except the player's own. The settings
// file goes last, so a copy cut short is not taken for a game.
bool CopyGame(const QString& from, const QString& to) {
  const QString settings = QStringLiteral("/sys/sys.dat");
  QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString relative = files.next().mid(from.size());
    if (relative == settings) continue;
    if (IsPlayersOwn(relative) && QFileInfo::exists(to + relative)) continue;
    if (!CopyFile(from + relative, to + relative)) return false;
  }
  return CopyFile(from + settings, to + settings);
}

}  // namespace

QString DefaultGameFolder(const QString& programFolder) {
  if (IsGame(programFolder)) return programFolder;
  const QString sample = QDir::cleanPath(programFolder + QStringLiteral("/../share/hibi/sample"));
  if (!IsGame(sample)) return programFolder;
  const QString copy = UserDataFolder() + QStringLiteral("/hibi/sample");
  // A newer package's sample reaches the copy on the next start; the save and the
  // gallery stay. Without a fingerprint the copy is only ever made once.
  const QByteArray stamp = ReadStamp(sample + QStringLiteral(".version"));
  const QString copyStamp = copy + QStringLiteral(".version");
  if (!IsGame(copy) || (!stamp.isEmpty() && ReadStamp(copyStamp) != stamp)) {
    if (CopyGame(sample, copy) && !stamp.isEmpty()) WriteStamp(copyStamp, stamp);
  }
  return IsGame(copy) ? copy : programFolder;
}

}  // namespace hibi
