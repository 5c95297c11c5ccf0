// Small ways of playing a scene through the handlers, as a player would, shared by
// the scene tests.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

#include "support/harness.h"

// Readable failure messages for Qt texts, with the line breaks of a page spelled out.
inline void PrintTo(const QString& text, std::ostream* os) {
  QString shown = text;
  shown.replace("\r", "\\r").replace("\n", "\\n");
  *os << '"' << shown.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{';
  for (const QString& text : list) {
    PrintTo(text, os);
    *os << ' ';
  }
  *os << '}';
}

namespace hibi::testing {

// The label text of a page holding these rows: an empty first row, then each row.
inline QString Page(const QStringList& rows) {
  QString text;
  for (const QString& row : rows) text += "\r\n" + row;
  return text;
}

inline bool InScene(const Harness& h) {
  return !h.fom.controls.PicCom.visible && !h.fom.controls.PicStt.visible;
}

inline void Click(Harness& h) {
  h.fom.Lbl_MouseDown(kLeftButton, 0, 0, 0);
  h.fom.Lbl_Click();
}

inline void RightClick(Harness& h) {
  h.fom.Lbl_MouseDown(kRightButton, 0, 0, 0);
  h.fom.Lbl_Click();
}

// Lets the pacing timer run while it is enabled and clicks whenever the scene waits
// for the player. Returns the page the player was shown at every wait, in order.
inline QStringList PlayPages(Harness& h, int maxEvents = 100000) {
  QStringList pages;
  for (int i = 0; i < maxEvents && InScene(h); ++i) {
    if (h.fom.controls.TimSay.enabled) {
      h.fom.TimSay_Timer();
    } else {
      pages << h.fom.controls.Lbl.caption;
      Click(h);
    }
  }
  return pages;
}

// A game whose opening is the single line "tugi": it starts at the command panel,
// with nothing on the message area.
inline void StartAtTheCommandPanel(Harness& h) {
  h.game.WriteScript("opn", {"tugi"});
  h.Start();
  h.StartGame();
}

// Runs the pacing timer `ticks` times.
inline void Tick(Harness& h, int ticks = 1) {
  for (int i = 0; i < ticks; ++i) h.fom.TimSay_Timer();
}

}  // namespace hibi::testing
