#pragma once

class QAccessibleInterface;
class QScrollBar;

namespace ui {

class ListBox;

// The interface of a list's scroll bar, which stands beside its list among the window's items. Qt
// keeps the bar in a box of its own inside the list, and the list's interface counts only its
// rows: a screen reader that asked where that box stands in the list, as it does at every scroll,
// made Qt warn and got no answer.
QAccessibleInterface* listScrollBarAccessible(ListBox* list);

// The scroll bar standing beside the item, if the item is a list; null otherwise.
QAccessibleInterface* scrollBarBeside(const QAccessibleInterface* item);

} // namespace ui
