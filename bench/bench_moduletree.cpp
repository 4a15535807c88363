// BuildModuleTree on a 20,000-row catalogue with a 10,000-entry rights
// string, against filling the same tree with the same rows and icons and no
// rights matching at all. Prints both times, their ratio and peak memory.
#include "CatalogueFixture.h"
#include "ClientDataSet.h"
#include "ModuleCatalogue.h"
#include "TImageList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>

using Row = CatalogueFixture::Row;

namespace {

constexpr int Groups = 2000;
constexpr int Modules = 9000;
constexpr int Controls = 9000;

struct Catalogue
{
    QVector<Row> rows;
    QVector<bool> node; // the rows the rights make a node of
    QString rights;
};

Catalogue makeCatalogue()
{
    Catalogue c;
    const QByteArray small = CatalogueFixture::bitmap(24, 24, QColor(200, 60, 60));
    const QByteArray large = CatalogueFixture::bitmap(48, 48, QColor(60, 60, 200));
    QStringList entries;
    for (int g = 0; g < Groups; ++g) {
        c.rows.append({g + 1, QStringLiteral("Group %1").arg(g), QString(), 0, 0, 0, small});
        c.node.append(true);
        entries << QStringLiteral("xx%1").arg(g + 1);
    }
    // Modules under the groups, each followed by its control; granted: 4,000
    // modules and 4,000 controls, 10,000 entries in all.
    for (int m = 0; m < Modules; ++m) {
        const qint32 id = 100000 + m, ctl = 200000 + m;
        const bool granted = m % 9 < 4;
        c.rows.append({id, QStringLiteral("Module %1").arg(m), QStringLiteral("M%1.dll").arg(m), 1 + m % Groups, 1,
                       0, m % 2 ? large : small});
        c.node.append(granted);
        c.rows.append({ctl, QStringLiteral("Control %1").arg(m), QStringLiteral("Btn%1").arg(m), id, 2, 0,
                       m % 2 ? small : large});
        c.node.append(false);
        if (granted)
            entries << QStringLiteral("xx%1").arg(id) << QStringLiteral("yy%1").arg(ctl);
    }
    std::reverse(entries.begin(), entries.end()); // matching must not rely on order
    c.rights = entries.join(',');
    return c;
}

struct Targets
{
    QWidget window;
    QWidget toolBar;
    QTreeWidget tree;
    TImageList treeImages{24, 24};
    TImageList barImages{24, 24};
    QStringList controlRights;
};

double runBuild(TClientDataSet &ds, const QString &rights, int *nodes)
{
    Targets t;
    ModuleCatalogue::Targets mt;
    mt.dataSet = &ds;
    mt.toolBar = &t.toolBar;
    mt.treeImages = &t.treeImages;
    mt.barImages = &t.barImages;
    mt.controlRights = &t.controlRights;
    mt.labelParent = &t.window;
    ModuleCatalogue catalogue(mt);
    QElapsedTimer timer;
    timer.start();
    catalogue.BuildModuleTree(&t.tree, rights);
    const double ms = timer.nsecsElapsed() / 1e6;
    *nodes = t.tree.topLevelItemCount();
    for (int i = 0; i < t.tree.topLevelItemCount(); ++i)
        *nodes += t.tree.topLevelItem(i)->childCount();
    return ms;
}

// The same rows, icons and nodes, the granted rows known beforehand.
double runBaseline(TClientDataSet &ds, const QVector<bool> &node, int *nodes)
{
    Targets t;
    QElapsedTimer timer;
    timer.start();
    t.tree.setUpdatesEnabled(false);
    ds.close();
    ds.open();
    QHash<qint32, QTreeWidgetItem *> index;
    int p = 0;
    for (ds.first(); !ds.eof(); ds.next(), ++p) {
        const qint32 id = ds.asInteger("id"), fid = ds.asInteger("fid");
        const QString cap = ds.asString("cap");
        ds.asString("OBJname");
        ds.asInteger("type");
        ds.asInteger("fmmodal");
        ds.asInteger("onbar");
        const QImage icon = ModuleCatalogue::loadIcon(ds.asBytes("ico"));
        t.barImages.add(icon);
        QImage scaled;
        ModuleCatalogue::StretchBitmap(icon, scaled, 24, 24);
        const int image = t.treeImages.add(scaled);
        if (!node[p])
            continue;
        auto item = new QTreeWidgetItem(QStringList(cap));
        if (fid)
            index.value(fid)->addChild(item);
        else
            t.tree.addTopLevelItem(item);
        item->setIcon(0, t.treeImages.icon(image));
        index.insert(id, item);
    }
    t.tree.setUpdatesEnabled(true);
    const double ms = timer.nsecsElapsed() / 1e6;
    *nodes = t.tree.topLevelItemCount();
    for (int i = 0; i < t.tree.topLevelItemCount(); ++i)
        *nodes += t.tree.topLevelItem(i)->childCount();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const Catalogue c = makeCatalogue();
    const QByteArray packet = CatalogueFixture::packet(c.rows);
    TClientDataSet ds;
    ds.loadFromDataPacket(packet);

    std::printf("catalogue: %d rows, rights: %d entries, packet %.1f MB\n", int(c.rows.size()),
                int(c.rights.count(',') + 1), packet.size() / 1048576.0);
    QVector<double> build, base, fetch;
    int buildNodes = 0, baseNodes = 0;
    // Alternating which goes first, so neither always meets a warm heap.
    for (int run = 0; run < 4; ++run) {
        if (run % 2) {
            build.append(runBuild(ds, c.rights, &buildNodes));
            base.append(runBaseline(ds, c.node, &baseNodes));
        } else {
            base.append(runBaseline(ds, c.node, &baseNodes));
            build.append(runBuild(ds, c.rights, &buildNodes));
        }
        QElapsedTimer timer;
        timer.start();
        ds.close();
        ds.open();
        fetch.append(timer.nsecsElapsed() / 1e6);
    }
    auto median = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return (v[1] + v[2]) / 2;
    };
    if (buildNodes != baseNodes)
        std::printf("warning: %d nodes built, %d in the baseline\n", buildNodes, baseNodes);
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("BuildModuleTree (median of 4): %.0f ms, %d nodes\n", median(build), buildNodes);
    std::printf("same tree without rights matching (median of 4): %.0f ms\n", median(base));
    std::printf("reopening the catalogue dataset alone (packet parse, part of both): %.0f ms\n", median(fetch));
    std::printf("ratio: %.2f (aim: under 1.3; whole build aim: under 2000 ms)\n", median(build) / median(base));
    std::printf("peak memory: %.0f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
