#include "PrintDialogWindow.h"

#include "KeyboardAccess.h"
#include "PrintJobOptions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace
{

// Between two looks at the job the window follows.
constexpr int kFollowIntervalMs = 250;

QString Tr(const char *text)
{
    return QCoreApplication::translate("tintdialog", text);
}

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

PrintDialogWindow::PrintDialogWindow(PrintDialog &dialog, QWidget *view, http_t *http, CupsQueue *queue,
                                     std::vector<std::string> documents)
    : dialog_(dialog), http_(http), queue_(queue), documents_(std::move(documents))
{
    const TintDialogOptions &options = dialog.options();
    const std::string title = queue_ ? queue_->title() : options.printerID;
    setWindowTitle(Tr("Print - %1").arg(Q(title)));

    auto *layout = new QVBoxLayout(this);
    auto *queueGrid = new QGridLayout;
    queueGrid->addWidget(new QLabel(Tr("Printer:")), 0, 0, Qt::AlignRight);
    std::string printer = options.printerID;
    if (queue_ && queue_->title() != queue_->info().name)
        printer = queue_->info().name + " (" + queue_->title() + ")";
    queueGrid->addWidget(new QLabel(Q(printer)), 0, 1);
    queueGrid->addWidget(new QLabel(Tr("Device:")), 1, 0, Qt::AlignRight);
    queueGrid->addWidget(new QLabel(options.deviceURI.empty() ? Tr("(none)") : Q(options.deviceURI)), 1, 1);
    if (queue_) {
        queueGrid->addWidget(new QLabel(Tr("Documents:")), 2, 0, Qt::AlignRight);
        QStringList names;
        for (const std::string &document : documents_)
            names << Q(document);
        queueGrid->addWidget(new QLabel(names.isEmpty() ? Tr("(none given)") : names.join(", ")), 2, 1);
    }
    queueGrid->setColumnStretch(1, 1);
    layout->addLayout(queueGrid);

    if (HostPage *page = dialog.hostPage()) {
        auto *general = new QGroupBox(Tr("General"));
        auto *generalLayout = new QVBoxLayout(general);
        generalLayout->addWidget(page);
        layout->addWidget(general);
    }

    auto *frame = new QGroupBox(QString::fromStdString(dialog.panel() ? dialog.panel()->panelName() : ""));
    auto *frameLayout = new QVBoxLayout(frame);
    if (view)
        frameLayout->addWidget(view);
    layout->addWidget(frame, 1);

    status_ = new QLabel;
    status_->setObjectName("status");
    status_->setWordWrap(true);
    layout->addWidget(status_);
    // What went wrong while the panel loaded (a failed walk) stays in view.
    report(Q(dialog.statusMessage()));

    auto *buttons = new QDialogButtonBox;
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancel_->setText(Tr("Cancel"));
    save_ = buttons->addButton(QDialogButtonBox::Save);
    save_->setText(Tr("Save"));
    if (queue_) {
        defaults_ = buttons->addButton(Tr("Save as Default"), QDialogButtonBox::ActionRole);
        connect(defaults_, &QPushButton::clicked, this, &PrintDialogWindow::saveDefaults);
    }
    print_ = buttons->addButton(Tr("Print"), QDialogButtonBox::AcceptRole);
    print_->setDefault(true);
    connect(cancel_, &QPushButton::clicked, this, &PrintDialogWindow::cancel);
    connect(save_, &QPushButton::clicked, this, &PrintDialogWindow::saveSettings);
    connect(print_, &QPushButton::clicked, this, &PrintDialogWindow::printJob);
    layout->addWidget(buttons);

    // A print dialog's keys: Escape cancels, Enter prints (a plain widget
    // has no default button of its own).
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cancel_, &QPushButton::click);
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, print_, &QPushButton::click);
    }
    TintDialogAssignMnemonics(this);
    new MnemonicsForNewWindows(this);

    // "Saved to ..." holds only until the person changes something.
    if (PDEPanelIntrospection *introspection = dialog.introspection()) {
        for (const PDEControlInfo &info : introspection->controlInfo()) {
            if (auto *popUp = qobject_cast<QComboBox *>(info.control))
                connect(popUp, &QComboBox::activated, this, &PrintDialogWindow::clearSaved);
            else if (auto *button = qobject_cast<QAbstractButton *>(info.control))
                connect(button, &QAbstractButton::clicked, this, &PrintDialogWindow::clearSaved);
        }
    }
    if (HostPage *page = dialog.hostPage())
        connect(page, &HostPage::changed, this, &PrintDialogWindow::clearSaved);

    timer_ = new QTimer(this);
    timer_->setInterval(kFollowIntervalMs);
    connect(timer_, &QTimer::timeout, this, &PrintDialogWindow::followJob);
}

void PrintDialogWindow::clearSaved()
{
    if (saved_) {
        saved_ = false;
        report(QString());
    }
}

void PrintDialogWindow::report(const QString &text)
{
    status_->setText(text);
}

void PrintDialogWindow::failed(const std::string &error)
{
    report(Tr("Not printed: %1").arg(Q(error)));
    std::fprintf(stderr, "tintdialog: %s\n", error.c_str());
    exitStatus_ = 2;
}

void PrintDialogWindow::cancel()
{
    close();
}

void PrintDialogWindow::saveSettings()
{
    std::string error;
    if (dialog_.save(&error)) {
        report(Tr("Saved to %1").arg(QString::fromStdString(dialog_.options().settings)));
        saved_ = true;
    } else
        report(Tr("Not saved: %1").arg(QString::fromStdString(error)));
}

void PrintDialogWindow::saveDefaults()
{
    std::string error;
    dialog_.saveInMemory();
    if (CupsSetUserDefaults(http_, queue_->info().name, dialog_.ppdFile(), dialog_.userDefaultChoices(),
                            &error))
        report(Tr("These choices are now your defaults for %1").arg(Q(queue_->info().name)));
    else
        report(Tr("Defaults not saved: %1").arg(Q(error)));
}

void PrintDialogWindow::printJob()
{
    std::string error;
    if (!queue_) {
        if (!dialog_.print(&error)) {
            failed(error);
            return;
        }
        std::fputs(PrintJobOptionsText(dialog_.settingsValues()).c_str(), stdout);
        std::fflush(stdout);
        exitStatus_ = 0;
        close();
        return;
    }
    if (jobID_ > 0)
        return;
    PrintJobRequest request;
    request.queue = queue_->info().name;
    HostPage *page = dialog_.hostPage();
    if (page) {
        request.copies = page->copies();
        request.pageRanges = page->pageRanges();
        if (!request.pageRanges.empty() && !PrintJobCheckPageRanges(request.pageRanges, &error)) {
            failed(error);
            return;
        }
    }
    if (documents_.empty()) {
        failed(Tr("nothing to print: name the documents on the command line (gui FILE...)").toStdString());
        return;
    }
    PrintJobDocuments documents;
    if (!documents.open(documents_, &error) || !dialog_.prepareToPrint(&error)) {
        failed(error);
        return;
    }
    request.attributes = PrintJobAttributes(dialog_.settingsValues(), dialog_.ppdFile());
    jobID_ = PrintJobSubmit(http_, request, documents, &error);
    if (jobID_ <= 0) {
        jobID_ = 0;
        failed(error);
        return;
    }
    if (!dialog_.writeSettings(&error))
        std::fprintf(stderr, "tintdialog: %s\n", error.c_str());
    std::printf("request id is %s-%d (%zu file(s))\n", request.queue.c_str(), jobID_, documents_.size());
    std::fflush(stdout);
    exitStatus_ = 0;
    print_->setEnabled(false);
    save_->setEnabled(false);
    if (defaults_)
        defaults_->setEnabled(false);
    cancel_->setText(Tr("Close"));
    report(Tr("Submitted as %1-%2").arg(Q(request.queue)).arg(jobID_));
    followJob();
    if (jobStatus_.state < IPP_JSTATE_CANCELED)
        timer_->start();
}

void PrintDialogWindow::followJob()
{
    if (jobID_ <= 0)
        return;
    std::string error;
    PrintJobStatus now;
    if (!PrintJobGetStatus(http_, jobID_, &now, &error)) {
        timer_->stop();
        report(Q(error));
        return;
    }
    jobStatus_ = now;
    report(Q(PrintJobStatusText(queue_->info().name, jobID_, now, true)));
    if (now.state >= IPP_JSTATE_CANCELED) {
        timer_->stop();
        exitStatus_ = now.state == IPP_JSTATE_COMPLETED ? 0 : 1;
    }
}
