#include "TicoForm.h"
#include "ui_TicoForm.h"

#include "ErrorGuard.h"
#include "Exception.h"
#include "PictureLoader.h"
#include "TDM.h"
#include "TOpenDialog.h"
#include "TextTrim.h"

#include <QFile>

TicoForm::TicoForm(TDM *dm, QWidget *parent)
    : TPageForm(true, parent), m_ui(new Ui::TicoForm), m_dm(dm)
{
    m_ui->setupUi(this);
    m_openIco.reset(new TOpenDialog(this, QStringLiteral("图标 (*.ico)|*.ico"), QStringLiteral(".ico")));
    connect(m_ui->BitBtn5, &QPushButton::clicked, this, &TicoForm::BitBtn5Click);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &TicoForm::BitBtn1Click);
}

TicoForm::~TicoForm() = default;

void TicoForm::BitBtn5Click()
{
    ErrorGuard::run([&] {
        if (m_openIco->execute())
            m_ui->edtIco->setText(m_openIco->fileName());
    });
}

void TicoForm::BitBtn1Click()
{
    ErrorGuard::run([&] {
        const QString path = TextTrim::trim(m_ui->edtIco->text());
        if (path.isEmpty())
            return;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw Exception(QStringLiteral("Cannot open file \"%1\": %2").arg(path, file.errorString()));
        const QByteArray bytes = file.readAll();
        // The column keeps the .ico file image, once it is known to be one.
        try {
            PictureLoader::loadIcon(bytes);
        } catch (const std::exception &e) {
            throw Exception(QStringLiteral("\"%1\": %2").arg(path, Exception::messageOf(e)));
        }
        m_dm->updateColumn(QStringLiteral("Update CLIENT_INFO Set SYS_ICO = :bico where id=:sid"),
                           QStringLiteral("bico"), bytes);
    });
}
