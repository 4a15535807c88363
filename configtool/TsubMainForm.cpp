#include "TsubMainForm.h"
#include "ui_TsubMainForm.h"

#include "ErrorGuard.h"
#include "PictureFile.h"
#include "PictureLoader.h"
#include "TDM.h"
#include "TOpenDialog.h"

#include <QLineEdit>
#include <QSignalBlocker>

TsubMainForm::TsubMainForm(TDM *dm, QWidget *parent)
    : TPageForm(true, parent), m_ui(new Ui::TsubMainForm), m_dm(dm)
{
    m_ui->setupUi(this);
    m_openBmp.reset(new TOpenDialog(this, QString::fromUtf8(PictureFile::DialogFilter),
                                    QString::fromLatin1(PictureFile::DialogDefaultExt)));

    // Only the spin buttons, arrow and page keys and the wheel change the height.
    if (auto *line = m_ui->RzSpinEdit1->findChild<QLineEdit *>())
        line->setReadOnly(true);

    m_pictures = {
        {m_ui->BitBtn2, m_ui->Edit1, m_ui->imgFormIcoMin, "FORM_ICO_MIN"},
        {m_ui->BitBtn3, m_ui->Edit2, m_ui->imgFormIcoClose, "FORM_ICO_CLOSE"},
        {m_ui->BitBtn6, m_ui->edtLogo, m_ui->imgLogo, "LOGO"},
        {m_ui->btnSel, m_ui->edtTopbg, m_ui->imgTopbg, "top_bg_ground"},
        {m_ui->BitBtn7, m_ui->edtTopRight, m_ui->imgTopRight, "top_right"},
        {m_ui->BitBtn8, m_ui->edtBtnbg, m_ui->imgBtnbg, "btn_background"},
        {m_ui->BitBtn9, m_ui->edtMainbg, m_ui->imgMainbg, "sys_ground"},
        {m_ui->BitBtn1, m_ui->edtMainShow, m_ui->imgMainShow, "sys_show"},
    };
    m_modes = {
        {m_ui->ComboBox1, "LOGO_SHOWMODULE"},
        {m_ui->ComboBox2, "TOP_BG_SHOWMODULE"},
        {m_ui->ComboBox3, "TOP_RIGHT_SHOWMODULE"},
        {m_ui->ComboBox4, "SYS_GROUNDMODULE"},
        {m_ui->ComboBox5, "SYS_SHOWMODULE"},
    };

    connectGuarded(m_ui->RadioButton1, &TsubMainForm::RadioButton1Click);
    connectGuarded(m_ui->RadioButton2, &TsubMainForm::RadioButton2Click);
    connectGuarded(m_ui->RdBtnSty1, &TsubMainForm::RdBtnSty1Click);
    connectGuarded(m_ui->RdBtnSty2, &TsubMainForm::RdBtnSty2Click);
    connect(m_ui->CheckBox1, &QCheckBox::toggled, this, &TsubMainForm::CheckBox1Click);
    connect(m_ui->RzSpinEdit1, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TsubMainForm::RzSpinEdit1Change);
    for (int i = 0; i < m_modes.size(); ++i)
        connect(m_modes.at(i).box, QOverload<int>::of(&QComboBox::activated), this,
                [this, i] { ComboBoxChange(i); });
    for (int i = 0; i < m_pictures.size(); ++i)
        connect(m_pictures.at(i).button, &QPushButton::clicked, this, [this, i] { PictureButtonClick(i); });
}

TsubMainForm::~TsubMainForm() = default;

QVector<QWidget *> TsubMainForm::topBarControls() const
{
    return {m_ui->RzSpinEdit1, m_ui->edtLogo,     m_ui->BitBtn6, m_ui->ComboBox1, m_ui->edtTopbg,
            m_ui->btnSel,      m_ui->ComboBox2,   m_ui->edtTopRight, m_ui->BitBtn7, m_ui->ComboBox3};
}

void TsubMainForm::connectGuarded(QRadioButton *button, void (TsubMainForm::*slot)())
{
    // A radio button's action runs when it becomes selected, not when it is
    // chosen again or loses the selection.
    connect(button, &QRadioButton::toggled, this, [this, slot](bool checked) {
        if (checked)
            (this->*slot)();
    });
}

void TsubMainForm::writeFlag(const char *column, const QVariant &value)
{
    m_dm->updateColumn(QStringLiteral("Update CLIENT_INFO Set %1 = :iFlg where id=:sid").arg(QLatin1String(column)),
                       QStringLiteral("iFlg"), value);
}

void TsubMainForm::RadioButton1Click()
{
    ErrorGuard::run([&] { stateNormal(); });
}

void TsubMainForm::RadioButton2Click()
{
    ErrorGuard::run([&] { stateMaximised(); });
}

void TsubMainForm::stateNormal()
{
    writeFlag("FORM_STATE", 0);
}

void TsubMainForm::stateMaximised()
{
    writeFlag("FORM_STATE", 1);
}

void TsubMainForm::RdBtnSty1Click()
{
    ErrorGuard::run([&] { styleStandard(); });
}

void TsubMainForm::RdBtnSty2Click()
{
    ErrorGuard::run([&] { styleShaped(); });
}

void TsubMainForm::CheckBox1Click()
{
    ErrorGuard::run([&] { topOpenChanged(); });
}

void TsubMainForm::styleStandard()
{
    m_ui->BitBtn2->setEnabled(false);
    m_ui->BitBtn3->setEnabled(false);
    writeFlag("FORM_STYLE", 0);
    m_ui->CheckBox1->setEnabled(true);
}

void TsubMainForm::styleShaped()
{
    m_ui->BitBtn2->setEnabled(true);
    m_ui->BitBtn3->setEnabled(true);
    writeFlag("FORM_STYLE", 1);
    // The shaped window always has its top bar: tick (running the tick's
    // action) and lock the check box.
    tickRunning(true);
    m_ui->CheckBox1->setEnabled(false);
}

void TsubMainForm::topOpenChanged()
{
    const bool ticked = m_ui->CheckBox1->isChecked();
    writeFlag("TOP_OPEN", ticked ? 1 : 0);
    for (QWidget *w : topBarControls())
        w->setEnabled(ticked);
}

void TsubMainForm::RzSpinEdit1Change()
{
    // The height column is a number; the box's value goes in as a floating value.
    ErrorGuard::run([&] { writeFlag("TOP_HEIGHT", double(m_ui->RzSpinEdit1->value())); });
}

void TsubMainForm::ComboBoxChange(int row)
{
    ErrorGuard::run([&] {
        const ModeRow &mode = m_modes.at(row);
        writeFlag(mode.column, 1 - mode.box->currentIndex());
    });
}

void TsubMainForm::PictureButtonClick(int row)
{
    ErrorGuard::run([&] {
        const PictureRow &picture = m_pictures.at(row);
        QByteArray blob;
        if (!PictureFile::choose(*m_openBmp, &blob))
            return;
        m_dm->updateColumn(QStringLiteral("Update CLIENT_INFO Set %1 = :bico where id=:sid")
                               .arg(QLatin1String(picture.column)),
                           QStringLiteral("bico"), blob);
        picture.path->setText(m_openBmp->fileName());
        showPreview(picture.preview, blob);
    });
}

void TsubMainForm::selectRunning(QRadioButton *button, void (TsubMainForm::*action)())
{
    if (button->isChecked())
        return;
    {
        const QSignalBlocker blocker(button);
        button->setChecked(true);
    }
    (this->*action)();
}

void TsubMainForm::tickRunning(bool ticked)
{
    if (m_ui->CheckBox1->isChecked() == ticked)
        return;
    {
        const QSignalBlocker blocker(m_ui->CheckBox1);
        m_ui->CheckBox1->setChecked(ticked);
    }
    topOpenChanged();
}

void TsubMainForm::showPreview(QLabel *preview, const QByteArray &blob)
{
    QImage image;
    try {
        image = PictureLoader::load(blob);
    } catch (const std::exception &) {
        // A broken stored picture just shows no preview.
    }
    if (image.isNull()) {
        preview->clear();
        return;
    }
    preview->setPixmap(QPixmap::fromImage(
        image.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TsubMainForm::FormShow()
{
    // Loading errors end the loading silently; the controls keep what they show.
    try {
        m_dm->openSelect(QStringLiteral("SELECT * FROM CLIENT_INFO where id=:sid"));
        if (!m_dm->selectHasRow())
            return;
        // Everything is read before any control is set: a control's action
        // commits, and the commit closes the query.
        const int formState = m_dm->selectInteger(QStringLiteral("FORM_STATE"));
        const int formStyle = m_dm->selectInteger(QStringLiteral("FORM_STYLE"));
        const int topOpen = m_dm->selectInteger(QStringLiteral("TOP_OPEN"));
        QVector<int> modes;
        for (const ModeRow &mode : qAsConst(m_modes))
            modes << m_dm->selectInteger(QString::fromLatin1(mode.column));
        const bool heightSet = !m_dm->selectIsNull(QStringLiteral("TOP_HEIGHT"));
        const int height = m_dm->selectInteger(QStringLiteral("TOP_HEIGHT"));
        QVector<QByteArray> pictures;
        for (const PictureRow &picture : qAsConst(m_pictures))
            pictures << m_dm->selectBlob(QString::fromLatin1(picture.column));

        // The stored height and pictures are only shown, never written back.
        if (heightSet) {
            const QSignalBlocker blocker(m_ui->RzSpinEdit1);
            m_ui->RzSpinEdit1->setValue(height);
        }
        for (int i = 0; i < m_pictures.size(); ++i)
            showPreview(m_pictures.at(i).preview, pictures.at(i));

        if (formState == 0)
            selectRunning(m_ui->RadioButton1, &TsubMainForm::stateNormal);
        else if (formState == 1)
            selectRunning(m_ui->RadioButton2, &TsubMainForm::stateMaximised);
        if (formStyle == 0)
            selectRunning(m_ui->RdBtnSty1, &TsubMainForm::styleStandard);
        else if (formStyle == 1)
            selectRunning(m_ui->RdBtnSty2, &TsubMainForm::styleShaped);
        if (topOpen == 1 || topOpen == 0)
            tickRunning(topOpen == 1);
        for (int i = 0; i < m_modes.size(); ++i) {
            if (modes.at(i) == 0 || modes.at(i) == 1)
                m_modes.at(i).box->setCurrentIndex(1 - modes.at(i));
        }
    } catch (const std::exception &) {
    }
}
