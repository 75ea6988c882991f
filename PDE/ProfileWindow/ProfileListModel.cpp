#include "ProfileListModel.h"

#include "Localization.h"
#include "PDEPanelProtocol.h"
#include "ProfileEditor.h"

#include <QFont>
#include <QGuiApplication>

ProfileListModel::ProfileListModel(ProfileEditor &editor, QStringList identifiers, QStringList titles,
                                   QObject *parent)
    : QAbstractTableModel(parent), editor(editor), identifiers(std::move(identifiers)),
      titles(std::move(titles))
{
}

QVariant ProfileListModel::value(const QString &column, int row) const
{
    const ProfileEntry *entry = editor.entryAt(row);
    if (!entry)
        return {};
    if (column == "icon") {
        const short protocol = editor.protocol();
        if (ProfileEditor::isOnPrinterNow(entry->inMenu) && (protocol == 0 || protocol == 1) &&
            !printerIcon.isNull())
            return printerIcon;
        return {};
    }
    if (column == "inmenu")
        return ProfileEditor::isTicked(entry->inMenu) ? 1 : 0;
    if (column == "filename")
        return ProfileEditor::recordText(entry->fileName);
    if (column == "profilename")
        return ProfileEditor::recordText(entry->profileName);
    if (column == "location")
        return locationText(entry->location);
    return QString();
}

QString ProfileListModel::locationText(int32_t location)
{
    // A location without a word of its own is shown as its code, never as
    // a blank that reads like a missing value.
    if (location != ProfileEditor::kLocationDisk)
        return QString::number(location);
    return Localization::localizedString("Disk").value_or(QStringLiteral("Disk"));
}

void ProfileListModel::reload()
{
    beginResetModel();
    endResetModel();
}

int ProfileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : editor.rowCount();
}

int ProfileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(identifiers.size());
}

QVariant ProfileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const QString column = identifier(index.column());
    if (role == Qt::FontRole && (column == "filename" || column == "profilename" || column == "location")) {
        QFont font = QGuiApplication::font();
        font.setPointSize(12);
        return font;
    }
    if (role == tint::kProfileInMenuRole) {
        const ProfileEntry *entry = editor.entryAt(index.row());
        return entry ? QVariant(entry->inMenu) : QVariant();
    }
    QVariant cell = value(column, index.row());
    if (column == "icon")
        return role == Qt::DecorationRole ? cell : QVariant();
    if (column == "inmenu")
        return role == Qt::CheckStateRole ? QVariant(cell.toInt() ? Qt::Checked : Qt::Unchecked) : QVariant();
    return (role == Qt::DisplayRole || role == Qt::ToolTipRole) ? cell : QVariant();
}

bool ProfileListModel::setData(const QModelIndex &index, const QVariant &, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || identifier(index.column()) != "inmenu")
        return false;
    editor.toggle(index.row());
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ProfileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (identifier(index.column()) == "inmenu")
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ProfileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
