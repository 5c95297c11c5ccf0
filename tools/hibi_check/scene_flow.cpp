#include "scene_flow.h"

#include <QSet>

#include "scene_names.h"
#include "script/scene_names.h"

namespace hibi::check {
namespace {

// The depth at which the game gives up opening scenes from inside one another.
constexpr int kMaxNestedScenes = 64;

QString Quoted(const QString& text) {
  return QLatin1Char('"') + text + QLatin1Char('"');
}

const JumpLine* JumpBeforeShowing(const GameFolder& game, const QHash<QString, ScriptFacts>& facts,
                                  const QString& scene) {
  const auto it = facts.constFind(scene);
  if (it == facts.constEnd() || !it->jumpBeforeShowing) return nullptr;
  // A missing scene is reported where it is named; the game stops there.
  return game.scenes.contains(it->jumpBeforeShowing->target) ? &*it->jumpBeforeShowing : nullptr;
}

}  // namespace

void CheckJumpCircles(const GameFolder& game, const QStringList& scenes,
                      const QHash<QString, ScriptFacts>& facts, Report& report) {
  // Each scene jumps on to at most one scene before showing anything, so following
  // the jumps from any scene either stops or runs into exactly one circle.
  QSet<QString> followed;
  for (const QString& start : scenes) {
    QStringList path;
    QString scene = start;
    while (!followed.contains(scene)) {
      followed.insert(scene);
      path.append(scene);
      const JumpLine* jump = JumpBeforeShowing(game, facts, scene);
      if (!jump) break;
      scene = jump->target;
      const qsizetype circleStart = path.indexOf(scene);
      if (circleStart < 0) continue;
      const QStringList circle = path.mid(circleStart);
      QStringList names;
      for (const QString& name : circle) names.append(Quoted(name));
      names.append(Quoted(scene));
      const QString what =
          circle.size() == 1
              ? QStringLiteral("scene %1 opens itself again without showing a line").arg(names[0])
              : QStringLiteral("scenes %1 jump in a circle without showing a line")
                    .arg(names.join(QStringLiteral(" -> ")));
      report.Error({ScriptPath(game, path.last()), jump->line},
                   what + QStringLiteral("; the game gives up %1 scenes deep and reports one of "
                                         "them as broken")
                              .arg(kMaxNestedScenes));
      break;
    }
  }
}

void CheckEndingsReturn(const GameFolder& game, const QHash<QString, ScriptFacts>& facts,
                        Report& report) {
  QStringList endings = {kDayLimitScene};
  for (const NeededScene& ending : CharacterEndings()) endings.append(ending.name);
  for (const QString& ending : endings) {
    if (!game.scenes.contains(SceneFile(game, ending))) continue;
    // An ending may hand over to a closing scene of its own before the title.
    QSet<QString> seen;
    QStringList toVisit = {ending};
    bool returns = false;
    while (!toVisit.isEmpty() && !returns) {
      const QString scene = toVisit.takeLast();
      const auto it = facts.constFind(scene);
      if (seen.contains(scene) || it == facts.constEnd()) continue;
      seen.insert(scene);
      returns = it->returnsToTitle;
      for (const QString& target : it->jumps) toVisit.append(target);
    }
    if (returns) continue;
    report.Warning({ScriptPath(game, ending)},
                   QStringLiteral("the ending never returns to the title (it runs no \">ending\" "
                                  "line); the game would go back to the commands"));
  }
}

}  // namespace hibi::check
