#include "TImage.h"
#include "TKeyboardHook.h"
#include "TRzToolbar.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

// The small widgets of the main window, on their own.
class TestShellWidgets : public QObject
{
    Q_OBJECT
private slots:
    void imageModes_data();
    void imageModes();
    void toolbarPlacesButtons();
    void tabMovesFocusOnce_data();
    void tabMovesFocusOnce();
};

void TestShellWidgets::imageModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    const int stretch = int(TImage::Mode::Stretch), centre = int(TImage::Mode::CenterProportional);
    QTest::newRow("stretch ignores proportions") << stretch << QSize(10, 10) << QRect(0, 0, 200, 100);
    QTest::newRow("centred small picture keeps its size") << centre << QSize(40, 20) << QRect(80, 40, 40, 20);
    QTest::newRow("centred wide picture shrinks to the width") << centre << QSize(400, 100) << QRect(0, 25, 200, 50);
    QTest::newRow("centred tall picture shrinks to the height") << centre << QSize(100, 400) << QRect(87, 0, 25, 100);
}

void TestShellWidgets::imageModes()
{
    QFETCH(int, mode);
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    TImage img;
    img.resize(200, 100);
    img.setMode(TImage::Mode(mode));
    QImage pic(picture, QImage::Format_RGB32);
    pic.fill(Qt::red);
    img.setPicture(pic);
    QCOMPARE(img.pictureRect(), expected);
    // What is drawn matches: red inside the rectangle, nothing outside it.
    const QImage shot = img.grab().toImage();
    QCOMPARE(QColor(shot.pixel(expected.center())), QColor(Qt::red));
    if (expected.left() > 0)
        QVERIFY(QColor(shot.pixel(expected.left() - 1, expected.center().y())) != QColor(Qt::red));
}

void TestShellWidgets::toolbarPlacesButtons()
{
    TRzToolbar bar;
    bar.resize(600, 58);
    QCOMPARE(bar.controlCount(), 0);
    auto *a = new QToolButton(&bar);
    a->resize(60, 55);
    auto *b = new QToolButton(&bar);
    b->resize(90, 55);
    QCoreApplication::sendPostedEvents(&bar, QEvent::LayoutRequest);
    bar.setButtonHeight(51);
    QCOMPARE(bar.controlCount(), 2);
    QCOMPARE(a->geometry(), QRect(0, 1, 60, 51));
    QCOMPARE(b->geometry(), QRect(68, 1, 90, 51)); // 8 apart
    delete a;
    QCoreApplication::sendPostedEvents(&bar, QEvent::LayoutRequest);
    QCOMPARE(b->x(), 0);
}

void TestShellWidgets::tabMovesFocusOnce_data()
{
    QTest::addColumn<bool>("formActive");
    QTest::addColumn<bool>("deliverToMain");
    QTest::addColumn<int>("formFocus");
    QTest::addColumn<int>("mainFocus");
    // Focus indexes after one Tab; both start on edit 0.
    QTest::newRow("form active, press in the form") << true << false << 1 << 0;
    QTest::newRow("form active, press reaches the main window") << true << true << 1 << 0;
    QTest::newRow("main window active") << false << true << 0 << 1;
}

void TestShellWidgets::tabMovesFocusOnce()
{
    QFETCH(bool, formActive);
    QFETCH(bool, deliverToMain);
    QFETCH(int, formFocus);
    QFETCH(int, mainFocus);

    auto makeWindow = [](QWidget &w, QList<QLineEdit *> &edits, int x) {
        auto *l = new QVBoxLayout(&w);
        for (int i = 0; i < 3; ++i) {
            edits.append(new QLineEdit(&w));
            l->addWidget(edits.last());
        }
        w.setGeometry(x, 10, 200, 120);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    };
    QWidget mainWindow, form;
    QList<QLineEdit *> mainEdits, formEdits;
    makeWindow(mainWindow, mainEdits, 10);
    makeWindow(form, formEdits, 300);
    TKeyboardHook hook(&mainWindow);

    QWidget *active = formActive ? &form : &mainWindow;
    active->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(active));
    mainEdits[0]->setFocus();
    formEdits[0]->setFocus();
    QCOMPARE(mainWindow.focusWidget(), mainEdits[0]);
    QCOMPARE(form.focusWidget(), formEdits[0]);

    QTest::keyClick((deliverToMain ? &mainWindow : &form)->windowHandle(), Qt::Key_Tab);
    QCOMPARE(form.focusWidget(), formEdits[formFocus]);
    QCOMPARE(mainWindow.focusWidget(), mainEdits[mainFocus]);
}

QTEST_MAIN(TestShellWidgets)
#include "tst_shellwidgets.moc"
