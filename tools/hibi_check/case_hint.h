// Games made on a system that ignores letter case often name files "OPN.TXT" or
// "Ttl.png"; here names are case-sensitive, so the game does not find them.
#pragma once

#include <QString>

namespace hibi::check {

// For a file that is missing: "; there is \"txt/OPN.TXT\", but names are
// case-sensitive" when a file differing only in letter case exists in its folder,
// otherwise the empty text. Both paths are relative to `gameFolder`.
QString CaseHint(const QString& gameFolder, const QString& missing);

}  // namespace hibi::check
