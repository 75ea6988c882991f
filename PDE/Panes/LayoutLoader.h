// Loads the bundle's layout files, the panel's and the profile window's: the
// view tree from a Qt Designer file, in which the bundle's own view classes
// appear under their run-time or bare names. The panel's controller objects,
// outlets and actions are wired on top of it by PanelLayout.h.
#pragma once

#include <QUiLoader>

namespace tint
{

class LayoutLoader : public QUiLoader
{
    Q_OBJECT
  public:
    explicit LayoutLoader(QObject *parent = nullptr);

    // Registered classes by run-time name, then Qt's own widgets.
    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override;

    // Loads the view tree of layoutPath under parent (may be null). Returns
    // its root (owned by parent, else by the caller), or nullptr when the
    // file cannot be read.
    static QWidget *loadLayout(const QString &layoutPath, QWidget *parent);
};

} // namespace tint
