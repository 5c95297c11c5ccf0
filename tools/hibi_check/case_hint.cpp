#include "case_hint.h"

#include <QDir>
#include <QFileInfo>

namespace hibi::check {

QString CaseHint(const QString& gameFolder, const QString& missing) {
  const QFileInfo wanted(gameFolder + missing);
  const QString name = wanted.fileName();
  const QStringList entries = wanted.dir().entryList(QDir::Files | QDir::Hidden);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) != 0) continue;
    const qsizetype folderLength = missing.size() - name.size();
    return QStringLiteral("; there is \"%1\", but names are case-sensitive")
        .arg(missing.left(folderLength) + entry);
  }
  return {};
}

}  // namespace hibi::check
