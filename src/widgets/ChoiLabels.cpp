#include "widgets/ChoiLabels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace korvent::widgets {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

bool Fits(const QFontMetrics& metrics, const QString& text, int width) {
    return metrics.horizontalAdvance(text) <= width;
}

// The longest start of `text` (whole characters) that fits `width` pixels.
QString FittingStart(const QFontMetrics& metrics, const QString& text, int width) {
    qsizetype n = text.size();
    while (n > 0 && !Fits(metrics, text.left(n), width)) {
        --n;
        // Never split a surrogate pair.
        if (n > 0 && text[n - 1].isHighSurrogate()) {
            --n;
        }
    }
    return text.left(n);
}

QString PathEllipsis(const QString& text, const QFontMetrics& metrics, int width) {
    const qsizetype slash = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    const QString tail = slash < 0 ? text : text.mid(slash);
    const QString head = slash < 0 ? QString() : text.left(slash);
    const int tailWidth = metrics.horizontalAdvance(kEllipsis + tail);
    if (tailWidth >= width) {
        // Not even the last part fits: it is kept from its start and clipped.
        return kEllipsis + tail;
    }
    return FittingStart(metrics, head, width - tailWidth) + kEllipsis + tail;
}

QString WrappedEllipsis(const QString& text, TEllipsisKind kind, const QFontMetrics& metrics,
                        int width) {
    // The layout wraps the text; only a word wider than a whole line is shortened, a path-like
    // word in its middle and any other at its end.
    QStringList words = text.split(u' ');
    for (QString& word : words) {
        if (!Fits(metrics, word, width)) {
            word = kind == TEllipsisKind::elPath ? PathEllipsis(word, metrics, width)
                                                 : metrics.elidedText(word, Qt::ElideRight, width);
        }
    }
    return words.join(u' ');
}

}  // namespace

QString EllipsisText(const QString& text, TEllipsisKind kind, const QFontMetrics& metrics,
                     int width, bool wordWrap) {
    if (kind == TEllipsisKind::elNone) {
        return text;
    }
    if (text.contains(u'\n')) {
        // The label shows each line of its own; each is shortened on its own.
        QStringList lines = text.split(u'\n');
        for (QString& line : lines) {
            line = EllipsisText(line, kind, metrics, width, wordWrap);
        }
        return lines.join(u'\n');
    }
    if (wordWrap) {
        return WrappedEllipsis(text, kind, metrics, width);
    }
    if (Fits(metrics, text, width)) {
        return text;
    }
    switch (kind) {
        case TEllipsisKind::elEnd:
        case TEllipsisKind::elWord:
            // On a single line the word that does not fit is the last one shown.
            return metrics.elidedText(text, Qt::ElideRight, width);
        case TEllipsisKind::elPath:
            return PathEllipsis(text, metrics, width);
        case TEllipsisKind::elNone:
            break;
    }
    return text;
}

TEllipsisLabel::TEllipsisLabel(QWidget* parent) : QLabel(parent) {
    // Shown as it is: a folder named "<b>" must not turn the path into markup.
    setTextFormat(Qt::PlainText);
}

TEllipsisLabel::TEllipsisLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

void TEllipsisLabel::SetEllipsis(TEllipsisKind kind) {
    FEllipsis = kind;
    update();
}

QRect TEllipsisLabel::TextRect() const {
    QRect rect = contentsRect();
    const int m = margin();
    rect.adjust(m, m, -m, -m);
    return rect;
}

QString TEllipsisLabel::ShownText() const {
    return EllipsisText(text(), FEllipsis, fontMetrics(), TextRect().width(), wordWrap());
}

QSize TEllipsisLabel::minimumSizeHint() const {
    // A shortening label may become as narrow as its layout wants.
    QSize hint = QLabel::minimumSizeHint();
    if (FEllipsis != TEllipsisKind::elNone) {
        hint.setWidth(fontMetrics().horizontalAdvance(kEllipsis) + 2 * margin());
    }
    return hint;
}

void TEllipsisLabel::paintEvent(QPaintEvent* event) {
    if (textFormat() == Qt::RichText ||
        (textFormat() == Qt::AutoText && Qt::mightBeRichText(text())) || !pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font());
    int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (wordWrap()) {
        flags |= Qt::TextWordWrap;
    }
    const QRect rect = TextRect();
    painter.setClipRect(rect);
    style()->drawItemText(&painter, rect, flags, palette(), isEnabled(), ShownText(),
                          foregroundRole());
}

}  // namespace korvent::widgets
