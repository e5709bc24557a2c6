#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace vrn {

// The picture strip across the top of every window: the program's 402 x 89 banner at its top
// left corner on the window's grey. It has no behaviour.
class PictureStrip : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBannerWidth = 402;
    static constexpr int kBannerHeight = 89;

    // The words under the title, in the user's language, and where and how large they are drawn.
    static constexpr QRect kSubtitleRect{180, 52, 220, 30};
    static constexpr int kSubtitlePixelSize = 12;
    static QString subtitle();

    explicit PictureStrip(QWidget* parent = nullptr);

    // The banner itself, drawn once at the given device pixel ratio.
    static QPixmap banner(qreal devicePixelRatio = 1.0);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_banner; // drawn on first paint and again when the screen's scale changes
};

} // namespace vrn
