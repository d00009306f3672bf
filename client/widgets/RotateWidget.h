#pragma once

#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

// The spinner shown while a tunnel is set up: the image, scaled to fill the parent,
// turning by 2 degrees every 10 ms.
class RotateWidget : public QWidget
{
    Q_OBJECT

public:
    RotateWidget(const QString& imagePath, QWidget* parent);

    int currentAngle() const { return angle; }

public slots:
    void rotate_disc();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap image;
    int angle = 0;
    QTimer timer;
};
