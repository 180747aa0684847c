#include "app/LogoImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace qm::app
{

LogoImage::LogoImage(const QString& name, int scale, QWidget* parent) : QWidget(parent), m_scale(scale)
{
    setObjectName(name);
    setFixedSize(kLogoSide * scale, kLogoSide * scale);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LogoImage::setPicture(const LogoPicture& picture)
{
    m_picture = picture;
    update();
}

QRgb LogoImage::pixel(int x, int y) const
{
    if (x < 0 || y < 0)
        return qRgb(255, 255, 255);
    return m_picture.dot(x / m_scale, y / m_scale) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

void LogoImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int y = 0; y < kLogoSide; ++y)
        for (int x = 0; x < kLogoSide; ++x)
            if (m_picture.dot(x, y))
                painter.fillRect(x * m_scale, y * m_scale, m_scale, m_scale, Qt::black);
}

void LogoImage::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    const QPointF position = event->position();
    const QPoint at(qFloor(position.x()), qFloor(position.y()));
    // The release is reported to the widget that got the press, wherever the pointer is now.
    if (m_onRelease && rect().contains(at))
        m_onRelease(at.x(), at.y());
}

} // namespace qm::app
