#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The login window's look as LOGIN_INFO row 1 stores it, read the way
// Ovido's layout designer previews it: positions first, then (only when a
// background is stored) the background and the three button pictures; a
// stored picture gives its button its own size; the built-in look stands
// for whatever is not stored. apply() draws the sign-in window from it.
class LoginLook
{
public:
    struct Targets {
        QDialog *window;
        QLineEdit *name;
        QLineEdit *password;
        QPushButton *set;
        QPushButton *login;
        QPushButton *close;
        QLabel *message;
        QList<QWidget *> replaced; // the window's own decoration, hidden under the background
    };

    LoginLook();

    // The database Brastel uses ("Local"/"file" of Config.ini as a full path,
    // default the program directory's CLINFO.DB). False, with the reason in
    // error(), when it cannot be read or has no row 1: the window then keeps
    // its own design. A broken position or picture keeps the built-in one.
    bool read(const QString &programDir);
    QString error() const { return m_error; }

    void apply(const Targets &targets) const;

    int bgflg = 0;
    QImage background;
    QImage setPicture, loginPicture, closePicture;
    QRect nameBounds, passwordBounds, setBounds, loginBounds, closeBounds;

private:
    QString m_error;
};
