#include "TLoginForm.h"
#include "ui_TLoginForm.h"

#include "CommaText.h"
#include "ErrorBox.h"
#include "ErrorGuard.h"
#include "PictureFile.h"
#include "TDM.h"
#include "TLoginSetForm.h"
#include "TOpenDialog.h"

#include <QSignalBlocker>

namespace {
const char SelectLogin[] = "SELECT * FROM LOGIN_INFO where id=:sid";
} // namespace

TLoginForm::TLoginForm(TDM *dm, QWidget *parent)
    : TPageForm(true, parent), m_ui(new Ui::TLoginForm), m_dm(dm)
{
    m_ui->setupUi(this);
    m_openBmp.reset(new TOpenDialog(this, QString::fromUtf8(PictureFile::DialogFilter),
                                    QString::fromLatin1(PictureFile::DialogDefaultExt)));
    m_positions = {
        {"TXT_NAME_LTWH", {m_ui->Edit1, m_ui->Edit2}},
        {"txt_pwd_LTWH", {m_ui->Edit3, m_ui->Edit4}},
        {"btn_set_LTWH", {m_ui->Edit5, m_ui->Edit6, m_ui->Edit11, m_ui->Edit12}},
        {"btn_login_LTWH", {m_ui->Edit7, m_ui->Edit8, m_ui->Edit13, m_ui->Edit14}},
        {"btn_close_LTWH", {m_ui->Edit9, m_ui->Edit10, m_ui->Edit15, m_ui->Edit16}},
    };

    connect(m_ui->BitBtn4, &QPushButton::clicked, this, &TLoginForm::BitBtn4Click);
    connect(m_ui->BitBtn5, &QPushButton::clicked, this, &TLoginForm::BitBtn5Click);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &TLoginForm::BitBtn1Click);
    connect(m_ui->BitBtn2, &QPushButton::clicked, this, &TLoginForm::BitBtn2Click);
    connect(m_ui->BitBtn3, &QPushButton::clicked, this, &TLoginForm::BitBtn3Click);
    connect(m_ui->BitBtn6, &QPushButton::clicked, this, &TLoginForm::BitBtn6Click);
    // A radio button's handler runs when it becomes selected, also from code.
    connect(m_ui->rdBtnStd, &QRadioButton::toggled, this, [this](bool on) { if (on) rdBtnStdClick(); });
    connect(m_ui->rdbtnSha, &QRadioButton::toggled, this, [this](bool on) { if (on) rdbtnShaClick(); });
}

TLoginForm::~TLoginForm() = default;

void TLoginForm::FormShow()
{
    // Loading failures are swallowed; the boxes keep what they show.
    try {
        m_dm->openSelect(QString::fromLatin1(SelectLogin));
        if (!m_dm->selectHasRow())
            return;
        for (const PositionRow &row : qAsConst(m_positions)) {
            const QStringList items = CommaText::split(m_dm->selectText(QString::fromLatin1(row.column)));
            if (items.size() != 4)
                continue;
            // Shown as stored, without a number test.
            for (int i = 0; i < row.boxes.size(); ++i)
                row.boxes.at(i)->setText(items.at(i));
        }
        const bool shaped = m_dm->selectInteger(QStringLiteral("bgflg")) == 1;
        QRadioButton *target = shaped ? m_ui->rdbtnSha : m_ui->rdBtnStd;
        if (!target->isChecked()) {
            {
                const QSignalBlocker blocker(target);
                target->setChecked(true);
            }
            writeStyle(shaped ? 1 : 0);
        }
    } catch (const std::exception &) {
    }
}

void TLoginForm::writeStyle(int flag)
{
    m_dm->updateColumn(QStringLiteral("Update LOGIN_INFO Set BGFLG = :iFlg where id=:sid"),
                       QStringLiteral("iFlg"), flag);
}

void TLoginForm::rdBtnStdClick()
{
    ErrorGuard::run([&] { writeStyle(0); });
}

void TLoginForm::rdbtnShaClick()
{
    ErrorGuard::run([&] { writeStyle(1); });
}

void TLoginForm::choosePicture(const PictureRow &row)
{
    ErrorGuard::run([&] {
        QByteArray blob;
        if (!PictureFile::choose(*m_openBmp, &blob))
            return;
        m_dm->updateColumn(QStringLiteral("Update LOGIN_INFO Set %1 = :bico where id=:sid").arg(QLatin1String(row.column)),
                           QStringLiteral("bico"), blob, !row.background);
        // The path shows only what was written; the background is still pending.
        if (row.background)
            m_ui->edtLogo->setText(m_openBmp->fileName());
        else
            ErrorBox::showInfo(QStringLiteral("成功！"));
    });
}

void TLoginForm::BitBtn4Click()
{
    choosePicture({"BACKGROUND", true});
}

void TLoginForm::BitBtn1Click()
{
    choosePicture({"BTN_SET_IMG", false});
}

void TLoginForm::BitBtn2Click()
{
    choosePicture({"BTN_LOGIN_IMG", false});
}

void TLoginForm::BitBtn3Click()
{
    choosePicture({"BTN_CLOSE_IMG", false});
}

void TLoginForm::BitBtn5Click()
{
    ErrorGuard::run([&] {
        m_dm->commit();
        ErrorBox::showInfo(QStringLiteral("成功！"));
    });
}

void TLoginForm::BitBtn6Click()
{
    // A failure before the designer opens is swallowed: it does not open.
    int bgflg = 0;
    try {
        m_dm->openSelect(QString::fromLatin1(SelectLogin));
        if (m_dm->selectHasRow())
            bgflg = m_dm->selectInteger(QStringLiteral("bgflg"));
    } catch (const std::exception &) {
        return;
    }
    if (!m_designer)
        return;
    m_designer->prepare(bgflg);
    m_designer->exec();
}
