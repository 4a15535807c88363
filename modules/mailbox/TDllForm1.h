#pragma once

#include "MailMessage.h"
#include "MailSettings.h"
#include "Pop3Client.h"
#include "TDllForm.h"

#include <functional>

class QAction;
class QLabel;
class QToolButton;
class QTreeWidgetItem;
class TImageList;

namespace Ui {
class TDllForm1;
}

namespace zaskar {

class TEmailContentForm;

// The mailbox: lists the headers of a POP3 mailbox newest first, opens a
// message in the reader and deletes messages on the server. All server
// work blocks the UI thread; only the header loop lets events through.
class TDllForm1 : public TDllForm
{
    Q_OBJECT
public:
    // Shows a filled reader; the default runs it modally. Tests replace it.
    using ReaderHook = std::function<void(TEmailContentForm &reader)>;
    static void setReaderHook(ReaderHook hook);

    explicit TDllForm1(QWidget *parent = nullptr);
    ~TDllForm1() override;

    QString statusText(int panel) const;
    const MailSettings &mailSettings() const { return m_settings; }
    int messageCount() const { return m_messageCount; }
    int mailboxSize() const { return m_mailboxSize; }
    // The server's number of a row (they change after a deletion), -1 once
    // the row's message is deleted.
    int messageNumber(int row) const;

public slots:
    void CheckMailExecute();
    void RetrieveExecute();
    void DeleteExecute();
    void lvHeadersDblClick();
    void BtnDeleteUserClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void FormDestroy();
    void LoadMailSettings();
    void ShowStatus(const QString &text);
    void SetBusyCursor(bool on);
    void ShowMailboxCounts();
    void ReconnectMailbox();
    void ApplyConnectedState(bool connected);
    void FetchHeaders(int count);

    void checkMail();
    void retrieve();
    void deleteMessage();
    void endCheck();
    void enableActions(bool checkMail, bool messageActions, bool connectionActions);
    QTreeWidgetItem *selectedRow();
    void runAction(void (TDllForm1::*work)());
    void setupActions();
    void setupToolbar();

    Ui::TDllForm1 *m_ui;
    QLabel *m_panel0;
    QLabel *m_panel1;
    TImageList *m_imageList1;
    QAction *m_checkMail;
    QAction *m_retrieve;
    QAction *m_delete;
    QAction *m_purge;
    QAction *m_disconnect;
    QAction *m_setup;
    QAction *m_send;
    QToolButton *m_btnInsertUser;
    QToolButton *m_btnDeleteUser;

    Pop3Client POP;
    MailMessage Msg;
    MailSettings m_settings;
    int m_messageCount = 0;
    int m_mailboxSize = 0; // kilobytes
    bool m_busy = false;
    bool m_fetching = false;
};

} // namespace zaskar
