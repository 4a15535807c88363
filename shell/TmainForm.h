#pragma once

#include "SignInRecord.h"

#include <QMainWindow>
#include <QPoint>
#include <QStringList>

class ModuleCatalogue;
class ModuleHost;
class QMouseEvent;
class QTreeWidget;
class QTreeWidgetItem;
class TDM;
class TImageList;
class TKeyboardHook;

namespace Ui {
class TmainForm;
}

// Brastel's main window: the top bar, the quick-launch bar, the navigation
// pane beside the host panel, and the status bar. Its look comes from the
// appearance row of the local database, read once while it is created; a
// failing step is reported and the window opens all the same.
class TmainForm : public QMainWindow
{
    Q_OBJECT
public:
    TmainForm(TDM *dm, const SignInRecord &user, QWidget *parent = nullptr);
    ~TmainForm() override;

    Ui::TmainForm *form() const { return ui; }
    QTreeWidget *tvLeftNav() const;
    QString statusText(int panel) const;
    const QStringList &controlRights() const { return m_controlRights; }
    ModuleHost *host() const { return m_host; }
    TImageList *ImgIco() const { return m_ImgIco; }
    TImageList *imgIcoTv() const { return m_imgIcoTv; }

public slots:
    void btnCloseClick();
    void mainLeftNavtvLeftNavChange(QTreeWidgetItem *node);
    void QuickButtonClick(QObject *button);
    void RzSplitter1Change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormKeyDown(int key);
    void FormClose();
    void FormDestroy();
    void ApplyClientInfo();
    void BuildModuleTree();
    void createHost();

    void pTopMouseDown(QMouseEvent *event);
    void pTopMouseMove(QMouseEvent *event);
    void pTopMouseUp(QMouseEvent *event);
    void pTopDblClick(QMouseEvent *event);

    void designLook();
    void placeCloseButton();
    bool isTopBarPart(QObject *watched) const;

    Ui::TmainForm *ui;
    TDM *m_dm;
    SignInRecord m_user;
    TKeyboardHook *m_hook = nullptr;
    bool m_dragging = false;
    QPoint m_pressPoint;
    bool m_shown = false;
    QStringList m_controlRights;
    TImageList *m_ImgIco = nullptr;
    TImageList *m_imgIcoTv = nullptr;
    ModuleCatalogue *m_catalogue = nullptr;
    ModuleHost *m_host = nullptr; // owns the rights list and the parameter list
};
