// tintdialog's window as a person meets it: the program's own main runs the
// real window (offscreen) while a driver inside the same process presses
// keys, clicks buttons and reads what the window shows. The test starts this
// executable once per case with the driver's steps in TINT_WINDOW_DRIVER;
// the executable lies two folders below a share/tintdialog that holds the
// staged host translations, where the program looks for them.
#include "CupsServer.h"
#include "DocumentPreview.h"
#include "PlistCheck.h"
#include "PrintDialogWindow.h"
#include "SessionBus.h"
#include "TempRoot.h"
#include "TintDialogMain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const std::string kPlugin = TINT_PLUGIN_BUNDLE;
const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";

// ---------------------------------------------------------------------------
// The driver, inside the tintdialog process.

void Emit(const QString &where, const QString &kind, const QString &name, QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::printf("@%s\t%s\t%s\t%s\n", qPrintable(where), qPrintable(kind), qPrintable(name), qPrintable(text));
    std::fflush(stdout);
}

// Every text that a widget under window shows or tells a screen reader.
void EmitTexts(const QString &where, QWidget *window)
{
    Emit(where, "title", window->objectName(), window->windowTitle());
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (auto *label = qobject_cast<QLabel *>(w))
            Emit(where, label->buddy() ? "buddylabel" : "label", name, label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->text().isEmpty()) {
            Emit(where, qobject_cast<QPushButton *>(w) ? "button" : "check", name, button->text());
            // Tab must reach it, or the style never draws its focus frame.
            if (!(button->focusPolicy() & Qt::TabFocus))
                Emit(where, "nofocus", name, button->text());
        } else if (auto *group = qobject_cast<QGroupBox *>(w))
            Emit(where, "group", name, group->title());
        else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                Emit(where, "tab", name, tabs->tabText(i));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                Emit(where, "item", name, combo->itemText(i));
        } else if (auto *view = qobject_cast<QAbstractItemView *>(w);
                   view && view->model() && !view->parent()->inherits("QComboBoxPrivateContainer")) {
            for (int c = 0; c < view->model()->columnCount(); ++c)
                Emit(where, "header", name, view->model()->headerData(c, Qt::Horizontal).toString());
        }
        for (const QString &extra : {w->toolTip(), w->accessibleName(), w->accessibleDescription()}) {
            if (!extra.isEmpty())
                Emit(where, "tip", name, extra);
        }
    }
}

QAbstractButton *HostButton(QWidget *window, const QString &which)
{
    auto *box = window->findChild<QDialogButtonBox *>();
    if (!box)
        return nullptr;
    for (QAbstractButton *b : box->buttons()) {
        const QDialogButtonBox::ButtonRole role = box->buttonRole(b);
        if ((which == "cancel" && role == QDialogButtonBox::RejectRole) ||
            (which == "save" && box->standardButton(b) == QDialogButtonBox::Save) ||
            (which == "print" && role == QDialogButtonBox::AcceptRole &&
             box->standardButton(b) == QDialogButtonBox::NoButton))
            return b;
    }
    return nullptr;
}

QWidget *Named(QWidget *window, const QString &name)
{
    return name.isEmpty() ? window : window->findChild<QWidget *>(name);
}

const std::map<QString, std::pair<int, Qt::KeyboardModifiers>> &Keys()
{
    static const std::map<QString, std::pair<int, Qt::KeyboardModifiers>> keys = {
        {"Escape", {Qt::Key_Escape, Qt::NoModifier}},   {"Return", {Qt::Key_Return, Qt::NoModifier}},
        {"Enter", {Qt::Key_Enter, Qt::KeypadModifier}}, {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},           {"Space", {Qt::Key_Space, Qt::NoModifier}},
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},         {"AltDown", {Qt::Key_Down, Qt::AltModifier}}};
    return keys;
}

// Brings the tab that holds w to the front, as a person would before
// using w.
void Reveal(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (auto *tabs =
                qobject_cast<QTabWidget *>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr);
            tabs && tabs->indexOf(p) >= 0)
            tabs->setCurrentWidget(p);
    }
}

// Where a person's key goes: the open pop-up list, else the focused widget.
QWidget *KeyTarget(QWidget *fallback)
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
}

// One line per mnemonic letter of every control now visible under window.
void EmitMnemonics(const QString &where, QWidget *window)
{
    auto letter = [](QString text) {
        const qsizetype at = text.remove("&&").indexOf('&');
        return at >= 0 && at + 1 < text.size() ? QString(text[at + 1].toLower()) : QString();
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            Emit(where, "mnemonic", label->objectName(), letter(label->text()));
        else if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->text().isEmpty())
            Emit(where, "mnemonic", button->objectName(), letter(button->text()));
        else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                Emit(where, "mnemonic", tabs->objectName(), letter(tabs->tabText(i)));
        }
    }
}

// The profile window's steps, separated by ',': click=NAME, type=TEXT (into
// the focused widget), key=KEY (to the focused widget), focus (the focused
// widget's name), rows (the table's rows), mnemonics.
void RunProfileSteps(QDialog *dialog, const QStringList &steps)
{
    for (const QString &step : steps) {
        QApplication::processEvents();
        const QString verb = step.section('=', 0, 0), arg = step.section('=', 1);
        if (verb == "click") {
            if (auto *button = dialog->findChild<QAbstractButton *>(arg))
                QTest::mouseClick(button, Qt::LeftButton);
        } else if (verb == "type") {
            QTest::keyClicks(KeyTarget(dialog), arg);
        } else if (verb == "key" && Keys().count(arg)) {
            QTest::keyClick(KeyTarget(dialog), static_cast<Qt::Key>(Keys().at(arg).first),
                            Keys().at(arg).second);
        } else if (verb == "focus") {
            Emit("profile", "focus", "",
                 QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        } else if (verb == "rows") {
            auto *table = dialog->findChild<QAbstractItemView *>("_profileTableView");
            Emit("profile", "rows", "",
                 QString::number(table && table->model() ? table->model()->rowCount() : -1));
        } else if (verb == "mnemonics") {
            EmitMnemonics("profile", dialog);
        }
        if (!dialog->isVisible())
            return;
    }
}

// Steps, separated by ';':
//   texts             every text of the window
//   profile[:STEPS]   opens the profile window, reports its texts (or runs
//                     RunProfileSteps), cancels it
//   click:WHICH       cancel, save or print of the window, else a button's object name
//   key:KEY[@NAME]    a key (Escape, Return, Enter, Down, Up, Space, Tab, AltDown) to
//                     the focused widget (NAME focused first), or to the open pop-up
//   state:NAME        a pop-up's current item, and whether a pop-up list is open
//   advanced          Quick Color "Custom", then the Advanced Color Options button
//   tab:N             the Advanced pane's tab N
//   reveal:NAME       the window's page that holds NAME to the front
//   items:NAME        a pop-up's items ("current" for the one it shows)
//   preview           the previewed sheet: "N of M: PAGES"
//   type:NAME=TEXT    TEXT typed into the widget NAME
//   shown:WHICH       whether a button is visible and enabled ("1 1"), or "none"
//   mnemonics         the mnemonic letters of every visible control
//   status            the status line
//   geometry:NAME     the widget's geometry in window coordinates
//   grow              the window twice as wide and half again as high
// Steps for a second window (opened by choosing another printer) follow a
// '|'. The window closes after the last step unless a step closed it; a window
// that stays open is given up after a while (exit status 99).
void RunSteps(QWidget *window, const QStringList &steps)
{
    int mnemonicPages = 0;
    for (const QString &step : steps) {
        QApplication::processEvents();
        const QString verb = step.section(':', 0, 0);
        const QString arg = step.section(':', 1);
        if (verb == "texts") {
            EmitTexts("window", window);
        } else if (verb == "profile") {
            auto *manage = window->findChild<QPushButton *>("button_ManageProfile");
            if (!manage || !manage->isEnabled()) {
                Emit("profile", "missing", "button_ManageProfile", manage ? manage->toolTip() : QString());
                continue;
            }
            QTimer::singleShot(0, [arg] {
                auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                if (arg.isEmpty())
                    EmitTexts("profile", dialog);
                RunProfileSteps(dialog, arg.split(',', Qt::SkipEmptyParts));
                if (dialog->isVisible())
                    dialog->reject();
            });
            manage->click();
        } else if (verb == "click") {
            QAbstractButton *button = HostButton(window, arg);
            if (!button)
                button = window->findChild<QAbstractButton *>(arg);
            if (button)
                QTest::mouseClick(button, Qt::LeftButton);
            else
                Emit("window", "missing", arg, "");
        } else if (verb == "key") {
            const QString name = arg.section('@', 1);
            QWidget *target = Named(window, name);
            if (!target || !Keys().count(arg.section('@', 0, 0))) {
                Emit("window", "missing", arg, "");
                continue;
            }
            if (target != window) {
                Reveal(target);
                target->setFocus(Qt::TabFocusReason);
            }
            const auto [key, modifiers] = Keys().at(arg.section('@', 0, 0));
            QTest::keyClick(KeyTarget(target), static_cast<Qt::Key>(key), modifiers);
        } else if (verb == "state") {
            auto *combo = window->findChild<QComboBox *>(arg);
            Emit("window", "state", arg,
                 QString("%1 popup=%2")
                     .arg(combo ? combo->currentText() : QString())
                     .arg(QApplication::activePopupWidget() ? 1 : 0));
        } else if (verb == "advanced") {
            // As a person reaches it: Quick Color "Custom", then its button.
            if (auto *quick = window->findChild<QComboBox *>("menu_QuickColor")) {
                quick->setCurrentIndex(quick->findData("UserDefined"));
                emit quick->activated(quick->currentIndex());
            }
            if (auto *button = window->findChild<QAbstractButton *>("button_AdvanceColorOptions")) {
                Reveal(button);
                QTest::mouseClick(button, Qt::LeftButton);
            }
        } else if (verb == "items") {
            if (auto *combo = window->findChild<QComboBox *>(arg)) {
                for (int i = 0; i < combo->count(); ++i)
                    Emit("window", i == combo->currentIndex() ? "current" : "item", arg, combo->itemText(i));
            } else if (auto *list = window->findChild<QListWidget *>(arg)) {
                for (int i = 0; i < list->count(); ++i)
                    Emit("window", "item", arg, list->item(i)->text());
            }
        } else if (verb == "preview") {
            if (auto *preview = window->findChild<DocumentPreview *>()) {
                QStringList pages;
                for (int page : preview->pagesOnSheet())
                    pages << QString::number(page);
                Emit("window", "preview", "",
                     QString("%1 of %2: %3")
                         .arg(preview->sheet() + 1)
                         .arg(preview->sheetCount())
                         .arg(pages.join(' ')));
            }
        } else if (verb == "type") {
            if (QWidget *w = Named(window, arg.section('=', 0, 0))) {
                Reveal(w);
                w->setFocus(Qt::TabFocusReason);
                QTest::keyClicks(KeyTarget(w), arg.section('=', 1));
            }
        } else if (verb == "shown") {
            QAbstractButton *button = HostButton(window, arg);
            if (!button)
                button = window->findChild<QAbstractButton *>(arg);
            Emit("window", "shown", arg,
                 button ? QString("%1 %2").arg(button->isVisible()).arg(button->isEnabled())
                        : QString("none"));
        } else if (verb == "reveal") {
            if (QWidget *w = Named(window, arg))
                Reveal(w);
        } else if (verb == "tab") {
            if (auto *tabs = window->findChild<QTabWidget *>("tab_SwitchVew"))
                tabs->setCurrentIndex(arg.toInt());
        } else if (verb == "mnemonics") {
            EmitMnemonics("window " + QString::number(++mnemonicPages), window);
        } else if (verb == "status") {
            auto *status = window->findChild<QLabel *>("status");
            Emit("window", "status", "status", status ? status->text() : QString());
        } else if (verb == "geometry") {
            QWidget *w = Named(window, arg);
            if (w) {
                Reveal(w);
                QApplication::processEvents();
            }
            const QRect r = w ? QRect(w->mapTo(window, QPoint()), w->size()) : QRect();
            Emit("window", "geometry", arg,
                 QString("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
        } else if (verb == "grow") {
            window->resize(window->width() * 2, window->height() * 3 / 2);
        }
        if (!window->isVisible())
            return;
    }
    QApplication::processEvents();
    if (window->isVisible())
        window->close();
}

// Waits for the print dialog's window to show, then runs the steps on it.
class Driver : public QObject
{
  public:
    // windows: the steps for each window that opens, one after the other
    // (a printer chosen in the window opens the next).
    explicit Driver(const QStringList &windows)
    {
        for (const QString &steps : windows)
            windows_.push_back(steps.split(';'));
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = event->type() == QEvent::Show ? qobject_cast<PrintDialogWindow *>(watched) : nullptr;
        // The next window may lie where the last one lay: that one is gone.
        if (window && (last_.isNull() || window != last_.data()) && next_ < windows_.size()) {
            last_ = window;
            QPointer<QWidget> target(window);
            const QStringList steps = windows_[next_++];
            QTimer::singleShot(0, this, [target, steps] {
                if (target)
                    RunSteps(target, steps);
            });
            if (next_ == 1) {
                // A key that does nothing would leave the window open.
                QTimer::singleShot(20000, [] {
                    std::fputs("@window\ttimeout\t\t\n", stdout);
                    std::fflush(stdout);
                    std::_Exit(99);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::vector<QStringList> windows_;
    size_t next_ = 0;
    QPointer<QObject> last_;
};

void StartDriver()
{
    static Driver *driver = new Driver(QString::fromLocal8Bit(std::getenv("TINT_WINDOW_DRIVER")).split('|'));
    (void)driver;
}

// ---------------------------------------------------------------------------
// The test side.

struct Shown {
    std::string where, kind, name, text;
};

std::string SelfPath()
{
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

class Window : public ::testing::Test
{
  protected:
    // Runs the window with the driver's steps under a locale; the lines the
    // driver reported are kept in shown, everything else in output.
    // options go before the command, documents after it.
    int run(const std::string &steps, const std::string &locale = "C", const std::string &options = "",
            const std::string &documents = "")
    {
        const std::string bus = busAddress.empty() ? "unix:path=" + root.path() + "/no-bus" : busAddress;
        const std::string command =
            "TINT_WINDOW_DRIVER=" + ShellQuote(steps) + " QT_QPA_PLATFORM=offscreen LC_ALL=" + locale +
            " LANG=" + locale + " LANGUAGE= DBUS_SESSION_BUS_ADDRESS=" + ShellQuote(bus) + " " +
            ShellQuote(SelfPath()) + " --plugin " + ShellQuote(kPlugin) +
            (options.find("--queue") == std::string::npos ? " --ppd " + ShellQuote(kSamplePPD)
                                                          : std::string()) +
            " --settings " + ShellQuote(settings) + " " + options + " gui " + documents + " 2>" +
            ShellQuote(root.path() + "/stderr");
        int status = -1;
        const std::string out = RunCommand(command, &status);
        shown.clear();
        output.clear();
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] != '@') {
                output += line + "\n";
                continue;
            }
            Shown s;
            std::istringstream fields(line.substr(1));
            std::getline(fields, s.where, '\t');
            std::getline(fields, s.kind, '\t');
            std::getline(fields, s.name, '\t');
            std::getline(fields, s.text);
            shown.push_back(s);
        }
        return status;
    }
    std::string errors() { return ReadFile(root.path() + "/stderr"); }
    std::vector<std::string> reported(const std::string &kind, const std::string &name = "") const
    {
        std::vector<std::string> texts;
        for (const Shown &s : shown) {
            if (s.kind == kind && (name.empty() || s.name == name))
                texts.push_back(s.text);
        }
        return texts;
    }

    TempRoot root;
    std::string settings = root.path() + "/job-settings.plist";
    std::string busAddress;
    std::vector<Shown> shown;
    std::string output;
};

// Escape cancels and Enter prints, wherever the keyboard focus is.
TEST_F(Window, EscapeCancelsAndEnterPrints)
{
    struct Case {
        const char *steps;
        int status;
    } const cases[] = {
        {"key:Escape", 1},
        {"key:Escape@menu_QuickColor", 1},
        {"key:Return", 0},
        {"key:Enter", 0},
        {"key:Return@menu_Brightness", 0},
        {"key:Return@copies", 0},
        {"key:Return@pageRanges", 0},
        {"key:Return@check_EconomyPrint", 0},
        {"click:cancel", 1},
        {"click:print", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.steps);
        std::remove(settings.c_str());
        EXPECT_EQ(c.status, run(c.steps)) << errors();
        // Printing lists the job's options (there is no queue); cancelling
        // writes nothing.
        EXPECT_EQ(c.status == 0, output.find("WQQuickColor=") != std::string::npos) << output;
        EXPECT_EQ(c.status == 0, FileExists(settings));
    }
}

// An open pop-up list takes Return and Escape first: Return picks the item,
// Escape closes the list; neither prints nor cancels. Once the list is
// closed the window's keys are back. In English as in German.
TEST_F(Window, OpenListTakesReturnAndEscape)
{
    struct Case {
        const char *steps;
        int status;
        bool changed; // the pop-up shows another item than it did
    } const cases[] = {
        {"state:menu_QuickColor;key:AltDown@menu_QuickColor;key:Down;key:Return;state:menu_QuickColor", 1,
         true},
        {"state:menu_QuickColor;key:AltDown@menu_QuickColor;key:Down;key:Escape;state:menu_QuickColor", 1,
         false},
        {"state:PageSize;key:AltDown@PageSize;key:Up;key:Enter;state:PageSize", 1, true},
        {"state:PageSize;key:AltDown@PageSize;key:Escape;state:PageSize;key:Return", 0, false},
        {"state:menu_Brightness;key:AltDown@menu_Brightness;key:Escape;state:menu_Brightness;key:Escape", 1,
         false},
    };
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(locale) + " " + c.steps);
            std::remove(settings.c_str());
            EXPECT_EQ(c.status, run(c.steps, locale)) << errors();
            // Only a Return after the list closed lists the job's options.
            EXPECT_EQ(c.status == 0, output.find("WQQuickColor=") != std::string::npos) << output;
            const std::vector<std::string> states = reported("state");
            ASSERT_EQ(2u, states.size()) << "the window closed with the list";
            EXPECT_EQ(c.changed, states[0] != states[1]) << states[0] << " / " << states[1];
            EXPECT_NE(std::string::npos, states[1].find("popup=0")) << states[1];
        }
    }
}

// No two controls visible together share a mnemonic: the window with each
// pane and each tab of the Advanced pane, and the profile window.
TEST_F(Window, MnemonicsAreUniqueOnEveryVisiblePage)
{
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        run("mnemonics;reveal:menu_QuickColor;mnemonics;advanced;mnemonics;tab:1;mnemonics;tab:2;mnemonics;"
            "profile:mnemonics",
            locale);
        std::map<std::string, std::map<std::string, std::string>> pages; // page, letter, control
        for (const Shown &s : shown) {
            if (s.kind != "mnemonic")
                continue;
            EXPECT_FALSE(s.text.empty()) << s.where << " " << s.name;
            auto [at, fresh] = pages[s.where].emplace(s.text, s.name);
            EXPECT_TRUE(fresh || s.text.empty())
                << s.where << ": Alt+" << s.text << " for " << at->second << " and " << s.name;
        }
        EXPECT_EQ(6u, pages.size());
    }
}

// The profile window by keyboard: after Add the focus is in the first field,
// typed text lands there, and Return in a field applies the entry (the edit
// area's own button, not the window's OK).
TEST_F(Window, ProfileWindowTakesTypingAndReturn)
{
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        ASSERT_EQ(1, run("profile:rows,click=_addButton,focus,type=PROOF.ICC,key=Tab,key=Tab,focus,type="
                         "Proof,key=Return,"
                         "rows,focus",
                         locale))
            << errors() << output;
        const std::vector<std::string> rows = reported("rows"), focus = reported("focus");
        ASSERT_EQ(2u, rows.size());
        EXPECT_EQ(std::stoi(rows[0]) + 1, std::stoi(rows[1]));
        ASSERT_EQ(3u, focus.size());
        EXPECT_EQ("_fileNameEdit", focus[0]);
        EXPECT_EQ("_profileNameEdit", focus[1]);
        EXPECT_EQ("_profileTableView", focus[2]);
    }
}

// With a queue: Print waits for a document; after Print the job's state
// reads in the person's language, without IPP keywords. A held job is not
// followed further (no Cancel Job); on a paused queue Cancel Job cancels
// the job while it waits; mnemonics stay unique on the job's page with its
// document buttons.
TEST_F(Window, JobStateInWordsAndCancelJob)
{
    CupsServer cups;
    ASSERT_TRUE(cups.running()) << cups.log();
    ASSERT_TRUE(cups.addQueue("QV", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    ASSERT_TRUE(cups.addQueue("Paused", "file:/dev/null", kSamplePPD));
    int status = -1;
    RunCommand(cups.clientEnvironment() + " cupsdisable -r 'Changing the drum' Paused", &status);
    ASSERT_EQ(0, status);
    const std::string document = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps";
    struct Case {
        const char *locale;
        const char *held, *paused, *cancelled;
    } const cases[] = {
        {"C", "Job QV-%1: held (until the time set for it)",
         "Job Paused-%1: waiting to print – Changing the drum", "Job Paused-%1: cancelled"},
        {"de_DE.UTF-8", "Auftrag QV-%1: angehalten (bis zur dafür gesetzten Zeit)",
         "Auftrag Paused-%1: wartet auf den Druck – Changing the drum", "Auftrag Paused-%1: abgebrochen"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.locale);
        const size_t before = cups.jobIds().size();
        run("shown:print;key:Return", c.locale, "--queue QV");
        EXPECT_EQ(std::vector<std::string>{"1 0"}, reported("shown")) << errors();
        EXPECT_EQ(before, cups.jobIds().size());

        run("click:print;status;shown:cancelJob", c.locale, "--queue QV", ShellQuote(document));
        std::vector<int> ids = cups.jobIds();
        ASSERT_EQ(before + 1, ids.size()) << errors();
        EXPECT_EQ(CupsServer::kJobHeld, cups.jobState(ids.back()));
        EXPECT_EQ(std::vector<std::string>{QString(c.held).arg(ids.back()).toStdString()},
                  reported("status"));
        EXPECT_EQ(std::vector<std::string>{"0 1"}, reported("shown"));

        run("mnemonics;shown:cancelJob;click:print;status;shown:cancelJob;click:cancelJob;status;shown:"
            "cancelJob",
            c.locale, "--queue Paused", ShellQuote(document));
        ids = cups.jobIds();
        ASSERT_EQ(before + 2, ids.size()) << errors();
        EXPECT_EQ(CupsServer::kJobCanceled, cups.jobState(ids.back()));
        const QString id = QString::number(ids.back());
        const std::vector<std::string> status = reported("status");
        ASSERT_EQ(2u, status.size()) << errors();
        EXPECT_EQ(QString(c.paused).arg(id).toStdString(), status[0]);
        // The reasons follow the scheduler's pace; never as IPP keywords.
        EXPECT_EQ(0u, status[1].find(QString(c.cancelled).arg(id).toStdString())) << status[1];
        EXPECT_EQ(std::string::npos, status[1].find("-to-")) << status[1];
        EXPECT_EQ(std::string::npos, status[1].find("job-")) << status[1];
        EXPECT_EQ((std::vector<std::string>{"none", "1 1", "0 1"}), reported("shown"));
        std::map<std::string, std::string> letters;
        for (const Shown &s : shown) {
            if (s.kind == "mnemonic") {
                EXPECT_FALSE(s.text.empty()) << s.name;
                EXPECT_TRUE(letters.emplace(s.text, s.name).second || s.text.empty())
                    << "Alt+" << s.text << " for " << letters[s.text] << " and " << s.name;
            }
        }
    }
}

// The printer chooser lists the server's queues with their states, the
// default marked; choosing another QV-MR52 queue by keyboard opens the
// dialog for it with the same documents; a queue without Color Options
// opens with the dialog's own pages and prints there.
TEST_F(Window, PrinterChooserShowsStatesAndSwitchesQueues)
{
    CupsServer cups;
    ASSERT_TRUE(cups.running()) << cups.log();
    ASSERT_TRUE(cups.addQueue("QV", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    ASSERT_TRUE(cups.addQueue("Paused", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    ASSERT_TRUE(cups.addQueue("Rejecting", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    ASSERT_TRUE(
        cups.addQueue("Generic", "file:/dev/null", std::string(TINT_TEST_DATA) + "/generic-laser.ppd"));
    ASSERT_TRUE(cups.lpadmin({"-d", "QV"}));
    int status = -1;
    RunCommand(cups.clientEnvironment() + " cupsdisable -r 'Changing the drum' Paused && " +
                   cups.clientEnvironment() + " cupsreject Rejecting",
               &status);
    ASSERT_EQ(0, status);
    const std::string document = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps";
    const std::string steps = "items:printers;key:AltDown@printers;key:Up;key:Return;status|items:printers;"
                              "items:documents|";
    run(steps, "C", "--queue QV", ShellQuote(document));
    const std::vector<std::string> first = reported("current"), items = reported("item");
    ASSERT_EQ(2u, first.size()) << errors();
    EXPECT_EQ("QV – ready (default)", first[0]);
    EXPECT_EQ("Paused – paused: Changing the drum", first[1]);
    EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "Generic – ready (no colour options)"));
    EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "Rejecting – ready: not accepting jobs"));
    const std::vector<std::string> documents = reported("item", "documents");
    ASSERT_EQ(1u, documents.size());
    EXPECT_EQ("sample.ps (1 page(s))", documents[0]);

    // A queue without Color Options: the dialog's own pages alone, and Print
    // sends the job there with the host page's choices.
    const size_t before = cups.jobIds().size();
    EXPECT_EQ(0, run("key:AltDown@printers;key:Up;key:Up;key:Return|items:printers;texts;click:print", "C",
                     "--queue QV", ShellQuote(document)))
        << errors();
    EXPECT_EQ("Generic – ready (no colour options)", reported("current").back());
    for (const std::string &tab : reported("tab", "dialogPages"))
        EXPECT_EQ(std::string::npos, tab.find("Color")) << tab;
    const std::vector<int> ids = cups.jobIds();
    ASSERT_EQ(before + 1, ids.size());
    auto job = cups.jobAttributes(ids.back());
    EXPECT_NE(std::string::npos, job["job-printer-uri"].find("/printers/Generic")) << job["job-printer-uri"];
    EXPECT_EQ("None", job["Duplex"]);
    EXPECT_EQ(0u, job.count("WQQuickColor"));

    // German: the states read in German.
    run("items:printers", "de_DE.UTF-8", "--queue QV");
    EXPECT_EQ(std::vector<std::string>{"QV – bereit (Standard)"}, reported("current"));
}

// The preview follows the page ranges, the pages per sheet and odd or even
// pages as they are chosen; ranges beyond the document's pages are refused
// at Print with the page count, and nothing is sent.
TEST_F(Window, PreviewFollowsTheJobsPagesAndRangesAreChecked)
{
    CupsServer cups;
    ASSERT_TRUE(cups.running()) << cups.log();
    ASSERT_TRUE(cups.addQueue("QV", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    const std::string sample = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps",
                      pdf = root.path() + "/three.pdf";
    int status = -1;
    RunCommand("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile=" + ShellQuote(pdf) + " " +
                   ShellQuote(sample) + " " + ShellQuote(sample) + " " + ShellQuote(sample),
               &status);
    ASSERT_EQ(0, status) << "ghostscript is needed to make the PDF";
    run("preview;key:AltDown@number-up;key:Down;key:Return;preview;key:AltDown@page-set;key:Down;key:Return;"
        "preview;type:pageRanges=2-3;preview;type:pageRanges=0;click:print;status",
        "C", "--queue QV", ShellQuote(pdf));
    EXPECT_EQ((std::vector<std::string>{"1 of 3: 1", "1 of 2: 1 2", "1 of 1: 1 3", "1 of 1: 3"}),
              reported("preview"))
        << errors();
    EXPECT_EQ(std::vector<std::string>{"Not printed: page range 2-30 goes beyond the 3 page(s) of three.pdf"},
              reported("status"));
    EXPECT_TRUE(cups.jobIds().empty());

    // Two pages side by side right to left, sheets last first: the first
    // sheet out holds page 3 on its right.
    run("key:AltDown@number-up;key:Down;key:Return;key:AltDown@number-up-layout;key:Down;key:Down;key:Return;"
        "key:AltDown@outputorder;key:Down;key:Return;preview;click:nextSheet;preview",
        "C", "--queue QV", ShellQuote(pdf));
    EXPECT_EQ((std::vector<std::string>{"1 of 2: 0 3", "2 of 2: 2 1"}), reported("preview")) << errors();
}

// "Saved to ..." is true only until the next change, whichever control
// makes it.
TEST_F(Window, SavedLineGoesAtTheNextChange)
{
    for (const char *change :
         {"key:Down@menu_QuickColor", "key:Space@check_EconomyPrint", "key:Up@PageSize", "key:Up@copies"}) {
        SCOPED_TRACE(change);
        ASSERT_EQ(1, run(std::string("click:save;status;") + change + ";status")) << errors();
        const std::vector<std::string> status = reported("status");
        ASSERT_EQ(2u, status.size());
        EXPECT_EQ("Saved to " + settings, status[0]);
        EXPECT_EQ("", status[1]);
    }
}

// Every push button, check box, tab and labelled control of the window and
// of the profile window can be reached with Alt and a letter, in English as
// in German.
TEST_F(Window, EveryButtonAndLabelledControlHasAMnemonicAndTakesFocus)
{
    SessionBus bus; // the profile window opens only where the list can be written
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        run("texts;profile", locale);
        ASSERT_TRUE(reported("missing").empty()) << bus.serviceLog();
        EXPECT_TRUE(reported("nofocus").empty()) << reported("nofocus").front();
        int checked = 0;
        for (const Shown &s : shown) {
            if (s.kind != "button" && s.kind != "check" && s.kind != "buddylabel" && s.kind != "tab")
                continue;
            ++checked;
            QString text = QString::fromStdString(s.text);
            EXPECT_TRUE(text.remove("&&").contains('&')) << s.where << " " << s.name << ": " << s.text;
        }
        EXPECT_GT(checked, 40);
    }
}

// A larger window gives its room to the panel's frame, not to the Advanced
// Color Options button, and the pop-ups stay in one column.
TEST_F(Window, EnlargingKeepsTheLayout)
{
    const char *const widgets[] = {"button_AdvanceColorOptions", "menu_QuickColor", "menu_Brightness",
                                   "menu_EdgeStrength", "menu_BlackOverprint"};
    std::string steps;
    for (const char *grow : {"", "grow;"}) {
        steps += grow;
        for (const char *w : widgets)
            steps += std::string("geometry:") + w + ";";
    }
    ASSERT_EQ(1, run(steps)) << errors();
    std::map<std::string, std::vector<QRect>> at;
    for (const Shown &s : shown) {
        if (s.kind != "geometry")
            continue;
        int x, y, w, h;
        ASSERT_EQ(4, std::sscanf(s.text.c_str(), "%d %d %d %d", &x, &y, &w, &h)) << s.text;
        at[s.name].push_back(QRect(x, y, w, h));
    }
    for (const char *w : widgets)
        ASSERT_EQ(2u, at[w].size()) << w;
    const QRect before = at["button_AdvanceColorOptions"][0], after = at["button_AdvanceColorOptions"][1];
    EXPECT_GT(before.width(), 0);
    EXPECT_EQ(before.width(), after.width());
    EXPECT_EQ(before.height(), after.height());
    for (int i : {0, 1}) {
        for (const char *w : {"menu_Brightness", "menu_EdgeStrength", "menu_BlackOverprint"})
            EXPECT_EQ(at["menu_QuickColor"][i].x(), at[w][i].x()) << w << " " << i;
    }
}

// The keys of the plug-in's translations that are not themselves English
// (its English translation differs from the key), read from the source.
std::set<std::string> TranslationKeys()
{
    std::set<std::string> keys;
    QFile file(QString(TINT_SOURCE_DIR) + "/PDE/Resources/Localizable_en.ts");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source)
            keys.insert(source.toStdString());
    }
    EXPECT_FALSE(keys.empty());
    return keys;
}

// Under every locale the window and the profile window read as words, never
// as the plug-in's translation keys; a language without translations reads
// English; under German no English text of the window is left, the status
// line of a failed walk included.
TEST_F(Window, LanguagesShowNoKeysAndGermanHasNoEnglish)
{
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();
    const std::set<std::string> keys = TranslationKeys();
    // Names and words that German writes as English does.
    const std::set<std::string> same = {"sRGB",
                                        "Adobe RGB (1998)",
                                        "Normal",
                                        "Simulation",
                                        "Text",
                                        "Sendrix",
                                        "OK",
                                        "QV_MR52",
                                        "lpd://127.0.0.2/queue",
                                        "A4",
                                        "Detail",
                                        "SWOP (US)",
                                        "Euroscale",
                                        "Japan Color 2001",
                                        "1",
                                        "2",
                                        "4",
                                        "6",
                                        "9",
                                        "16"};
    struct Case {
        const char *locale;
        const char *quickColor; // its label, in the locale's language
        bool english;
    } const cases[] = {
        {"C", "Quick Color:", true},
        {"de_DE.UTF-8", "Schnellfarbe:", false},
        {"fr_FR.UTF-8", "Quick Color:", true},
    };
    // Locale to text to where it was shown.
    std::map<std::string, std::map<std::string, std::string>> texts;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.locale);
        ASSERT_EQ(1, run("texts;profile", c.locale, "--device-uri lpd://127.0.0.2/queue")) << errors();
        ASSERT_TRUE(reported("missing").empty()) << bus.serviceLog();
        ASSERT_FALSE(reported("title", "_profileManagementWindow").empty());
        for (const Shown &s : shown) {
            const std::string plain =
                QString::fromStdString(s.text).remove(QRegularExpression("&(?!&)")).toStdString();
            EXPECT_FALSE(keys.count(plain)) << s.where << " " << s.name << ": " << s.text;
            if (s.kind != "geometry" && !plain.empty())
                texts[c.locale].emplace(plain, s.where + " " + s.kind + " " + s.name);
        }
        EXPECT_TRUE(texts[c.locale].count(c.quickColor));
        // The walk of a printer that does not answer is told in the window.
        const std::vector<std::string> status = reported("label", "status");
        ASSERT_EQ(1u, status.size());
        EXPECT_EQ(c.english, status[0].find("the printer at 127.0.0.2 did not answer") == 0) << status[0];
        EXPECT_NE(std::string::npos, status[0].find("127.0.0.2")) << status[0];
        EXPECT_EQ(c.english, texts[c.locale].count("Profile Management") == 1);
    }
    EXPECT_EQ(texts["C"], texts["fr_FR.UTF-8"]);
    for (const auto &[text, where] : texts["de_DE.UTF-8"]) {
        if (texts["C"].count(text) && !same.count(text))
            ADD_FAILURE() << "English under German: " << text << " (" << where << ")";
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (std::getenv("TINT_WINDOW_DRIVER")) {
        qAddPreRoutine(StartDriver);
        return TintDialogMain(argc, argv);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
