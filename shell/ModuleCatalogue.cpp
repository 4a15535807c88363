#include "ModuleCatalogue.h"

#include "ClientDataSet.h"
#include "Exception.h"
#include "PictureLoader.h"
#include "RightsIndex.h"
#include "TImageList.h"
#include "TQuickButton.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtEndian>

namespace {

constexpr int IconSize = 24;
constexpr int ButtonHeight = 55;
const QColor Transparent(255, 255, 255);

} // namespace

// Everything the build needs only while it runs; its destructor is the
// clean-up that also runs when the build fails.
class ModuleCatalogue::BuildPass
{
public:
    BuildPass(QTreeWidget *tree, QWidget *labelParent)
        : m_tree(tree)
        , m_label(new QLabel(labelParent))
    {
        m_tree->setUpdatesEnabled(false);
        m_label->hide();
        // The measure is the default interface font at 8 points, not the
        // button's own font.
        QFont f = QApplication::font();
        f.setPointSize(8);
        m_label->setFont(f);
    }
    ~BuildPass()
    {
        delete m_label.data();
        m_tree->setUpdatesEnabled(true);
    }

    int measure(const QString &text) const { return m_label->fontMetrics().horizontalAdvance(text); }
    int takeLeft(int width)
    {
        const int left = m_nextLeft;
        m_nextLeft += width;
        return left;
    }
    QTreeWidgetItem *node(qint32 id) const { return m_index.value(id, nullptr); }
    void index(qint32 id, QTreeWidgetItem *node)
    {
        if (!m_index.contains(id)) // the first node of an id stays
            m_index.insert(id, node);
    }

private:
    QTreeWidget *m_tree;
    QPointer<QLabel> m_label;
    QHash<qint32, QTreeWidgetItem *> m_index;
    int m_nextLeft = 0;
};

namespace {

void placeOnBar(QWidget *bar, TQuickButton *button, int left)
{
    if (auto toolBar = qobject_cast<QToolBar *>(bar)) {
        toolBar->addWidget(button);
    } else if (bar->layout()) {
        button->setParent(bar);
        bar->layout()->addWidget(button);
    } else {
        button->setParent(bar);
        button->move(left, 0);
    }
    button->show();
}

TModuleInfo readRow(const TClientDataSet &ds)
{
    TModuleInfo r;
    r.id = ds.asInteger(QStringLiteral("id"));
    r.cap = ds.asString(QStringLiteral("cap"));
    r.OBJname = ds.asString(QStringLiteral("OBJname"));
    r.fid = ds.asInteger(QStringLiteral("fid"));
    r.type = ds.asInteger(QStringLiteral("type"));
    r.fmmodal = ds.asInteger(QStringLiteral("fmmodal"));
    r.onbar = ds.asInteger(QStringLiteral("onbar"));
    return r;
}

QString controlRightEntry(const TModuleInfo &r)
{
    const QString id = QString::number(r.id);
    return id + QLatin1Char('=') + QString::number(r.fid) + QLatin1Char(',') + id + QLatin1Char(',') + r.OBJname
           + QLatin1Char(',') + r.cap;
}

} // namespace

ModuleCatalogue::ModuleCatalogue(const Targets &targets, QObject *parent)
    : QObject(parent)
    , m_t(targets)
{
    if (m_t.defaultIcon.isNull()) {
        // Without a default icon every row still needs its own image entry.
        m_t.defaultIcon = QImage(IconSize, IconSize, QImage::Format_RGB32);
        m_t.defaultIcon.fill(Transparent);
    }
}

int ModuleCatalogue::buttonWidth(int measured)
{
    const int triple = measured * 3;
    int width = triple / 2;
    if (triple % 2 != 0 && width % 2 != 0)
        ++width;
    return width;
}

void ModuleCatalogue::StretchBitmap(const QImage &source, QImage &target, int width, int height)
{
    QImage scaled = source.isNull() ? QImage()
                                    : source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) {
        scaled = QImage(width, height, QImage::Format_RGB888);
        scaled.fill(Transparent);
    }
    target = scaled.convertToFormat(QImage::Format_RGB888);
}

QImage ModuleCatalogue::loadIcon(const QByteArray &value)
{
    QByteArray bytes = value;
    if (bytes.size() > 7) {
        const uchar *d = reinterpret_cast<const uchar *>(bytes.constData());
        if (qFromLittleEndian<quint16>(d) == 1 && qFromLittleEndian<quint16>(d + 2) == 256
            && qFromLittleEndian<quint32>(d + 4) == quint32(bytes.size() - 8))
            bytes = bytes.mid(8);
    }
    QImage image;
    if (!PictureLoader::tryBmp(bytes, &image))
        throw Exception(QStringLiteral("The icon is not a bitmap (%1 bytes)").arg(value.size()));
    return image;
}

void ModuleCatalogue::BuildModuleTree(QTreeWidget *tree, const QString &rights)
{
    if (!tree || !m_t.dataSet || !m_t.toolBar || !m_t.treeImages || !m_t.barImages || !m_t.controlRights)
        throw Exception(QStringLiteral("The module tree cannot be built: a target of the catalogue is missing"));
    BuildPass pass(tree, m_t.labelParent);
    const RightsIndex granted(rights);
    tree->clear();

    TClientDataSet *ds = m_t.dataSet;
    try {
        ds->close();
        ds->open();
    } catch (const std::exception &e) {
        throw Exception(QStringLiteral("The module catalogue cannot be fetched: %1").arg(Exception::messageOf(e)));
    }
    m_t.barImages->clear();

    for (ds->first(); !ds->eof(); ds->next()) {
        const TModuleInfo r = readRow(*ds);
        const QImage icon = rowIcon(*ds, r);
        const int barIndex = m_t.barImages->add(icon, Transparent);
        QImage scaled;
        StretchBitmap(icon, scaled, IconSize, IconSize);
        const int treeIndex = m_t.treeImages->add(scaled, Transparent);

        const int grants = granted.grants(r.id);
        if (r.type <= 1) {
            for (int k = 0; k < grants; ++k) {
                m_records.push_back(r);
                const TModuleInfo &info = m_records.back();
                if (info.onbar != 0) {
                    const int width = buttonWidth(pass.measure(info.cap));
                    addButton(info, m_t.barImages->image(barIndex), pass.takeLeft(width), width);
                }
                addNode(tree, info, treeIndex, pass);
            }
        } else if (r.type == 2) {
            const QString entry = controlRightEntry(r);
            for (int k = 0; k < grants; ++k)
                m_t.controlRights->append(entry);
        }
    }
}

void ModuleCatalogue::addNode(QTreeWidget *tree, const TModuleInfo &info, int imageIndex, BuildPass &pass)
{
    QTreeWidgetItem *parent = nullptr;
    if (info.fid != 0) {
        parent = pass.node(info.fid);
        if (!parent)
            throw Exception(QStringLiteral("Catalogue row id %1 (\"%2\") names parent fid %3, which has no node: "
                                           "the parent comes later, is not granted or does not exist")
                                .arg(QString::number(info.id), info.cap, QString::number(info.fid)));
    }
    auto node = new QTreeWidgetItem(QStringList(info.cap));
    if (parent)
        parent->addChild(node);
    else
        tree->addTopLevelItem(node);
    node->setIcon(0, m_t.treeImages->icon(imageIndex));
    node->setData(0, ImageIndexRole, imageIndex);
    info.attachTo(node);
    pass.index(info.id, node);
}

QImage ModuleCatalogue::rowIcon(const TClientDataSet &ds, const TModuleInfo &row) const
{
    const QByteArray ico = ds.asBytes(QStringLiteral("ico"));
    if (ico.isEmpty())
        return m_t.defaultIcon;
    try {
        return loadIcon(ico);
    } catch (const Exception &e) {
        throw Exception(QStringLiteral("Catalogue row id %1 (\"%2\"): %3").arg(QString::number(row.id), row.cap, e.message()));
    }
}

void ModuleCatalogue::addButton(const TModuleInfo &info, const QImage &glyph, int left, int width)
{
    auto button = new TQuickButton;
    button->setFixedSize(width, ButtonHeight);
    QFont f = QApplication::font();
    f.setPointSize(12);
    button->setFont(f);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::white);
    button->setPalette(pal);
    button->setIcon(QIcon(QPixmap::fromImage(glyph)));
    button->setIconSize(glyph.size());
    button->setHint(info.OBJname);
    button->setTag(info.id);
    button->setText(info.cap);
    button->setToolTip(QString()); // hints are not shown
    connect(button, &QToolButton::clicked, this, [this, button] {
        if (m_buttonHandler)
            m_buttonHandler(button);
    });
    placeOnBar(m_t.toolBar, button, left);
    ++m_buttonCount;
}
