#include "qt/qt_accessible_widgets.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QRegularExpression>

namespace hibi {
namespace {

// The message label: a read-only page of text that takes the focus in a scene.
class MessageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit MessageAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::EditableText) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    // Given the focus by the game, never by Tab or a click: a label that may take the
    // focus lays its text out as a document, which Qt reports in full at every line.
    state.focusable = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // Nothing on the page can be selected or scrolled, and it has no caret but its start.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return Page().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Page().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QString Page() const {
    return ReadableText(ReadableRows(static_cast<QLabel*>(widget())->text()));
  }
};

// A box whose hidden children are none of a screen reader's business.
class ShownChildrenAccessible : public QAccessibleWidget {
 public:
  ShownChildrenAccessible(QWidget* widget, QAccessible::Role role)
      : QAccessibleWidget(widget, role) {}

  int childCount() const override { return static_cast<int>(Shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> shown = Shown();
    if (index < 0 || index >= shown.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(shown[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    return static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Shown() const {
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      // The outline round the message is drawing, nothing to read.
      if (child && !child->isWindow() && !child->isHidden() &&
          child->objectName() != QLatin1String("ShpK")) {
        shown.append(child);
      }
    }
    return shown;
  }
};

bool InGameWindow(const QWidget* widget) {
  const QWidget* top = widget->window();
  return top && top->objectName() == QLatin1String("Fom");
}

QAccessibleInterface* Factory(const QString& key, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (!InGameWindow(widget)) return nullptr;
  const QString name = widget->objectName();
  if (name == QLatin1String("Lbl") && key == QLatin1String("QLabel")) {
    return new MessageAccessible(static_cast<QLabel*>(widget));
  }
  if (key != QLatin1String("QWidget")) return nullptr;
  if (name == QLatin1String("Fom")) return new ShownChildrenAccessible(widget, QAccessible::Window);
  if (name == QLatin1String("PicCom")) {
    return new ShownChildrenAccessible(widget, QAccessible::Grouping);
  }
  if (name == QLatin1String("PicStt") || name == QLatin1String("Pic") ||
      name == QLatin1String("PicKao")) {
    return new ShownChildrenAccessible(widget, QAccessible::Graphic);
  }
  return nullptr;
}

}  // namespace

QStringList ReadableRows(const QString& caption) {
  static const QRegularExpression kRowEnd(QStringLiteral("\r\n|\r|\n"));
  QStringList rows;
  for (QString row : caption.split(kRowEnd)) {
    if (row.endsWith(QChar(0x25BC))) row.chop(1);         // ▼
    if (row.startsWith(QChar(0x25A0))) row.remove(0, 1);  // ■
    if (!row.isEmpty()) rows.append(row);
  }
  return rows;
}

QString ReadableText(const QStringList& rows) {
  QString text;
  for (const QString& row : rows) text += row + QLatin1Char('\n');
  return text;
}

void InstallAccessibleWidgets() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace hibi
