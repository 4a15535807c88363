#include "TcompInfoForm.h"
#include "ui_TcompInfoForm.h"

#include "ErrorBox.h"
#include "ErrorGuard.h"
#include "TDM.h"
#include "TextTrim.h"

TcompInfoForm::TcompInfoForm(TDM *dm, QWidget *parent)
    : TPageForm(false, parent), m_ui(new Ui::TcompInfoForm), m_dm(dm)
{
    m_ui->setupUi(this);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &TcompInfoForm::BitBtn1Click);
    connect(m_ui->BitBtn2, &QPushButton::clicked, this, &TcompInfoForm::BitBtn2Click);
}

TcompInfoForm::~TcompInfoForm() = default;

void TcompInfoForm::BitBtn1Click()
{
    apply(m_ui->Edit1, "Update CLIENT_INFO Set COPYRIGHT = :scopyright where id=:sid", "scopyright");
}

void TcompInfoForm::BitBtn2Click()
{
    apply(m_ui->Edit2, "Update CLIENT_INFO Set SYS_Caption = :sCap where id=:sid", "sCap");
}

void TcompInfoForm::apply(QLineEdit *box, const char *statement, const char *param)
{
    ErrorGuard::run([&] {
        const QString text = TextTrim::trim(box->text());
        if (text.isEmpty())
            return;
        m_dm->updateColumn(QString::fromLatin1(statement), QString::fromLatin1(param), text);
        ErrorBox::showInfo(QStringLiteral("成功！"));
    });
}
