// What a screen reader is given of the window's widgets, where Qt's own would mislead.
//
// The message label is read as a page of text: one row for each line the game has
// shown, the page-end mark "▼" and the speaker mark "■" left out, the empty first
// row left out. Its name stays short and the same, whatever it shows.
// The window, the title stage and the command panel list only the children that are
// shown: a hidden control (the memory list, the day-limit box) is no part of the
// window for a screen reader, as it is none for the eye.
#pragma once

#include <QString>
#include <QStringList>

namespace hibi {

// The message area's accessible name, which the window's screen reader gives it.
inline const QString kMessageName = QStringLiteral("メッセージ");

// The rows of a caption of the message label as they are read: "\r\n", "\r" and "\n"
// end a row, one "▼" at the end of a row and one "■" at its start are dropped, and
// rows left empty are no rows.
QStringList ReadableRows(const QString& caption);

// The text a screen reader is given for those rows: each row followed by "\n".
QString ReadableText(const QStringList& rows);

// Makes Qt hand out the interfaces above for the window called "Fom" and its
// children. Once per program, before any interface of the window is asked for.
void InstallAccessibleWidgets();

}  // namespace hibi
