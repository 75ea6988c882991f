// The panel's root view. It adds nothing to a plain view; the layout creates
// it by its run-time name so that the panel's tree is recognisable.
#pragma once

#include <QWidget>

class MainView : public QWidget
{
    Q_OBJECT
  public:
    explicit MainView(QWidget *parent = nullptr);
};
