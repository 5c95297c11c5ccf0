#include "file_problems.h"

#include <QDirIterator>
#include <QFileInfo>

#include "report.h"

namespace hibi::check {

QString FileProblemText(FileProblem problem) {
  switch (problem) {
    case FileProblem::Missing:
      return QStringLiteral("is missing");
    case FileProblem::Refused:
      return QStringLiteral("leads outside the game folder; the game refuses it");
    case FileProblem::NotAFile:
      return QStringLiteral(
          "is not a regular file (a folder, FIFO, device or socket); the game "
          "refuses it");
    case FileProblem::TooLarge:
      return QStringLiteral("is larger than the game reads");
    case FileProblem::Denied:
      return QStringLiteral("may not be read");
    default:
      return QStringLiteral("cannot be read");
  }
}

QString NameFaultText(NameFault fault) {
  switch (fault) {
    case NameFault::Absolute:
      return QStringLiteral("is an absolute name; the game refuses it");
    case NameFault::LeavesFolder:
      return QStringLiteral("leaves the game folder through \"..\"; the game refuses it");
    case NameFault::ControlCharacter:
      return QStringLiteral("holds a control character; the game refuses it");
    default:
      return QString();
  }
}

void CheckFolderEntries(const QString& gameFolder, Report& report) {
  QDirIterator it(gameFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  QStringList entries;
  while (it.hasNext()) entries << it.next();
  entries.sort();  // the listing's own order differs from one disk to the next
  for (const QString& path : entries) {
    const QFileInfo entry(path);
    const QString relative = path.mid(gameFolder.size());
    if (entry.isSymLink()) {
      if (OpenGameFile(gameFolder, path).problem != FileProblem::Refused) continue;
      report.Error({relative}, QStringLiteral("a link that leads outside the game folder (to %1); "
                                              "the game refuses it")
                                   .arg(entry.symLinkTarget()));
    } else if (!entry.isDir() && !entry.isFile()) {
      report.Error({relative},
                   QStringLiteral("a FIFO, device or socket, not a file; the game refuses it"));
    }
  }
}

}  // namespace hibi::check
