#include "storage/write_failure.h"

namespace hibi {

QString WriteFailureReason(FileProblem problem, const QString& what) {
  switch (problem) {
    case FileProblem::NoSpace:
      return QStringLiteral("容量が足りないため、%1を書き込めませんでした。").arg(what);
    case FileProblem::Denied:
    case FileProblem::Refused:
      return QStringLiteral("書き込みが許可されていないため、%1を書き込めませんでした。").arg(what);
    default:
      return QString();
  }
}

}  // namespace hibi
