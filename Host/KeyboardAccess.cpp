#include "KeyboardAccess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>

#include <map>
#include <vector>

namespace
{

// The letter a text already marks with '&' ("&&" is a literal ampersand).
QChar MarkedLetter(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

// text with a mnemonic on its first free letter, word starts first; used
// collects the letters taken. A text with no free letter stays as it is.
QString WithMnemonic(const QString &text, QSet<QChar> *used)
{
    if (text.isEmpty())
        return text;
    if (const QChar marked = MarkedLetter(text); !marked.isNull()) {
        used->insert(marked);
        return text;
    }
    std::vector<qsizetype> order;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLetterOrNumber() && (i == 0 || !text[i - 1].isLetterOrNumber()))
            order.push_back(i);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLetterOrNumber())
            order.push_back(i);
    }
    for (qsizetype i : order) {
        const QChar letter = text[i].toLower();
        if (used->contains(letter))
            continue;
        used->insert(letter);
        QString marked = text;
        marked.replace(QLatin1String("&"), QLatin1String("&&"));
        // Positions before i moved by one for every doubled ampersand.
        const qsizetype shift = text.left(i).count(QLatin1Char('&'));
        marked.insert(i + shift, QLatin1Char('&'));
        return marked;
    }
    return text;
}

// The tab page (a child of a QStackedWidget) a widget lies on, or null.
QWidget *PageOf(QWidget *widget, QWidget *window)
{
    for (QWidget *w = widget; w && w != window; w = w->parentWidget()) {
        if (qobject_cast<QStackedWidget *>(w->parentWidget()))
            return w;
    }
    return nullptr;
}

bool InsideComplexWidget(QWidget *widget)
{
    for (QWidget *w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QComboBox *>(w))
            return true;
    }
    return false;
}

} // namespace

void TintDialogAssignMnemonics(QWidget *window)
{
    if (!window || qobject_cast<QFileDialog *>(window))
        return;
    std::vector<QWidget *> outside;
    std::map<QWidget *, std::vector<QWidget *>> pages;
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *w : children) {
        const bool labelled = qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->buddy();
        if (!labelled && !qobject_cast<QAbstractButton *>(w))
            continue;
        if (InsideComplexWidget(w))
            continue;
        if (QWidget *page = PageOf(w, window))
            pages[page].push_back(w);
        else
            outside.push_back(w);
    }
    auto mark = [](QWidget *w, QSet<QChar> *used) {
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(WithMnemonic(label->text(), used));
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(WithMnemonic(button->text(), used));
    };
    QSet<QChar> used;
    // Letters already marked count first, so they are never given twice.
    for (QWidget *w : outside) {
        const QString text = qobject_cast<QLabel *>(w) ? static_cast<QLabel *>(w)->text()
                                                        : static_cast<QAbstractButton *>(w)->text();
        if (const QChar marked = MarkedLetter(text); !marked.isNull())
            used.insert(marked);
    }
    for (QWidget *w : outside)
        mark(w, &used);
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setTabText(i, WithMnemonic(tabs->tabText(i), &used));
    }
    for (auto &[page, widgets] : pages) {
        QSet<QChar> pageUsed = used;
        for (QWidget *w : widgets)
            mark(w, &pageUsed);
    }
}

MnemonicsForNewWindows::MnemonicsForNewWindows(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

bool MnemonicsForNewWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *dialog = qobject_cast<QDialog *>(watched); dialog && dialog->isWindow())
            TintDialogAssignMnemonics(dialog);
    }
    return QObject::eventFilter(watched, event);
}
