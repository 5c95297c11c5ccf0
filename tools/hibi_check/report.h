// The checker's output: compiler-style lines an editor can jump to, printed as they
// are found, then one summary line.
//   txt/011.txt:14: error: ">love" item "3" is not a character (0, 1 or 2)
#pragma once

#include <QString>
#include <cstdio>

namespace hibi::check {

// A place in the game folder. Line and column count from 1; 0 leaves them out.
struct Where {
  QString path;  // relative to the game folder
  int line = 0;
  int column = 0;  // a byte column
};

class Report {
 public:
  explicit Report(std::FILE* out) : out_(out) {}

  void Error(const Where& where, const QString& message);
  void Warning(const Where& where, const QString& message);
  void Note(const Where& where, const QString& message);

  // "hibi-check: 47 scenes, 50 pictures, 9 faces: 0 errors, 2 warnings"
  void Summary(int scenes, int pictures, int faces);

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  void Print(const Where& where, const char* severity, const QString& message);

  std::FILE* out_;
  int errors_ = 0;
  int warnings_ = 0;
};

}  // namespace hibi::check
