#include "itemwidgets.h"

#include <QAccessible>
#include <QFontMetrics>

#include "accessibility.h"
#include "bmp.h"
#include "canvasbridge.h"
#include "fonts.h"
#include "itemsurface.h"
#include "picturecache.h"
#include "pictures.h"
#include "staging.h"
#include "windowstyle.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

using core::ColourRef;
using core::Kind;

namespace {

QColor colourOf(ColourRef ref)
{
    const sim::Colour c = core::resolve(ref);
    return QColor(c.r, c.g, c.b);
}

void applyBounds(QWidget* widget, const ItemLayout& entry)
{
    widget->setObjectName(QString::fromLatin1(entry.name));
    widget->setGeometry(entry.bounds.left, entry.bounds.top, entry.bounds.width, entry.bounds.height);
    if (!entry.visibleAtStart)
        widget->setVisible(false);
}

void applyText(QWidget* widget, const ItemLayout& entry, QPalette::ColorRole textRole)
{
    QPalette palette = widget->palette();
    palette.setColor(textRole, colourOf(entry.text));
    if (entry.kind == Kind::Label || entry.kind == Kind::StaticText || entry.kind == Kind::ListBox) {
        const auto backgroundRole = entry.kind == Kind::ListBox ? QPalette::Base : QPalette::Window;
        palette.setColor(backgroundRole, colourOf(entry.background));
    }
    widget->setPalette(palette);
    widget->setFont(fontFor(entry.font));
}

void makeFocusable(QPushButton* button)
{
    // Enter presses the button that has the focus, and only that one.
    button->setAutoDefault(true);
    button->setFocusPolicy(Qt::StrongFocus);
}

ColourButton* createColourButton(const ItemLayout& entry, QWidget* parent)
{
    auto* button = new ColourButton(QString::fromUtf8(entry.caption), parent);
    button->setCaptionColour(colourOf(entry.text));
    button->setFont(fontFor(entry.font));
    makeFocusable(button);
    return button;
}

QPushButton* createButton(const ItemLayout& entry, QWidget* parent)
{
    const QString caption = QString::fromUtf8(entry.caption);
    QPushButton* button =
        entry.kind == Kind::ToggleButton ? new ToggleButton(caption, parent) : new QPushButton(caption, parent);
    applyText(button, entry, QPalette::ButtonText);
    if (entry.kind == Kind::ToggleButton) {
        button->setCheckable(true);
        // Tab reaches it, so the keyboard can switch the live line; a click leaves the focus on
        // the control that had it.
        button->setFocusPolicy(Qt::TabFocus);
    } else {
        makeFocusable(button);
    }
    return button;
}

QLabel* createLabel(const ItemLayout& entry, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
    applyText(label, entry, QPalette::WindowText);
    label->setAutoFillBackground(true);
    label->setAlignment(alignmentOf(entry.alignment));
    label->setMargin(0);
    label->setIndent(0);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

ColourButton::ColourButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
}

void ColourButton::setCaptionColour(const QColor& colour)
{
    if (colour == captionColour_)
        return;
    captionColour_ = colour;
    update();
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    label.palette.setColor(QPalette::ButtonText, captionColour_);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

ShapeItem::ShapeItem(const ItemLayout& entry, QWidget* parent)
    : QWidget(parent)
    , entry_(entry)
{
}

void ShapeItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const core::Scale scale = stagingOf(this).deviceScale();
    fillDevicePixels(painter, rect(),
                     [&](const core::FillRect& fill, const core::Rect& r) { core::fillShape(r, entry_, fill, scale); });
}

PictureItem::PictureItem(Art art, std::span<const std::uint8_t> file, QWidget* parent)
    : QWidget(parent)
    , art_(art)
    , file_(file)
{
}

void PictureItem::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    drawForSize();
}

void PictureItem::refresh()
{
    drawForSize();
    update();
}

void PictureItem::drawForSize()
{
    const double ratio = devicePixelRatioF();
    const QSize device(static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)));
    if (stagingOf(this).deviceScale().isIdentity() && device == size()) {
        shown_ = {};
        return;
    }
    if (shown_.size() == device)
        return;
    // Until the window's cache has it, the bitmap is stretched to the size instead.
    PictureCache* cache = picturesOf(this);
    shown_ = cache != nullptr ? cache->find(art_, device) : QImage();
    shown_.setDevicePixelRatio(ratio);
}

void PictureItem::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!shown_.isNull()) {
        // Made for the size it is shown at: copied pixel for pixel.
        painter.drawImage(QPoint(0, 0), shown_);
        return;
    }
    // At the layout's size stretched by the core from the file itself: straight into the window's
    // pixels where the painter allows it, otherwise into a canvas of the item's device pixels.
    const core::Rect whole{0, 0, width(), height()};
    if (std::optional<core::Canvas> backBuffer = canvasOver(painter, size())) {
        // Within the region asked for only: the buffer holds the items lying over the picture.
        for (const QRect& r : event->region()) {
            backBuffer->setClip({r.x(), r.y(), r.width(), r.height()});
            core::drawBmpStretched(*backBuffer, file_, whole);
        }
        return;
    }
    paintDevicePixels(painter, rect(), [&](core::Canvas& canvas) {
        core::drawBmpStretched(canvas, file_, {0, 0, canvas.width(), canvas.height()});
    });
}

PaintAreaItem::PaintAreaItem(QWidget* parent)
    : QWidget(parent)
{
}

StaticText::StaticText(const ItemLayout& entry, QWidget* parent)
    : QWidget(parent)
    , entry_(entry)
    , text_(QString::fromUtf8(entry.caption))
{
    // The two numbers are Tab stops, so that a screen reader's user can hear them on demand; a
    // click leaves the focus where it was.
    setFocusPolicy(entry.role == core::Role::Value ? Qt::TabFocus : Qt::NoFocus);
}

void StaticText::setText(const QString& text)
{
    if (text == text_)
        return;
    const QString before = std::exchange(text_, text);
    update();
    if (!announcedByOthers_)
        textChanged(this, before);
}

void StaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Staging staging = stagingOf(this);
    fillDevicePixels(painter, rect(), [&](const core::FillRect& fill, const core::Rect& r) {
        core::fillStaticText(r, entry_, fill, staging.deviceScale());
    });
    const int inset = core::textInset(entry_.border, staging.logicalScale());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(inset, inset, -inset, -inset), static_cast<int>(alignmentOf(entry_.alignment)),
                     text_);
    // Inside the black border, with a line of the box's own white between: a ring on the border
    // would only thicken it.
    if (showsFocusRing(this)) {
        const int ring = staging.logicalScale().length(2);
        paintFocusRing(painter, rect().adjusted(ring, ring, -ring, -ring), focusRingWidth(this));
    }
}

QRect StaticText::characterRect(int offset) const
{
    if (offset < 0 || offset >= text_.size())
        return {};
    const int inset = core::textInset(entry_.border, stagingOf(this).logicalScale());
    const QFontMetrics metrics(font());
    const QRect whole = metrics.boundingRect(rect().adjusted(inset, inset, -inset, -inset),
                                             static_cast<int>(alignmentOf(entry_.alignment)), text_);
    const int left = whole.left() + metrics.horizontalAdvance(text_.left(offset));
    return {left, whole.top(), metrics.horizontalAdvance(text_.at(offset)), metrics.height()};
}

void StaticText::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void StaticText::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

ListBox::ListBox(const ItemLayout& entry, QWidget* parent)
    : QListWidget(parent)
{
    applyText(this, entry, QPalette::Text);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // A 2-pixel sunken edge leaves exactly one 21-pixel row inside the 25-pixel box.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setUniformItemSizes(true);
    setFocusPolicy(Qt::StrongFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    for (int row = 0; row < entry.listRows; ++row) {
        auto* item = new QListWidgetItem(QString::number(entry.firstListValue + row), this);
        item->setSizeHint(QSize(0, entry.font.pixelHeight));
    }
}

void ListBox::restage(int height)
{
    // The frame's widths are kept by the frame and asked for afresh only when its style is set.
    setFrameStyle(frameStyle());
    const int edge = core::listEdge(stagingOf(this).logicalScale()).total();
    const int row = std::max(height - 2 * edge, 1);
    for (int i = 0; i < count(); ++i) {
        if (item(i)->sizeHint().height() != row)
            item(i)->setSizeHint(QSize(0, row));
    }
}

int ListBox::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::selectRow(int row)
{
    if (row == selectedRow())
        return;
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row), QAbstractItemView::PositionAtTop);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const auto flags = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

bool ListBox::event(QEvent* event)
{
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Paint && showsFocusRing(this)) {
        QPainter painter(this);
        paintFocusRing(painter, rect(), focusRingWidth(this));
    }
    return handled;
}

// The ring lies on the edge, outside the part the list repaints by itself.
void ListBox::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    update();
    // A screen reader hears the chosen value as the list takes the focus, not only after a key: the
    // chosen row takes it after the list has told its own, once the event loop comes round.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const int row = selectedRow();
            if (QAccessible::isActive() && hasFocus() && row >= 0) {
                QAccessibleEvent focus(this, QAccessible::Focus);
                focus.setChild(row);
                QAccessible::updateAccessibility(&focus);
            }
        },
        Qt::QueuedConnection);
}

// A row the program makes current (a reset, a resume) is no move of the learner's: while another
// item has the focus it raises no focus event for the row, which a screen reader would follow.
void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
}

// A selection the program sets (a reset, a resume) is no move of the learner's: while another item
// has the focus it raises no selection event, which a screen reader would take for a focus move.
void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (hasFocus())
        QListWidget::selectionChanged(selected, deselected);
    else
        QAbstractItemView::selectionChanged(selected, deselected);
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    update();
}

Qt::Alignment alignmentOf(core::Align align)
{
    switch (align) {
    case core::Align::LeftTop:
        return Qt::AlignLeft | Qt::AlignTop;
    case core::Align::LeftMiddle:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case core::Align::CentreTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case core::Align::RightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case core::Align::Centre:
        return Qt::AlignCenter;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

ItemWidget createItem(const ItemLayout& entry, std::span<const std::uint8_t> art, QWidget* parent)
{
    ItemWidget made;
    switch (entry.kind) {
    case Kind::Shape:
        made = new ShapeItem(entry, parent);
        break;
    case Kind::Picture:
        made = new PictureItem(entry.art, art, parent);
        break;
    case Kind::PaintArea:
        made = new PaintAreaItem(parent);
        break;
    case Kind::Label:
        made = createLabel(entry, parent);
        break;
    case Kind::ColourButton:
        made = createColourButton(entry, parent);
        break;
    case Kind::ToggleButton:
    case Kind::PushButton:
        made = createButton(entry, parent);
        break;
    case Kind::ListBox:
        made = new ListBox(entry, parent);
        break;
    case Kind::StaticText: {
        auto* text = new StaticText(entry, parent);
        applyText(text, entry, QPalette::WindowText);
        made = text;
        break;
    }
    case Kind::Timer:
        return made;
    }
    QWidget* widget = asWidget(made);
    applyBounds(widget, entry);
    describe(widget, entry.item);
    if (entry.sizedToText)
        widget->resize(widget->sizeHint().width(), entry.bounds.height);
    const bool drawnOnWindow = entry.kind == Kind::Shape || entry.kind == Kind::Picture || entry.kind == Kind::PaintArea
                               || entry.kind == Kind::Label;
    if (drawnOnWindow)
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return made;
}

QWidget* asWidget(const ItemWidget& widget)
{
    return std::visit(
        [](auto alternative) -> QWidget* {
            if constexpr (std::is_same_v<decltype(alternative), std::monostate>)
                return nullptr;
            else
                return alternative;
        },
        widget);
}

} // namespace ui
