#include "widgets/RotateWidget.h"

#include "resources/ClientResources.h"

#include <QPainter>

RotateWidget::RotateWidget(const QString& imagePath, QWidget* parent) : QWidget(parent)
{
    // The spinner lies over the connect button: the button below must still get the
    // click that cancels the attempt, and must show through around the disc.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);

    if (parent != nullptr) {
        const QRect area = parent->geometry();
        resize(area.right() - area.left() + 1, area.bottom() - area.top() + 1);
    }
    move(0, 0);

    initClientResources();
    if (image.load(imagePath) && !size().isEmpty()) {
        image = image.scaled(size(), Qt::KeepAspectRatio, Qt::FastTransformation);
    }

    angle = 0;
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, this, &RotateWidget::rotate_disc);
    timer.start();
    show();
}

void RotateWidget::rotate_disc()
{
    angle = angle >= 358 ? 0 : angle + 2;
    update();
}

void RotateWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    if (image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal halfWidth = image.width() / 2.0;
    const qreal halfHeight = image.height() / 2.0;
    painter.translate(halfWidth, halfHeight);
    painter.rotate(angle);
    painter.translate(-halfWidth, -halfHeight);
    painter.drawPixmap(0, 0, image);
}
