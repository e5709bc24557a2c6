#include "picture_strip.h"

#include "classic_colour.h"
#include "classic_window.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vrn {

PictureStrip::PictureStrip(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    // A screen reader says what the banner shows.
    setAccessibleName(QCoreApplication::translate("Controls", "VRN-PC"));
    setAccessibleDescription(QCoreApplication::translate(
        "Controls", "Banner: coil driver cards VRN-A, VRN-B, VRN-C, VRN-D"));
}

QString PictureStrip::subtitle()
{
    return QCoreApplication::translate("Controls", "coil driver cards") +
           QStringLiteral("\nVRN-A  VRN-B  VRN-C  VRN-D");
}

QPixmap PictureStrip::banner(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(kBannerWidth, kBannerHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kBannerWidth, kBannerHeight);
    sky.setColorAt(0.0, QColor(0x12, 0x2b, 0x4f));
    sky.setColorAt(1.0, QColor(0x2f, 0x6d, 0xa8));
    p.fillRect(QRect(0, 0, kBannerWidth, kBannerHeight), sky);

    // A coil: copper windings around an iron core, with the current's arrow beside it.
    const QRectF core(18, 26, 84, 38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9a, 0xa4, 0xad));
    p.drawRoundedRect(core, 4, 4);
    p.setPen(QPen(QColor(0xd9, 0x8a, 0x3d), 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const qreal x = core.left() + 8 + i * 11;
        p.drawLine(QPointF(x, core.top() - 6), QPointF(x + 5, core.bottom() + 6));
    }
    p.setPen(QPen(QColor(0xff, 0xd4, 0x5a), 2.5));
    QPainterPath wave;
    wave.moveTo(110, 62);
    for (int i = 0; i < 4; ++i) {
        const qreal x = 110 + i * 14;
        wave.lineTo(x, 30);
        wave.lineTo(x + 7, 30);
        wave.lineTo(x + 7, 62);
        wave.lineTo(x + 14, 62);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);

    p.setPen(Qt::white);
    QFont title(classicFontFamily());
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(178, 12, 220, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VRN-PC"));
    QFont subtitleFont(classicFontFamily());
    subtitleFont.setPixelSize(kSubtitlePixelSize);
    p.setFont(subtitleFont);
    p.setPen(QColor(0xdc, 0xe8, 0xf5));
    p.drawText(kSubtitleRect, Qt::AlignLeft | Qt::AlignTop, subtitle());
    return pixmap;
}

void PictureStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), classicColour(kGreyColour));
    if (m_banner.isNull() || m_banner.devicePixelRatio() != devicePixelRatioF())
        m_banner = banner(devicePixelRatioF());
    p.drawPixmap(0, 0, m_banner);
}

} // namespace vrn
