#include "TmainForm.h"

TmainForm::TmainForm(TDM *, const SignInRecord &, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("mainForm"));
}
