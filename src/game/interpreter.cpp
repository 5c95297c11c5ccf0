// Running a scene script: one step shows at most one line, and every command line
// before it runs at once, in a loop so that any number of them fit in one step.
#include "game/draw.h"
#include "game/fom.h"
#include "script/scene_names.h"
#include "script/script_line.h"
#include "storage/numbers.h"

namespace hibi {
namespace {

const QString kEndOfScript = QStringLiteral("tugi");
const QString kLineBreak = QStringLiteral("\r\n");
// Of a run of ">img" lines only the last that loads can be seen. Were the last 64
// all missing, an earlier one is not looked for.
constexpr qsizetype kKeptPictures = 64;
// Each ">love" item adds 10 to 19 points.
constexpr int kLoveDraw = 10;
constexpr int kLoveBase = 10;

// Shown lines pile up on the label until one ends the page; the next line after
// that starts a fresh page. Page length counts from pageLineCount as the scene left
// it: eight lines after the scene opened, nine after an empty line.
void ShowLine(Fom& fom, const QString& line, const QString& scriptLine) {
  fom.NoteLineShown(scriptLine);
  GameState& s = fom.state;
  const QString page = s.pageMarker == kPageEndMarker ? QString() : fom.controls.Lbl.caption;
  if (NextLineEndsPage(s.nextLine) || s.pageLineCount > 7) {
    s.pageMarker = kPageEndMarker;
    if (s.stopAtPageEnd) fom.controls.TimSay.enabled = false;
    s.pageLineCount = 0;
  } else {
    s.pageMarker.clear();
  }
  ++s.pageLineCount;
  fom.ShowMessage(page + kLineBreak + line + s.pageMarker);
}

}  // namespace

void Fom::StepScript() {
  stepUnfinished_ = false;
  // A step's ">img" lines are drawn together when anything else comes, since only
  // the last of them can be seen; drawing each froze the window on long runs.
  QStringList pictures;
  const auto drawPictures = [&] {
    DrawEventPictures(pictures);
    pictures.clear();
  };
  // Nothing ever reads a script that is not open; each pass of the loop may close it.
  for (int lines = 0; state.scriptFile; ++lines) {
    if (lines == kStepSliceLines) {
      drawPictures();
      stepUnfinished_ = true;
      return;
    }
    const QString line = state.nextLine;
    ++lineNumber_;
    // The end of the file counts as "tugi". A line past all bounds or a read error
    // is a damaged script, found only now: the scene stops here, as one that could
    // not be opened, and the next tick or click goes back to the command panel.
    std::optional<QString> next = state.scriptFile->ReadLine();
    if (!next && state.scriptFile->stop() != TextReader::Stop::None) {
      state.scriptFile.reset();
      drawPictures();
      ReportDamagedScript(openScene_);
      return;
    }
    state.nextLine = next.value_or(kEndOfScript);

    const LineKind kind = ClassifyLine(line);
    if (kind == LineKind::Picture) {
      const QString name = LineArgument(line);
      RememberPicture(name);
      pictures.append(name);
      if (pictures.size() > kKeptPictures) pictures.removeFirst();
      continue;
    }
    if (kind != LineKind::Affection && kind != LineKind::PageBreak) drawPictures();
    switch (kind) {
      case LineKind::EndOfScene:
        state.scriptFile.reset();
        CloseScene();
        return;
      case LineKind::Jump:
        state.scriptFile.reset();
        CloseScene();
        OpenScene(LineArgument(line));
        return;
      case LineKind::Speaker: {
        const SpeakerLine speaker = ParseSpeaker(line);
        if (speaker.showFace) {
          ShowFace(speaker.face);
          controls.PicKao.visible = true;
        } else {
          controls.PicKao.visible = false;
        }
        ShowLine(*this, speaker.row, line);
        return;
      }
      case LineKind::Affection:
        for (const LoveItem& item : ParseLoveItems(line)) {
          if (!item.character) continue;  // a slip of the author's pen costs no draw
          const int gain = WholePart(ports_.random.Next(), kLoveDraw) + kLoveBase;
          std::int16_t& points = state.affection[static_cast<std::size_t>(*item.character)];
          points = SaturatingAdd(points, gain);
        }
        continue;
      case LineKind::ReturnToTitle:
        state.scriptFile.reset();
        Form_Activate();
        return;
      case LineKind::EndingChoice:
        if (const std::optional<QChar> digit = EndingDigit(state.affection)) {
          state.scriptFile.reset();
          CloseScene();
          OpenScene(EndingScene(digit->digitValue()));
          return;
        }
        continue;  // everybody else's ending follows in the same scene
      case LineKind::PageBreak:
        ShowMessage(QString());
        state.pageLineCount = 0;
        continue;
      case LineKind::Picture:
        continue;  // collected above
      case LineKind::Text:
        ShowLine(*this, line, line);
        return;
    }
  }
}

void Fom::ContinueStep() {
  // Put aside, the message window holds the step as a box does.
  if (stepUnfinished_ && !InModal() && !hidden_) Advance();
}

}  // namespace hibi
