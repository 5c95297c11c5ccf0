// The names of the scenes the game opens by itself and of the pictures they show.
// The game opens them and the game checker (tools/hibi_check) lists them from these
// same formulas, so a checked game never misses a scene the game asks for.
#pragma once

#include <QString>

namespace hibi {

inline constexpr int kPlaces = 3;       // buttons 0 to 2
inline constexpr int kVisitLevels = 5;  // affection levels 1 to 5
inline const QString kOpeningScene = QStringLiteral("opn");
inline const QString kDayLimitScene = QStringLiteral("end");
inline const QString kTitlePicture = QStringLiteral("ttl");

// A place's scene: the button's digit, then the time slot's from 0 ("00" is place 0
// early in the morning, slot 1).
QString PlaceScene(int place, int slot);

// A visit's scene: "0", the character's digit, the affection level 1..5 ("013").
QString VisitScene(int character, int level);

// A character's ending, opened by ">endflag": "end" and her digit.
QString EndingScene(int character);

// The event picture a scene shows when it opens: "opn", "end" and "fin" belong to
// the whole game and show the title picture "ttl" (there is no scene "ttl"), every
// other scene the picture of its own name.
QString EventPictureOf(const QString& scene);

}  // namespace hibi
