#include "itemwidgets.h"

#include "accessibility.h"
#include "fonts.h"

#include <QAccessible>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace ui {

namespace {

QColor qColour(sim::Colour c)
{
    return QColor(c.r, c.g, c.b);
}

// Nearest-neighbour stretch that takes source column floor(x * sw / dw), as the classic
// StretchBlt does, so the rows and columns that repeat are the same on every machine.
QImage stretched(const QImage& source, QSize size)
{
    if (source.isNull() || size.isEmpty())
        return {};
    const QImage from = source.convertToFormat(QImage::Format_RGB32);
    QImage to(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(
            from.constScanLine(static_cast<int>(static_cast<qint64>(y) * from.height() / size.height())));
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = in[static_cast<qint64>(x) * from.width() / size.width()];
    }
    return to;
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
    palette.setColor(textRole, colourOf(entry.text, palette));
    if (entry.kind == Kind::Label || entry.kind == Kind::StaticText || entry.kind == Kind::ListBox) {
        const auto backgroundRole = entry.kind == Kind::ListBox ? QPalette::Base : QPalette::Window;
        palette.setColor(backgroundRole, colourOf(entry.background, palette));
    }
    widget->setPalette(palette);
    widget->setFont(fontFor(entry.font));
}

QPushButton* createButton(const ItemLayout& entry, QWidget* parent)
{
    const QString caption = QString::fromUtf8(entry.caption);
    QPushButton* button = nullptr;
    if (entry.kind == Kind::ColourButton) {
        auto* coloured = new ColourButton(caption, parent);
        coloured->setCaptionColour(colourOf(entry.text, coloured->palette()));
        button = coloured;
        button->setFont(fontFor(entry.font));
    } else {
        button = new QPushButton(caption, parent);
        applyText(button, entry, QPalette::ButtonText);
    }
    if (entry.kind == Kind::ToggleButton) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
    } else {
        // Enter presses the button that has the focus, and only that one.
        button->setAutoDefault(true);
        button->setFocusPolicy(Qt::StrongFocus);
    }
    return button;
}

QLabel* createLabel(const ItemLayout& entry, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
    applyText(label, entry, QPalette::WindowText);
    label->setAutoFillBackground(true);
    label->setAlignment(entry.alignment);
    label->setMargin(0);
    label->setIndent(0);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

QColor colourOf(ColourRef ref, const QPalette& palette)
{
    switch (ref.source) {
    case ColourRef::Source::Fixed:
        return qColour(ref.fixed);
    case ColourRef::Source::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case ColourRef::Source::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case ColourRef::Source::Menu:
        return palette.color(QPalette::Active, QPalette::Window);
    }
    return {};
}

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
    , brush_(colourOf(entry.background, palette()))
    , outline_(entry.outline)
{
}

void ShapeItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (outline_) {
        painter.fillRect(rect(), Qt::black);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), brush_);
    } else if (width() > 1 && height() > 1) {
        painter.fillRect(QRect(0, 0, width() - 1, height() - 1), brush_);
    }
}

PictureItem::PictureItem(QImage image, QWidget* parent)
    : QWidget(parent)
    , image_(std::move(image))
{
}

void PictureItem::paintEvent(QPaintEvent*)
{
    // Stretched in logical pixels, then doubled (or more) as whole pixels on a scaled screen.
    if (stretched_.size() != size())
        stretched_ = stretched(image_, size());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), stretched_);
}

PaintAreaItem::PaintAreaItem(QWidget* parent)
    : QWidget(parent)
{
}

StaticText::StaticText(const ItemLayout& entry, QWidget* parent)
    : QWidget(parent)
    , text_(QString::fromUtf8(entry.caption))
    , border_(entry.border)
    , alignment_(entry.alignment)
{
    setFocusPolicy(Qt::NoFocus);
}

void StaticText::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, text_);
        QAccessible::updateAccessibility(&event);
    }
}

void StaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    int inset = 0;
    if (border_ == Border::Single) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        inset = 1;
    } else if (border_ == Border::Sunken) {
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        inset = 1;
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(inset, inset, -inset, -inset), static_cast<int>(alignment_), text_);
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
    for (int row = 0; row < entry.listRows; ++row) {
        auto* item = new QListWidgetItem(QString::number(entry.firstListValue + row), this);
        item->setSizeHint(QSize(0, entry.font.pixelHeight));
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

QWidget* createItem(const ItemLayout& entry, const QImage& art, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case Kind::Shape:
        widget = new ShapeItem(entry, parent);
        break;
    case Kind::Picture:
        widget = new PictureItem(art, parent);
        break;
    case Kind::PaintArea:
        widget = new PaintAreaItem(parent);
        break;
    case Kind::Label:
        widget = createLabel(entry, parent);
        break;
    case Kind::ToggleButton:
    case Kind::PushButton:
    case Kind::ColourButton:
        widget = createButton(entry, parent);
        break;
    case Kind::ListBox:
        widget = new ListBox(entry, parent);
        break;
    case Kind::StaticText: {
        auto* text = new StaticText(entry, parent);
        applyText(text, entry, QPalette::WindowText);
        widget = text;
        break;
    }
    case Kind::Timer:
        return nullptr;
    }
    applyBounds(widget, entry);
    describe(widget, entry.item);
    if (entry.sizedToText)
        widget->resize(widget->sizeHint().width(), entry.bounds.height);
    const bool drawnOnWindow = entry.kind == Kind::Shape || entry.kind == Kind::Picture || entry.kind == Kind::PaintArea
                               || entry.kind == Kind::Label;
    if (drawnOnWindow)
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return widget;
}

QString captionOf(const QWidget* widget, Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return static_cast<const QLabel*>(widget)->text();
    case Kind::ToggleButton:
    case Kind::PushButton:
    case Kind::ColourButton:
        return static_cast<const QAbstractButton*>(widget)->text();
    case Kind::StaticText:
        return static_cast<const StaticText*>(widget)->text();
    default:
        return {};
    }
}

void setCaptionOf(QWidget* widget, Kind kind, const QString& text)
{
    switch (kind) {
    case Kind::Label:
        static_cast<QLabel*>(widget)->setText(text);
        break;
    case Kind::ToggleButton:
    case Kind::PushButton:
    case Kind::ColourButton:
        static_cast<QAbstractButton*>(widget)->setText(text);
        break;
    case Kind::StaticText:
        static_cast<StaticText*>(widget)->setText(text);
        break;
    default:
        break;
    }
}

} // namespace ui
