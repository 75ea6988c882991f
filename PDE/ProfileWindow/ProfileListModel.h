// The profile window's table: the rows of the group the editor shows, in
// the columns the layout names ("icon", "inmenu", "filename",
// "profilename", "location"). Ticking a row's check box swaps the entry
// between shown and hidden in the menus.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <cstdint>

class ProfileEditor;

class ProfileListModel : public QAbstractTableModel
{
  public:
    ProfileListModel(ProfileEditor &editor, QStringList identifiers, QStringList titles,
                     QObject *parent = nullptr);

    // Marks the printer's own rows in the "icon" column.
    void setPrinterIcon(const QIcon &icon) { printerIcon = icon; }
    QString identifier(int column) const { return identifiers.value(column); }
    // A cell's value as the window's data source answers it: the icon, 1 or
    // 0 for the check box, the texts.
    QVariant value(const QString &column, int row) const;
    // The "location" column's text: the word for the disk, else the code.
    static QString locationText(int32_t location);
    // The rows changed as a whole (another group, an entry added or removed).
    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    ProfileEditor &editor;
    QStringList identifiers;
    QStringList titles;
    QIcon printerIcon;
};
