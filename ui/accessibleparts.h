#pragma once

// What the accessible interfaces of the window's items have in common.

#include "items.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>

class QWidget;

namespace ui::accessible {

// An item's widget in the window, by the layout's name.
QWidget* itemIn(const QWidget* window, sim::Item item);
QWidget* sibling(const QWidget* widget, sim::Item item);

// Replaces whatever interface Qt made or would make for the object. Qt's own factory answers
// first for its own classes (a QPushButton, a QLabel), so a factory of ours never gets asked.
void install(QAccessibleInterface* iface);

// Text that can be read but not edited, selected or navigated by a caret.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    virtual QString shownText() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        const QString shown = shownText();
        if (endOffset < 0 || endOffset > shown.size())
            endOffset = static_cast<int>(shown.size());
        if (startOffset < 0 || startOffset >= endOffset)
            return {};
        return shown.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

} // namespace ui::accessible
