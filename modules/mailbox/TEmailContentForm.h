#pragma once

#include "MailMessage.h"

#include <QDialog>
#include <QList>
#include <functional>

class QLabel;

namespace Ui {
class TEmailContentForm;
}

namespace zaskar {

// The reader window of one retrieved message: its header fields, its body
// and the list of its attachments, which the user can save. The mailbox
// creates one per retrieval, fills it (Prepare, retrieve into Msg(),
// FillHeaders, FillBody), shows it modally and destroys it.
class TEmailContentForm : public QDialog
{
    Q_OBJECT
public:
    // What the save dialog is given; the filter has the "text|pattern|..."
    // form of the system.
    struct SaveRequest {
        QString fileName;
        QString defaultExt; // dot included, may be empty
        QString filter;
    };
    // Returns the chosen path, empty when the user cancels. Tests replace the
    // real file dialog with one of their own; an empty hook restores it.
    using SaveDialogHook = std::function<QString(QWidget *parent, const SaveRequest &request)>;
    static void setSaveDialogHook(SaveDialogHook hook);

    explicit TEmailContentForm(QWidget *parent = nullptr);
    ~TEmailContentForm() override;

    MailMessage &Msg() { return m_msg; }

    void Prepare();
    void FillHeaders();
    void FillBody();
    // Index among Msg().parts() of the attachment whose decoded name matches
    // without regard to ASCII case; -1 when none does.
    int FindAttachment(const QString &name) const;

    // The proposed file name: no directories, no control characters.
    static QString safeFileName(const QString &name);

public slots:
    void Button1Click();

private:
    void saveSelected();
    QList<QLabel *> valueLabels() const;
    static QString runSaveDialog(QWidget *parent, const SaveRequest &request);

    Ui::TEmailContentForm *m_ui;
    MailMessage m_msg;
};

} // namespace zaskar
