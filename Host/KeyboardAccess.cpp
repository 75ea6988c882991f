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

#include <functional>
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

// The letters of text in the order a mnemonic is looked for: word starts
// first, then every other letter; each letter once, lower case.
std::vector<std::pair<QChar, qsizetype>> Candidates(const QString &text)
{
    std::vector<std::pair<QChar, qsizetype>> out;
    QSet<QChar> seen;
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if (!text[i].isLetterOrNumber() || (pass == 0 && !wordStart) || seen.contains(text[i].toLower()))
                continue;
            seen.insert(text[i].toLower());
            out.emplace_back(text[i].toLower(), i);
        }
    }
    return out;
}

// text with '&' before position i ("&" in text doubled).
QString MarkedAt(const QString &text, qsizetype i)
{
    QString marked = text;
    marked.replace(QLatin1String("&"), QLatin1String("&&"));
    // Positions before i moved by one for every doubled ampersand.
    const qsizetype shift = text.left(i).count(QLatin1Char('&'));
    marked.insert(i + shift, QLatin1Char('&'));
    return marked;
}

// One text of a page and where it goes back to.
struct Labelled {
    QString text;
    std::function<void(const QString &)> set;
};

// Gives the texts of one page letters that differ from each other and from
// used: a matching of texts to letters (word starts tried first), so that a
// text whose letters are scarce still gets one wherever any choice allows.
// Letters already marked are kept. used gains the letters given.
void MarkPage(const std::vector<Labelled> &items, QSet<QChar> *used)
{
    for (const Labelled &item : items) {
        if (const QChar marked = MarkedLetter(item.text); !marked.isNull())
            used->insert(marked);
    }
    std::vector<std::vector<std::pair<QChar, qsizetype>>> candidates(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text.isEmpty() || !MarkedLetter(items[i].text).isNull())
            continue;
        for (const auto &c : Candidates(items[i].text)) {
            if (!used->contains(c.first))
                candidates[i].push_back(c);
        }
    }
    std::map<QChar, size_t> owner;
    std::vector<int> chosen(items.size(), -1);
    auto assign = [&](auto &&self, size_t i, QSet<QChar> &visited) -> bool {
        for (size_t k = 0; k < candidates[i].size(); ++k) {
            const QChar letter = candidates[i][k].first;
            if (visited.contains(letter))
                continue;
            visited.insert(letter);
            auto it = owner.find(letter);
            if (it == owner.end() || self(self, it->second, visited)) {
                owner[letter] = i;
                chosen[i] = static_cast<int>(k);
                return true;
            }
        }
        return false;
    };
    for (size_t i = 0; i < items.size(); ++i) {
        QSet<QChar> visited;
        assign(assign, i, visited);
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (chosen[i] < 0)
            continue;
        const auto &[letter, at] = candidates[i][chosen[i]];
        used->insert(letter);
        items[i].set(MarkedAt(items[i].text, at));
    }
}

// The innermost tab page (a child of a QStackedWidget) a widget lies on,
// itself included, or null.
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
    // Pages nest (the tabs of the Advanced pane lie on a page of the panel's
    // own stack): a page's letters start from those of every page around
    // it, which is visible with it. Null stands for the window itself.
    std::map<QWidget *, std::vector<QWidget *>> widgets;
    std::map<QWidget *, std::vector<QTabWidget *>> tabs;
    std::map<QWidget *, std::vector<QWidget *>> inner;
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *w : children) {
        if (PageOf(w, window) == w) {
            inner[PageOf(w->parentWidget(), window)].push_back(w);
            continue;
        }
        if (auto *tabWidget = qobject_cast<QTabWidget *>(w)) {
            tabs[PageOf(w, window)].push_back(tabWidget);
            continue;
        }
        const bool labelled = qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->buddy();
        if (!labelled && !qobject_cast<QAbstractButton *>(w))
            continue;
        if (InsideComplexWidget(w))
            continue;
        widgets[PageOf(w, window)].push_back(w);
    }
    auto assign = [&](auto &&self, QWidget *page, QSet<QChar> used) -> void {
        std::vector<Labelled> items;
        for (QWidget *w : widgets[page]) {
            if (auto *label = qobject_cast<QLabel *>(w))
                items.push_back({label->text(), [label](const QString &t) { label->setText(t); }});
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                items.push_back({button->text(), [button](const QString &t) { button->setText(t); }});
        }
        for (QTabWidget *tabWidget : tabs[page]) {
            for (int i = 0; i < tabWidget->count(); ++i)
                items.push_back({tabWidget->tabText(i),
                                 [tabWidget, i](const QString &t) { tabWidget->setTabText(i, t); }});
        }
        MarkPage(items, &used);
        for (QWidget *child : inner[page])
            self(self, child, used);
    };
    assign(assign, nullptr, {});
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
