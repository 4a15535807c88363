#pragma once

#include <QVector>
#include <QWidget>

#include <memory>

class QTreeWidgetItem;
class TPageForm;
namespace Ui { class TmainForm; }

// Ovido's main window: the page tree on the left, the page panel on the
// right, the close button below. Pages are windows of their own that the
// tree puts into the panel; they are never hidden or freed again.
class TmainForm : public QWidget
{
    Q_OBJECT
public:
    explicit TmainForm(QWidget *parent = nullptr);
    ~TmainForm() override;

    Ui::TmainForm *ui() const { return m_ui.get(); }

    // The pages of the tree's nodes 1 to 4 in node order: icon, login,
    // main window, company.
    void setPages(const QVector<TPageForm *> &pages);

    // Index of the node in the fully expanded tree, counted from 0.
    static int absoluteIndex(const QTreeWidgetItem *item);

public slots:
    void TreeView1Change(QTreeWidgetItem *node);
    void BitBtn3Click();

private:
    std::unique_ptr<Ui::TmainForm> m_ui;
    QVector<TPageForm *> m_pages;
};
