// Table cell that draws only its image, scaled to 16 x 16, three pixels in
// from the cell's left edge; it never draws text. The image is the item's
// decoration (a QIcon or a QPixmap); without one nothing is drawn.
#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

class IconedCell : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    explicit IconedCell(QObject *parent = nullptr);

    // Draws image into cellFrame of controlView with painter.
    void drawInteriorWithFrame(const QRect &cellFrame, QWidget *controlView, QPainter *painter,
                               const QIcon &image) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
