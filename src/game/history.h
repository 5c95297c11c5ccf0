// What the message area has shown in this run, page by page, so the player can
// read back lines that have gone by. Fed from every text the label is given; kept
// in memory only. While the player reads it the game stands still (Fom::InModal).
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

namespace hibi {

class History {
 public:
  // Far more than anyone scrolls back through; the oldest pages go first.
  static constexpr std::size_t kPagesKept = 500;

  // The label's new text. A text that adds rows to the page on show extends it; any
  // other starts a new page, and an empty text ends the page on show. `pageMarker`
  // is the marker the text may end with; it is not part of what was said.
  void Record(const QString& caption, const QString& pageMarker);

  // Every row shown so far, oldest first, each page beginning with its empty row.
  QStringList Rows() const;
  std::size_t PageCount() const { return pages_.size(); }

  bool IsOpen() const { return open_; }
  void SetOpen(bool open) { open_ = open; }

 private:
  std::deque<QString> pages_;
  bool pageOnShow_ = false;  // the last page may still grow
  bool open_ = false;
};

}  // namespace hibi
