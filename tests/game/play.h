// Small ways of playing a scene through the handlers, as a player would, shared by
// the scene tests.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

#include "support/harness.h"

// Readable failure messages for Qt texts, with the line breaks of a page spelled out.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << QString(text).replace("\r", "\\r").replace("\n", "\\n").toStdString() << '"';
}

namespace hibi::testing {

// The label text of a page holding these rows: an empty first row, then each row.
inline QString Page(const QStringList& rows) {
  return rows.isEmpty() ? QString() : "\r\n" + rows.join("\r\n");
}

// The numbered lines "l1" .. "l<count>".
inline QStringList Lines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << "l" + QString::number(i);
  return lines;
}

// Writes the opening scene and starts a game from the title stage, going on with its
// first step as the window would until it is done. Other scenes must be written
// before. Returns how often the step went on after the first slice.
inline int Open(Harness& h, const QStringList& opening, const QString& dayLimit = "10") {
  h.game.WriteScript("opn", opening);
  h.Start();
  h.StartGame(dayLimit);
  int slices = 0;
  for (; h.fom.StepUnfinished(); ++slices) h.fom.ContinueStep();
  return slices;
}

// The box shown for a scene whose script is missing or broken.
inline QString DamagedMessage(const Harness& h, const QString& scene) {
  return h.game.path("txt/") + scene + "が破損しています \r\n制作者に連絡して下さい";
}

// What the player could notice of the game's state.
struct Seen {
  bool picStt, picCom, picKao, lstIvent, txtDay, timSay, stopAtPageEnd;
  int interval;
  QString caption;
  std::int16_t dayLimit;
  qsizetype boxes;
  bool operator==(const Seen&) const = default;
};

inline Seen Look(const Harness& h) {
  const Controls& c = h.fom.controls;
  return {c.PicStt.visible, c.PicCom.visible,     c.PicKao.visible,          c.LstIvent.visible,
          c.TxtDay.visible, c.TimSay.enabled,     h.fom.state.stopAtPageEnd, c.TimSay.interval,
          c.Lbl.caption,    h.fom.state.dayLimit, h.dialogs.boxes.size()};
}

// A press and its click on the message label.
inline void Click(Harness& h, std::int16_t button = kLeftButton) {
  Press(h.fom, button);
  h.fom.Lbl_Click();
}

inline void RightClick(Harness& h) {
  Click(h, kRightButton);
}

inline void RightClickOnTheWindow(Harness& h) {
  PressWindow(h.fom, kRightButton);
  h.fom.Form_Click();
}

// Lets the pacing timer run while it is enabled and clicks whenever the scene waits
// for the player. Returns the page the player was shown at every wait, in order.
inline QStringList PlayPages(Harness& h, int maxEvents = 100000) {
  QStringList pages;
  const Controls& c = h.fom.controls;
  for (int i = 0; i < maxEvents && !c.PicCom.visible && !c.PicStt.visible; ++i) {
    if (c.TimSay.enabled)
      h.fom.TimSay_Timer();
    else {
      pages << c.Lbl.caption;
      Click(h);
    }
  }
  return pages;
}

// Runs the pacing timer `ticks` times.
inline void Tick(Harness& h, int ticks = 1) {
  for (int i = 0; i < ticks; ++i) h.fom.TimSay_Timer();
}

}  // namespace hibi::testing
