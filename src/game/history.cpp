#include "game/history.h"

#include "game/fom.h"

namespace hibi {

void History::Record(const QString& caption, const QString& pageMarker) {
  if (caption.isEmpty()) {
    pageOnShow_ = false;
    return;
  }
  QString page = caption;
  const bool ended = !pageMarker.isEmpty() && page.endsWith(pageMarker);
  if (ended) page.chop(pageMarker.size());
  // A shown line is appended as CR LF and the line, so the page on show grows by
  // exactly that; the same remark shown twice is two remarks.
  if (pageOnShow_ && !pages_.empty() && page.size() > pages_.back().size() &&
      page.startsWith(pages_.back() + QStringLiteral("\r\n"))) {
    pages_.back() = page;
  } else {
    pages_.push_back(page);
    if (pages_.size() > kPagesKept) pages_.pop_front();
  }
  pageOnShow_ = !ended;
}

QStringList History::Rows() const {
  QStringList rows;
  for (QString page : pages_) {
    page.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    rows += page.split(u'\n');
  }
  return rows;
}

bool Fom::OpenHistory() {
  if (InModal() || controls.PicStt.visible || !controls.Lbl.visible) return false;
  history.SetOpen(true);
  return true;
}

void Fom::CloseHistory() {
  history.SetOpen(false);
}

}  // namespace hibi
