// Loads the bundle's layout files, the panel's and the profile window's: the
// view tree from a Qt Designer file, in which the bundle's own view classes
// appear under their run-time or bare names. For the panel also the two
// controller objects the file cannot describe (the pane switcher and the
// profile window's controller), then every outlet from the outlet table and
// every action from the action table, by object name (Outlet.h).
#pragma once

#include <QUiLoader>

class PDEPlugInInterface;

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

    // Loads layoutPath with owner as the file's owner. Returns the root view
    // (owned by the caller; the controller objects are its children), or
    // nullptr when the file cannot be read. Outlets whose object is missing,
    // or of another class, stay null.
    static QWidget *loadPanelLayout(const QString &layoutPath, PDEPlugInInterface *owner);
};

} // namespace tint
