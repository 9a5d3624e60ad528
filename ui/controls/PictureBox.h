#pragma once

#include <QTimer>
#include <QWidget>

#include "JpegPicture.h"

class QPainter;

namespace miravane {

// An image control: shows one JPEG picture unscaled (on screens of more than 96 dpi, drawn from
// the picture at twice the size where there is one), either at its top-left corner or centred
// (cut on every side when larger than the control), and optionally sizes itself to the
// picture. It reports a click (a left press and release on it; the second press of a
// double-click is not one), never takes the keyboard focus, and shows its tooltip after a
// fixed hover delay for a fixed time.
class PictureBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString pictureResource READ pictureResource WRITE setPictureResource)
    Q_PROPERTY(bool center READ center WRITE setCenter)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    static constexpr int kHintPauseMs = 500;
    static constexpr int kHintHidePauseMs = 2500;

    explicit PictureBox(QWidget* parent = nullptr);

    QString pictureResource() const { return resource_; }
    void setPictureResource(const QString& path);

    bool center() const { return center_; }
    void setCenter(bool center);

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

    // A picture whose click leads out of the program (the banner opens a web page), so that a
    // screen reader presents it as a link rather than a picture.
    bool isLink() const { return link_; }
    void setLink(bool link) { link_ = link; }

    const JpegPicture& picture() const { return picture_; }
    void setPicture(const JpegPicture& picture);

    // Gives this control a copy of the source's picture: the data is shared, not duplicated.
    void assignPictureFrom(const PictureBox& source) { setPicture(source.picture()); }

    // Where the picture's top-left corner lies in the control.
    QPoint pictureOffset() const;

    // A click, as a left press and release on the control makes one.
    void click() { emit clicked(); }

    // Whether anything listens to the control's clicks.
    bool answersClicks() const;

signals:
    void clicked();
    // The picture could not be decoded when it was first drawn; sent once, after that paint.
    void decodeFailed(const QString& why);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fitToPicture();
    bool paintTwiceTheSize(QPainter& painter, qreal ratio);
    JpegColumns shownColumns(int scale) const;
    void showHint();
    void hideHint();
    void reportDecodeFailure();

    JpegPicture picture_;
    QString resource_;
    bool center_ = false;
    bool autoSize_ = false;
    bool pressed_ = false;
    bool link_ = false;
    QTimer hintTimer_;
    QTimer hintHideTimer_;
};

}  // namespace miravane
