#pragma once

#include <QWidget>

class SignInRecord;
class TDM;

// The main window.
class TmainForm : public QWidget
{
    Q_OBJECT
public:
    TmainForm(TDM *dm, const SignInRecord &user, QWidget *parent = nullptr);
};
