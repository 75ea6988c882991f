// The key filters and the editing step of the filtered text field, driven by
// real key events on a real QLineEdit (offscreen).
#include "IconedCell.h"
#include "TextInputFilter.h"
#include "WQTextField.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace
{

QApplication *app()
{
    static int argc = 1;
    static char name[] = "test_wq_text_field";
    static char *argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *instance = new QApplication(argc, argv);
    return instance;
}

const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, a surrogate pair
const QString kEAcute = QString::fromUtf8("\xC3\xA9");

} // namespace

TEST(TextInputFilter, AcceptedAsciiCountsPerKind)
{
    struct Row {
        int32_t kind;
        int accepted; // among code points 0..127
    } rows[] = {{0, 95}, {1, 78}, {2, 62}, {3, 10}, {4, 126}, {-1, 126}, {77, 126}};
    for (const Row &row : rows) {
        int count = 0;
        for (uint32_t c = 0; c < 128; ++c)
            count += FilterEditTextInputKey(row.kind, c);
        EXPECT_EQ(count, row.accepted) << "kind " << row.kind;
    }
    // The file-name kind refuses exactly these printable characters.
    std::string refused;
    for (uint32_t c = 32; c < 127; ++c) {
        if (!AsciiKeyFilterAppoint(c))
            refused += static_cast<char>(c);
    }
    EXPECT_EQ(refused, " \"*+,/:;<=>?@[\\]|");
    // Non-ASCII: only the wide kind takes it, but never '"' or '+'.
    for (int32_t kind = 0; kind <= 3; ++kind)
        EXPECT_EQ(FilterEditTextInputKey(kind, 0xE9), 0);
    EXPECT_EQ(WideCharKeyFilter(0xE9), 1);
    EXPECT_EQ(WideCharKeyFilter(0x1F600), 1);
    EXPECT_EQ(WideCharKeyFilter('"'), 0);
    EXPECT_EQ(WideCharKeyFilter('+'), 0);
}

TEST(TextInputFilter, ComposedCharacterReaderVisitsBothHalvesOfAPair)
{
    std::u16string s = u"a\U0001F600b";
    uint32_t next = 0;
    EXPECT_EQ(UCFindComposedCharAtIndex(s.data(), s.size(), 0, &next), uint32_t('a'));
    EXPECT_EQ(next, 1u);
    EXPECT_EQ(UCFindComposedCharAtIndex(s.data(), s.size(), 1, &next), 0x1F600u);
    EXPECT_EQ(next, 2u);
    // The low half is combined with the unit after it: still outside the BMP.
    EXPECT_GE(UCFindComposedCharAtIndex(s.data(), s.size(), 2, &next), 0x10000u);
    EXPECT_EQ(next, 3u);
    // A lone high surrogate at the end is its own unit.
    std::u16string lone = u"a";
    lone.push_back(char16_t(0xD83D));
    EXPECT_EQ(UCFindComposedCharAtIndex(lone.data(), lone.size(), 1, &next), 0xD83Du);
    EXPECT_EQ(UCFindComposedCharAtIndex(lone.data(), lone.size(), 5, &next), 0u);
}

TEST(TextInputFilter, CheckUniCharStringDeletesRefusedCharactersWhole)
{
    std::u16string loneHigh = u"x";
    loneHigh.push_back(char16_t(0xD83D));
    struct Row {
        std::u16string in;
        int32_t kind;
        std::u16string out;
    } rows[] = {
        {u"my file.icc", 1, u"myfile.icc"},
        {u"a\U0001F600b", 0, u"ab"},
        {u"\U0001F600\U0001F600", 1, u""},
        {u"\U0001F600", 3, u""},
        {u"a\U0001F600b", 4, u"a\U0001F600b"},
        {u"\u00e9t\u00e9", 0, u"t"},
        {u"a1-B2", 2, u"a1B2"},
        {u"a\"b+c", 4, u"abc"},
        {loneHigh, 0, u"x"},
        {u"", 0, u""},
    };
    for (const Row &row : rows) {
        std::u16string s = row.in;
        CheckUniCharString(row.in.data(), row.in.size(), row.kind, &s);
        EXPECT_EQ(s, row.out) << "kind " << row.kind << " input of " << row.in.size() << " units";
    }
    std::u16string untouched = u"a b";
    CheckUniCharString(nullptr, 3, 1, &untouched);
    EXPECT_EQ(untouched, u"a b");
}

class WQTextFieldTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        app();
        ok = new QPushButton("OK");
        ok->setEnabled(false);
    }
    void TearDown() override
    {
        delete field;
        delete ok;
    }
    // The profile window's file-name field.
    void fileNameField()
    {
        field = new WQTextField();
        field->setMaxLength(31, 3);
        field->setInputKey(1);
        field->setOperateControl(ok);
        field->setMaxUtf8Bytes(31);
    }
    // The profile window's display-name field.
    void profileNameField()
    {
        field = new WQTextField();
        field->setMaxLength(30, 0);
        field->setInputKey(0);
        field->setMaxUtf8Bytes(31);
    }
    void type(const QString &text) { QTest::keyClicks(field, text); }
    void typeCharacter(const QString &character)
    {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, character, Qt::NoModifier);
    }

    WQTextField *field = nullptr;
    QPushButton *ok = nullptr;
};

TEST_F(WQTextFieldTest, FileNameWithoutDotStopsAt27AndKeepsTheCaret)
{
    fileNameField();
    type(QString(27, 'a'));
    EXPECT_EQ(field->text(), QString(27, 'a'));
    field->setCursorPosition(5);
    type("b");
    EXPECT_EQ(field->text(), QString(27, 'a'));
    EXPECT_EQ(field->cursorPosition(), 5);
    EXPECT_FALSE(field->hasSelectedText());
    EXPECT_EQ(field->oldString(), QString(27, 'a'));
}

TEST_F(WQTextFieldTest, FileNameExtensionRules)
{
    fileNameField();
    const QString base(27, 'n');
    type(base + ".icc");
    EXPECT_EQ(field->text(), base + ".icc");
    type("x"); // fourth character after the dot
    EXPECT_EQ(field->text(), base + ".icc");
    EXPECT_EQ(field->cursorPosition(), 31);

    field->clear();
    type("ab.c.");
    EXPECT_EQ(field->text(), "ab.c"); // second dot refused

    // A 28th character before the dot is refused, caret where it was.
    field->clear();
    type(base + ".ab");
    field->setCursorPosition(0);
    type("z");
    EXPECT_EQ(field->text(), base + ".ab");
    EXPECT_EQ(field->cursorPosition(), 0);

    // Deleting the dot would leave 29 characters of base name.
    field->setCursorPosition(28);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), base + ".ab");
}

// What a script is told a field takes of a text is what typing it into the
// field leaves there.
TEST_F(WQTextFieldTest, TypedTextIsWhatTypingLeaves)
{
    const QString texts[] = {"PROOF.ICC", "my file.icc",          "ab.c.d",      QString(29, 'n'), "n.iccx",
                             "Caf\u00e9", QString(31, 'p') + "q", "a\U0001F600b"};
    for (bool fileName : {true, false}) {
        for (const QString &text : texts) {
            fileName ? fileNameField() : profileNameField();
            for (qsizetype i = 0; i < text.size(); i += text.at(i).isHighSurrogate() ? 2 : 1)
                typeCharacter(text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1));
            EXPECT_EQ(
                WQTextField::typedText(text, fileName ? 31 : 30, fileName ? 3 : 0, fileName ? 1 : 0, 31),
                field->text())
                << text.toStdString();
            delete field;
            field = nullptr;
        }
    }
}

TEST_F(WQTextFieldTest, FilterDeletesRefusedCharactersAndKeepsTheCaret)
{
    fileNameField();
    QApplication::clipboard()->setText("my profile.icc");
    field->paste();
    EXPECT_EQ(field->text(), "myprofile.icc");
    EXPECT_EQ(field->oldString(), "myprofile.icc");

    field->setText("abcd");
    field->setCursorPosition(2);
    type(" ");
    EXPECT_EQ(field->text(), "abcd");
    EXPECT_EQ(field->cursorPosition(), 2);
    type("x");
    EXPECT_EQ(field->text(), "abxcd");
    EXPECT_EQ(field->cursorPosition(), 3);
}

TEST_F(WQTextFieldTest, OperateControlFollowsTheBaseName)
{
    fileNameField();
    struct Step {
        QString typed;
        bool enabled;
    } steps[] = {{".", false}, {"a", false}, {"b", false}};
    for (const Step &step : steps) {
        type(step.typed);
        EXPECT_EQ(ok->isEnabled(), step.enabled) << field->text().toStdString();
    }
    EXPECT_EQ(field->text(), ".ab");
    field->setCursorPosition(0);
    type("x");
    EXPECT_EQ(field->text(), "x.ab");
    EXPECT_TRUE(ok->isEnabled());
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "");
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(WQTextFieldTest, SurrogatePairsAreDeletedWholeByNarrowKinds)
{
    fileNameField();
    type("ab");
    typeCharacter(kSmile);
    EXPECT_EQ(field->text(), "ab");
    EXPECT_EQ(field->cursorPosition(), 2);

    delete field;
    profileNameField();
    type("x");
    typeCharacter(kSmile);
    typeCharacter(kEAcute);
    EXPECT_EQ(field->text(), "x");

    delete field;
    field = new WQTextField();
    field->setMaxLength(30, 0);
    field->setInputKey(4);
    type("x");
    typeCharacter(kSmile);
    EXPECT_EQ(field->text(), "x" + kSmile);
    EXPECT_EQ(field->cursorPosition(), 3);
}

TEST_F(WQTextFieldTest, ProfileNameLimitsAndDots)
{
    profileNameField();
    type("v1.2.3");
    EXPECT_EQ(field->text(), "v1.2.3");
    type(QString(24, 'q'));
    EXPECT_EQ(field->text().size(), 30);
    type("w");
    EXPECT_EQ(field->text().size(), 30);
    EXPECT_FALSE(field->text().contains('w'));
}

TEST_F(WQTextFieldTest, FieldWithoutLimitRefusesEverything)
{
    field = new WQTextField();
    type("abc");
    EXPECT_EQ(field->text(), "");
}

TEST_F(WQTextFieldTest, NegativeLimitImposesNone)
{
    field = new WQTextField();
    field->setMaxLength(-1, 0);
    type(QString(40, 'k'));
    EXPECT_EQ(field->text().size(), 40);
}

TEST_F(WQTextFieldTest, TextNeverExceedsTheRecordInUtf8)
{
    field = new WQTextField();
    field->setMaxLength(31, 0);
    field->setInputKey(4);
    field->setMaxUtf8Bytes(31);
    for (int i = 0; i < 20; ++i)
        typeCharacter(kEAcute);
    EXPECT_EQ(field->text(), QString(15, QChar(0xE9)));
    EXPECT_LE(field->text().toUtf8().size(), 31);
}

TEST_F(WQTextFieldTest, RejectedEditAfterTextSetByCodeRestoresThatText)
{
    fileNameField();
    type("old");
    field->setText(QString(27, 'c'));
    field->setCursorPosition(3);
    type("d");
    EXPECT_EQ(field->text(), QString(27, 'c'));
    EXPECT_EQ(field->cursorPosition(), 3);
}

// The table's icon cell: the image alone, 16 x 16, three pixels in.
TEST(IconedCellTest, DrawsOnlyTheImageAtItsPlace)
{
    app();
    QStandardItemModel model(1, 1);
    QPixmap red(40, 40);
    red.fill(Qt::red);
    model.setData(model.index(0, 0), QIcon(red), Qt::DecorationRole);
    model.setData(model.index(0, 0), QString("WWWWWWWWWW"), Qt::DisplayRole);
    QTableView view;
    view.setModel(&model);

    for (bool withImage : {true, false}) {
        if (!withImage)
            model.setData(model.index(0, 0), QVariant(), Qt::DecorationRole);
        QImage image(120, 24, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.rect = QRect(0, 0, 120, 24);
        option.state &= ~QStyle::State_Selected;
        IconedCell cell;
        cell.paint(&painter, option, model.index(0, 0));
        painter.end();

        int redPixels = 0, otherPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QRgb p = image.pixel(x, y);
                if (p == qRgb(255, 0, 0)) {
                    ++redPixels;
                    EXPECT_TRUE(x >= 3 && x < 19 && y < 16) << x << "," << y;
                } else if (p != qRgb(255, 255, 255)) {
                    ++otherPixels;
                }
            }
        }
        EXPECT_EQ(redPixels, withImage ? 256 : 0);
        EXPECT_EQ(otherPixels, 0) << "the cell drew text";
    }
}
