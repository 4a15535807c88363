#include "TLoginSetForm.h"
#include "ui_TLoginSetForm.h"

#include "ErrorGuard.h"
#include "LoginPictures.h"
#include "PictureLoader.h"
#include "PositionString.h"
#include "TDM.h"
#include "TImage.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>

namespace {
// One designer exists; its drag state lives at file level.
TLoginSetForm::DragState drag;

bool isPress(const QEvent *event)
{
    // A quick second press arrives as a double click: it starts a drag too.
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}
} // namespace

const TLoginSetForm::DragState &TLoginSetForm::dragState()
{
    return drag;
}

TLoginSetForm::TLoginSetForm(TDM *dm, QWidget *parent)
    : QDialog(parent), m_ui(new Ui::TLoginSetForm), m_dm(dm)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_popup->addAction(m_ui->N1);
    connect(m_ui->N1, &QAction::triggered, this, &TLoginSetForm::N1Click);

    m_ui->Image1->setAutoSize(true);
    m_ui->Image1->setPicture(LoginPictures::background());
    const struct {
        TImage *image;
        LoginPictures::Button kind;
    } buttons[] = {{m_ui->btnSet, LoginPictures::Button::Set},
                   {m_ui->btnLogin, LoginPictures::Button::Login},
                   {m_ui->btnClose, LoginPictures::Button::Close}};
    for (const auto &b : buttons) {
        b.image->setAutoSize(true);
        b.image->setStretch(true);
        b.image->setTransparent(true);
        b.image->setPicture(LoginPictures::button(b.kind));
    }
    m_ui->btnClose->setVisible(false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    m_ui->rzedit1->setFont(font);
    m_ui->rzEdit2->setFont(font);

    m_controls = {
        {m_ui->btnSet, 1, "btn_set_LTWH", "btn_Set_LTWH", &TLoginSetForm::btnSetMouseDown, &TLoginSetForm::btnSetMouseUp},
        {m_ui->btnLogin, 2, "btn_Login_LTWH", "btn_Login_LTWH", &TLoginSetForm::btnLoginMouseDown, &TLoginSetForm::btnLoginMouseUp},
        {m_ui->btnClose, 3, "btn_Close_LTWH", "btn_Close_LTWH", &TLoginSetForm::btnCloseMouseDown, &TLoginSetForm::btnCloseMouseUp},
        {m_ui->rzedit1, 4, "txt_Name_LTWH", "txt_name_LTWH", &TLoginSetForm::rzedit1MouseDown, &TLoginSetForm::rzedit1MouseUp},
        {m_ui->rzEdit2, 5, "txt_pwd_LTWH", "txt_pwd_LTWH", &TLoginSetForm::rzEdit2MouseDown, &TLoginSetForm::rzEdit2MouseUp},
    };
    // The context menu opens on the release of the right button, after the
    // release's own work; nothing else opens one.
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_ui->Image1->setContextMenuPolicy(Qt::PreventContextMenu);
    m_ui->Image1->installEventFilter(this);
    for (const Control &c : qAsConst(m_controls)) {
        c.widget->setContextMenuPolicy(Qt::PreventContextMenu);
        c.widget->installEventFilter(this);
    }
    FormCreate();
    fitToContents();
}

TLoginSetForm::~TLoginSetForm() = default;

void TLoginSetForm::FormCreate()
{
    // Every widget paints through Qt's backing store, which is double-buffered
    // already; what remains of creation is the idle drag state.
    drag.bDragCtrl = false;
}

void TLoginSetForm::prepare(int bgflg)
{
    m_ui->btnClose->setVisible(bgflg != 0);
    m_ui->Image1->setTransparent(bgflg != 0);
    setWindowFlag(Qt::FramelessWindowHint, bgflg == 1);
    setWindowTitle(QStringLiteral("登录设计"));
    fitToContents();
    // Each opening is centred over the main window again, also after the window was dragged.
    setAttribute(Qt::WA_Moved, false);
}

void TLoginSetForm::fitToContents()
{
    int width = 1, height = 1;
    for (const QObject *child : children()) {
        if (!child->isWidgetType())
            continue;
        const QWidget *w = static_cast<const QWidget *>(child);
        if (w->isWindow() || w->isHidden())
            continue;
        width = qMax(width, w->geometry().right() + 1);
        height = qMax(height, w->geometry().bottom() + 1);
    }
    resize(width, height);
}

void TLoginSetForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLoginSetForm::FormShow()
{
    ErrorGuard::run([&] { load(); });
    fitToContents();
}

void TLoginSetForm::load()
{
    m_dm->openSelect(QStringLiteral("SELECT * FROM LOGIN_INFO where id=:sid"));
    const bool hasRow = m_dm->selectHasRow();
    // Positions first: a broken picture then leaves every position applied.
    for (int number : {4, 5, 1, 2, 3}) {
        const Control *c = controlNumbered(number);
        const QString text = hasRow ? m_dm->selectText(QString::fromLatin1(c->readColumn)) : QString();
        QRect bounds;
        if (PositionString::parse(text, &bounds))
            c->widget->setGeometry(bounds);
    }
    if (!hasRow || m_dm->selectIsNull(QStringLiteral("background")))
        return;
    const struct {
        const char *column;
        TImage *image;
    } pictures[] = {{"background", m_ui->Image1},
                    {"btn_Set_img", m_ui->btnSet},
                    {"btn_login_img", m_ui->btnLogin},
                    {"btn_Close_img", m_ui->btnClose}};
    for (const auto &p : pictures)
        p.image->setPicture(PictureLoader::load(m_dm->selectBlob(QString::fromLatin1(p.column))));
}

const TLoginSetForm::Control *TLoginSetForm::controlOf(const QObject *widget) const
{
    for (const Control &c : m_controls) {
        if (c.widget == widget)
            return &c;
    }
    return nullptr;
}

const TLoginSetForm::Control *TLoginSetForm::controlNumbered(int number) const
{
    for (const Control &c : m_controls) {
        if (c.number == number)
            return &c;
    }
    return nullptr;
}

bool TLoginSetForm::eventFilter(QObject *watched, QEvent *event)
{
    const bool mouse = isPress(event) || event->type() == QEvent::MouseMove
                       || event->type() == QEvent::MouseButtonRelease;
    if (!mouse)
        return QDialog::eventFilter(watched, event);
    auto *me = static_cast<QMouseEvent *>(event);
    if (watched == m_ui->Image1) {
        if (isPress(event))
            Image1MouseDown(me);
        else if (event->type() == QEvent::MouseMove)
            Image1MouseMove(me);
        else {
            Image1MouseUp();
            popupAt(me);
        }
    } else if (const Control *c = controlOf(watched)) {
        if (isPress(event)) {
            m_pressedOn = watched;
            (this->*c->down)(me);
        } else if (event->type() == QEvent::MouseMove) {
            FormMouseMove();
        } else {
            const bool clicked = me->button() == Qt::LeftButton && m_pressedOn == watched
                                 && c->widget->rect().contains(me->pos());
            m_pressedOn = nullptr;
            if (clicked && c->number == 3)
                btnCloseClick();
            (this->*c->up)();
            popupAt(me);
        }
    }
    return false;
}

void TLoginSetForm::mouseMoveEvent(QMouseEvent *event)
{
    QDialog::mouseMoveEvent(event);
    FormMouseMove();
}

void TLoginSetForm::mouseReleaseEvent(QMouseEvent *event)
{
    QDialog::mouseReleaseEvent(event);
    FormMouseUp();
    popupAt(event);
}

void TLoginSetForm::popupAt(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        m_popup->popup(event->globalPos());
}

void TLoginSetForm::pressOn(int number, QMouseEvent *event)
{
    drag.bDragCtrl = true;
    drag.iDragCtrl = number;
    drag.iDownX = event->x();
    drag.iDownY = event->y();
}

void TLoginSetForm::btnSetMouseDown(QMouseEvent *event) { pressOn(1, event); }
void TLoginSetForm::btnLoginMouseDown(QMouseEvent *event) { pressOn(2, event); }
void TLoginSetForm::btnCloseMouseDown(QMouseEvent *event) { pressOn(3, event); }
void TLoginSetForm::rzedit1MouseDown(QMouseEvent *event) { pressOn(4, event); }
void TLoginSetForm::rzEdit2MouseDown(QMouseEvent *event) { pressOn(5, event); }

void TLoginSetForm::FormMouseMove()
{
    if (!drag.bDragCtrl)
        return;
    // The cursor position comes from the system, so the same handler serves
    // moves reported by the window and by every control.
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    if (const Control *c = controlNumbered(drag.iDragCtrl)) {
        c->widget->move(cursor.x() - drag.iDownX, cursor.y() - drag.iDownY);
        fitToContents();
    }
    repaint();
}

void TLoginSetForm::dropControl(int number)
{
    drag.bDragCtrl = false;
    const Control *c = controlNumbered(number);
    m_dm->updateColumn(QStringLiteral("Update LOGIN_INFO Set %1 = :sLTWH where id=:sid").arg(QLatin1String(c->column)),
                       QStringLiteral("sLTWH"), PositionString::format(c->widget->geometry()));
}

void TLoginSetForm::btnSetMouseUp() { ErrorGuard::run([&] { dropControl(1); }); }
void TLoginSetForm::btnLoginMouseUp() { ErrorGuard::run([&] { dropControl(2); }); }
void TLoginSetForm::btnCloseMouseUp() { ErrorGuard::run([&] { dropControl(3); }); }
void TLoginSetForm::rzedit1MouseUp() { ErrorGuard::run([&] { dropControl(4); }); }
void TLoginSetForm::rzEdit2MouseUp() { ErrorGuard::run([&] { dropControl(5); }); }

void TLoginSetForm::FormMouseUp()
{
    drag.bDragCtrl = false;
}

void TLoginSetForm::btnCloseClick()
{
    // The close picture only previews the login window's button: it does not close the designer.
    drag.bDragCtrl = false;
}

void TLoginSetForm::Image1MouseDown(QMouseEvent *event)
{
    drag.bDragForm = true;
    drag.iDownX = event->x();
    drag.iDownY = event->y();
}

void TLoginSetForm::Image1MouseMove(QMouseEvent *event)
{
    if (!drag.bDragForm || isMaximized())
        return;
    move(x() + event->x() - drag.iDownX, y() + event->y() - drag.iDownY);
}

void TLoginSetForm::Image1MouseUp()
{
    drag.bDragForm = false;
}

void TLoginSetForm::N1Click()
{
    close();
}
