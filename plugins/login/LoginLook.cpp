#include "LoginLook.h"

#include "DbNames.h"
#include "Exception.h"
#include "FirebirdEnvironment.h"
#include "IniFile.h"
#include "LoginPictures.h"
#include "PictureLoader.h"
#include "PositionString.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBTransaction.h"

#include <QBitmap>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegion>

LoginLook::LoginLook()
    : background(LoginPictures::background())
    , setPicture(LoginPictures::button(LoginPictures::Button::Set))
    , loginPicture(LoginPictures::button(LoginPictures::Button::Login))
    , closePicture(LoginPictures::button(LoginPictures::Button::Close))
    , nameBounds(224, 112, 121, 24)
    , passwordBounds(224, 144, 121, 24)
    , setBounds(56, 184, 75, 25)
    , loginBounds(176, 184, 75, 25)
    , closeBounds(264, 184, 75, 25)
{
}

bool LoginLook::read(const QString &programDir)
{
    const TIniFile ini(programDir + QStringLiteral("Config.ini"));
    try {
        FirebirdEnvironment::prepare();
        TIBTransaction transaction; // outlives the database, which ends it
        TIBDatabase database;
        database.setDefaultTransaction(&transaction);
        transaction.setDefaultDatabase(&database);
        database.setDatabaseName(ini.readString(QStringLiteral("Local"), QStringLiteral("file"),
                                                programDir + QLatin1String(DbNames::DefaultFile)));
        database.params() << QStringLiteral("user_name=%1").arg(QLatin1String(DbNames::User))
                          << QStringLiteral("password=")
                                 + ini.readString(QStringLiteral("Local"), QStringLiteral("pwd"),
                                                  QLatin1String(DbNames::DefaultPassword));
        TIBQuery query(&database, &transaction);
        query.setSQL(QStringLiteral("SELECT * FROM LOGIN_INFO where id=:sid"));
        query.setParamInteger(QStringLiteral("sid"), 1);
        query.open();
        if (query.isEmpty())
            throw Exception(QStringLiteral("LOGIN_INFO has no row 1"));

        bgflg = query.asInteger(QStringLiteral("bgflg"));
        const struct {
            const char *column;
            QRect *bounds;
        } positions[] = {{"txt_name_LTWH", &nameBounds},
                         {"txt_pwd_LTWH", &passwordBounds},
                         {"btn_Set_LTWH", &setBounds},
                         {"btn_Login_LTWH", &loginBounds},
                         {"btn_Close_LTWH", &closeBounds}};
        for (const auto &p : positions) {
            try {
                PositionString::parse(query.asString(QString::fromLatin1(p.column)), p.bounds);
            } catch (const std::exception &) {
                // Sign-in must not fail over a look: the built-in place stays.
            }
        }
        if (!query.isNull(QStringLiteral("background"))) {
            const struct {
                const char *column;
                QImage *picture;
            } pictures[] = {{"background", &background},
                            {"btn_Set_img", &setPicture},
                            {"btn_login_img", &loginPicture},
                            {"btn_Close_img", &closePicture}};
            for (const auto &p : pictures) {
                try {
                    *p.picture = PictureLoader::load(query.asBytes(QString::fromLatin1(p.column)));
                } catch (const std::exception &) {
                }
            }
        }
        query.close();
        transaction.commit();
    } catch (const std::exception &e) {
        m_error = Exception::messageOf(e);
        return false;
    }
    return true;
}

void LoginLook::apply(const Targets &t) const
{
    const bool shaped = bgflg == 1;
    t.window->setWindowFlag(Qt::FramelessWindowHint, shaped);
    for (QWidget *w : t.replaced)
        w->hide();

    // The background's top-left corner is the window's client origin.
    auto *backdrop = t.window->findChild<QLabel *>(QStringLiteral("imgBackground"));
    if (!backdrop) {
        backdrop = new QLabel(t.window);
        backdrop->setObjectName(QStringLiteral("imgBackground"));
    }
    const QImage drawnBackground = bgflg != 0 ? LoginPictures::transparent(background) : background;
    backdrop->setPixmap(QPixmap::fromImage(drawnBackground));
    backdrop->setGeometry(QRect(QPoint(0, 0), background.isNull() ? QSize(1, 1) : background.size()));
    backdrop->lower();
    backdrop->show();

    t.name->setGeometry(nameBounds);
    t.password->setGeometry(passwordBounds);
    const struct {
        QPushButton *button;
        QRect bounds;
        const QImage &picture;
    } buttons[] = {{t.set, setBounds, setPicture},
                   {t.login, loginBounds, loginPicture},
                   {t.close, closeBounds, closePicture}};
    for (const auto &b : buttons) {
        // A picture gives the button its own size; without one the button keeps its bounds.
        const QRect bounds = b.picture.isNull() ? b.bounds : QRect(b.bounds.topLeft(), b.picture.size());
        if (b.button->accessibleName().isEmpty())
            b.button->setAccessibleName(b.button->text());
        b.button->setText(QString());
        b.button->setFlat(true);
        b.button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; padding: 0; }"));
        b.button->setGeometry(bounds);
        b.button->setIconSize(bounds.size());
        QIcon icon;
        if (!b.picture.isNull()) {
            // Drawn as stored, also while the button is disabled.
            const QPixmap pixmap = QPixmap::fromImage(LoginPictures::transparent(b.picture).scaled(bounds.size()));
            icon.addPixmap(pixmap, QIcon::Normal);
            icon.addPixmap(pixmap, QIcon::Disabled);
        }
        b.button->setIcon(icon);
    }
    t.close->setVisible(bgflg != 0);

    // The client area spans the visible controls from the origin.
    QRect area = backdrop->geometry() | nameBounds | passwordBounds | t.set->geometry() | t.login->geometry();
    if (bgflg != 0)
        area |= t.close->geometry();
    const QSize size(area.right() + 1, area.bottom() + 1);
    t.window->setMinimumSize(0, 0);
    t.window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    t.window->setFixedSize(size);
    t.message->setGeometry(passwordBounds.left(), passwordBounds.bottom() + 4,
                           qMax(60, size.width() - passwordBounds.left() - 4), 36);
    t.message->raise();

    // The shaped window keeps only the background's drawn pixels and its controls.
    if (shaped && !drawnBackground.isNull()) {
        QRegion region(QBitmap::fromImage(drawnBackground.createAlphaMask()));
        for (QWidget *w : {static_cast<QWidget *>(t.name), static_cast<QWidget *>(t.password),
                           static_cast<QWidget *>(t.set), static_cast<QWidget *>(t.login),
                           static_cast<QWidget *>(t.close), static_cast<QWidget *>(t.message)})
            region |= w->geometry();
        t.window->setMask(region);
    } else {
        t.window->clearMask();
    }
}
