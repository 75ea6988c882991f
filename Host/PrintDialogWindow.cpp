#include "PrintDialogWindow.h"
#include "TintDialogTranslation.h"

#include "DocumentPreview.h"
#include "KeyboardAccess.h"
#include "PrintJobOptions.h"
#include "PrintJobProgress.h"
#include "PrinterChooser.h"
#include "StandardJobOptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace
{

// Between two looks at the job the window follows.
constexpr int kFollowIntervalMs = 250;

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

// A document as the list shows it: its name, and its pages where they can
// be counted before printing.
QString DocumentLine(const std::string &path)
{
    const int pages = DocumentPages(path).pageCount();
    const QString name = QFileInfo(Q(path)).fileName();
    return pages < 0 ? name : Tr("%1 (%2 page(s))").arg(name).arg(pages);
}

// The document's line in the list, with its whole path as tool tip.
void AddDocumentLine(QListWidget *list, const std::string &path)
{
    list->addItem(DocumentLine(path));
    list->item(list->count() - 1)->setToolTip(Q(path));
}

} // namespace

PrintDialogWindow::PrintDialogWindow(PrintDialog &dialog, QWidget *view, http_t *http,
                                     const CupsQueueInfo *queue, std::string queueTitle,
                                     std::vector<std::string> documents)
    : dialog_(dialog), http_(http), queue_(queue), queueTitle_(std::move(queueTitle)),
      documents_(std::move(documents))
{
    const TintDialogOptions &options = dialog.options();
    const std::string title = queue_ ? queueTitle_ : options.printerID;
    setWindowTitle(Tr("Print - %1").arg(Q(title)));

    auto *layout = new QVBoxLayout(this);
    // Two pages, as print dialogs have them: the job (printer, documents,
    // the host page) and the printer's panel.
    tabs_ = new QTabWidget;
    tabs_->setObjectName("dialogPages");
    auto *general = new QWidget;
    general->setObjectName("generalPage");
    auto *generalLayout = new QHBoxLayout(general);
    auto *queueGrid = new QGridLayout;
    auto *printerLabel = new QLabel(Tr("Printer:"));
    queueGrid->addWidget(printerLabel, 0, 0, Qt::AlignRight);
    std::string printer = options.printerID;
    if (queue_ && queueTitle_ != queue_->name)
        printer = queue_->name + " (" + queueTitle_ + ")";
    std::vector<PrinterChoice> choices;
    std::string listError;
    if (queue_ && http_ && PrinterChoicesList(http_, &choices, &listError)) {
        // The server's queues with their states; another QV-MR52 queue
        // opens the dialog for it.
        printers_ = new QComboBox;
        printers_->setObjectName("printers");
        for (const PrinterChoice &choice : choices) {
            printers_->addItem(PrinterChoiceLine(choice), Q(choice.queue.name));
            printers_->setItemData(printers_->count() - 1, choice.queue.isQVMR52, Qt::UserRole + 1);
            if (choice.queue.name == queue_->name)
                printers_->setCurrentIndex(printers_->count() - 1);
        }
        printerLabel->setBuddy(printers_);
        connect(printers_, &QComboBox::activated, this, &PrintDialogWindow::choosePrinter);
        queueGrid->addWidget(printers_, 0, 1);
    } else {
        queueGrid->addWidget(new QLabel(Q(printer)), 0, 1);
    }
    queueGrid->addWidget(new QLabel(Tr("Device:")), 1, 0, Qt::AlignRight);
    queueGrid->addWidget(new QLabel(options.deviceURI.empty() ? Tr("(none)") : Q(options.deviceURI)), 1, 1);
    if (queue_) {
        auto *label = new QLabel(Tr("Documents:"));
        queueGrid->addWidget(label, 2, 0, Qt::AlignRight | Qt::AlignTop);
        documentList_ = new QListWidget;
        documentList_->setObjectName("documents");
        documentList_->setMaximumHeight(96);
        label->setBuddy(documentList_);
        for (const std::string &document : documents_)
            AddDocumentLine(documentList_, document);
        queueGrid->addWidget(documentList_, 2, 1);
        auto *documentButtons = new QVBoxLayout;
        auto *add = new QPushButton(Tr("Add Files…"));
        add->setObjectName("addDocuments");
        removeDocument_ = new QPushButton(Tr("Remove"));
        removeDocument_->setObjectName("removeDocument");
        documentButtons->addWidget(add);
        documentButtons->addWidget(removeDocument_);
        documentButtons->addStretch(1);
        queueGrid->addLayout(documentButtons, 2, 2);
        connect(add, &QPushButton::clicked, this, &PrintDialogWindow::addDocuments);
        connect(removeDocument_, &QPushButton::clicked, this, &PrintDialogWindow::removeDocument);
        connect(documentList_, &QListWidget::currentRowChanged, this, &PrintDialogWindow::updatePrintButton);
    }
    queueGrid->setColumnStretch(1, 1);
    auto *jobColumn = new QVBoxLayout;
    jobColumn->addLayout(queueGrid);
    if (HostPage *page = dialog.hostPage())
        jobColumn->addWidget(page);
    jobColumn->addStretch(1);
    generalLayout->addLayout(jobColumn, 1);
    if (queue_) {
        auto *previewBox = new QGroupBox(Tr("Preview"));
        auto *previewLayout = new QVBoxLayout(previewBox);
        preview_ = new DocumentPreview;
        previewLayout->addWidget(preview_);
        generalLayout->addWidget(previewBox);
        connect(documentList_, &QListWidget::currentRowChanged, this, &PrintDialogWindow::showDocument);
        if (HostPage *page = dialog.hostPage())
            connect(page, &HostPage::changed, this, &PrintDialogWindow::updatePreview);
        updatePreview();
        if (!documents_.empty())
            documentList_->setCurrentRow(0);
    }
    tabs_->addTab(general, Tr("General"));
    if (HostPage *page = dialog.hostPage()) {
        auto *setup = new QWidget;
        setup->setObjectName("pageSetupPage");
        auto *setupLayout = new QVBoxLayout(setup);
        setupLayout->addWidget(page->standardOptions()->widget());
        page->standardOptions()->widget()->show();
        setupLayout->addStretch(1);
        tabs_->addTab(setup, Tr("Page Setup"));
    }

    if (view) {
        auto *frame = new QWidget;
        frame->setObjectName("panelPage");
        auto *frameLayout = new QVBoxLayout(frame);
        frameLayout->addWidget(view);
        tabs_->addTab(frame, QString::fromStdString(dialog.panel() ? dialog.panel()->panelName() : ""));
    }
    layout->addWidget(tabs_, 1);

    status_ = new QLabel;
    status_->setObjectName("status");
    status_->setWordWrap(true);
    layout->addWidget(status_);
    // What went wrong while the panel loaded (a failed walk) stays in view,
    // and so does a profile list that the profile window could not save:
    // queued, so that it is read once that window has closed.
    report(Q(dialog.statusMessage()));
    if (view) {
        if (auto *manage = view->findChild<QPushButton *>(tint::kManageProfileButton)) {
            connect(
                manage, &QPushButton::clicked, this,
                [this] {
                    if (PDEPanelIntrospection *panel = dialog_.introspection()) {
                        const std::string status = panel->statusMessage();
                        if (!status.empty())
                            report(Q(status));
                    }
                },
                Qt::QueuedConnection);
        }
    }

    auto *buttons = buttons_ = new QDialogButtonBox;
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancel_->setText(Tr("Cancel"));
    save_ = buttons->addButton(QDialogButtonBox::Save);
    save_->setText(Tr("Save"));
    save_->setToolTip(
        Tr("This dialog's own settings for this printer: used the next time the dialog opens (%1)")
            .arg(Q(options.settings)));
    if (queue_) {
        defaults_ = buttons->addButton(Tr("Save as Default"), QDialogButtonBox::ActionRole);
        defaults_->setToolTip(Tr("Your CUPS defaults for %1: used by every application that prints to it "
                                 "(lpoptions)")
                                  .arg(Q(queue_->name)));
        connect(defaults_, &QPushButton::clicked, this, &PrintDialogWindow::saveDefaults);
    }
    print_ = buttons->addButton(Tr("Print"), QDialogButtonBox::AcceptRole);
    print_->setDefault(true);
    updatePrintButton();
    connect(cancel_, &QPushButton::clicked, this, &PrintDialogWindow::cancel);
    connect(save_, &QPushButton::clicked, this, &PrintDialogWindow::saveSettings);
    connect(print_, &QPushButton::clicked, this, &PrintDialogWindow::printJob);
    layout->addWidget(buttons);

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

// A print dialog's keys: Escape cancels, Enter prints. They arrive here
// only when the focused control did not take them: an open pop-up list or
// menu is a window of its own and keeps its keys, and an open editor
// accepts them, so Return picks the item and Escape closes the list.
void PrintDialogWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && !QApplication::activePopupWidget()) {
        if (key == Qt::Key_Escape) {
            cancel_->click();
            return;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (print_->isEnabled())
                print_->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
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
    if (CupsSetUserDefaults(http_, queue_->name, dialog_.ppdFile(), dialog_.jobOptionNames(),
                            dialog_.userDefaultChoices(), &error))
        report(Tr("These choices are now your defaults for %1").arg(Q(queue_->name)));
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
    request.queue = queue_->name;
    HostPage *page = dialog_.hostPage();
    if (page) {
        request.copies = page->copies();
        request.pageRanges = page->pageRanges();
        if (!request.pageRanges.empty() && !PrintJobCheckPageRanges(request.pageRanges, &error)) {
            failed(error);
            return;
        }
    }
    if (!request.pageRanges.empty() && !DocumentPagesCheckRanges(documents_, request.pageRanges, &error)) {
        failed(error);
        return;
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
    request.attributes = dialog_.jobAttributes();
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
    // Cancel Job joins the buttons while the job is on its way (a button
    // box shows every button it lays out, so it is added only now).
    cancelJob_ = buttons_->addButton(Tr("Cancel Job"), QDialogButtonBox::ActionRole);
    cancelJob_->setObjectName("cancelJob");
    connect(cancelJob_, &QPushButton::clicked, this, &PrintDialogWindow::cancelJob);
    TintDialogAssignMnemonics(this);
    report(Tr("Submitted as %1-%2").arg(Q(request.queue)).arg(jobID_));
    followJob();
    if (PrintJobUnfinished(jobStatus_))
        timer_->start();
}

void PrintDialogWindow::cancelJob()
{
    std::string error;
    if (jobID_ <= 0 || !PrintJobCancel(http_, queue_->name, jobID_, &error)) {
        report(Q(error));
        return;
    }
    followJob();
}

void PrintDialogWindow::choosePrinter(int index)
{
    const std::string name = printers_->itemData(index).toString().toStdString();
    if (name == queue_->name || jobID_ > 0) {
        printers_->setCurrentIndex(printers_->findData(Q(queue_->name)));
        return;
    }
    // The dialog opens anew for that queue, with the same documents; a queue
    // without Color Options gets the dialog's own pages alone.
    switchTo_ = name;
    switchToPlain_ = !printers_->itemData(index, Qt::UserRole + 1).toBool();
    report(Tr("Opening %1…").arg(Q(name)));
    close();
}

void PrintDialogWindow::showPanelPage()
{
    tabs_->setCurrentIndex(tabs_->count() - 1);
}

void PrintDialogWindow::addDocuments()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, Tr("Add Documents"), QString(),
        Tr("Documents (*.pdf *.ps *.eps *.png *.jpg *.jpeg *.tif *.tiff *.gif *.txt);;All files (*)"),
        nullptr, QFileDialog::DontUseNativeDialog);
    for (const QString &file : files) {
        documents_.push_back(file.toStdString());
        AddDocumentLine(documentList_, file.toStdString());
    }
    if (documentList_->currentRow() < 0 && !documents_.empty())
        documentList_->setCurrentRow(0);
    updatePrintButton();
}

void PrintDialogWindow::removeDocument()
{
    const int row = documentList_->currentRow();
    if (row < 0 || row >= static_cast<int>(documents_.size()))
        return;
    documents_.erase(documents_.begin() + row);
    delete documentList_->takeItem(row);
    showDocument(documentList_->currentRow());
    updatePrintButton();
}

void PrintDialogWindow::showDocument(int row)
{
    if (preview_)
        preview_->setDocument(row >= 0 && row < static_cast<int>(documents_.size()) ? documents_[row] : "");
}

void PrintDialogWindow::updatePreview()
{
    HostPage *page = dialog_.hostPage();
    if (!preview_ || !page)
        return;
    StandardJobOptions *options = page->standardOptions();
    std::map<std::string, std::string> chosen = options->choices();
    preview_->setLayout(page->pageRanges(), options->numberUp(), options->landscape(), chosen["page-set"],
                        chosen["number-up-layout"], chosen["outputorder"] == "reverse");
}

void PrintDialogWindow::updatePrintButton()
{
    if (removeDocument_)
        removeDocument_->setEnabled(documentList_->currentRow() >= 0 && jobID_ == 0);
    if (!print_)
        return; // still being built
    const bool ready = !queue_ || !documents_.empty();
    print_->setEnabled(ready && jobID_ == 0);
    print_->setToolTip(ready ? QString()
                             : Tr("Add documents with Add Files… or name them on the command line"));
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
    report(PrintJobProgressText(queue_->name, jobID_, now));
    if (!PrintJobUnfinished(now)) {
        timer_->stop();
        cancelJob_->setVisible(false);
        // Print was pressed and the job accepted: only a job cancelled or
        // aborted makes it a failure; a held or stopped one waits for
        // someone to release it or to mend the printer.
        if (now.state == IPP_JSTATE_CANCELED || now.state == IPP_JSTATE_ABORTED)
            exitStatus_ = 1;
    }
}
