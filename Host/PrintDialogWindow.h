// The print dialog's window: the queue, the host's own page, the panel in
// a frame, and the Cancel, Save, Save as Default and Print buttons. With a
// queue, Print submits the documents of the command line and the window
// follows the job until it ends.
#pragma once

#include "CupsQueue.h"
#include "PrintDialog.h"
#include "PrintJob.h"

#include <QWidget>

#include <string>
#include <vector>

class DocumentPreview;
class QDialogButtonBox;
class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;
class QPushButton;
class QTimer;

class PrintDialogWindow : public QWidget
{
    Q_OBJECT
  public:
    // view: the panel's view, taken into the window's frame; the host page
    // is taken too. http and queue: where Print sends the job (null: no
    // queue, Print lists the job's options); documents: the files to print.
    // queueTitle: the queue's description (the window's title).
    PrintDialogWindow(PrintDialog &dialog, QWidget *view, http_t *http = nullptr,
                      const CupsQueueInfo *queue = nullptr, std::string queueTitle = {},
                      std::vector<std::string> documents = {});

    // 1 until the dialog printed (Cancel, or closed); 0 after Print, or
    // once the followed job completed; 2 after a failed Print; 1 when the
    // job ended cancelled or aborted.
    int exitStatus() const { return exitStatus_; }

    // The queue the person chose in the printer chooser, for which the
    // dialog is to open anew ("" when the window ended otherwise).
    const std::string &switchTo() const { return switchTo_; }
    // That queue has no Color Options.
    bool switchToPlain() const { return switchToPlain_; }
    const std::vector<std::string> &documents() const { return documents_; }

    // The printer's panel in front (the window opens on the job's page).
    void showPanelPage();

  public slots:
    void printJob();
    // Looks at the followed job once and shows its state.
    void followJob();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private slots:
    void cancel();
    void saveSettings();
    void saveDefaults();
    void clearSaved();
    void cancelJob();
    void choosePrinter(int index);
    void addDocuments();
    void removeDocument();
    void showDocument(int row);
    void updatePreview();

  private:
    void report(const QString &text);
    void failed(const std::string &error);
    // Print only with something to print (and no job sent yet).
    void updatePrintButton();

    PrintDialog &dialog_;
    http_t *http_;
    const CupsQueueInfo *queue_;
    std::string queueTitle_;
    std::vector<std::string> documents_;
    QTabWidget *tabs_ = nullptr;
    QComboBox *printers_ = nullptr;
    std::string switchTo_;
    bool switchToPlain_ = false;
    QListWidget *documentList_ = nullptr;
    QPushButton *removeDocument_ = nullptr;
    DocumentPreview *preview_ = nullptr;
    QLabel *status_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QPushButton *save_ = nullptr;
    QPushButton *defaults_ = nullptr;
    QPushButton *print_ = nullptr;
    QPushButton *cancelJob_ = nullptr;
    QDialogButtonBox *buttons_ = nullptr;
    QTimer *timer_ = nullptr;
    int jobID_ = 0;
    PrintJobStatus jobStatus_;
    int exitStatus_ = 1;
    bool saved_ = false;
};
