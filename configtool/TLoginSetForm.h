#pragma once

#include <QDialog>
#include <QVector>

#include <memory>

class TDM;
class TImage;
class QMenu;
class QMouseEvent;
namespace Ui { class TLoginSetForm; }

// The login layout designer: a preview of the login window at its real
// size. Dragging the two boxes or the three button pictures over the
// background stores the dropped control's bounds at once (one committed
// update per release); dragging the background moves the window.
class TLoginSetForm : public QDialog
{
    Q_OBJECT
public:
    // The drag state of the single designer (1 btnSet, 2 btnLogin,
    // 3 btnClose, 4 rzedit1, 5 rzEdit2).
    struct DragState {
        bool bDragCtrl = false;
        int iDragCtrl = 0;
        int iDownX = 0;
        int iDownY = 0;
        bool bDragForm = false;
    };
    static const DragState &dragState();

    explicit TLoginSetForm(TDM *dm, QWidget *parent = nullptr);
    ~TLoginSetForm() override;

    Ui::TLoginSetForm *ui() const { return m_ui.get(); }
    QMenu *PopupMenu1() const { return m_popup; }

    // The opener's preparation from the stored BGFLG: shaped style when 1,
    // close picture shown and background transparent when not 0.
    void prepare(int bgflg);
    // Client area around the visible controls, from the client origin.
    void fitToContents();

public slots:
    void FormCreate();
    void FormShow();
    void btnSetMouseDown(QMouseEvent *event);
    void btnLoginMouseDown(QMouseEvent *event);
    void btnCloseMouseDown(QMouseEvent *event);
    void rzedit1MouseDown(QMouseEvent *event);
    void rzEdit2MouseDown(QMouseEvent *event);
    void FormMouseMove();
    void btnSetMouseUp();
    void btnLoginMouseUp();
    void btnCloseMouseUp();
    void rzedit1MouseUp();
    void rzEdit2MouseUp();
    void FormMouseUp();
    void btnCloseClick();
    void Image1MouseDown(QMouseEvent *event);
    void Image1MouseMove(QMouseEvent *event);
    void Image1MouseUp();
    void N1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Control {
        QWidget *widget;
        int number;
        const char *column;     // as the update statement spells it
        const char *readColumn; // as the loading spells it
        void (TLoginSetForm::*down)(QMouseEvent *);
        void (TLoginSetForm::*up)();
    };

    const Control *controlOf(const QObject *widget) const;
    const Control *controlNumbered(int number) const;
    void pressOn(int number, QMouseEvent *event);
    void dropControl(int number);
    void load();
    void popupAt(QMouseEvent *event);

    std::unique_ptr<Ui::TLoginSetForm> m_ui;
    TDM *m_dm;
    QMenu *m_popup;
    QVector<Control> m_controls;
    QObject *m_pressedOn = nullptr;
};
