#include "game_check.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "file_problems.h"
#include "scene_flow.h"
#include "scene_names.h"
#include "script/scene_names.h"
#include "script_check.h"
#include "storage/settings.h"
#include "storage/text_file.h"
#include "tune_check.h"

namespace hibi::check {
namespace {

const QString kSettings = QStringLiteral("sys/sys.dat");

QString Quoted(const QString& suffix) {
  return QLatin1Char('"') + suffix + QLatin1Char('"');
}

std::optional<Settings> CheckSettings(const Folders& folders, FoundNames& names, Report& report) {
  const QString settingsFile = folders.programFolder + names.Find(kSettings);
  const FileProblem problem = OpenGameFile(folders.programFolder, settingsFile).problem;
  if (problem != FileProblem::None) {
    report.Error({kSettings}, QStringLiteral("the settings file %1; the game cannot start")
                                  .arg(FileProblemText(problem)));
    return std::nullopt;
  }
  const std::optional<QStringList> lines = ReadAllLines(folders.programFolder, settingsFile);
  if (lines && lines->size() < 4) {
    report.Error({kSettings}, QStringLiteral("the settings file has %1 lines; the game needs 4 to "
                                             "start (script suffix, picture suffix, two more)")
                                  .arg(lines->size()));
    return std::nullopt;
  }
  Settings settings;
  try {
    settings = ReadSettings(folders.settingsFolder);
  } catch (const SettingsError&) {
    report.Error({kSettings},
                 QStringLiteral("the settings file cannot be read; the game cannot start"));
    return std::nullopt;
  }
  report.Note({kSettings}, QStringLiteral("script suffix %1, picture suffix %2")
                               .arg(Quoted(settings.scriptSuffix), Quoted(settings.pictureSuffix)));
  const auto checkSpaces = [&](int line, const QString& what, const QString& suffix) {
    if (suffix.trimmed() == suffix) return;
    report.Warning({kSettings, line}, QStringLiteral("the %1 suffix %2 has a space at its end or "
                                                     "start, which is part of every file name")
                                          .arg(what, Quoted(suffix)));
  };
  checkSpaces(1, QStringLiteral("script"), settings.scriptSuffix);
  checkSpaces(2, QStringLiteral("picture"), settings.pictureSuffix);
  const auto checkSeparator = [&](int line, const QString& what, const QString& suffix) {
    if (!SuffixHoldsSeparator(suffix)) return;
    report.Error({kSettings, line}, QStringLiteral("the %1 suffix %2 holds a folder separator; "
                                                   "the game refuses every name made with it")
                                        .arg(what, Quoted(suffix)));
  };
  checkSeparator(1, QStringLiteral("script"), settings.scriptSuffix);
  checkSeparator(2, QStringLiteral("picture"), settings.pictureSuffix);
  return settings;
}

// Every file under txt/ whose name ends in the script suffix, as sorted scene names.
QStringList FindScenes(const GameFolder& game) {
  const QString scriptFolder = game.folder + game.names->Find(kScriptFolderName.chopped(1)) + u'/';
  QStringList scenes;
  QDirIterator it(scriptFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString relative = QDir(scriptFolder).relativeFilePath(it.next());
    if (!relative.endsWith(game.settings.scriptSuffix, Qt::CaseInsensitive)) continue;
    scenes.append(relative.chopped(game.settings.scriptSuffix.size()));
  }
  std::sort(scenes.begin(), scenes.end());
  return scenes;
}

void CheckTitle(const GameFolder& game, Report& report) {
  const QString file = PictureFileName(kTitlePicture, game.settings);
  const PictureLook look = game.pictures->Look(file);
  if (look.state == PictureState::Missing) {
    report.Error({file}, QStringLiteral("the title picture \"ttl\" is missing"));
  } else if (look.state == PictureState::Broken) {
    report.Error(
        {file},
        QStringLiteral("the title picture \"ttl\" cannot be loaded: %1 %2").arg(file, look.why));
  }
}

void CheckScenePicture(const GameFolder& game, const QString& scene, Report& report) {
  // The game opens its own scenes by their lower-case names, whatever the file's case.
  const bool own = EventPictureOf(scene.toLower()) == kTitlePicture;
  const QString picture = own ? kTitlePicture : EventPictureOf(scene);
  if (picture == kTitlePicture) return;  // checked once as the title picture
  const QString file = PictureFileName(picture, game.settings);
  const PictureLook look = game.pictures->Look(file);
  if (!look.firstLook) return;
  if (look.state == PictureState::Missing) {
    // Allowed: the scene then shows an empty picture layer (and the memory list
    // still remembers it), which an author may want on purpose.
    report.Warning({file}, QStringLiteral("scene \"%1\" has no picture of its own; the game shows "
                                          "an empty picture layer")
                               .arg(scene));
  } else if (look.state == PictureState::Broken) {
    report.Error({file}, QStringLiteral("the picture of scene \"%1\" cannot be loaded: %2 %3")
                             .arg(scene, file, look.why));
  }
}

}  // namespace

void CheckGame(const QString& folder, Report& report) {
  const Folders folders = MakeFolders(folder);
  FoundNames names(folders.programFolder, &report);
  const std::optional<Settings> settings = CheckSettings(folders, names, report);
  if (!settings) {
    report.Summary(0, 0, 0);
    return;
  }
  PictureFiles pictures(folders.programFolder, &names);
  PictureFiles faces(folders.programFolder, &names);
  GameFolder game{folders.programFolder, *settings, {}, &pictures, &faces, &names};
  CheckTitle(game, report);

  const QStringList scenes = FindScenes(game);
  game.scenes = QSet<QString>(scenes.begin(), scenes.end());
  QHash<QString, ScriptFacts> facts;
  bool anyEndingChoice = false;
  for (const QString& scene : scenes) {
    CheckScenePicture(game, scene, report);
    const ScriptFacts& f = facts[scene] = CheckScript(game, scene, report);
    anyEndingChoice = anyEndingChoice || f.choosesEnding;
  }

  std::vector<NeededScene> needed = ScenesTheGameOpens();
  if (anyEndingChoice) {
    const std::vector<NeededScene> endings = CharacterEndings();
    needed.insert(needed.end(), endings.begin(), endings.end());
  }
  CheckJumpCircles(game, scenes, facts, report);
  CheckEndingsReturn(game, facts, report);

  QSet<QString> reached;
  QStringList toVisit;
  for (const NeededScene& scene : needed) {
    toVisit.append(SceneFile(game, scene.name));
    if (game.scenes.contains(toVisit.last())) continue;
    report.Error(
        {ScriptPath(game, scene.name)},
        QStringLiteral("scene \"%1\" is missing; the game opens it %2").arg(scene.name, scene.why));
  }
  while (!toVisit.isEmpty()) {
    const QString scene = toVisit.takeLast();
    if (reached.contains(scene) || !game.scenes.contains(scene)) continue;
    reached.insert(scene);
    for (const QString& target : facts[scene].jumps) toVisit.append(target);
  }
  for (const QString& scene : scenes) {
    if (reached.contains(scene)) continue;
    report.Warning({ScriptPath(game, scene)},
                   QStringLiteral("nothing opens scene \"%1\"").arg(scene));
  }

  CheckTune(folders.programFolder, report);
  CheckFolderEntries(folders.programFolder, report);
  report.Summary(static_cast<int>(scenes.size()), pictures.count(), faces.count());
}

}  // namespace hibi::check
