// ctest-labels: gui
// The message, about and loading dialogs as real widgets on the X server, and the elastic
// label that fits its text to its width.
#include "logcapture.h"
#include "media/globalsettings.h"
#include "resource/vistrelresource.h"
#include "ui/aboutdialog.h"
#include "ui/elasticlabel.h"
#include "ui/exceptiondialog.h"
#include "ui/loadingdialog.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

qreal textWidth(const QFont &base, qreal pointSize, const QString &text)
{
    QFont font = base;
    font.setPointSizeF(pointSize);
    return QFontMetricsF(font).boundingRect(QRectF(), Qt::AlignLeft, text).width();
}

class FontChangeCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FontChange)
            ++count;
        return false;
    }
};

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }
    void cleanup()
    {
        GlobalSettings::resetToDefaults();
        GlobalSettings::setScreenChanging(false);
    }

    void exceptionDialog_layout()
    {
        ExceptionDialog dialog(QStringLiteral("The file cannot be opened."));
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QCOMPARE(dialog.objectName(), QStringLiteral("exceptionDialog"));
        QCOMPARE(dialog.size(), QSize(260, 160));
        QVERIFY(!dialog.isResizable());
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);

        auto *content = dialog.findChild<ElasticLabel *>(QStringLiteral("exceptionContent"));
        QVERIFY(content);
        QCOMPARE(content->text(), QStringLiteral("The file cannot be opened."));
        QCOMPARE(content->height(), 113);
        QCOMPARE(content->font().pointSizeF(), QApplication::font().pointSizeF() + 1);
        QCOMPARE(content->alignment(), Qt::AlignLeft | Qt::AlignVCenter);

        auto *panel = dialog.findChild<QWidget *>(QStringLiteral("exceptionBottomPanel"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), QRect(0, 113, 260, 47));

        QPushButton *confirm = dialog.confirmButton();
        QCOMPARE(confirm->text(), QStringLiteral("Confirm"));
        QCOMPARE(confirm->width(), 100);
        QCOMPARE(confirm->height(), qMax(26, confirm->fontMetrics().height() + 4));
        // 20 pixels right of the button, inside the panel.
        QCOMPARE(confirm->geometry().right(), 260 - 20 - 1);
        QVERIFY(panel->geometry().contains(confirm->mapTo(&dialog, QPoint(0, 0))));
    }

    void exceptionDialog_confirmAccepts()
    {
        ExceptionDialog dialog(QStringLiteral("Invalid File"));
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.confirmButton(), Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void aboutDialog_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("no model file")
                << QString() << QStringLiteral("english") << QStringLiteral("Road Camera Viewer");
        QTest::newRow("ZRB, korean") << QStringLiteral("ZRB") << QStringLiteral("korean")
                                     << QStringLiteral("Clip Desk Viewer V4");
        QTest::newRow("ZRC, italien") << QStringLiteral("ZRC") << QStringLiteral("italien")
                                      << QStringLiteral("Corvane Camera Pro Viewer");
    }

    void aboutDialog()
    {
        QFETCH(QString, model);
        QFETCH(QString, language);
        QFETCH(QString, title);
        if (!model.isNull())
            GlobalSettings::applyProductModel(model);
        GlobalSettings::setResourceLanguage(language);

        AboutDialog dialog;
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QCOMPARE(dialog.objectName(), QStringLiteral("aboutDialog"));
        QCOMPARE(dialog.size(), QSize(291, 170));
        QCOMPARE(dialog.content()->objectName(), QStringLiteral("aboutContent"));
        QCOMPARE(dialog.content()->text(), title + QStringLiteral("\n\nVersion 1.01"));
        QCOMPARE(dialog.content()->alignment(), Qt::AlignCenter);
        QCOMPARE(dialog.content()->width(), 291);

        // The banner of the language folder is loaded and sits on top.
        QVERIFY(!dialog.picture()->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(dialog.picture()->pixmap(Qt::ReturnByValue).size(), QSize(291, 28));
        QCOMPARE(dialog.picture()->geometry(), QRect(0, 0, 291, 28));

        // OK: 66 x 26, 25 pixels from the right edge, in a 40-pixel bar 4 pixels above the bottom.
        QPushButton *ok = dialog.okButton();
        QCOMPARE(ok->size(), QSize(66, 26));
        const QRect okRect(ok->mapTo(&dialog, QPoint(0, 0)), ok->size());
        QCOMPARE(okRect.right(), 291 - 25 - 1);
        QVERIFY(okRect.bottom() < 170 - 4);
        QVERIFY(okRect.top() >= 170 - 4 - 40);
        QVERIFY(ok->styleSheet().contains(
                QStringLiteral("lang_dependent/%1/about/about_ok.BMP").arg(language)));

        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
    }

    void loadingDialog()
    {
        LogCapture log;
        LoadingDialog dialog;
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), QStringLiteral("loadingDialog"));
        QCOMPARE(dialog.size(), QSize(240, 124));
        QVERIFY(!dialog.isResizable());

        auto *title = dialog.findChild<ElasticLabel *>(QStringLiteral("loadingTitleLabel"));
        auto *line1 = dialog.findChild<ElasticLabel *>(QStringLiteral("loadingContentLabel1"));
        auto *line2 = dialog.findChild<ElasticLabel *>(QStringLiteral("loadingContentLabel2"));
        QVERIFY(title && line1 && line2);
        QCOMPARE(title->geometry(), QRect(0, 0, 240, 28));
        QCOMPARE(line1->geometry(), QRect(0, 31, 240, 27));
        QCOMPARE(line2->geometry(), QRect(0, 58, 240, 25));
        QCOMPARE(title->text(), QStringLiteral("Opening the file"));
        QCOMPARE(line1->text(), QStringLiteral("Opening the file"));
        QCOMPARE(line2->text(), QStringLiteral("Please wait..."));

        dialog.changeText(true);
        QCOMPARE(title->text(), QStringLiteral("Save file"));
        QCOMPARE(line1->text(), QStringLiteral("Save file"));
        QCOMPARE(line2->text(), QStringLiteral("Please wait..."));
        dialog.changeText(false);
        QCOMPARE(title->text(), QStringLiteral("Opening the file"));
        QCOMPARE(log.count(QStringLiteral("changeText")), 2);
    }

    void elasticLabel_fitsWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("shrinks");

        QTest::newRow("fits") << QStringLiteral("00:00 / 00:00") << 400 << false;
        QTest::newRow("too long") << QStringLiteral("Recording Time of the current file") << 120
                                  << true;
        QTest::newRow("widest line counts")
                << QStringLiteral("Short\nA much longer second line here") << 140 << true;
        QTest::newRow("nothing fits: normal size")
                << QStringLiteral("An extremely long text that no size can ever fit into") << 3
                << false;
    }

    void elasticLabel_fitsWidth()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, shrinks);

        ElasticLabel label(text);
        QFont font = label.font();
        font.setPointSizeF(12);
        label.setFont(font);
        label.setFixedSize(width, 60);
        const qreal fitted = label.fittedPointSize();
        QVERIFY(label.isShrinkOnly());

        if (!shrinks) {
            QCOMPARE(fitted, 12.0);
            return;
        }
        QVERIFY(fitted < 12.0);
        QVERIFY(fitted >= ElasticLabel::MinimumPointSize);
        // On the half-point grid, fitting, and the largest such size.
        QCOMPARE(std::fmod(12.0 - fitted, ElasticLabel::PointSizeStep), 0.0);
        const int available = label.contentsRect().width();
        QVERIFY(textWidth(font, fitted, text) <= available);
        QVERIFY(textWidth(font, fitted + ElasticLabel::PointSizeStep, text) > available);
    }

    void elasticLabel_marginNarrowsTheWidth()
    {
        const QString text = QStringLiteral("Latitude: 37.053745");
        ElasticLabel label(text);
        QFont font = label.font();
        font.setPointSizeF(10);
        label.setFont(font);
        const int needed = int(std::ceil(textWidth(font, 10, text)));
        label.setFixedSize(needed + 2, 30);
        QCOMPARE(label.fittedPointSize(), 10.0);
        label.setMargin(4);
        QVERIFY(label.fittedPointSize() < 10.0);
    }

    void elasticLabel_refitsWhileScreenChanging()
    {
        ElasticLabel label(QStringLiteral("Play Speed"));
        label.resize(100, 24);
        FontChangeCounter counter;
        label.installEventFilter(&counter);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.repaint();
        QCOMPARE(counter.count, 0);

        GlobalSettings::setScreenChanging(true);
        label.repaint();
        QVERIFY(counter.count > 0);

        GlobalSettings::setScreenChanging(false);
        QCoreApplication::processEvents();
        const int settled = counter.count;
        label.repaint();
        QCOMPARE(counter.count, settled);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
