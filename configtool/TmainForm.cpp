#include "TmainForm.h"
#include "ui_TmainForm.h"

#include "ErrorGuard.h"
#include "Skin.h"
#include "TPageForm.h"

#include <QGridLayout>
#include <functional>
#include <QGuiApplication>
#include <QScreen>

namespace {
// Titles of the pages of nodes 1 to 4; the company node's text differs from its title.
const char *const PageTitles[] = {"图标", "登录", "主界面", "厂商信息"};
} // namespace

TmainForm::TmainForm(QWidget *parent)
    : QWidget(parent), m_ui(new Ui::TmainForm)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(1097, 605);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_ui->RzSplitter1->setFixedPane(0);
    m_ui->RzSplitter1->setPosition(202);
    m_ui->TreeView1->expandAll();
    auto *panelLayout = new QGridLayout(m_ui->panelShow);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    connect(m_ui->TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1Change(current); });
    connect(m_ui->BitBtn3, &QPushButton::clicked, this, &TmainForm::BitBtn3Click);
    Skin::apply(this);
    // The tree would select its first node on taking the focus; no node is selected at start.
    m_ui->BitBtn3->setFocus();
}

TmainForm::~TmainForm() = default;

void TmainForm::setPages(const QVector<TPageForm *> &pages)
{
    m_pages = pages;
}

int TmainForm::absoluteIndex(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    const QTreeWidgetItem *parent = item->parent();
    int index;
    if (parent) {
        index = absoluteIndex(parent) + 1;
    } else {
        index = 0;
        parent = item->treeWidget()->invisibleRootItem();
    }
    // Every earlier sibling counts with all its descendants.
    std::function<int(const QTreeWidgetItem *)> countAll = [&](const QTreeWidgetItem *n) {
        int c = 1;
        for (int i = 0; i < n->childCount(); ++i)
            c += countAll(n->child(i));
        return c;
    };
    for (int i = 0; i < parent->indexOfChild(const_cast<QTreeWidgetItem *>(item)); ++i)
        index += countAll(parent->child(i));
    return index;
}

void TmainForm::TreeView1Change(QTreeWidgetItem *node)
{
    ErrorGuard::run([&] {
        if (!node)
            return;
        node->setExpanded(true);
        const int index = absoluteIndex(node);
        if (index < 1 || index > 4 || index > m_pages.size())
            return;
        TPageForm *page = m_pages.at(index - 1);
        page->setWindowTitle(QString::fromUtf8(PageTitles[index - 1]));
        if (page->parentWidget() != m_ui->panelShow) {
            page->setParent(m_ui->panelShow, Qt::Widget);
            static_cast<QGridLayout *>(m_ui->panelShow->layout())->addWidget(page, 0, 0);
            Skin::adopt(page);
        }
        page->show();
        page->raise();
    });
}

void TmainForm::BitBtn3Click()
{
    close();
}
