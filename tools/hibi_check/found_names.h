// Names as the game finds them: exact first, then without regard to case, with "\"
// as a folder separator and through code page 932 bytes. Such a game plays, so a
// name found only the loose way is a note for the author, not an error.
#pragma once

#include <QSet>
#include <QString>

#include "report.h"

namespace hibi::check {

class FoundNames {
 public:
  FoundNames(const QString& gameFolder, Report* report) : folder_(gameFolder), report_(report) {}

  // The file the game opens for `relative` (a path inside the game folder), relative
  // too; `relative` itself when nothing matches. Notes a loose match once.
  QString Find(const QString& relative);

 private:
  QString folder_;
  Report* report_;
  QSet<QString> noted_;
};

}  // namespace hibi::check
