#pragma once

#include "bmp.h"
#include "layout.h"

#include <cstdint>
#include <functional>
#include <span>
#include <variant>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace ui {

using core::Art;
using core::ItemLayout;

// A filled rectangle, as core::fillShape paints it.
class ShapeItem : public QWidget {
public:
    ShapeItem(const ItemLayout& entry, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ItemLayout& entry_;
};

// A picture over the whole item: at the layout's own size its bitmap stretched by
// nearest-neighbour sampling, at any other the picture drawn for the size it is shown at.
class PictureItem : public QWidget {
public:
    // `file` is the picture's BMP, which outlives the item (one compiled into the program).
    PictureItem(Art art, std::span<const std::uint8_t> file, QWidget* parent);
    // Takes the picture for its size afresh, once its window has it.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Taken again whenever the item's size changes, never while it paints.
    void drawForSize();

    Art art_;
    std::span<const std::uint8_t> file_;
    QImage shown_; // null at the layout's own size
};

// Where the window's own painting draws the graph: it paints nothing itself. What is drawn there
// is told in words by the window, which alone knows it.
class PaintAreaItem : public QWidget {
public:
    explicit PaintAreaItem(QWidget* parent);
    void setTextAlternative(std::function<QString()> text) { textAlternative_ = std::move(text); }
    QString textAlternative() const { return textAlternative_ ? textAlternative_() : QString(); }

protected:
    void paintEvent(QPaintEvent*) override { }

private:
    std::function<QString()> textAlternative_;
};

// A text box: its ground and border as core::fillStaticText paints them, and the text inside the
// border.
class StaticText : public QWidget {
public:
    StaticText(const ItemLayout& entry, QWidget* parent);
    QString text() const { return text_; }
    // Where character `offset` of the text is drawn, in the box's own coordinates; empty past its
    // end.
    QRect characterRect(int offset) const;
    const ItemLayout& layout() const { return entry_; }
    // Tells assistive technology at once, unless the box is left to an Announcer.
    void setText(const QString& text);
    void setAnnouncedByOthers(bool others) { announcedByOthers_ = others; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const ItemLayout& entry_;
    QString text_;
    bool announcedByOthers_ = false;
};

// A single-selection list that shows one row at a time. Once a row is selected the user can move
// the selection but not clear it (Qt would allow Ctrl+click to deselect). A row wider than the
// list is cut off at the list's edge, never shortened or hidden ("10" is wider than the row).
// The focus ring takes the place of the sunken edge.
class ListBox : public QListWidget {
public:
    ListBox(const ItemLayout& entry, QWidget* parent);
    int selectedRow() const;
    void selectRow(int row);
    // Takes its edge's and scroll bar's widths afresh from the style, and rows as tall as the room
    // inside the edge of a list `height` pixels high.
    void restage(int height);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

// A push button whose caption has a colour of its own. Only the caption is drawn in it: the
// face keeps the window's palette, so changing the colour makes no new entries in the style's
// pixmap cache (a new palette per change would, and Qt never gives those back).
class ColourButton : public QPushButton {
public:
    ColourButton(const QString& caption, QWidget* parent);
    QColor captionColour() const { return captionColour_; }
    void setCaptionColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColour_;
};

// A button that stays down after a click and comes up after the next. The program flips it, before
// the toggle's handler runs, so a click by itself leaves it as it is.
class ToggleButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void nextCheckState() override { }
};

Qt::Alignment alignmentOf(core::Align align);

// The widget of one item, by its kind: push and toggle buttons are QPushButtons. The timer has
// no widget.
using ItemWidget = std::variant<std::monostate, ShapeItem*, PictureItem*, PaintAreaItem*, QLabel*, QPushButton*,
                                ColourButton*, ListBox*, StaticText*>;

// Creates the widget for one item of the layout.
ItemWidget createItem(const core::ItemLayout& entry, std::span<const std::uint8_t> art, QWidget* parent);

// The widget as a plain QWidget, or null for the timer.
QWidget* asWidget(const ItemWidget& widget);

} // namespace ui
