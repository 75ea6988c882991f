#include "PrintDialogWindow.h"

#include "PrintJobOptions.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

PrintDialogWindow::PrintDialogWindow(PrintDialog &dialog, QWidget *view) : dialog_(dialog)
{
    const TintDialogOptions &options = dialog.options();
    setWindowTitle(QStringLiteral("Print - %1").arg(QString::fromStdString(options.printerID)));

    auto *layout = new QVBoxLayout(this);
    auto *queue = new QGridLayout;
    queue->addWidget(new QLabel(tr("Printer:")), 0, 0, Qt::AlignRight);
    queue->addWidget(new QLabel(QString::fromStdString(options.printerID)), 0, 1);
    queue->addWidget(new QLabel(tr("Device:")), 1, 0, Qt::AlignRight);
    queue->addWidget(
        new QLabel(options.deviceURI.empty() ? tr("(none)") : QString::fromStdString(options.deviceURI)), 1,
        1);
    queue->setColumnStretch(1, 1);
    layout->addLayout(queue);

    auto *frame = new QGroupBox(QString::fromStdString(dialog.panel() ? dialog.panel()->panelName() : ""));
    auto *frameLayout = new QVBoxLayout(frame);
    if (view)
        frameLayout->addWidget(view);
    layout->addWidget(frame, 1);

    status_ = new QLabel;
    layout->addWidget(status_);

    auto *buttons = new QDialogButtonBox;
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton *save = buttons->addButton(QDialogButtonBox::Save);
    QPushButton *print = buttons->addButton(tr("Print"), QDialogButtonBox::AcceptRole);
    print->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &PrintDialogWindow::cancel);
    connect(save, &QPushButton::clicked, this, &PrintDialogWindow::saveSettings);
    connect(print, &QPushButton::clicked, this, &PrintDialogWindow::printJob);
    layout->addWidget(buttons);
}

void PrintDialogWindow::report(const QString &text)
{
    status_->setText(text);
}

void PrintDialogWindow::cancel()
{
    close();
}

void PrintDialogWindow::saveSettings()
{
    std::string error;
    if (dialog_.save(&error))
        report(tr("Saved to %1").arg(QString::fromStdString(dialog_.options().settings)));
    else
        report(tr("Not saved: %1").arg(QString::fromStdString(error)));
}

void PrintDialogWindow::printJob()
{
    std::string error;
    if (!dialog_.print(&error)) {
        report(tr("Not printed: %1").arg(QString::fromStdString(error)));
        std::fprintf(stderr, "tintdialog: %s\n", error.c_str());
        exitStatus_ = 2;
        return;
    }
    std::fputs(PrintJobOptionsText(dialog_.settingsValues()).c_str(), stdout);
    std::fflush(stdout);
    close();
}
