#pragma once

#include <QPushButton>

namespace miravane {

// A push button with a bitmap glyph and a modal result. The glyph bitmap holds its images side
// by side (normal, then disabled); the colour of its bottom-left pixel is transparent. Pressing
// a button whose modal result is not 0 closes its dialog with that result.
class BitBtn : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString glyphResource READ glyphResource WRITE setGlyphResource)
    Q_PROPERTY(int numGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(int modalResult READ modalResult WRITE setModalResult)

public:
    explicit BitBtn(QWidget* parent = nullptr);

    QString glyphResource() const { return glyphResource_; }
    void setGlyphResource(const QString& path);

    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);

    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }

private:
    void loadGlyph();
    void closeDialog();

    QString glyphResource_;
    int numGlyphs_ = 1;
    int modalResult_ = 0;
};

}  // namespace miravane
