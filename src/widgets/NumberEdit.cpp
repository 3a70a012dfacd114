#include "widgets/NumberEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>

#include <cmath>
#include <utility>

namespace korvent::widgets {
namespace {

// Raises the "formatting itself" flag for a scope and restores what it was.
class TUpdatingScope {
public:
    explicit TUpdatingScope(bool& flag) : fFlag(flag), fWas(std::exchange(flag, true)) {}
    ~TUpdatingScope() { fFlag = fWas; }
    TUpdatingScope(const TUpdatingScope&) = delete;
    TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
    bool& fFlag;
    bool fWas;
};

Qt::Alignment QtAlignment(TAlignment alignment) {
    switch (alignment) {
        case TAlignment::taLeftJustify:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case TAlignment::taCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case TAlignment::taRightJustify:
            break;
    }
    return Qt::AlignRight | Qt::AlignVCenter;
}

// Focus changes that do not mean the user entered or left the field: a menu or another
// application window came and went.
bool IsPassingFocus(Qt::FocusReason reason) {
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

}  // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) {
    {
        TUpdatingScope updating(FUpdating);
        setText(QStringLiteral("0"));
    }
    setAlignment(QtAlignment(FAlignment));
    // The field takes digits only: no input method, no dropped text past the filters.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, &TNumberEdit::TextChanged);
}

TNumberFormat TNumberEdit::Format() const {
    TNumberFormat format = FFormat;
    format.Separators = TNumberSeparators::FromLocale(locale());
    return format;
}

TEditState TNumberEdit::EditState() const {
    if (hasSelectedText()) {
        return {text(), selectionStart(), static_cast<int>(selectedText().size())};
    }
    return {text(), cursorPosition(), 0};
}

void TNumberEdit::SetEditState(const TEditState& state) {
    if (state.Text == text()) {
        setCursorPosition(state.SelStart);
        return;
    }
    FCaretHint = state.SelStart;
    setText(state.Text);
    FCaretHint.reset();
}

void TNumberEdit::TextChanged() {
    const std::optional<int> hint = std::exchange(FCaretHint, std::nullopt);
    if (FUpdating) {
        return;
    }
    const QString current = text();
    int caret = hint.value_or(cursorPosition());
    if (current.isEmpty() || current == u"-" || current == u"+") {
        FValue = 0;
        setCursorPosition(caret);
        return;
    }
    const TNumberFormat format = Format();
    QString cleaned = current;
    const std::optional<long double> parsed = ParseText(cleaned, format);
    if (!parsed) {
        // Not a number (only the program can set such a text): the value stays as it was.
        setCursorPosition(caret);
        return;
    }
    FValue = *parsed;
    if (format.NumberType == TNumberType::ntDecimal) {
        QString shown = current;
        if (format.Comma) {
            const TEditState grouped = RegroupText({current, caret, 0}, format.Separators);
            if (grouped.Text != current) {
                TUpdatingScope updating(FUpdating);
                setText(grouped.Text);
            }
            shown = grouped.Text;
            caret = grouped.SelStart;
        }
        const QString rounded =
            RoundToFigure(shown, format.Figure, format.RoundMode, format.Separators);
        if (const auto value = DecimalTextValue(rounded, format.Separators.Decimal)) {
            FValue = *value;
        }
    }
    setCursorPosition(caret);
    // Out-of-range numbers may be typed; the value is clamped now, the text when leaving.
    FValue = ClampValue(FValue, format);
    emit OnChange();
}

void TNumberEdit::Reformat(bool quiet) {
    const TFormattedValue formatted = FormatValue(FValue, text(), Format());
    FValue = formatted.Value;
    if (quiet) {
        TUpdatingScope updating(FUpdating);
        setText(formatted.Text);
    } else {
        setText(formatted.Text);
    }
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        PasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    const QString typed = event->text();
    // Keys without a printable character (editing and navigation keys, backspace, tab,
    // return, escape) and Control shortcuts go to the edit control unfiltered.
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (control || typed.isEmpty() || !typed[0].isPrint() || isReadOnly()) {
        const QString before = text();
        QLineEdit::keyPressEvent(event);
        // Backspace and return count as typed keys even when nothing changes; any other
        // pass-through key (delete, cut, undo) counts when it edited the text.
        const bool typedKey = typed == u"\b" || typed == u"\r" || typed == u"\n";
        if (!isReadOnly() && (typedKey || text() != before)) {
            FTyped = true;
        }
        return;
    }
    event->accept();
    const TNumberFormat format = Format();
    const TEditState state = EditState();
    if (typed.size() > 1) {
        // Several characters at once (a compose sequence): filtered as a paste.
        if (const auto pasted = PasteText(typed, state, format)) {
            FTyped = true;
            SetEditState(*pasted);
        }
        return;
    }
    const QChar key = typed[0];
    if (!IsValidKey(key, false, state, format)) {
        return;
    }
    if (key == u'+' || key == u'-') {
        FTyped = true;
        SetEditState(ApplySignKey(key, state, format));
        return;
    }
    if (key == format.Separators.Decimal) {
        // Only one separator; one inside the selection is about to be replaced by this one.
        QString kept = state.Text;
        kept.remove(state.SelStart, state.SelLength);
        if (kept.contains(key)) {
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
    FTyped = true;
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (IsPassingFocus(event->reason())) {
        return;
    }
    if (FAutoSelect) {
        selectAll();
    } else {
        end(false);
    }
    emit OnEnter();
    FTyped = false;
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    if (!IsPassingFocus(event->reason())) {
        TUpdatingScope updating(FUpdating);
        QString current = text();
        const TNumberFormat format = Format();
        if (const auto parsed = ParseText(current, format)) {
            FValue = *parsed;
        }
        const TFormattedValue formatted = FormatValue(FValue, text(), format);
        FValue = formatted.Value;
        setText(formatted.Text);
        setModified(FTyped);
        emit OnExit();
    }
    QLineEdit::focusOutEvent(event);
}

void TNumberEdit::contextMenuEvent(QContextMenuEvent* event) {
    // Our own edit menu, so that its paste goes through the same filter as typed keys.
    QMenu menu(this);
    const bool writable = !isReadOnly();
    const bool selected = hasSelectedText();
    const auto add = [this, &menu](const QString& text, const char* name, const QKeySequence& keys,
                                   bool enabled, auto slot) {
        QAction* action = menu.addAction(text + u'\t' + keys.toString(QKeySequence::NativeText));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("元に戻す(&U)"), "edit-undo", QKeySequence::Undo,
        writable && isUndoAvailable(), [this] { undo(); });
    add(QStringLiteral("やり直し(&R)"), "edit-redo", QKeySequence::Redo,
        writable && isRedoAvailable(), [this] { redo(); });
    menu.addSeparator();
    add(QStringLiteral("切り取り(&T)"), "edit-cut", QKeySequence::Cut, writable && selected,
        [this] { cut(); });
    add(QStringLiteral("コピー(&C)"), "edit-copy", QKeySequence::Copy, selected,
        [this] { copy(); });
    add(QStringLiteral("貼り付け(&P)"), "edit-paste", QKeySequence::Paste,
        writable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { PasteFrom(QClipboard::Clipboard); });
    add(QStringLiteral("削除(&D)"), "edit-delete", QKeySequence(Qt::Key_Delete),
        writable && selected, [this] { del(); });
    menu.addSeparator();
    add(QStringLiteral("すべて選択(&A)"), "select-all", QKeySequence::SelectAll, !text().isEmpty(),
        [this] { selectAll(); });
    menu.exec(event->globalPos());
}

void TNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        // The X11 selection is pasted at the click, filtered like any paste.
        if (!isReadOnly()) {
            deselect();
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            PasteFrom(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TNumberEdit::PasteFrom(QClipboard::Mode mode) {
    if (isReadOnly()) {
        return;
    }
    const QString clipboard = QGuiApplication::clipboard()->text(mode);
    if (clipboard.isEmpty()) {
        return;
    }
    if (const auto pasted = PasteText(clipboard, EditState(), Format())) {
        FTyped = true;
        SetEditState(*pasted);
    }
}

std::int32_t TNumberEdit::AsInteger() const {
    return RoundedInteger(FValue, FFormat.RoundMode);
}

void TNumberEdit::SetValue(long double value) {
    if (!std::isfinite(value)) {
        return;
    }
    FValue = ClampValue(value, FFormat);
    Reformat(false);
}

void TNumberEdit::SetAlignment(TAlignment alignment) {
    if (alignment != FAlignment) {
        FAlignment = alignment;
        setAlignment(QtAlignment(alignment));
    }
}

void TNumberEdit::SetComma(bool comma) {
    FFormat.Comma = comma;
    Reformat(true);
}

void TNumberEdit::SetFigure(int figure) {
    FFormat.Figure = figure;
    Reformat(false);
}

void TNumberEdit::SetFixed(bool fixed) {
    FFormat.Fixed = fixed;
    Reformat(false);
}

void TNumberEdit::SetLimit(bool limit) {
    FFormat.Limit = limit;
    if (limit) {
        FValue = ClampValue(FValue, FFormat);
        Reformat(false);
    }
}

void TNumberEdit::SetLimitOptions(TLimitOptions options) {
    FFormat.LimitOptions = options;
    if (FFormat.Limit) {
        FValue = ClampValue(FValue, FFormat);
        Reformat(false);
    }
}

void TNumberEdit::SetMax(long double max) {
    if (!std::isfinite(max)) {
        return;
    }
    FFormat.Max = max;
    if (FFormat.Min > max) {
        FFormat.Min = max;
    }
    // A value outside the new range goes to the nearer bound that applies.
    const long double clamped = ClampValue(FValue, FFormat);
    if (clamped != FValue) {
        FValue = clamped;
        Reformat(false);
    }
}

void TNumberEdit::SetMin(long double min) {
    if (!std::isfinite(min)) {
        return;
    }
    FFormat.Min = min;
    if (min > FFormat.Max) {
        FFormat.Max = min;
    }
    const long double clamped = ClampValue(FValue, FFormat);
    if (clamped != FValue) {
        FValue = clamped;
        Reformat(false);
    }
}

void TNumberEdit::SetNumberType(TNumberType type) {
    if (type == FFormat.NumberType) {
        return;
    }
    FFormat.NumberType = type;
    const TNumberFormat format = Format();
    if (type == TNumberType::ntDecimal) {
        setText(PlainFloatText(FValue, format.Separators.Decimal));
    } else {
        setText(HexText(AsInteger(), format));
    }
}

void TNumberEdit::SetValidMinus(bool validMinus) {
    FFormat.ValidMinus = validMinus;
    if (FFormat.NumberType == TNumberType::ntHex) {
        Reformat(false);
    }
}

void TNumberEdit::SetZeroVisible(bool visible) {
    if (visible == FFormat.ZeroVisible) {
        return;
    }
    FFormat.ZeroVisible = visible;
    QString current = text();
    const auto value = ParseText(current, Format());
    if (value && *value == 0) {
        Reformat(false);
    }
}

}  // namespace korvent::widgets
