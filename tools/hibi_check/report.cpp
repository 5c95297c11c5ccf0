#include "report.h"

namespace hibi::check {
namespace {

// A control character from a name or a script would be a command to the terminal
// (an escape sequence can retitle it or worse): each is printed as \xNN instead.
QString Escaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
      out += QStringLiteral("\\x") +
             QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    } else {
      out += c;
    }
  }
  return out;
}

QString Count(int n, const char* singular, const char* plural) {
  return QStringLiteral("%1 %2").arg(n).arg(QLatin1StringView(n == 1 ? singular : plural));
}

}  // namespace

void Report::Error(const Where& where, const QString& message) {
  ++errors_;
  Print(where, "error", message);
}

void Report::Warning(const Where& where, const QString& message) {
  ++warnings_;
  Print(where, "warning", message);
}

void Report::Note(const Where& where, const QString& message) {
  Print(where, "note", message);
}

void Report::Summary(int scenes, int pictures, int faces) {
  const QString line =
      QStringLiteral("hibi-check: %1, %2, %3: %4, %5\n")
          .arg(Count(scenes, "scene", "scenes"), Count(pictures, "picture", "pictures"),
               Count(faces, "face", "faces"), Count(errors_, "error", "errors"),
               Count(warnings_, "warning", "warnings"));
  std::fputs(line.toUtf8().constData(), out_);
  std::fflush(out_);
}

void Report::Print(const Where& where, const char* severity, const QString& message) {
  QString place = where.path;
  if (where.line > 0) place += QStringLiteral(":%1").arg(where.line);
  if (where.line > 0 && where.column > 0) place += QStringLiteral(":%1").arg(where.column);
  const QString text =
      Escaped(QStringLiteral("%1: %2: %3").arg(place, QLatin1StringView(severity), message)) +
      u'\n';
  std::fputs(text.toUtf8().constData(), out_);
}

}  // namespace hibi::check
