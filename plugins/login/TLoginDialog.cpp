#include "TLoginDialog.h"

#include "Exception.h"
#include "LibraryPath.h"
#include "LoginLook.h"
#include "SignInClient.h"
#include "ui_TLoginDialog.h"

#include <QApplication>

TLoginDialog::TLoginDialog(TSoapConnection *connection, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TLoginDialog)
    , m_connection(connection)
{
    ui->setupUi(this);
    ui->btnSet->setEnabled(false); // server settings live in Config.ini
    connect(ui->btnLogin, &QPushButton::clicked, this, &TLoginDialog::btnLoginClick);
    connect(ui->btnClose, &QPushButton::clicked, this, &TLoginDialog::btnCloseClick);
    LoginLook look;
    if (look.read(LibraryPath::programDir()))
        applyLook(look);
}

void TLoginDialog::applyLook(const LoginLook &look)
{
    look.apply({this, ui->txtName, ui->txtPwd, ui->btnSet, ui->btnLogin, ui->btnClose, ui->lblMessage,
                {ui->lblTitle, ui->lblName, ui->lblPwd}});
}

TLoginDialog::~TLoginDialog() = default;

QString TLoginDialog::message() const
{
    return ui->lblMessage->text();
}

void TLoginDialog::btnLoginClick()
{
    ui->lblMessage->setText(QStringLiteral("正在登录…"));
    ui->btnLogin->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    repaint();
    try {
        m_record = SignInClient::signIn(m_connection, ui->txtName->text(), ui->txtPwd->text());
        QApplication::restoreOverrideCursor();
        accept();
        return;
    } catch (const std::exception &e) {
        ui->lblMessage->setText(Exception::messageOf(e));
    }
    QApplication::restoreOverrideCursor();
    ui->btnLogin->setEnabled(true);
    ui->txtPwd->selectAll();
    ui->txtPwd->setFocus();
}

void TLoginDialog::btnCloseClick()
{
    reject();
}
