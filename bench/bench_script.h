// The scene the benchmarks play: ordinary story text in pages of a few lines,
// with speaker rows, faces, pictures and affection raises mixed in as a real
// scene has them, so the interpreter takes every kind of step.
#pragma once

#include <QString>
#include <QStringList>

namespace hibi::bench {

// About `lines` script lines (a page's lines are never split).
inline QStringList BenchScene(int lines) {
  QStringList out;
  for (int page = 0; out.size() < lines; ++page) {
    if (page % 10 == 0) out << QStringLiteral(">img ttl");
    if (page % 7 == 3) out << QStringLiteral(">love,%1").arg(page % 3);
    out << (page % 2 ? QStringLiteral("-よわ＿1") : QStringLiteral("-とおみや"));
    for (int i = 0; i < 5; ++i)
      out << QStringLiteral("「%1ページ目の%2行目。夏の日差しが、まだ少しまぶしい。」")
                 .arg(page + 1)
                 .arg(i + 1);
    out << QString();
  }
  while (out.size() > lines) out.removeLast();
  return out;
}

// `lines` lines of plain text: every line is one shown line, pages end by length.
inline QStringList TextScene(int lines) {
  QStringList out;
  for (int i = 0; i < lines; ++i)
    out << QStringLiteral("%1行目。せみの声が、窓の外でずっと続いている。").arg(i + 1);
  return out;
}

}  // namespace hibi::bench
