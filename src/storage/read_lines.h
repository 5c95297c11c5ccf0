// Which lines of a game the player has been shown, in any run, so that a held Ctrl
// can pass over what was read before. Kept per game and per player in the user's
// data folder, never in the game folder: a line is remembered by a 64-bit key of its
// scene, its place in the script and its text, one key a line as 16 hex digits.
// The file is replaced atomically, so a crash leaves the previous one whole; it is
// read with a bound, and keys past the bound are simply not remembered.
#pragma once

#include <QString>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace hibi {

// The folder of one game's player files: $XDG_DATA_HOME/hibi/<game>/ (by default
// ~/.local/share), where <game> is the game folder's name, reduced to plain letters
// and digits, and a key of its full path, so two games never share a folder and
// none of them lies inside a game folder. Empty when there is no home at all.
QString PlayerDataFolder(const QString& gameFolder);

inline const QString kReadLinesFileName = QStringLiteral("read.dat");

class ReadLines {
 public:
  // More lines than any story holds; the file stays under 4 MB.
  static constexpr std::size_t kMaxLines = 200000;

  static std::uint64_t KeyOf(const QString& scene, int lineNumber, const QString& text);

  // Forgets what it knew and reads `path`. A missing file is a first run. A file
  // that is there but cannot be read is never written over; lines that are not
  // keys are skipped. An empty path remembers nothing between runs.
  void Load(const QString& path);
  bool Contains(std::uint64_t key) const { return keys_.count(key) > 0; }
  // Remembers the key; true when it was new. Past kMaxLines a new key stays new.
  bool Mark(std::uint64_t key);
  // Writes the file (making its folder) when something was marked since the last
  // write; false when that failed, and the old file is then as it was.
  bool Save();

 private:
  QString path_;
  std::unordered_set<std::uint64_t> keys_;
  std::vector<std::uint64_t> order_;
  bool dirty_ = false;
  bool keepFile_ = false;
};

}  // namespace hibi
