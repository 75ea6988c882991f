// The print dialog's window: the queue, the panel in a frame, and the
// Cancel, Save and Print buttons.
#pragma once

#include "PrintDialog.h"

#include <QWidget>

class QLabel;

class PrintDialogWindow : public QWidget
{
    Q_OBJECT
  public:
    // view: the panel's view, taken into the window's frame.
    PrintDialogWindow(PrintDialog &dialog, QWidget *view);

    // Status of the window's last action (0 until Print fails, then 2).
    int exitStatus() const { return exitStatus_; }

  private slots:
    void cancel();
    void saveSettings();
    void printJob();

  private:
    void report(const QString &text);

    PrintDialog &dialog_;
    QLabel *status_ = nullptr;
    int exitStatus_ = 0;
};
