#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <QUrl>

#include "Controls.h"
#include "Fmainform.h"
#include "Modal.h"

namespace miravane {
namespace {

// Receives what the desktop would be asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class MainForm : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    template <typename Control = QFrame>
    Control* ui(const char* name) const {
        return testing::control<Control>(form, name);
    }
    PictureBox* banner() const { return ui<PictureBox>("Image1"); }
    QLabel* label(const char* name) const { return ui<QLabel>(name); }

    TMainForm form;
};

TEST_F(MainForm, FrameIsAFixedDialogOfTheDesignSize) {
    EXPECT_EQ(form.size(), QSize(627, 409));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "not resizable";
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Orvelle V 1.0 \xC2\xA9 miravane.example"));
    EXPECT_EQ(QApplication::applicationName(), "Miravane");
}

TEST_F(MainForm, PanelsBannerAndFooterStandWhereDesigned) {
    EXPECT_EQ(ui("Panel1")->geometry(), QRect(0, 0, 627, 91));
    EXPECT_EQ(ui("PanelSelCartas")->geometry(), QRect(0, 91, 627, 273));
    EXPECT_EQ(ui("PanelTirada")->geometry(), QRect(0, 364, 627, 45));
    EXPECT_EQ(ui("Panel1")->frameShadow(), QFrame::Raised);
    EXPECT_EQ(ui("PanelSelCartas")->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(ui("PanelTirada")->frameShadow(), QFrame::Raised);
    for (const QFrame* panel : {ui("Panel1"), ui("PanelSelCartas"), ui("PanelTirada")}) EXPECT_EQ(panel->frameWidth(), 1);

    EXPECT_EQ(banner()->geometry(), QRect(1, 1, 625, 89));
    EXPECT_EQ(banner()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(banner()->toolTip(), "Visita nuestra web");

    EXPECT_EQ(label("Label1")->text(), QString::fromUtf8("\xC2\xA9 miravane.example.  Visit our site."));
    EXPECT_EQ(label("Label1")->pos(), QPoint(16, 16));
    EXPECT_EQ(label("Label2")->text(), "Freeware - share it with your friends");
    EXPECT_EQ(label("Label2")->geometry().right(), 452 + 166 - 1) << "right-aligned, keeps its right edge";
    EXPECT_EQ(label("Label2")->y(), 16);
    for (const QLabel* footer : {label("Label1"), label("Label2")}) {
        EXPECT_EQ(footer->height(), 13);
        EXPECT_GE(footer->width(), footer->fontMetrics().horizontalAdvance(footer->text())) << "the whole text shows";
        EXPECT_LE(footer->geometry().right(), 625) << "inside the footer";
    }
}

TEST_F(MainForm, FontsAreTheInstalledSansAtTheDesignHeights) {
    EXPECT_EQ(QFontInfo(form.font()).family(), "Liberation Sans");
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(label("Label1")->font().pixelSize(), 11);
    EXPECT_EQ(label("StaticText1")->font().pixelSize(), 13);
    EXPECT_EQ(QFontInfo(label("StaticText1")->font()).family(), "Liberation Sans");
    EXPECT_EQ(label("StaticText1")->font().families(), QStringList{"Liberation Sans"}) << "named outright";
}

TEST_F(MainForm, ColoursAreRolesOfThePlatformPalette) {
    EXPECT_EQ(form.backgroundRole(), QPalette::Window);
    EXPECT_TRUE(label("StaticText1")->autoFillBackground());
    EXPECT_EQ(label("StaticText1")->backgroundRole(), QPalette::ToolTipBase);
    EXPECT_EQ(label("StaticText1")->foregroundRole(), QPalette::ToolTipText) << "the text the palette pairs with it";

    // Looked up when drawn: a new palette shows at the next paint.
    QPalette palette = label("StaticText1")->palette();
    palette.setColor(QPalette::ToolTipBase, QColor(10, 200, 30));
    label("StaticText1")->setPalette(palette);
    EXPECT_EQ(label("StaticText1")->grab().toImage().pixelColor(5, 5), QColor(10, 200, 30));
}

TEST_F(MainForm, BannerIsCentredUnscaledAndCutOnBothSides) {
    const QImage art = banner()->picture().image();
    ASSERT_EQ(art.size(), QSize(750, 88));
    EXPECT_EQ(banner()->pictureOffset(), QPoint(-62, 0));

    const QImage drawn = ui("Panel1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = banner()->pos();
    for (int y = 0; y < 88; y += 29)
        for (int x = 0; x < 625; ++x)
            ASSERT_EQ(drawn.pixel(origin.x() + x, origin.y() + y), art.pixel(x + 62, y)) << x << "," << y;
    const QColor panel = ui("Panel1")->palette().color(QPalette::Window);
    for (int x = 0; x < 625; x += 13) ASSERT_EQ(drawn.pixelColor(origin.x() + x, origin.y() + 88), panel);
}

TEST_F(MainForm, ClickingTheBannerAsksTheDesktopToOpenTheMakersPage) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    QTest::mouseClick(banner(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("http");

    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].scheme(), "http");
    EXPECT_EQ(recorder.opened[0].path(), "/program.asp");
    EXPECT_TRUE(recorder.opened[0].host().endsWith(".example"));
}

TEST_F(MainForm, AFailedOpenShowsNothingAndChangesNothing) {
    // With no handler and no desktop, opening fails.
    testing::ModalCounter modals;
    QTest::mouseClick(banner(), Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(testing::cardsShowingSelectedBack(form), 0);
}

}  // namespace
}  // namespace miravane

#include "MainFormTest.moc"
