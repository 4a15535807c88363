#include "TFramLeftNav.h"

#include "ui_TFramLeftNav.h"

#include <QStyledItemDelegate>

namespace {

// Gives every item of the tree the same height, whatever its font or icon.
class FixedHeightDelegate : public QStyledItemDelegate
{
public:
    FixedHeightDelegate(int height, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_height(height)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(m_height);
        return s;
    }

private:
    int m_height;
};

} // namespace

TFramLeftNav::TFramLeftNav(QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::TFramLeftNav)
{
    ui->setupUi(this);
    QFont f = ui->tvLeftNav->font();
    f.setPixelSize(16);
    ui->tvLeftNav->setFont(f);
    ui->tvLeftNav->setBackgroundRole(QPalette::Base);
}

TFramLeftNav::~TFramLeftNav()
{
    delete ui;
}

QTreeWidget *TFramLeftNav::tvLeftNav() const
{
    return ui->tvLeftNav;
}

void TFramLeftNav::setItemHeight(int pixels)
{
    m_itemHeight = pixels;
    QAbstractItemDelegate *old = ui->tvLeftNav->itemDelegate();
    ui->tvLeftNav->setItemDelegate(new FixedHeightDelegate(pixels, ui->tvLeftNav));
    if (old && old->parent() == ui->tvLeftNav)
        old->deleteLater();
}
