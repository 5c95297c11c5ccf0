#include "found_names.h"

#include <QStringList>

#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi::check {
namespace {

// A name on disk as the author would read it: code page 932 bytes decoded.
QString Shown(const QString& path) {
  for (const QChar c : path) {
    if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) return DecodeCp932(NativePath(path));
  }
  return path;
}

}  // namespace

QString FoundNames::Find(const QString& relative) {
  const FoundFile file = FindGameFile(folder_, folder_ + relative);
  if (!file.found) return relative;
  const QString found = file.path.mid(folder_.size());
  if (file.through == kExactName || !report_ || noted_.contains(found)) return found;
  noted_.insert(found);
  QStringList ways;
  if (file.through & kCaseFolding) ways << QStringLiteral("case folding");
  if (file.through & kBackslash) ways << QStringLiteral("\"\\\" as a folder");
  if (file.through & kCodePage932) ways << QStringLiteral("code page 932 bytes");
  if (!ways.isEmpty()) {
    report_->Note({Shown(found)},
                  QStringLiteral("plays, through %1: %2 for %3")
                      .arg(ways.join(QStringLiteral(", ")), Shown(found), relative));
  }
  if (file.through & kSeveralMatched) {
    report_->Note(
        {Shown(found)},
        QStringLiteral("several files match %1; the game takes %2").arg(relative, Shown(found)));
  }
  return found;
}

}  // namespace hibi::check
