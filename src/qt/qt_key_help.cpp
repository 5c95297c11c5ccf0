#include "qt/qt_key_help.h"

#include <QMouseEvent>

namespace hibi {

// Kept the same as the KEYS and MOUSE sections of the manual page, grouped as a
// player looks for them.
const KeyHelpRow kKeyHelpRows[] = {
    {"any key", "title", "shows or hides the day-limit box"},
    {"Ctrl+Enter; Enter in the day-limit box", "title", "begins the game"},
    {"left click, Enter, Space", "scene", "next line, next page"},
    {"right click", "scene", "fast-forward to the next left click or the scene's end"},
    {"Ctrl, held on its own", "scene", "skips lines read before, up to the first new one"},
    {"A", "scene", "auto-advance on and off (a left click stops it too)"},
    {"H, middle click", "scene", "hides the message window; any click or key shows it"},
    {"Tab, arrows; Enter, Space", "between scenes", "choose a command, press it"},
    {"wheel up, Page Up", "scene, between scenes", "opens the history; Escape closes it"},
    {"click the picture, G", "scene, between scenes",
     "the gallery of pictures seen (arrows, Enter or Space; Escape closes it)"},
    {"- and +", "scene, between scenes", "music softer and louder"},
    {"V", "scene, between scenes", "reads the lines aloud, or stops"},
    {"M", "anywhere", "music off and on"},
    {"F1", "anywhere", "this help; F1 or Escape closes it"},
    {"F2", "anywhere", "settings: text speed, auto-advance, skipping, volume"},
    {"F11, Alt+Enter", "anywhere", "full screen on and off; Escape leaves it"},
    {"F12", "anywhere", "saves a picture of the game in your pictures folder"},
};
const int kKeyHelpRowCount = static_cast<int>(std::size(kKeyHelpRows));

KeyHelp::KeyHelp(QWidget& window, std::function<void()> close)
    : QLabel(&window), close_(std::move(close)) {
  setObjectName(QStringLiteral("KeyHelp"));
  setTextFormat(Qt::RichText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 235); color: black;"));
  QString rows;
  for (const KeyHelpRow& row : kKeyHelpRows) {
    rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>")
                .arg(QString::fromUtf8(row.keys).toHtmlEscaped(),
                     QString::fromUtf8(row.where).toHtmlEscaped(),
                     QString::fromUtf8(row.does).toHtmlEscaped());
  }
  setText(QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">") + rows +
          QStringLiteral("</table>"));
  hide();
}

void KeyHelp::Place(const QRect& area) {
  setGeometry(area);
  setMargin(area.width() / 20);
  QFont shown = font();
  shown.setPixelSize(std::max(area.height() / 40, 8));
  setFont(shown);
}

void KeyHelp::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  close_();
}

}  // namespace hibi
