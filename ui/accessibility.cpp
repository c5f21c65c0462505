#include "accessibility.h"

#include "itemwidgets.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

using sim::Item;

struct Entry {
    Item item;
    const char* name; // empty: the caption speaks for itself
    const char* description;
};

constexpr Entry kEntries[] = {
    {Item::btnMizuDasu, "", "水を入れ始めます。止めたあとは続きから入れます。"},
    {Item::btnMizuTome, "", "水を止めます。"},
    {Item::btnSaishiko, "", "はじめの状態にもどします。"},
    {Item::btnOwari, "", "プログラムを終わります。"},
    {Item::btnKiroku, "", "今の時間と水の量を表に記録します。"},
    {Item::btnTenki, "", "記録した点をグラフにかきます。"},
    {Item::btnMusubu, "", "グラフの点を順に線で結びます。"},
    {Item::bbtnKirokuAuto, "", "時間が 1 増えるごとに自動で記録するかどうかを切りかえます。"},
    {Item::spbGraphFlg, "グラフ自動描画", "はじめの点から今の点までの線をグラフにかくかどうかを切りかえます。"},
    {Item::lbxJikan, "時間", "時間の区切りを選びます。"},
    {Item::lbxSuiryo, "当たりの水の量", "その時間に入る水の量を選びます。"},
    {Item::lbxSyokiRyo, "最初の水の量", "はじめに入っている水の量を選びます。"},
    {Item::stxKJHyoji, "経過時間", "水を入れ始めてからの時間です。"},
    {Item::stxKSHyoji, "水の容量", "水そうの水の量です。"},
};

// A static text reads out its text as its value.
class StaticTextAccessible : public QAccessibleWidget {
public:
    explicit StaticTextAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const StaticText*>(widget())->text();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const StaticText*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* staticTextFactory(const QString&, QObject* object)
{
    if (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr && dynamic_cast<StaticText*>(widget))
        return new StaticTextAccessible(widget);
    return nullptr;
}

} // namespace

Description descriptionOf(sim::Item item)
{
    for (const Entry& entry : kEntries) {
        if (entry.item == item)
            return {QString::fromUtf8(entry.name), QString::fromUtf8(entry.description)};
    }
    for (int k = 1; k <= 10; ++k) {
        const QString number = QString::number(k);
        if (item == sim::timeCell(k))
            return {QStringLiteral("ｘ座標 ") + number, QStringLiteral("記録 ") + number + QStringLiteral(" の時間です。")};
        if (item == sim::volumeCell(k))
            return {QStringLiteral("ｙ座標 ") + number, QStringLiteral("記録 ") + number + QStringLiteral(" の水の量です。")};
    }
    return {};
}

void installAccessibility()
{
    QAccessible::installFactory(staticTextFactory);
}

void describe(QWidget* widget, sim::Item item)
{
    const Description d = descriptionOf(item);
    if (!d.name.isEmpty())
        widget->setAccessibleName(d.name);
    if (!d.description.isEmpty())
        widget->setAccessibleDescription(d.description);
}

} // namespace ui
