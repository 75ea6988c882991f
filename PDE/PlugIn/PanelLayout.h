// The panel's layout: its view tree (LayoutLoader.h), then the two controller
// objects the file cannot describe (the pane switcher and the profile
// window's controller), every outlet from the outlet table and every action
// from the action table, by object name (Outlet.h).
#pragma once

class PDEPlugInInterface;
class QString;
class QWidget;

namespace tint
{

// Loads layoutPath with owner as the file's owner. Returns the root view
// (owned by the caller; the controller objects are its children), or nullptr
// when the file cannot be read. Outlets whose object is missing, or of
// another class, stay null.
QWidget *loadPanelLayout(const QString &layoutPath, PDEPlugInInterface *owner);

} // namespace tint
