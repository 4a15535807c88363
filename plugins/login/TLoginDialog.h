#pragma once

#include "SignInRecord.h"

#include <QDialog>

#include <memory>

class LoginLook;
class TSoapConnection;
namespace Ui {
class TLoginDialog;
}

// The sign-in window of the login plug-in: user name and password, checked
// against the application server. A refusal or an unreachable server is
// shown in the window and the user may try again; closing it declines.
class TLoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TLoginDialog(TSoapConnection *connection, QWidget *parent = nullptr);
    ~TLoginDialog() override;

    // Valid after the dialog was accepted.
    const SignInRecord &record() const { return m_record; }
    QString message() const;

    // Draws the window from the stored login look (the constructor does so
    // when LOGIN_INFO can be read).
    void applyLook(const LoginLook &look);

public slots:
    void btnLoginClick();
    void btnCloseClick();

private:
    std::unique_ptr<Ui::TLoginDialog> ui;
    TSoapConnection *m_connection;
    SignInRecord m_record;
};
