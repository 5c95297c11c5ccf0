// Entering a scene: the one way from anywhere in the game into a scene script.
#include "game/fom.h"
#include "script/scene_names.h"
#include "storage/game_file.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

// Scenes that jump on before showing anything nest inside one another. Far more
// than any story needs, and far below what would exhaust the stack: a script that
// jumps in a circle is reported as broken instead of bringing the game down.
constexpr int kMaxNestedScenes = 64;

}  // namespace

void Fom::OpenScene(const QString& name) {
  state.scriptFile.reset();
  controls.LstIvent.visible = false;
  state.stopAtPageEnd = true;
  controls.TimSay.interval = PacingMsOf(reader.speed);
  ShowMessage(QString());
  state.pageLineCount = 1;
  controls.PicCom.visible = false;
  controls.PicKao.visible = false;
  // The picture and its place in the memory list come before the script is looked
  // at, so even a scene whose script is broken has been "seen".
  ShowEventPicture(EventPictureOf(name));

  // A name that leaves the game folder, and a suffix that would lead every name into
  // another folder, are damage like a missing script (storage/game_file.h).
  std::unique_ptr<TextReader> script =
      SuffixHoldsSeparator(state.settings.scriptSuffix)
          ? nullptr
          : TextReader::Open(state.folders.programFolder,
                             state.folders.programFolder + ScriptFileName(name, state.settings));
  std::optional<QString> first = script ? script->ReadLine() : std::nullopt;
  if (!first || sceneNesting_ >= kMaxNestedScenes) {
    // The player is left in scene mode with no script; the next click takes them
    // back to the command panel (see Lbl_Click).
    ReportDamagedScript(name);
    return;
  }
  state.scriptFile = std::move(script);
  openScene_ = name;
  lineNumber_ = 0;
  state.nextLine = *first;

  // The same advance a click on the message label performs in scene mode, done
  // directly: the click handler's guards are there for the player's clicks, and a
  // scene may be opened from anywhere, the title stage's own click included.
  controls.TimSay.enabled = true;
  ++sceneNesting_;
  Advance();
  --sceneNesting_;
}

void Fom::ReportDamagedScript(const QString& name) {
  ShowBox(state.folders.scriptFolder + name + QStringLiteral("が破損しています ") +
          QStringLiteral("\r\n") + QStringLiteral("制作者に連絡して下さい"));
}

}  // namespace hibi
