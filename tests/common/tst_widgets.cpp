#include "Skin.h"
#include "TRzSplitter.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void collapseAndRestoreFirstPane();
    void positionBeforeShow();
    void collapseSecondPane();
    void skinLeavesTag99Alone();
};

static TRzSplitter *makeSplitter(QWidget *host)
{
    auto s = new TRzSplitter(Qt::Horizontal, host);
    s->addWidget(new QLabel("left"));
    s->addWidget(new QLabel("right"));
    s->setGeometry(0, 0, 1000, 400);
    return s;
}

void TestWidgets::collapseAndRestoreFirstPane()
{
    QWidget host;
    host.resize(1000, 400);
    TRzSplitter *s = makeSplitter(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QSignalSpy spy(s, &TRzSplitter::positionChanged);
    s->setPosition(243);
    QCOMPARE(s->position(), 243);
    s->collapse();
    QVERIFY(s->isCollapsed());
    QCOMPARE(s->position(), 0);
    QCOMPARE(s->restoreSize(), 243);
    s->toggle();
    QVERIFY(!s->isCollapsed());
    QCOMPARE(s->position(), 243);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.last().at(0).toInt(), 243);
}

void TestWidgets::positionBeforeShow()
{
    QWidget host;
    host.resize(1000, 400);
    TRzSplitter *s = makeSplitter(&host);
    s->setPosition(300);
    s->collapse();
    QCOMPARE(s->position(), 0);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(s->position(), 0);
    s->restore();
    QCOMPARE(s->position(), 300);
}

void TestWidgets::collapseSecondPane()
{
    QWidget host;
    host.resize(1000, 400);
    TRzSplitter *s = makeSplitter(&host);
    s->setHotSpotDirection(TRzSplitter::HotSpotDirection::Second);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    s->setPosition(682);
    s->collapse();
    QCOMPARE(s->sizes().at(1), 0);
    QCOMPARE(s->position(), 1000 - s->handleWidth());
    s->restore();
    QCOMPARE(s->position(), 682);
}

void TestWidgets::skinLeavesTag99Alone()
{
    QWidget w;
    auto plain = new QPushButton("plain", &w);
    auto kept = new QPushButton("kept", &w);
    kept->setProperty("tag", 99);
    Skin::apply(&w);
    QCOMPARE(plain->property("skinned").toBool(), true);
    QCOMPARE(kept->property("skinned").toBool(), false);
    w.resize(200, 60);
    plain->setGeometry(0, 0, 100, 30);
    kept->setGeometry(100, 0, 100, 30);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage img = w.grab().toImage();
    // The skinned button is painted by the sheet's gradient, the other by the style.
    QVERIFY(img.pixel(50, 25) != img.pixel(150, 25));
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
