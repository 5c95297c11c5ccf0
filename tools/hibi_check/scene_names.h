// The scenes the game opens by itself, whatever the scripts say, and why: the
// checker's list of scripts a game cannot do without.
#pragma once

#include <QString>
#include <vector>

namespace hibi::check {

struct NeededScene {
  QString name;
  QString why;  // completes "the game opens it ..."
};

// "opn", "end", the 21 place scenes and the 15 visit scenes.
std::vector<NeededScene> ScenesTheGameOpens();

// "end0", "end1", "end2": opened by ">endflag", so needed once any script has one.
std::vector<NeededScene> CharacterEndings();

}  // namespace hibi::check
