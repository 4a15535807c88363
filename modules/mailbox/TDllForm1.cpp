#include "TDllForm1.h"

#include "ApplyRights.h"
#include "CloseDataSets.h"
#include "DecodeEmail.h"
#include "EntryPoints.h"
#include "ErrorGuard.h"
#include "ModuleState.h"
#include "TDM.h"
#include "TEmailContentForm.h"
#include "TImageList.h"
#include "ui_TDllForm1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zaskar {

namespace {

constexpr int RowImageNew = 5;
constexpr int RowImageDeleted = 3;
constexpr int NumberRole = Qt::UserRole;
constexpr int DeletedRole = Qt::UserRole + 1;
constexpr int RowFlushMs = 200;

TDllForm1::ReaderHook &readerHook()
{
    static TDllForm1::ReaderHook hook;
    return hook;
}

// The nine pictures of the actions and rows, drawn rather than stored: an
// envelope with a mark in the colour of the action.
QImage drawMailGlyph(int index)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 80, 100), 1));
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
    p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
    const QColor marks[9] = {QColor(30, 140, 40), QColor(120, 120, 120), QColor(40, 90, 200),
                             QColor(200, 30, 30), QColor(160, 60, 160), QColor(230, 140, 20),
                             QColor(60, 60, 60), QColor(0, 150, 150), QColor(150, 110, 40)};
    p.setPen(Qt::NoPen);
    p.setBrush(marks[index % 9]);
    if (index == RowImageDeleted) {
        p.setPen(QPen(marks[index], 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(15, 15));
        p.drawLine(QPointF(15, 9), QPointF(9, 15));
    } else {
        p.drawEllipse(QRectF(9, 9, 6.5, 6.5));
    }
    return img;
}

} // namespace

void TDllForm1::setReaderHook(ReaderHook hook)
{
    readerHook() = std::move(hook);
}

TDllForm1::TDllForm1(QWidget *parent)
    : TDllForm(parent)
    , m_ui(new Ui::TDllForm1)
    , m_panel0(new QLabel)
    , m_panel1(new QLabel)
    , m_imageList1(new TImageList(16, 16, this))
{
    setObjectName(QStringLiteral("DllForm1"));
    m_imageList1->setObjectName(QStringLiteral("ImageList1"));
    for (int i = 0; i < 9; ++i)
        m_imageList1->add(drawMailGlyph(i));

    auto *content = new QFrame;
    m_ui->setupUi(content);
    auto *panelLayout = new QVBoxLayout(Panel1());
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(content);
    m_ui->lvHeaders->setColumnWidth(0, 300);
    m_ui->lvHeaders->setColumnWidth(1, 400);
    m_ui->lvHeaders->setColumnWidth(2, 120);
    m_ui->lvHeaders->setColumnWidth(3, 60);
    m_ui->lvHeaders->setColumnWidth(4, 150);
    m_panel0->setObjectName(QStringLiteral("StatusPanel0"));
    m_panel1->setObjectName(QStringLiteral("StatusPanel1"));
    m_panel0->setFixedWidth(60);
    m_ui->StatusBar2->addWidget(m_panel0);
    m_ui->StatusBar2->addWidget(m_panel1, 1);
    connect(m_ui->lvHeaders, &QTreeWidget::itemDoubleClicked, this, &TDllForm1::lvHeadersDblClick);

    setupActions();
    setupToolbar();
    POP.setPort(110);
}

TDllForm1::~TDllForm1()
{
    FormDestroy();
    delete m_ui;
}

void TDllForm1::setupActions()
{
    struct Spec {
        QAction **target;
        const char *name;
        const char *caption;
        const char *hint;
        int image;
    };
    const Spec specs[] = {
        {&m_checkMail, "CheckMail", "Check mail", "Connect to server and get headers", 0},
        {&m_retrieve, "Retrieve", "Retrieve", "Retrieve current message", 2},
        {&m_delete, "Delete", "Delete", "Mark current message for deletion", 3},
        {&m_purge, "Purge", "Purge ", "Purge marked messages", 4},
        {&m_disconnect, "Disconnect", "Disconnect", "Disconnect from server without purging", 1},
        {&m_setup, "Setup", "Setup", "Setup POP/SMTP", 6},
        {&m_send, "Send", "Send", "Send a new message", 5},
    };
    for (const Spec &s : specs) {
        auto *action = new QAction(m_imageList1->icon(s.image), QString::fromLatin1(s.caption), this);
        action->setObjectName(QString::fromLatin1(s.name));
        action->setToolTip(QString::fromLatin1(s.hint));
        action->setStatusTip(QString::fromLatin1(s.hint));
        *s.target = action;
    }
    connect(m_checkMail, &QAction::triggered, this, &TDllForm1::CheckMailExecute);
    connect(m_retrieve, &QAction::triggered, this, &TDllForm1::RetrieveExecute);
    connect(m_delete, &QAction::triggered, this, &TDllForm1::DeleteExecute);
}

void TDllForm1::setupToolbar()
{
    auto *bar = qobject_cast<QHBoxLayout *>(RzToolbar1()->layout());
    auto makeButton = [this](const char *name, const char *caption, int image, int disabledImage) {
        auto *b = new QToolButton(RzToolbar1());
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromUtf8(caption));
        b->setIcon(m_imageList1->icon(image, disabledImage));
        b->setFixedWidth(76);
        b->setToolButtonStyle(BtnNew()->toolButtonStyle());
        b->setAutoRaise(BtnNew()->autoRaise());
        b->setVisible(false);
        return b;
    };
    m_btnInsertUser = makeButton("BtnInsertUser", "添加用户", 10, 11);
    m_btnDeleteUser = makeButton("BtnDeleteUser", "删除用户", 12, 13);
    connect(m_btnDeleteUser, &QToolButton::clicked, this, &TDllForm1::BtnDeleteUserClick);
    const QList<QToolButton *> order{BtnEdit(), BtnNew(), BtnSave(), BtnDelete(), m_btnInsertUser, m_btnDeleteUser};
    for (QToolButton *b : order)
        bar->removeWidget(b);
    for (int i = 0; i < order.size(); ++i)
        bar->insertWidget(i, order.at(i));
    // At least 60 pixels, wider where a caption ("Check mail") needs it.
    for (QToolButton *b : {BtnEdit(), BtnNew(), BtnSave(), BtnDelete()})
        b->setMaximumWidth(QWIDGETSIZE_MAX);

    // Linked, not bound: the rights list may give the buttons captions of
    // their own, which a change of the action must not overwrite.
    const QList<QPair<QToolButton *, QAction *>> links{{BtnNew(), m_checkMail}, {BtnDelete(), m_delete}};
    for (const auto &link : links) {
        QToolButton *button = link.first;
        QAction *action = link.second;
        button->setText(action->text());
        button->setIcon(action->icon());
        button->setToolTip(action->toolTip());
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    }
}

void TDllForm1::showEvent(QShowEvent *event)
{
    TDllForm::showEvent(event);
    if (!event->spontaneous())
        ErrorGuard::run([this] { FormShow(); });
}

void TDllForm1::FormShow()
{
    ApplyRights(ModuleState::instance().rightsList(), this);
    LoadMailSettings();
}

void TDllForm1::FormDestroy()
{
    CloseDataSets(ModuleState::instance().dataModule());
    if (m_busy)
        QApplication::restoreOverrideCursor();
    m_busy = false;
}

void TDllForm1::LoadMailSettings()
{
    m_settings = MailSettings::load(MailSettings::defaultFileName());
}

QString TDllForm1::statusText(int panel) const
{
    return panel == 0 ? m_panel0->text() : m_panel1->text();
}

int TDllForm1::messageNumber(int row) const
{
    QTreeWidgetItem *item = m_ui->lvHeaders->topLevelItem(row);
    if (!item || item->data(0, DeletedRole).toBool())
        return -1;
    return item->data(0, NumberRole).toInt();
}

void TDllForm1::ShowStatus(const QString &text)
{
    m_panel1->setText(text);
    m_panel1->repaint();
}

void TDllForm1::SetBusyCursor(bool on)
{
    if (on == m_busy)
        return;
    m_busy = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TDllForm1::ShowMailboxCounts()
{
    m_panel0->setText(QString::number(m_messageCount));
    m_panel1->setText(QStringLiteral("Mail takes up %1K on the server").arg(m_mailboxSize));
    m_ui->StatusBar2->repaint();
}

void TDllForm1::ReconnectMailbox()
{
    if (POP.connected()) {
        // Only a retrieval leaves a connection open, with nothing deleted in
        // it; the server may have dropped it meanwhile, which is no error.
        try {
            POP.disconnectFromServer();
        } catch (const std::exception &) {
        }
    }
    POP.setHost(m_settings.pop3Server);
    POP.setPort(m_settings.pop3Port);
    POP.setUserName(m_settings.pop3User);
    POP.setPassword(m_settings.pop3Password);
    POP.connectToServer();
}

void TDllForm1::ApplyConnectedState(bool connected)
{
    enableActions(!connected, connected, connected);
    ShowStatus(connected ? QStringLiteral("Connected") : QStringLiteral("Not connected"));
}

void TDllForm1::enableActions(bool checkMail, bool messageActions, bool connectionActions)
{
    m_checkMail->setEnabled(checkMail);
    m_retrieve->setEnabled(messageActions);
    m_delete->setEnabled(messageActions);
    m_purge->setEnabled(connectionActions);
    m_disconnect->setEnabled(connectionActions);
}

void TDllForm1::CheckMailExecute()
{
    runAction(&TDllForm1::checkMail);
}

// One client for every action: none starts while the header loop runs, and
// after any failure the cursor is the normal one again.
void TDllForm1::runAction(void (TDllForm1::*work)())
{
    if (m_fetching)
        return;
    // The host must not release the module while this runs: the header loop
    // and the reader let window events through.
    setProperty(EntryPoints::BusyProperty, true);
    ErrorGuard::run([this, work] { (this->*work)(); });
    setProperty(EntryPoints::BusyProperty, false);
    SetBusyCursor(false);
}

void TDllForm1::checkMail()
{
    SetBusyCursor(true);
    ShowStatus(QStringLiteral("Connecting...."));
    ReconnectMailbox();
    try {
        ApplyConnectedState(true);
        m_messageCount = POP.messageCount();
        const qint64 size = POP.mailboxSize();
        m_mailboxSize = size < 0 ? 0 : int(size / 1024);
        ShowMailboxCounts();
        if (m_messageCount <= 0) {
            // Rows of an earlier check would address messages that are gone.
            m_ui->lvHeaders->clear();
            ShowStatus(QStringLiteral("No messages on server"));
        } else {
            try {
                FetchHeaders(m_messageCount);
            } catch (const std::exception &e) {
                ShowStatus(Exception::messageOf(e));
            }
        }
    } catch (...) {
        try {
            endCheck();
        } catch (...) {
            // The first error is the one to show.
        }
        throw;
    }
    SetBusyCursor(false);
    endCheck();
}

// Every check disconnects; afterwards a new check is offered, and Retrieve
// and Delete stay usable because each opens a connection of its own.
void TDllForm1::endCheck()
{
    m_fetching = false;
    enableActions(true, true, false);
    POP.disconnectFromServer();
}

void TDllForm1::FetchHeaders(int count)
{
    const QString kept = m_panel1->text();
    m_ui->lvHeaders->clear();
    // No second use of the one client while this loop lets events through.
    m_fetching = true;
    enableActions(false, false, false);
    const QIcon newIcon = m_imageList1->icon(RowImageNew);
    const QLocale locale;
    // Rows reach the list in batches: a list that lays out thousands of rows
    // anew after each one would make the loop quadratic. Whatever was fetched
    // stays when the loop fails.
    QList<QTreeWidgetItem *> pending;
    QElapsedTimer sinceFlush;
    sinceFlush.start();
    auto flush = [&] {
        m_ui->lvHeaders->addTopLevelItems(pending);
        pending.clear();
        sinceFlush.restart();
    };
    struct FlushAtExit {
        std::function<void()> flush;
        ~FlushAtExit() { flush(); }
    } flushAtExit{flush};
    for (int n = count; n >= 1; --n) {
        if (sinceFlush.elapsed() >= RowFlushMs)
            flush();
        // Painted by the event processing right after: a repaint of its own
        // would paint the text twice for every message.
        m_panel1->setText(QStringLiteral("Messsage %1 of %2").arg(n).arg(count));
        QCoreApplication::processEvents();
        Msg.clear();
        Msg.parse(POP.headers(n));
        auto *row = new QTreeWidgetItem;
        row->setIcon(0, newIcon);
        row->setText(0, DecodeHeaderDisplay(Msg.subject()));
        row->setText(1, DecodeHeaderDisplay(Msg.fromText()));
        const QDateTime date = Msg.date();
        row->setText(2, date.isValid() ? locale.toString(date.date(), QLocale::ShortFormat) : QString());
        row->setText(3, QString::number(POP.messageSize(n)));
        // Not a literal: the style caches item texts beyond this library's unloading.
        row->setText(4, QString::fromLatin1("n/a"));
        row->setData(0, NumberRole, n);
        pending.append(row);
    }
    flush();
    m_fetching = false;
    ShowStatus(kept);
}

// The selected row, if its message is still on the server.
QTreeWidgetItem *TDllForm1::selectedRow()
{
    const QList<QTreeWidgetItem *> rows = m_ui->lvHeaders->selectedItems();
    if (rows.isEmpty())
        return nullptr;
    if (rows.first()->data(0, DeletedRole).toBool()) {
        ShowStatus(QStringLiteral("This message has been deleted from the server"));
        return nullptr;
    }
    return rows.first();
}

void TDllForm1::lvHeadersDblClick()
{
    RetrieveExecute();
}

void TDllForm1::RetrieveExecute()
{
    runAction(&TDllForm1::retrieve);
}

void TDllForm1::retrieve()
{
    const QString kept = m_panel1->text();
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    SetBusyCursor(true);
    ReconnectMailbox();
    TEmailContentForm reader;
    reader.Prepare();
    ShowStatus(QStringLiteral("Retrieving message \"%1\"").arg(row->text(4)));
    reader.Msg().parse(POP.retrieve(row->data(0, NumberRole).toInt()));
    m_panel0->setText(row->text(4));
    reader.FillHeaders();
    ShowStatus(QStringLiteral("Decoding attachments (%1)").arg(reader.Msg().parts().size()));
    reader.FillBody();
    // The user reads with the normal cursor.
    SetBusyCursor(false);
    if (readerHook())
        readerHook()(reader);
    else
        reader.exec();
    ShowStatus(kept);
}

void TDllForm1::DeleteExecute()
{
    runAction(&TDllForm1::deleteMessage);
}

void TDllForm1::deleteMessage()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    SetBusyCursor(true);
    ReconnectMailbox();
    const int number = row->data(0, NumberRole).toInt();
    POP.deleteMessage(number);
    POP.disconnectFromServer();
    row->setIcon(0, m_imageList1->icon(RowImageDeleted));
    row->setData(0, DeletedRole, true);
    // From the next connection on the server numbers the rest anew.
    for (int i = 0; i < m_ui->lvHeaders->topLevelItemCount(); ++i) {
        QTreeWidgetItem *other = m_ui->lvHeaders->topLevelItem(i);
        const int n = other->data(0, NumberRole).toInt();
        if (other != row && !other->data(0, DeletedRole).toBool() && n > number)
            other->setData(0, NumberRole, n - 1);
    }
    --m_messageCount;
}

void TDllForm1::BtnDeleteUserClick()
{
}

} // namespace zaskar
