// A one-line text field that keeps its text within a maximum length,
// optionally as a base name plus a short extension after a single ".", and
// drops every character its filter kind refuses. An edit that breaks a
// length rule is undone: the field shows the last accepted text again with
// the caret where it stood before the edit. Optionally enables another
// control (an OK button) only while a base name has been typed.
//
// The editing step runs on textEdited, that is only for the user's own
// edits; text set by code is taken as it is.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <cstdint>

class WQTextField : public QLineEdit
{
    Q_OBJECT
  public:
    explicit WQTextField(QWidget *parent = nullptr);

    // maxLen in UTF-16 units; extension > 0 reserves room for "." and that
    // many characters after it, which a name without a dot cannot use.
    void setMaxLength(int32_t maxLength, int32_t extension);
    void setInputKey(int32_t key);
    // control is enabled only while the field holds a non-empty base name.
    void setOperateControl(QWidget *control);
    // Makes string the last accepted text (after setting the text by code).
    void setOldString(const QString &string);
    // Beginning of an editing session: the text before it becomes the last
    // accepted text. Always true.
    bool textShouldBeginEditing(QObject *textObject);
    // End of an editing session. Always true.
    bool textShouldEndEditing(QObject *textObject);
    // The editing step, after every edit of the user.
    void textDidChange(QObject *notification = nullptr);

    // Upper bound of the text's size in UTF-8 bytes (0: none). The fields
    // of a profile record hold 31 bytes; an edit that would go beyond is
    // undone like an over-long one.
    void setMaxUtf8Bytes(int32_t bytes);

    // What a field of these settings holds once text has been typed into it
    // character by character, emptied first: each character the filter
    // refuses and each that breaks a length rule is left out.
    static QString typedText(const QString &text, int32_t maxLength, int32_t extension, int32_t key,
                             int32_t maxUtf8Bytes);

    int32_t maxLengthUnits() const { return maxLen; }
    int32_t maxExtensionUnits() const { return maxExtension; }
    int32_t inputKey() const { return inputkey; }
    QString oldString() const { return oldValue; }
    QWidget *operateControl() const { return operateOutlet; }

  protected:
    void focusOutEvent(QFocusEvent *event) override;

  private:
    void onTextChanged(const QString &text);
    void onTextEdited(const QString &text);
    void restoreOldValue(int selectionStart, int editedLength);
    void updateOperateControl();

    QPointer<QWidget> operateOutlet;
    int32_t inputkey = 0;
    int32_t maxLen = 0;
    int32_t maxExtension = 0;
    int32_t maxBytes = 0;
    QString oldValue;
    QObject *textObj = nullptr;

    // The text before the latest change and the text the last editing step
    // left; they differ when code changed the text since, which starts a new
    // editing session.
    QString previousText;
    QString currentText;
    QString settledText;
    QString preEditText;
    bool inEdit = false;
};
