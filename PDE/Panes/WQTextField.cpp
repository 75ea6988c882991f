#include "WQTextField.h"

#include "TextInputFilter.h"

#include <QFocusEvent>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// A text over the maximum length, or (with an extension) a base name or an
// extension too long, or a second ".".
bool BreaksLengthRules(const QString &s, int32_t maxLen, int32_t maxExtension)
{
    const int n = static_cast<int>(s.size());
    const int p = static_cast<int>(s.indexOf(QLatin1Char('.')));
    int32_t limit = maxLen;
    if (maxExtension > 0 && p < 0)
        limit = maxLen - 1 - maxExtension;
    // A negative limit compares as a huge unsigned value: no limit.
    if (static_cast<uint32_t>(n) > static_cast<uint32_t>(limit))
        return true;
    if (maxExtension > 0 && p >= 0)
        return p > maxLen - 1 - maxExtension || n - p > maxExtension + 1 ||
               (n >= 2 && s.indexOf(QLatin1Char('.'), p + 1) >= 0);
    return false;
}

QString Filtered(const QString &s, int32_t kind)
{
    const int n = static_cast<int>(s.size());
    std::vector<char16_t> units(static_cast<size_t>(n) + 1, u'\0');
    std::copy_n(reinterpret_cast<const char16_t *>(s.utf16()), n, units.begin());
    std::u16string filtered = s.toStdU16String();
    CheckUniCharString(units.data(), static_cast<uint32_t>(n), kind, &filtered);
    return QString::fromStdU16String(filtered);
}

} // namespace

QString WQTextField::typedText(const QString &text, int32_t maxLength, int32_t extension, int32_t key,
                               int32_t maxUtf8Bytes)
{
    QString held;
    for (qsizetype i = 0; i < text.size();) {
        const char16_t unit = text.at(i).unicode();
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString typed = held + text.mid(i, length);
        i += length;
        // Control characters cannot be typed into a one-line field.
        if (unit < 0x20 || (unit >= 0x7F && unit < 0xA0) || BreaksLengthRules(typed, maxLength, extension))
            continue;
        const QString result = Filtered(typed, key);
        if (maxUtf8Bytes <= 0 || result.toUtf8().size() <= maxUtf8Bytes)
            held = result;
    }
    return held;
}

WQTextField::WQTextField(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &WQTextField::onTextChanged);
    connect(this, &QLineEdit::textEdited, this, &WQTextField::onTextEdited);
}

void WQTextField::setMaxLength(int32_t maxLength, int32_t extension)
{
    maxLen = maxLength;
    maxExtension = extension;
}

void WQTextField::setInputKey(int32_t key)
{
    inputkey = key;
}

void WQTextField::setOperateControl(QWidget *control)
{
    operateOutlet = control;
}

void WQTextField::setOldString(const QString &string)
{
    oldValue = string;
    settledText = text();
}

void WQTextField::setMaxUtf8Bytes(int32_t bytes)
{
    maxBytes = bytes;
}

bool WQTextField::textShouldBeginEditing(QObject *textObject)
{
    // Inside an edit the field already shows the edited text; the session
    // begins from the text the edit started from.
    oldValue = inEdit ? preEditText : text();
    settledText = oldValue;
    textObj = textObject;
    return true;
}

bool WQTextField::textShouldEndEditing(QObject *)
{
    textObj = nullptr;
    return true;
}

void WQTextField::focusOutEvent(QFocusEvent *event)
{
    if (textObj)
        textShouldEndEditing(this);
    QLineEdit::focusOutEvent(event);
}

void WQTextField::onTextChanged(const QString &)
{
    // The signal's argument can be stale: when the editing step replaced
    // the text, QLineEdit still reports the edited text afterwards.
    if (currentText == text())
        return;
    previousText = currentText;
    currentText = text();
}

void WQTextField::onTextEdited(const QString &edited)
{
    // QLineEdit reports the edit before it reports the change of text; cope
    // with either order.
    preEditText = currentText == edited ? previousText : currentText;
    inEdit = true;
    if (!textObj || preEditText != settledText)
        textShouldBeginEditing(this);
    textDidChange(this);
    inEdit = false;
}

void WQTextField::restoreOldValue(int selectionStart, int editedLength)
{
    setText(oldValue);
    // The caret goes back to where it stood before the rejected insertion.
    int caret = selectionStart - editedLength + static_cast<int>(oldValue.size());
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(oldValue.size())));
}

void WQTextField::updateOperateControl()
{
    if (!operateOutlet)
        return;
    QString current = text();
    qsizetype dot = current.indexOf(QLatin1Char('.'));
    bool enable = dot < 0 ? !current.isEmpty() : dot > 0;
    if (operateOutlet->isEnabled() != enable)
        operateOutlet->setEnabled(enable);
}

void WQTextField::textDidChange(QObject *)
{
    QString s = text();
    const int n = static_cast<int>(s.size());
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    bool accepted = false;

    do {
        if (BreaksLengthRules(s, maxLen, maxExtension)) {
            restoreOldValue(start, n);
            break;
        }
        if (s.isEmpty()) {
            accepted = true;
            break;
        }

        const QString result = Filtered(s, inputkey);

        if (maxBytes > 0 && result.toUtf8().size() > maxBytes) {
            restoreOldValue(start, n);
            break;
        }
        if (result != s) {
            // Keep the caret after the same characters it followed: only the
            // deleted units before it move it.
            const int caret = static_cast<int>(Filtered(s.left(start), inputkey).size());
            setText(result);
            setCursorPosition(std::clamp(caret, 0, static_cast<int>(result.size())));
        }
        s = result;
        accepted = true;
    } while (false);

    updateOperateControl();
    if (accepted)
        oldValue = s;
    settledText = text();
}
