#include "TmainForm.h"

#include "DesignPictures.h"
#include "ErrorGuard.h"
#include "IniFile.h"
#include "ModuleCatalogue.h"
#include "ModuleHost.h"
#include "Skin.h"
#include "TDM.h"
#include "TIBQuery.h"
#include "TImageList.h"
#include "TKeyboardHook.h"
#include "TQuickButton.h"
#include "ui_TmainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTreeWidget>
#include <QWindow>

namespace {
constexpr int DesignPaneWidth = 243;
constexpr int DesignTopHeight = 41;
constexpr int MinNavItemHeight = 20;
} // namespace

TmainForm::TmainForm(TDM *dm, const SignInRecord &user, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::TmainForm)
    , m_dm(dm)
    , m_user(user)
{
    ui->setupUi(this);
    designLook();
    FormCreate();
    // The caller shows the window; FormShow runs then.
}

TmainForm::~TmainForm()
{
    FormDestroy();
    delete ui;
}

QTreeWidget *TmainForm::tvLeftNav() const
{
    return ui->mainLeftNav->tvLeftNav();
}

QString TmainForm::statusText(int panel) const
{
    return ui->mainStaBar->panelText(panel);
}

void TmainForm::designLook()
{
    setWindowTitle(QApplication::applicationDisplayName());
    resize(1276, 695);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // Centred, but never with the top-left corner (the top bar) off the screen.
        const QRect avail = screen->availableGeometry();
        const QPoint p = avail.center() - rect().center();
        move(qMax(p.x(), avail.left()), qMax(p.y(), avail.top()));
    }

    ui->pTop->setFixedHeight(DesignTopHeight);
    ui->btnClose->setNormalImage(DesignPictures::closeNormal());
    ui->btnClose->setHoverImage(DesignPictures::closeHover());
    ui->btnClose->resize(49, 21);
    ui->btnClose->raise();

    ui->imgLogo->setMode(TImage::Mode::Stretch);
    ui->imgTopBgGround->setMode(TImage::Mode::Stretch);
    ui->ImgRight->setMode(TImage::Mode::Stretch);
    ui->ImgBackground->setMode(TImage::Mode::Stretch);
    ui->ImgBackground->setPicture(DesignPictures::hostBackground());
    ui->imgMain->setMode(TImage::Mode::CenterProportional);
    ui->icoTemp->setPicture(DesignPictures::defaultIcon());

    ui->mnToolBar->setRowHeight(54);
    ui->mnToolBar->setButtonHeight(45);
    QFont barFont = ui->mnToolBar->font();
    barFont.setPixelSize(19);
    ui->mnToolBar->setFont(barFont);
    // The bar is transparent over its picture; its captions stay white under the skin.
    ui->mnToolBar->setStyleSheet(QStringLiteral(
        "QAbstractButton { color: white; background: transparent; border: none; }"
        "QAbstractButton:hover { background: rgba(255, 255, 255, 40); border-radius: 3px; }"
        "QAbstractButton:pressed { background: rgba(0, 0, 0, 40); }"));

    ui->pShowForm->setBackgroundRole(QPalette::Base);

    m_ImgIco = new TImageList(24, 24, this);
    m_ImgIco->setObjectName(QStringLiteral("ImgIco"));
    m_imgIcoTv = new TImageList(24, 24, this);
    m_imgIcoTv->setObjectName(QStringLiteral("imgIcoTv"));

    ui->RzSplitter1->setFixedPane(0);
    ui->RzSplitter1->setPosition(DesignPaneWidth);

    TStatusBar *bar = ui->mainStaBar;
    bar->addPanel(180, Qt::AlignCenter);
    bar->addPanel(400);
    bar->addPanel(200, Qt::AlignCenter);
    bar->addPanel(50);

    connect(ui->btnClose, &QAbstractButton::clicked, this, &TmainForm::btnCloseClick);
    // Keys reach the window before its controls; the top bar's mouse events
    // are taken before they propagate from a picture to the bar.
    qApp->installEventFilter(this);

    Skin::apply(this);
}

// Every step runs even when an earlier one failed: the appearance and the
// catalogue do not depend on each other, and the hook, the welcome text and
// the lists are needed in any case. A failure is shown and leaves what it
// had done so far.
void TmainForm::FormCreate()
{
    ErrorGuard::run([this] { ApplyClientInfo(); });
    m_hook = new TKeyboardHook(this);
    m_controlRights.clear();
    ui->mainStaBar->setPanelText(0, QStringLiteral("欢迎 [") + m_user.welcomeHead() + QLatin1Char(':')
                                        + m_user.welcomeTail() + QStringLiteral("] 登录!"));
    ErrorGuard::run([this] { BuildModuleTree(); });
    Skin::adopt(ui->mnToolBar); // the buttons; the bar's own sheet keeps them white
    createHost();
    // Buttons made before a failing build count too.
    if (ui->mnToolBar->controlCount() > 0)
        ui->mnToolBar->show();
    ui->mnToolBar->setButtonHeight(ui->mnToolBar->buttonHeight() + 6);
}

void TmainForm::BuildModuleTree()
{
    ModuleCatalogue::Targets t;
    t.dataSet = m_dm->cdsMdChientSel;
    t.toolBar = ui->mnToolBar;
    t.treeImages = m_imgIcoTv;
    t.barImages = m_ImgIco;
    t.defaultIcon = ui->icoTemp->picture();
    t.controlRights = &m_controlRights;
    t.labelParent = this;
    m_catalogue = new ModuleCatalogue(t, this);
    m_catalogue->setButtonHandler([this](TQuickButton *button) { QuickButtonClick(button); });
    m_catalogue->BuildModuleTree(tvLeftNav(), m_user.rights());
}

void TmainForm::createHost()
{
    ModuleHost::Shared shared;
    shared.connection = m_dm->SoapConn;
    shared.invoker = m_dm->mainHTTPRIO;
    shared.signIn = &m_user;
    shared.hostPanel = ui->pShowForm;
    shared.controlRights = &m_controlRights;
    shared.baseUrl = m_dm->url();
    shared.programDir = m_dm->programDir();
    m_host = new ModuleHost(shared);
    m_host->setPathTarget([this](const QString &path) { ui->mainStaBar->setPanelText(1, path); });
    // A tree without a current item picks its first one when it gets the
    // focus; that would open (or release) a module nobody chose.
    tvLeftNav()->setCurrentIndex(QModelIndex());
    connect(tvLeftNav(), &QTreeWidget::currentItemChanged, this, &TmainForm::mainLeftNavtvLeftNavChange);
    connect(ui->RzSplitter1, &TRzSplitter::positionChanged, this, &TmainForm::RzSplitter1Change);
}

void TmainForm::mainLeftNavtvLeftNavChange(QTreeWidgetItem *node)
{
    if (m_host && node)
        m_host->nodeChanged(node);
}

void TmainForm::QuickButtonClick(QObject *button)
{
    if (m_host)
        m_host->quickButtonClicked(button);
}

void TmainForm::RzSplitter1Change()
{
    if (m_host)
        m_host->splitterChanged(ui->RzSplitter1);
}

void TmainForm::ApplyClientInfo()
{
    TIBQuery *q = m_dm->IBQinfo;
    q->open(); // first use of the database: connects and starts the transaction
    if (q->isEmpty())
        return; // no settings row: the design look stays

    // Columns in the order they are applied; the first failure ends the step
    // and leaves what was applied before it.
    const QString caption = q->asString(QStringLiteral("sys_caption"));
    if (!caption.trimmed().isEmpty())
        setWindowTitle(caption);
    if (const std::optional<QIcon> icon = q->asIcon(QStringLiteral("sys_ico"))) {
        QApplication::setWindowIcon(*icon);
        setWindowIcon(*icon);
    }
    if (!q->isNull(QStringLiteral("Form_State")) && q->asInteger(QStringLiteral("Form_State")) == 1)
        setWindowState(windowState() | Qt::WindowMaximized);
    const int topOpen = q->asInteger(QStringLiteral("top_open"));
    ui->pTop->setVisible(topOpen != 0);
    if (topOpen == 1)
        ui->pTop->setFixedHeight(qMax(0, q->asInteger(QStringLiteral("TOP_HEIGHT"))));
    if (!q->isNull(QStringLiteral("copyright")))
        ui->mainStaBar->setPanelText(3, QLatin1Char(' ') + q->asString(QStringLiteral("copyright")));

    auto picture = [q](const char *column, auto &&put) {
        if (const std::optional<QImage> img = q->asPicture(QString::fromLatin1(column)))
            put(*img);
    };
    picture("Logo", [this](const QImage &img) { ui->imgLogo->setPicture(img); });
    picture("FORM_ICO_CLOSE", [this](const QImage &img) { ui->btnClose->setNormalImage(img); });
    picture("FORM_ICO_MIN", [this](const QImage &img) { ui->btnClose->setHoverImage(img); });
    if (!q->isNull(QStringLiteral("Form_Style")) && q->asInteger(QStringLiteral("Form_Style")) == 1) {
        setWindowFlag(Qt::FramelessWindowHint, true);
        ui->btnClose->show();
        placeCloseButton();
    }
    picture("TOP_bg_ground", [this](const QImage &img) { ui->imgTopBgGround->setPicture(img); });
    picture("TOP_RIGHT", [this](const QImage &img) { ui->ImgRight->setPicture(img); });
    picture("btn_Background", [this](const QImage &img) { ui->mnToolBar->setBackground(img); });
    picture("sys_ground", [this](const QImage &img) { ui->ImgBackground->setPicture(img); });
    picture("sys_show", [this](const QImage &img) { ui->imgMain->setPicture(img); });
}

void TmainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ErrorGuard::run([this] { FormShow(); });
    }
}

void TmainForm::FormShow()
{
    const int itemHeight = qMax(MinNavItemHeight, m_dm->navFongSize());
    ui->mainLeftNav->setItemHeight(itemHeight);
    const int navWidth = m_dm->navWidth();
    if (navWidth > 0) {
        ui->RzSplitter1->restore();
        ui->RzSplitter1->setPosition(navWidth);
    } else {
        ui->RzSplitter1->collapse();
    }
}

void TmainForm::FormKeyDown(int key)
{
    if (key == Qt::Key_F2)
        ui->RzSplitter1->toggle();
    else if (key == Qt::Key_F3)
        ui->pTop->setVisible(!ui->pTop->isVisible());
}

bool TmainForm::isTopBarPart(QObject *watched) const
{
    return watched == ui->pTop || watched == ui->imgLogo || watched == ui->imgTopBgGround
           || watched == ui->ImgRight;
}

bool TmainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // Seen at the window stage: once per press, before any control.
        if (watched->isWindowType() && watched == static_cast<QObject *>(windowHandle()))
            FormKeyDown(static_cast<QKeyEvent *>(event)->key());
        return false;
    }
    if (event->type() == QEvent::Resize && watched == ui->pTop) {
        placeCloseButton();
        return false;
    }
    if (!isTopBarPart(watched))
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pTopMouseDown(mouse);
        return true;
    case QEvent::MouseMove:
        pTopMouseMove(mouse);
        return true;
    case QEvent::MouseButtonRelease:
        pTopMouseUp(mouse);
        return true;
    case QEvent::MouseButtonDblClick:
        pTopDblClick(mouse);
        return true;
    default:
        return false;
    }
}

void TmainForm::pTopMouseDown(QMouseEvent *event)
{
    m_dragging = true;
    m_pressPoint = event->pos();
}

void TmainForm::pTopMouseMove(QMouseEvent *event)
{
    if (!m_dragging || isMaximized())
        return;
    // The press point stays under the cursor: move by how far it has left it.
    move(pos() + (event->pos() - m_pressPoint));
}

void TmainForm::pTopMouseUp(QMouseEvent *)
{
    m_dragging = false;
}

void TmainForm::pTopDblClick(QMouseEvent *)
{
    // Deliberately nothing: a double click must not maximise or restore.
}

void TmainForm::placeCloseButton()
{
    ui->btnClose->move(ui->pTop->width() - ui->btnClose->width(), 0);
}

void TmainForm::closeEvent(QCloseEvent *event)
{
    // Closing releases the module; while its own blocking call runs, the
    // window closes once that call has returned.
    QPointer<TmainForm> self(this);
    if (m_host && m_host->postponeWhileBusy([self] {
            if (self)
                self->close();
        })) {
        event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

void TmainForm::FormClose()
{
    // A setting that cannot be written is reported; the module goes all the same.
    ErrorGuard::run([this] {
        TIniFile ini(m_dm->configFile());
        ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavWidth"), ui->RzSplitter1->position());
    });
    if (m_host)
        m_host->FreeModuleForm();
    m_controlRights.clear();
}

void TmainForm::FormDestroy()
{
    qApp->removeEventFilter(this);
    delete m_hook;
    m_hook = nullptr;
    delete m_host; // releases a module still open
    m_host = nullptr;
}

void TmainForm::btnCloseClick()
{
    close();
}
