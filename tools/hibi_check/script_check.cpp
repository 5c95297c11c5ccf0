#include "script_check.h"

#include <QStringDecoder>

#include "file_problems.h"

#include "script/script_line.h"
#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi::check {
namespace {

constexpr QChar kReplacement(0xFFFD);
// Far beyond any scene; a bigger file is reported instead of read whole.
constexpr qsizetype kMaxScriptBytes = 64 * 1024 * 1024;

QString HexBytes(std::string_view line, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(line[i]); };
  // A lead byte is shown with the byte after it, which is where the pair went wrong.
  const bool lead = IsCp932LeadByte(byte(at));
  QString text = QStringLiteral("%1").arg(static_cast<uint>(byte(at)), 2, 16, QChar('0')).toUpper();
  if (lead && at + 1 < line.size()) {
    text += QStringLiteral(" %1").arg(static_cast<uint>(byte(at + 1)), 2, 16, QChar('0')).toUpper();
  }
  return text;
}

// True for text with at least one multi-byte UTF-8 sequence and no invalid one: a
// script saved in the wrong encoding.
bool LooksLikeUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (char c : bytes) multiByte = multiByte || (static_cast<unsigned char>(c) & 0x80) != 0;
  if (!multiByte) return false;
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !decoder.hasError();
}

class ScriptReader {
 public:
  ScriptReader(const GameFolder& game, const QString& scene, Report& report)
      : game_(game), path_(ScriptPath(game, scene)), report_(report) {}

  ScriptFacts Run();

 private:
  void CheckBytes(int number, std::string_view raw, const QString& line);
  void CheckUnreachable(int number, const QString& line);
  void FollowOpening(int number, const QString& line);
  void CheckLine(int number, const QString& line);
  void CheckPicture(const Where& where, const QString& name);
  void CheckFace(const Where& where, const QString& name);

  const GameFolder& game_;
  QString path_;
  Report& report_;
  ScriptFacts facts_;
  int endedAt_ = 0;  // the line that leaves the scene for good; 0 while it goes on
  bool reportedDeadLines_ = false;
  bool openingDone_ = false;  // a line was shown, or the scene left, since it opened
};

ScriptFacts ScriptReader::Run() {
  // Named as listed on disk: a loose match is noted where the game names the scene.
  const QString onDisk = GameFile(game_.folder, game_.folder + path_);
  const NameFault fault = CheckGameName(path_);
  if (fault != NameFault::None) {
    report_.Error({path_}, QStringLiteral("the script's name %1").arg(NameFaultText(fault)));
    return facts_;
  }
  // Bounded like the game's own reading: a huge file is reported, not held in memory.
  const FileBytes file = ReadGameFile(game_.folder, onDisk, kMaxScriptBytes);
  const std::optional<QStringList> lines =
      file.problem == FileProblem::None ? ReadAllLines(game_.folder, onDisk) : std::nullopt;
  if (!lines) {
    report_.Error({path_}, QStringLiteral("the script %1").arg(FileProblemText(file.problem)));
    return facts_;
  }
  if (lines->isEmpty()) {
    report_.Error({path_},
                  QStringLiteral("the script has no line; the game reports it as damaged"));
    return facts_;
  }
  const QByteArray& bytes = file.bytes;
  const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  const bool utf8 = LooksLikeUtf8(all);
  if (utf8) {
    report_.Error({path_}, QStringLiteral("the script looks like UTF-8; the game reads scripts as "
                                          "code page 932 (Shift_JIS)"));
  }
  const std::vector<std::string_view> raw = SplitRawLines(all);
  if (raw.size() > static_cast<std::size_t>(lines->size())) {
    report_.Error({path_, static_cast<int>(lines->size()) + 1},
                  QStringLiteral("the line is longer than %1 bytes; the game stops the scene "
                                 "there as a damaged script")
                      .arg(kMaxLineBytes));
  }
  for (qsizetype i = 0; i < lines->size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const QString& line = lines->at(i);
    if (!utf8 && static_cast<std::size_t>(i) < raw.size()) CheckBytes(number, raw[i], line);
    CheckUnreachable(number, line);
    FollowOpening(number, line);
    CheckLine(number, line);
  }
  return facts_;
}

void ScriptReader::CheckBytes(int number, std::string_view raw, const QString& line) {
  if (line.contains(kReplacement)) {
    const std::optional<std::size_t> at = FirstInvalidCp932(raw);
    const int column = at ? static_cast<int>(*at) + 1 : 0;
    const QString bytes = at ? QStringLiteral(" (%1)").arg(HexBytes(raw, *at)) : QString();
    report_.Error({path_, number, column},
                  QStringLiteral("invalid code page 932 bytes%1; the game shows \"%2\" instead")
                      .arg(bytes, QString(kReplacement)));
  }
  const std::size_t lf = raw.find('\n');
  if (lf != std::string_view::npos) {
    report_.Warning({path_, number, static_cast<int>(lf) + 1},
                    QStringLiteral("a lone LF does not end a line (lines end in CR LF); the game "
                                   "keeps it inside this line"));
  }
}

// "tugi", ">ive" and ">ending" leave the scene whatever happened before; a script
// has no labels, so nothing can ever reach the lines after them.
void ScriptReader::CheckUnreachable(int number, const QString& line) {
  if (endedAt_ > 0) {
    if (!reportedDeadLines_ && !line.isEmpty()) {
      report_.Warning({path_, number}, QStringLiteral("the scene has left at line %1; this line "
                                                      "and the lines after it are never run")
                                           .arg(endedAt_));
      reportedDeadLines_ = true;  // once per script is enough
    }
    return;
  }
  const LineKind kind = ClassifyLine(line);
  if (kind == LineKind::EndOfScene || kind == LineKind::Jump || kind == LineKind::ReturnToTitle) {
    endedAt_ = number;
  }
}

// The game runs every command up to the first shown line in one go, so a jump among
// them opens the next scene from inside the opening of this one. ">endflag" may fall
// through, and then the jump after it is taken.
void ScriptReader::FollowOpening(int number, const QString& line) {
  if (openingDone_) return;
  switch (ClassifyLine(line)) {
    case LineKind::Affection:
    case LineKind::EndingChoice:
    case LineKind::PageBreak:
    case LineKind::Picture:
      return;
    case LineKind::Jump:
      facts_.jumpBeforeShowing = JumpLine{SceneFile(game_, LineArgument(line)), number};
      break;
    case LineKind::EndOfScene:
    case LineKind::Speaker:
    case LineKind::ReturnToTitle:
    case LineKind::Text:
      break;
  }
  openingDone_ = true;
}

void ScriptReader::CheckLine(int number, const QString& line) {
  const Where where{path_, number};
  switch (ClassifyLine(line)) {
    case LineKind::EndOfScene:
      if (line != u"tugi") {
        report_.Warning(where, QStringLiteral("the scene ends at \"tugi\"; the rest of the line "
                                              "is never shown"));
      }
      break;
    case LineKind::Jump: {
      const QString target = SceneFile(game_, LineArgument(line));
      // A jump in lines that are never run opens nothing.
      if (endedAt_ == number) facts_.jumps.push_back(target);
      const NameFault fault = CheckGameName(ScriptPath(game_, LineArgument(line)));
      if (fault != NameFault::None) {
        report_.Error(where,
                      QStringLiteral("\">ive\" names a scene that %1").arg(NameFaultText(fault)));
      } else if (target.isEmpty()) {
        report_.Error(where, QStringLiteral("\">ive\" names no scene"));
      } else if (!game_.scenes.contains(target)) {
        report_.Error(where, QStringLiteral("\">ive\" opens scene \"%1\", which is missing (%2)")
                                 .arg(target, ScriptPath(game_, target)));
      }
      break;
    }
    case LineKind::Speaker: {
      const SpeakerLine speaker = ParseSpeaker(line);
      if (speaker.showFace) CheckFace(where, speaker.face);
      break;
    }
    case LineKind::Affection: {
      const std::vector<LoveItem> items = ParseLoveItems(line);
      if (items.empty()) {
        report_.Warning(where, QStringLiteral("\">love\" raises nobody; the characters follow "
                                              "commas, as in \">love,0\""));
      }
      for (const LoveItem& item : items) {
        if (item.character) continue;
        report_.Error(
            where,
            QStringLiteral("\">love\" item \"%1\" is not a character (0, 1 or 2)").arg(item.text));
      }
      break;
    }
    case LineKind::EndingChoice:
      facts_.choosesEnding = true;
      break;
    case LineKind::Picture: {
      const QString name = LineArgument(line);
      if (name.isEmpty()) {
        report_.Warning(where, QStringLiteral("\">img\" names no picture; the game redraws the "
                                              "picture it loaded last"));
      } else {
        CheckPicture(where, name);
      }
      break;
    }
    case LineKind::Text:
      if (line.startsWith(u'>')) {
        report_.Warning(
            where, QStringLiteral("\"%1\" is no command; the game shows it as text").arg(line));
      }
      break;
    case LineKind::ReturnToTitle:
      if (endedAt_ == number) facts_.returnsToTitle = true;
      break;
    case LineKind::PageBreak:
      break;
  }
}

void ScriptReader::CheckPicture(const Where& where, const QString& name) {
  const QString file = PictureFileName(name, game_.settings);
  const PictureLook look = game_.pictures->Look(file);
  if (!look.firstLook || look.state == PictureState::Good) return;
  report_.Error(
      where,
      look.state == PictureState::Missing
          ? QStringLiteral("picture \"%1\" is missing (%2)").arg(name, file)
          : QStringLiteral("picture \"%1\" cannot be loaded: %2 %3").arg(name, file, look.why));
}

void ScriptReader::CheckFace(const Where& where, const QString& name) {
  const QString file = FaceFileName(name, game_.settings);
  const PictureLook look = game_.faces->Look(file);
  if (!look.firstLook || look.state == PictureState::Good) return;
  report_.Error(
      where, look.state == PictureState::Missing
                 ? QStringLiteral("face \"%1\" is missing (%2)").arg(name, file)
                 : QStringLiteral("face \"%1\" cannot be loaded: %2 %3").arg(name, file, look.why));
}

}  // namespace

QString ScriptPath(const GameFolder& game, const QString& scene) {
  return ScriptFileName(scene, game.settings);
}

QString SceneFile(const GameFolder& game, const QString& scene) {
  const QString asked = ScriptPath(game, scene);
  const QString found = game.names ? game.names->Find(asked) : asked;
  return found == asked ? scene : found.section(u'/', 1).chopped(game.settings.scriptSuffix.size());
}

ScriptFacts CheckScript(const GameFolder& game, const QString& scene, Report& report) {
  return ScriptReader(game, scene, report).Run();
}

}  // namespace hibi::check
