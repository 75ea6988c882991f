#include "IconedCell.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace
{
constexpr int kIconSide = 16;
constexpr int kIconInset = 3;
} // namespace

IconedCell::IconedCell(QObject *parent) : QStyledItemDelegate(parent) {}

void IconedCell::drawInteriorWithFrame(const QRect &cellFrame, QWidget *controlView, QPainter *painter,
                                       const QIcon &image) const
{
    if (!painter || image.isNull())
        return;
    qreal ratio = controlView ? controlView->devicePixelRatioF() : 1.0;
    QPixmap pixmap = image.pixmap(QSize(kIconSide, kIconSide), ratio);
    if (pixmap.isNull())
        return;
    QRect target(cellFrame.x() + kIconInset, cellFrame.y(), kIconSide, kIconSide);
    QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawPixmap(target, pixmap);
    painter->setCompositionMode(mode);
}

void IconedCell::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // Row background (selection) as any cell, then the image alone. The
    // base class would fetch the item's text again, so the style draws the
    // panel directly.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);

    QVariant value = index.data(Qt::DecorationRole);
    QIcon image;
    if (value.canConvert<QIcon>())
        image = value.value<QIcon>();
    else if (value.canConvert<QPixmap>())
        image = QIcon(value.value<QPixmap>());
    drawInteriorWithFrame(option.rect, const_cast<QWidget *>(option.widget), painter, image);
}
