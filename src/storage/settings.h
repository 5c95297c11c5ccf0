// The folder layout beside the program and the settings file sys/sys.dat.
// Every path is plain concatenation: folder + name + suffix, nothing inserted,
// trimmed or case-folded.
#pragma once

#include <QString>
#include <stdexcept>

namespace hibi {

struct Folders {
  QString programFolder;  // ends in exactly one "/"
  QString pictureFolder;
  QString faceFolder;
  QString scriptFolder;
  QString settingsFolder;
};

// The folders under the program folder, each ending in "/".
inline const QString kPictureFolderName = QStringLiteral("img/");
inline const QString kFaceFolderName = QStringLiteral("face/");
inline const QString kScriptFolderName = QStringLiteral("txt/");
inline const QString kSettingsFolderName = QStringLiteral("sys/");

// Appends "/" unless the folder already ends in one ("/" itself stays "/").
Folders MakeFolders(const QString& programFolder);

struct Settings {
  QString scriptSuffix;   // line 1, verbatim (may be empty, may carry spaces)
  QString pictureSuffix;  // line 2, verbatim
};

// A game file's name relative to the program folder: its folder, the name as the
// script or the game gives it, and the suffix from the settings, joined as they are.
QString ScriptFileName(const QString& scene, const Settings& settings);
QString PictureFileName(const QString& picture, const Settings& settings);
QString FaceFileName(const QString& face, const Settings& settings);

// The settings file cannot be used. The game cannot start without it.
class SettingsError : public std::runtime_error {
 public:
  SettingsError(const QString& path, const QString& problem);
  const QString& path() const { return path_; }
  // One line naming the full path and what is wrong, for the player and stderr.
  QString report() const;

 private:
  QString path_;
  QString problem_;
};

// Reads settingsFolder + "sys.dat": at least four lines, line 1 the script suffix,
// line 2 the picture suffix, lines 3 and 4 unused, later lines ignored.
// Throws SettingsError when the file is missing, unreadable or has fewer than four lines.
Settings ReadSettings(const QString& settingsFolder);

}  // namespace hibi
