#include "CatalogueFixture.h"
#include "ClientDataSet.h"
#include "Exception.h"
#include "ModuleCatalogue.h"
#include "SoapConnection.h"
#include "TImageList.h"
#include "TModuleInfo.h"
#include "TQuickButton.h"

#include <QRandomGenerator>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using Row = CatalogueFixture::Row;
Q_DECLARE_METATYPE(CatalogueFixture::Row)

namespace {

// The widgets and lists of the main window that a build fills.
struct Build
{
    explicit Build(const QVector<Row> &rows, const QImage &defaultIcon = QImage())
    {
        dataSet.loadFromDataPacket(CatalogueFixture::packet(rows));
        ModuleCatalogue::Targets t;
        t.dataSet = &dataSet;
        t.toolBar = &toolBar;
        t.treeImages = &treeImages;
        t.barImages = &barImages;
        t.defaultIcon = defaultIcon;
        t.controlRights = &controlRights;
        t.labelParent = &window;
        catalogue = std::make_unique<ModuleCatalogue>(t, nullptr);
    }
    // The error text, empty when the build went through.
    QString run(const QString &rights)
    {
        try {
            catalogue->BuildModuleTree(&tree, rights);
        } catch (const Exception &e) {
            return e.message();
        }
        return QString();
    }
    QList<TQuickButton *> buttons() const
    {
        return toolBar.findChildren<TQuickButton *>(QString(), Qt::FindDirectChildrenOnly);
    }

    QWidget window;
    QWidget toolBar;
    QTreeWidget tree;
    TClientDataSet dataSet;
    TImageList treeImages{24, 24};
    TImageList barImages{24, 24};
    QStringList controlRights;
    std::unique_ptr<ModuleCatalogue> catalogue;
};

// "cap@image#id(children)", siblings joined by ",".
QString shapeOf(QTreeWidgetItem *node)
{
    const TModuleInfo *info = TModuleInfo::of(node);
    QString s = node->text(0) + '@' + QString::number(node->data(0, ModuleCatalogue::ImageIndexRole).toInt())
                + '#' + (info ? QString::number(info->id) : QStringLiteral("none"));
    if (node->childCount()) {
        QStringList children;
        for (int i = 0; i < node->childCount(); ++i)
            children << shapeOf(node->child(i));
        s += '(' + children.join(',') + ')';
    }
    return s;
}

QString shapeOf(const QTreeWidget &tree)
{
    QStringList top;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        top << shapeOf(tree.topLevelItem(i));
    return top.join(',');
}

QStringList buttonsOf(const Build &b)
{
    QStringList out;
    for (TQuickButton *btn : b.buttons())
        out << btn->text() + '|' + QString::number(btn->tag()) + '|' + btn->hint();
    return out;
}

int measured(const QString &text)
{
    QFont f = QApplication::font();
    f.setPointSize(8);
    return QFontMetrics(f).horizontalAdvance(text);
}

const QVector<Row> &tableCatalogue()
{
    static const QVector<Row> rows{
        {1, "Mail", "", 0, 0},
        {12, "Inbox", "Zaskar.dll", 1, 1, 1},
        {-3, "Minus", "", 0, 0, 1},
        {13, "Empty", "", 1, 1},
        {20, "Check mail", "BtnNew", 12, 2},
        {21, "a,b", "BtnDelete", 12, 2},
        {30, "Icon only", "x", 0, 3, 1},
        {120, "Other", "", 0, 0},
    };
    return rows;
}

} // namespace

class TestModuleCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void rightsAndRows_data();
    void rightsAndRows();
    void buttonsLookAndPlace();
    void buttonsOnAToolBar();
    void buttonWidthRoundsHalvesToEven();
    void icons();
    void failuresKeepWhatWasBuilt_data();
    void failuresKeepWhatWasBuilt();
    void unreachableCatalogue();
    void fastMatchingEqualsRuleByRule();
};

void TestModuleCatalogue::rightsAndRows_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("controlRights");

    const QString control20 = "20=12,20,BtnNew,Check mail";
    QTest::newRow("empty rights") << "" << "" << QStringList() << QStringList();
    QTest::newRow("two characters, then the id") << "xx1,xx12" << "Mail@0#1(Inbox@1#12)"
                                                << QStringList{"Inbox|12|Zaskar.dll"} << QStringList();
    QTest::newRow("only the digits") << "12,1" << "" << QStringList() << QStringList();
    QTest::newRow("leading zero") << "xx1,xx012" << "Mail@0#1" << QStringList() << QStringList();
    QTest::newRow("minus sign") << "ab-3" << "Minus@2#-3" << QStringList{"Minus|-3|"} << QStringList();
    QTest::newRow("blank separates entries") << "xx1 xx13" << "Mail@0#1(Empty@3#13)" << QStringList()
                                             << QStringList();
    QTest::newRow("quoted entry with a blank") << "\"a 1\"" << "Mail@0#1" << QStringList() << QStringList();
    QTest::newRow("no prefix match") << "xx120,xx1200" << "Other@7#120" << QStringList() << QStringList();
    QTest::newRow("granted twice") << "xx1,yy12,zz12" << "Mail@0#1(Inbox@1#12,Inbox@1#12)"
                                   << QStringList{"Inbox|12|Zaskar.dll", "Inbox|12|Zaskar.dll"} << QStringList();
    QTest::newRow("control rights in row order, twice when granted twice")
        << "xx20,yy21,zz20" << "" << QStringList() << QStringList{control20, control20, "21=12,21,BtnDelete,a,b"};
    QTest::newRow("type 3 is only an icon") << "xx30" << "" << QStringList() << QStringList();
    QTest::newRow("everything") << "xx1,xx12,ab-3,xx13,xx20"
                                << "Mail@0#1(Inbox@1#12,Empty@3#13),Minus@2#-3"
                                << QStringList{"Inbox|12|Zaskar.dll", "Minus|-3|"} << QStringList{control20};
}

void TestModuleCatalogue::rightsAndRows()
{
    QFETCH(QString, rights);
    QFETCH(QString, tree);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, controlRights);

    Build b(tableCatalogue());
    QCOMPARE(b.run(rights), QString());
    QCOMPARE(shapeOf(b.tree), tree);
    QCOMPARE(buttonsOf(b), buttons);
    QCOMPARE(b.controlRights, controlRights);
    QCOMPARE(b.catalogue->buttonCount(), buttons.size());
    // Every row gives its icon, granted or not.
    QCOMPARE(b.treeImages.count(), tableCatalogue().size());
    QCOMPARE(b.barImages.count(), tableCatalogue().size());
}

void TestModuleCatalogue::buttonsLookAndPlace()
{
    Build b({{1, "Mail", "", 0, 0, 1},
             {2, "收件箱 and more", "Zaskar.dll", 1, 1, 1, CatalogueFixture::bitmap(48, 48, Qt::red)},
             {3, "W", "Other.dll", 0, 1, 1}});
    QCOMPARE(b.run("xx1,xx2,xx3"), QString());
    const QList<TQuickButton *> buttons = b.buttons();
    QCOMPARE(buttons.size(), 3);
    int left = 0;
    for (TQuickButton *btn : buttons) {
        QVERIFY(btn->objectName().isEmpty());
        QVERIFY(btn->autoRaise());
        QCOMPARE(btn->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(btn->font().pointSize(), 12);
        QCOMPARE(btn->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QVERIFY(btn->toolTip().isEmpty());
        QCOMPARE(btn->width(), ModuleCatalogue::buttonWidth(measured(btn->text())));
        QCOMPARE(btn->height(), 55);
        QCOMPARE(btn->x(), left);
        left += btn->width();
    }
    QCOMPARE(buttons[1]->iconSize(), QSize(48, 48)); // the glyph at its own size
    QCOMPARE(buttons[0]->iconSize(), QSize(24, 24));

    // A click reaches the handler with its button.
    TQuickButton *clicked = nullptr;
    b.catalogue->setButtonHandler([&clicked](TQuickButton *btn) { clicked = btn; });
    b.toolBar.show();
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    QCOMPARE(clicked, buttons[2]);
}

void TestModuleCatalogue::buttonsOnAToolBar()
{
    // A QToolBar as the bar: the buttons become its widgets, in catalogue order.
    Build b({{1, "First", "A.dll", 0, 1, 1}, {2, "Second", "B.dll", 0, 1, 1}});
    QToolBar bar;
    ModuleCatalogue::Targets t;
    t.dataSet = &b.dataSet;
    t.toolBar = &bar;
    t.treeImages = &b.treeImages;
    t.barImages = &b.barImages;
    t.controlRights = &b.controlRights;
    t.labelParent = &b.window;
    ModuleCatalogue catalogue(t);
    catalogue.BuildModuleTree(&b.tree, "xx1,xx2");
    bar.show();
    QCOMPARE(bar.actions().size(), 2);
    QStringList order;
    for (QAction *a : bar.actions()) {
        auto btn = qobject_cast<TQuickButton *>(bar.widgetForAction(a));
        QVERIFY(btn);
        QVERIFY(btn->isVisible());
        QCOMPARE(btn->size(), QSize(ModuleCatalogue::buttonWidth(measured(btn->text())), 55));
        order << btn->text();
    }
    QCOMPARE(order, (QStringList{"First", "Second"}));
}

void TestModuleCatalogue::buttonWidthRoundsHalvesToEven()
{
    const QVector<QPair<int, int>> cases{{15, 22}, {17, 26}, {16, 24}, {1, 2}, {3, 4}, {0, 0}, {101, 152}};
    for (const auto &c : cases)
        QCOMPARE(ModuleCatalogue::buttonWidth(c.first), c.second);
}

void TestModuleCatalogue::icons()
{
    QImage stripes(48, 48, QImage::Format_RGB888);
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 48; ++y)
            stripes.setPixelColor(x, y, x % 2 ? QColor(0, 0, 255) : QColor(0, 0, 0));
    QImage icoTemp(24, 24, QImage::Format_RGB888);
    icoTemp.fill(QColor(0, 128, 0));

    Build b({{1, "Null icon", "", 0, 0, 1},
             {2, "Striped", "M.dll", 0, 1, 0, CatalogueFixture::bmpOf(stripes)},
             {3, "White", "", 0, 3, 0, CatalogueFixture::bitmap(24, 24, Qt::white)},
             {4, "Header", "", 0, 3, 0, CatalogueFixture::withGraphicHeader(CatalogueFixture::bitmap(16, 16, Qt::red))}},
            icoTemp);
    QCOMPARE(b.run("xx1,xx2"), QString());
    QCOMPARE(b.treeImages.count(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(b.treeImages.image(i).size(), QSize(24, 24));

    // NULL icon: the default icon, in the tree and on the button.
    QCOMPARE(b.treeImages.image(0).pixelColor(5, 5), QColor(0, 128, 0));
    QCOMPARE(b.buttons().at(0)->icon().pixmap(24, 24).toImage().pixelColor(5, 5), QColor(0, 128, 0));
    // 48 x 48: smoothly scaled for the tree (stripes blend), as it is on the bar.
    const QColor blended = b.treeImages.image(1).pixelColor(10, 10);
    QVERIFY2(blended.blue() > 40 && blended.blue() < 215, qPrintable(blended.name()));
    QCOMPARE(b.barImages.image(1).size(), QSize(48, 48));
    // White is transparent, other colours are not.
    QCOMPARE(b.treeImages.image(2).pixelColor(12, 12).alpha(), 0);
    QCOMPARE(b.treeImages.image(2).pixelColor(0, 0).alpha(), 255);
    // The graphic header is skipped.
    QCOMPARE(b.barImages.image(3).size(), QSize(16, 16));
    QCOMPARE(b.barImages.image(3).pixelColor(8, 8), QColor(Qt::red));

    // The node's record holds the whole row.
    const TModuleInfo *info = TModuleInfo::of(b.tree.topLevelItem(1));
    QVERIFY(info);
    QCOMPARE(info->id, 2);
    QCOMPARE(info->cap, QStringLiteral("Striped"));
    QCOMPARE(info->OBJname, QStringLiteral("M.dll"));
    QCOMPARE(info->fid, 0);
    QCOMPARE(info->type, 1);
    QCOMPARE(info->onbar, 0);
    QCOMPARE(b.tree.topLevelItem(1)->icon(0).pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32),
             b.treeImages.image(1));
}

void TestModuleCatalogue::failuresKeepWhatWasBuilt_data()
{
    QTest::addColumn<QVector<Row>>("rows");
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<int>("images");

    const QVector<Row> childFirst{{1, "Top", "", 0, 0}, {5, "Child", "", 4, 1, 1}, {4, "Parent", "", 0, 0}};
    QTest::newRow("child before parent") << childFirst << "xx1,xx4,xx5" << "id 5 (\"Child\") names parent fid 4"
                                         << "Top@0#1" << 2;
    QTest::newRow("parent not granted") << childFirst << "xx1,xx5" << "fid 4" << "Top@0#1" << 2;
    const QVector<Row> badIcon{{1, "Top", "", 0, 0}, {2, "Bad", "", 0, 3, 0, QByteArray("GIF89a not a bitmap")},
                               {3, "After", "", 0, 0}};
    QTest::newRow("icon not a bitmap") << badIcon << "xx1,xx3" << "id 2 (\"Bad\"): The icon is not a bitmap"
                                       << "Top@0#1" << 1;
    const QVector<Row> jpeg{{1, "Jpeg", "", 0, 0, 0, QByteArray("\xFF\xD8\xFF\xE0 jpeg")}};
    QTest::newRow("JPEG is not a bitmap") << jpeg << "xx1" << "not a bitmap" << "" << 0;
}

void TestModuleCatalogue::failuresKeepWhatWasBuilt()
{
    QFETCH(QVector<Row>, rows);
    QFETCH(QString, rights);
    QFETCH(QString, error);
    QFETCH(QString, tree);
    QFETCH(int, images);

    Build b(rows);
    const QString message = b.run(rights);
    QVERIFY2(message.contains(error), qPrintable(message));
    QCOMPARE(shapeOf(b.tree), tree);
    QCOMPARE(b.treeImages.count(), images);
    // The clean-up ran: the tree paints again and the label is gone.
    QVERIFY(b.tree.updatesEnabled());
    QVERIFY(b.window.findChildren<QObject *>().isEmpty());
}

void TestModuleCatalogue::unreachableCatalogue()
{
    TSoapConnection connection;
    connection.setURL("http://127.0.0.1:1/tremlinSvr.dll/soap/ISoapDM");
    connection.setTimeout(2000);
    Build b({});
    b.dataSet.setRemoteServer(&connection);
    b.dataSet.setProviderName("prvMdChientSel");
    const QString message = b.run("xx1");
    QVERIFY2(message.startsWith("The module catalogue cannot be fetched: ") && message.size() > 40,
             qPrintable(message));
    QCOMPARE(b.tree.topLevelItemCount(), 0);
    QVERIFY(b.tree.updatesEnabled());
}

namespace {

// The rule as written: for each row, every rights entry in order.
struct NaiveNode
{
    QString cap;
    int image;
    qint32 id;
    QVector<NaiveNode *> children;
};

struct NaiveResult
{
    QString tree;
    QStringList buttons;
    QStringList controlRights;
    bool failed = false;
};

QString naiveShape(const NaiveNode *n)
{
    QString s = n->cap + '@' + QString::number(n->image) + '#' + QString::number(n->id);
    if (!n->children.isEmpty()) {
        QStringList c;
        for (const NaiveNode *child : n->children)
            c << naiveShape(child);
        s += '(' + c.join(',') + ')';
    }
    return s;
}

NaiveResult naiveBuild(const QVector<Row> &rows, const QStringList &entries)
{
    NaiveResult r;
    std::vector<std::unique_ptr<NaiveNode>> nodes;
    QVector<NaiveNode *> top;
    QMap<QString, NaiveNode *> index;
    for (int p = 0; p < rows.size() && !r.failed; ++p) {
        const Row &row = rows[p];
        for (const QString &entry : entries) {
            if (entry.mid(2) != QString::number(row.id))
                continue;
            if (row.type <= 1) {
                if (row.onbar)
                    r.buttons << row.cap + '|' + QString::number(row.id) + '|' + row.OBJname;
                NaiveNode *parent = nullptr;
                if (row.fid != 0) {
                    parent = index.value(QString::number(row.fid));
                    if (!parent) {
                        r.failed = true;
                        break;
                    }
                }
                nodes.push_back(std::make_unique<NaiveNode>(NaiveNode{row.cap, p, row.id, {}}));
                (parent ? parent->children : top).append(nodes.back().get());
                if (!index.contains(QString::number(row.id)))
                    index.insert(QString::number(row.id), nodes.back().get());
            } else if (row.type == 2) {
                r.controlRights << QString::number(row.id) + '=' + QString::number(row.fid) + ','
                                       + QString::number(row.id) + ',' + row.OBJname + ',' + row.cap;
            }
        }
    }
    QStringList t;
    for (const NaiveNode *n : top)
        t << naiveShape(n);
    r.tree = t.join(',');
    return r;
}

} // namespace

void TestModuleCatalogue::fastMatchingEqualsRuleByRule()
{
    int failures = 0, nodesSeen = 0;
    for (quint32 seed = 1; seed <= 30; ++seed) {
        QRandomGenerator rng(seed);
        // Rights: most ids granted, some twice, some in forms that grant nothing.
        QStringList entries;
        for (int id = -5; id <= 120; ++id) {
            const int roll = rng.bounded(10);
            const QString text = QString::number(id);
            if (roll < 7)
                entries << "ab" + text;
            if (roll == 0)
                entries << "z9" + text;
            if (roll == 8)
                entries << (rng.bounded(2) ? "ab0" + text : text);
        }
        std::shuffle(entries.begin(), entries.end(), rng);
        QSet<QString> grantedText;
        for (const QString &e : entries)
            grantedText.insert(e.mid(2));

        QVector<Row> rows;
        QVector<qint32> parents; // granted tree rows so far
        for (int p = 0; p < 200; ++p) {
            Row r{qint32(rng.bounded(-5, 121)), QStringLiteral("r%1").arg(p), QString(), 0, qint32(rng.bounded(4))};
            r.onbar = rng.bounded(3) == 0;
            r.OBJname = rng.bounded(2) ? QStringLiteral("M%1.dll").arg(p) : QString();
            const int parentRoll = rng.bounded(100);
            if (parentRoll < 60 && !parents.isEmpty())
                r.fid = parents[rng.bounded(parents.size())];
            else if (parentRoll == 99)
                r.fid = 500; // an orphan now and then
            if (r.type <= 1 && r.id != 0 && grantedText.contains(QString::number(r.id)))
                parents << r.id;
            rows << r;
        }

        const NaiveResult expected = naiveBuild(rows, entries);
        Build b(rows);
        const QString error = b.run(entries.join(','));
        QCOMPARE(!error.isEmpty(), expected.failed);
        QCOMPARE(shapeOf(b.tree), expected.tree);
        QCOMPARE(buttonsOf(b), expected.buttons);
        QCOMPARE(b.controlRights, expected.controlRights);
        failures += expected.failed;
        nodesSeen += expected.tree.count('@');
    }
    // The random catalogues must exercise both outcomes and real trees.
    QVERIFY(failures > 0 && failures < 30);
    QVERIFY(nodesSeen > 1000);
}

QTEST_MAIN(TestModuleCatalogue)
#include "tst_modulecatalogue.moc"
