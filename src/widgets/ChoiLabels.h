#pragma once

#include <QLabel>

class QFontMetrics;

namespace korvent::widgets {

enum class TEllipsisKind { elNone, elWord, elEnd, elPath };

// `text` shortened to `width` pixels the way `kind` says:
// - elNone: unchanged (the painter clips it);
// - elWord: a word that does not fit on its line ends in an ellipsis;
// - elEnd: cut at the end, ending in an ellipsis;
// - elPath: the middle is replaced by an ellipsis, keeping as much as possible of the text
//   after the last path separator ("/" or "\") and as much of the start as then fits.
// With `wordWrap` the text keeps wrapping over its lines, and only words wider than a line are
// shortened (in the middle for elPath, at the end otherwise).
QString EllipsisText(const QString& text, TEllipsisKind kind, const QFontMetrics& metrics,
                     int width, bool wordWrap = false);

// A label that shortens text too long for it with an ellipsis where it suits the text; by
// default a path keeps its start and its last folder.
class TEllipsisLabel : public QLabel {
    Q_OBJECT

public:
    explicit TEllipsisLabel(QWidget* parent = nullptr);
    explicit TEllipsisLabel(const QString& text, QWidget* parent = nullptr);

    TEllipsisKind Ellipsis() const { return FEllipsis; }
    void SetEllipsis(TEllipsisKind kind);

    // What the label shows in its current size.
    QString ShownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;

    TEllipsisKind FEllipsis = TEllipsisKind::elPath;
};

}  // namespace korvent::widgets
