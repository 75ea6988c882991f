// Keyboard access for the dialog's windows: every push button, check box,
// tab and labelled control gets a mnemonic (Alt+letter), chosen from its
// text in whatever language it is shown, so that no translation has to
// carry the ampersands and no two controls that are visible together share
// a letter.
#pragma once

#include <QObject>

class QWidget;

// Gives every button, check box, tab and label with a buddy under window a
// mnemonic where its text has none. Texts of each tab page count apart from
// the other pages (only one is visible), after those outside the page and
// those of every page it lies on.
void TintDialogAssignMnemonics(QWidget *window);

// Does the same for every dialog window that opens while it lives (the
// profile management window, whose texts are set when it opens).
class MnemonicsForNewWindows : public QObject
{
  public:
    explicit MnemonicsForNewWindows(QObject *parent);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
