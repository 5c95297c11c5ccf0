#include "storage/settings.h"

#include <QFileInfo>

#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi {

namespace {

constexpr int kSettingsLines = 4;

QString ReportText(const QString& path, const QString& problem) {
  return QStringLiteral("Cannot start: the settings file %1 %2.").arg(path, problem);
}

// Why a file that would not open cannot be used, in the player's words.
QString OpenProblem(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("is missing");
  if (info.isDir()) return QStringLiteral("is a folder, not a file");
  return QStringLiteral("cannot be read");
}

}  // namespace

Folders MakeFolders(const QString& programFolder) {
  Folders folders;
  folders.programFolder = programFolder;
  if (!folders.programFolder.endsWith(QLatin1Char('/'))) folders.programFolder += QLatin1Char('/');
  folders.pictureFolder = folders.programFolder + kPictureFolderName;
  folders.faceFolder = folders.programFolder + kFaceFolderName;
  folders.scriptFolder = folders.programFolder + kScriptFolderName;
  folders.settingsFolder = folders.programFolder + kSettingsFolderName;
  return folders;
}

QString ScriptFileName(const QString& scene, const Settings& settings) {
  return kScriptFolderName + scene + settings.scriptSuffix;
}

QString PictureFileName(const QString& picture, const Settings& settings) {
  return kPictureFolderName + picture + settings.pictureSuffix;
}

QString FaceFileName(const QString& face, const Settings& settings) {
  return kFaceFolderName + face + settings.pictureSuffix;
}

SettingsError::SettingsError(const QString& path, const QString& problem)
    : std::runtime_error(ReportText(path, problem).toStdString()), path_(path), problem_(problem) {}

QString SettingsError::report() const {
  return ReportText(path_, problem_);
}

Settings ReadSettings(const QString& settingsFolder) {
  const QString path = settingsFolder + QStringLiteral("sys.dat");
  // The game folder is the one holding the settings folder.
  const QString gameFolder = settingsFolder.left(settingsFolder.lastIndexOf(u'/', -2) + 1);
  const std::optional<QStringList> read = ReadFirstLines(gameFolder, path, kSettingsLines);
  if (!read) throw SettingsError(path, OpenProblem(path));
  const QStringList& lines = *read;
  if (lines.size() < kSettingsLines) {
    const QString count =
        lines.size() == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(lines.size());
    throw SettingsError(path, QStringLiteral("has %1, needs %2").arg(count).arg(kSettingsLines));
  }
  return Settings{lines[0], lines[1]};
}

}  // namespace hibi
