// One scene script, line by line, read exactly as the game reads it.
#pragma once

#include <QSet>
#include <QString>
#include <optional>
#include <vector>

#include "found_names.h"
#include "picture_files.h"
#include "report.h"
#include "storage/settings.h"

namespace hibi::check {

// What the checker knows about the game folder while it reads the scripts.
struct GameFolder {
  QString folder;        // ends in "/"
  Settings settings;     // the suffixes
  QSet<QString> scenes;  // every scene that has a script file
  PictureFiles* pictures;
  PictureFiles* faces;
  FoundNames* names = nullptr;
};

// The scene as its script file is named on disk ("EV/03" for "ev\03"), or `scene`
// itself when the game finds no file for it.
QString SceneFile(const GameFolder& game, const QString& scene);

// A ">ive" line: the scene it opens and where it stands.
struct JumpLine {
  QString target;
  int line = 0;
};

struct ScriptFacts {
  std::vector<QString> jumps;   // scenes named by ">ive"
  bool choosesEnding = false;   // has a ">endflag" line
  bool returnsToTitle = false;  // runs a ">ending" line
  // The ">ive" the game can reach right as the scene opens, before any line is shown
  // ("tugi", ">ending" or the end of the file come first: none).
  std::optional<JumpLine> jumpBeforeShowing;
};

// Reports what the game would stumble over in the scene's script: bytes that are not
// code page 932, a file with no line, lone LFs, ">love" items that name nobody,
// ">ive" targets, ">img" pictures and faces that are missing or broken, and lines
// that look like commands but are shown as text.
ScriptFacts CheckScript(const GameFolder& game, const QString& scene, Report& report);

// "txt/" + scene + script suffix
QString ScriptPath(const GameFolder& game, const QString& scene);

}  // namespace hibi::check
