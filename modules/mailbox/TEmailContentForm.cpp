#include "TEmailContentForm.h"

#include "DecodeEmail.h"
#include "ErrorGuard.h"
#include "FileDialogFilter.h"
#include "TextCodec.h"
#include "ui_TEmailContentForm.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>

namespace zaskar {

namespace {

TEmailContentForm::SaveDialogHook &saveDialogHook()
{
    static TEmailContentForm::SaveDialogHook hook;
    return hook;
}

QString upperAscii(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return out;
}

} // namespace

void TEmailContentForm::setSaveDialogHook(SaveDialogHook hook)
{
    saveDialogHook() = std::move(hook);
}

TEmailContentForm::TEmailContentForm(QWidget *parent)
    : QDialog(parent)
    , m_ui(new Ui::TEmailContentForm)
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("EmailContentForm"));
    m_ui->lvMessageParts->setColumnWidth(0, 150);
    m_ui->lvMessageParts->setColumnWidth(1, 150);
    m_ui->lvMessageParts->setColumnHidden(1, true); // list style: captions only
    m_ui->Button1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    // Caption labels show their whole text, whatever the font's width.
    for (QLabel *caption : m_ui->Panel3->findChildren<QLabel *>(QRegularExpression(QStringLiteral("Caption$"))))
        caption->adjustSize();
    // Palettes, not style sheets: a style sheet would drop the form's font.
    QPalette header = m_ui->Panel3->palette();
    header.setColor(QPalette::Window, QColor(211, 221, 202));
    m_ui->Panel3->setPalette(header);
    for (QLabel *label : valueLabels()) {
        QPalette maroon = label->palette();
        maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
        label->setPalette(maroon);
    }
    m_ui->RzSplitter1->setHotSpotDirection(TRzSplitter::HotSpotDirection::Second);
    m_ui->RzSplitter1->setFixedPane(1);
    m_ui->RzSplitter1->setHandleWidth(7);
    m_ui->RzSplitter1->setPosition(682);
    connect(m_ui->Button1, &QPushButton::clicked, this, &TEmailContentForm::Button1Click);

    // The module has no main window of its own: centre on the screen.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

TEmailContentForm::~TEmailContentForm()
{
    delete m_ui;
}

QList<QLabel *> TEmailContentForm::valueLabels() const
{
    return {m_ui->From, m_ui->Recipients, m_ui->Cc, m_ui->Subject,
            m_ui->Date, m_ui->Priority, m_ui->Receipt, m_ui->Organization};
}

void TEmailContentForm::Prepare()
{
    setWindowTitle(QStringLiteral("阅读邮件"));
    m_ui->Memo1->clear();
    m_ui->lvMessageParts->clear();
    for (QLabel *label : valueLabels())
        label->clear();
    m_ui->pnlAttachments->hide();
}

void TEmailContentForm::FillHeaders()
{
    m_ui->From->setText(DecodeHeaderDisplay(m_msg.fromText()));
    m_ui->Recipients->setText(TextCodec::toDisplay(m_msg.toText()));
    m_ui->Cc->setText(DecodeHeaderDisplay(m_msg.ccText()));
    m_ui->Subject->setText(DecodeHeaderDisplay(m_msg.subject()));
    const QDateTime date = m_msg.date();
    m_ui->Date->setText(date.isValid() ? QLocale().toString(date, QStringLiteral("dd MMM yyyy HH:mm:ss")) : QString());
    m_ui->Priority->setText(QString::number(m_msg.priority()));
    m_ui->Receipt->setText(TextCodec::toDisplay(m_msg.receiptRecipient()));
    m_ui->Organization->setText(TextCodec::toDisplay(m_msg.organization()));
    // The right column sizes itself to its text.
    for (QLabel *label : {m_ui->Date, m_ui->Priority, m_ui->Receipt, m_ui->Organization})
        label->adjustSize();
}

void TEmailContentForm::FillBody()
{
    for (const MailPart &part : m_msg.parts()) {
        if (part.isAttachment()) {
            m_ui->pnlAttachments->show();
            auto *row = new QTreeWidgetItem(m_ui->lvMessageParts);
            row->setText(0, DecodeHeaderDisplay(part.fileName()));
            row->setText(1, QString::fromLatin1(part.contentType()));
        } else {
            // The last text part is what stays.
            m_ui->Memo1->setPlainText(part.lines().join(QLatin1Char('\n')));
        }
    }
    if (m_ui->lvMessageParts->topLevelItemCount() == 0)
        m_ui->RzSplitter1->collapse();
}

int TEmailContentForm::FindAttachment(const QString &name) const
{
    const QString wanted = upperAscii(name);
    const QList<MailPart> &parts = m_msg.parts();
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i).isAttachment() && upperAscii(DecodeHeaderDisplay(parts.at(i).fileName())) == wanted)
            return i;
    }
    return -1;
}

QString TEmailContentForm::safeFileName(const QString &name)
{
    QString base = name;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    base = base.mid(base.lastIndexOf(QLatin1Char('/')) + 1);
    QString out;
    for (const QChar c : base) {
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            out += c;
    }
    out = out.trimmed();
    if (out == QLatin1String(".") || out == QLatin1String(".."))
        out.clear();
    return out;
}

void TEmailContentForm::Button1Click()
{
    ErrorGuard::run([this] { saveSelected(); });
}

void TEmailContentForm::saveSelected()
{
    QTreeWidget *list = m_ui->lvMessageParts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = list->topLevelItem(row);
        if (!item->isSelected())
            continue;
        const int index = FindAttachment(item->text(0));
        if (index < 0)
            continue;
        const MailPart &part = m_msg.parts().at(index);
        SaveRequest request;
        request.fileName = safeFileName(DecodeHeaderDisplay(part.fileName()));
        const int dot = request.fileName.lastIndexOf(QLatin1Char('.'));
        request.defaultExt = dot >= 0 ? request.fileName.mid(dot) : QString();
        request.filter = QStringLiteral("所有文件|*.*|*") + request.defaultExt + QStringLiteral("|*") + request.defaultExt;
        const QString path = saveDialogHook() ? saveDialogHook()(this, request) : runSaveDialog(this, request);
        if (path.isEmpty())
            continue;
        part.saveTo(path);
    }
}

QString TEmailContentForm::runSaveDialog(QWidget *parent, const SaveRequest &request)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FileDialogFilter::nameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExt.mid(1));
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace zaskar
