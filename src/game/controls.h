// A model of the window's controls with their design-time state. The core writes
// it; the Qt window re-renders its widgets from it after every event. Several
// controls hold game state themselves: the enabled flags of TimHirou and PicCom,
// the visibility of PicCom (command mode), the text of Lbl (the current page) and
// the items of LstIvent (the memory list).
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace hibi {

struct BoxControl {
  bool visible = false;
  bool enabled = true;
};

struct LabelControl {
  bool visible = true;
  QString caption = QStringLiteral("Label1");
};

struct TextBoxControl {
  bool visible = false;
  QString text;
};

struct ListControl {
  bool visible = false;
  QStringList items;
  int listIndex = -1;  // the selected item; -1 when none
};

// Timer intervals in milliseconds: a line of text (and a recovery tick) every
// 100 ms, a line every 1 ms in fast-forward.
inline constexpr int kPacingMs = 100;
inline constexpr int kFastForwardMs = 1;
inline constexpr int kWatchdogMs = 1;

struct TimerControl {
  bool enabled = false;
  int interval = kPacingMs;
};

inline const QString kMemoryHeading = QStringLiteral("▼記憶");

// The eight buttons of the control array Com, by index.
enum class Command { Park, Forest, Shop, VisitYowa, VisitToomiya, VisitKouki, Rest, Menu };

inline const std::array<QString, 8> kCommandCaptions = {
    QStringLiteral("かえる公園"),   QStringLiteral("森林万樹"),     QStringLiteral("サガの店"),
    QStringLiteral("よわのねぐら"), QStringLiteral("とおみやの家"), QStringLiteral("こうきの部屋"),
    QStringLiteral("休む"),         QStringLiteral("メニュー")};

struct Controls {
  BoxControl PicStt;                                   // the title stage
  TextBoxControl TxtDay{false, QStringLiteral("10")};  // inside PicStt
  BoxControl Pic;                                      // event-picture layer
  BoxControl PicKao;                                   // the speaker's face
  LabelControl Lbl{false, QStringLiteral("Label1")};   // the message text
  BoxControl ShpK{true, true};                         // outline round face and text
  ListControl LstIvent;                                // the memory list
  BoxControl PicCom;                                   // command panel: shown in command mode
  LabelControl LblDay;                                 // inside PicCom: elapsed days
  LabelControl LblTime;                                // inside PicCom: time-slot name
  LabelControl LblHirou;                               // inside PicCom: fatigue
  TimerControl TimSay{false, kPacingMs};
  TimerControl TimHirou{false, kPacingMs};
  TimerControl BgmTim{true, kWatchdogMs};
};

}  // namespace hibi
