#include "app/qt/ProgramIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace korvent::app {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 49, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(200, 30, 30));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 8.0, size / 8.0);
        QFont font;
        font.setBold(true);
        font.setPixelSize(size * 3 / 8);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("PDF"));
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace korvent::app
