#include "SampleLook.h"

#include "DbNames.h"
#include "Exception.h"
#include "PositionString.h"
#include "TIBDatabase.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRect>
#include <QtEndian>

namespace {

const int TopHeight = 60;
const QColor Navy(18, 52, 104);
const QColor Sky(54, 132, 214);
const QColor Ice(232, 242, 252);
const QColor Gold(246, 196, 70);
// The close button's transparent colour.
const QColor Olive(128, 128, 0);

// Login layout: 375 x 255 window, two boxes and three buttons.
const QRect NameBox(150, 112, 170, 22);
const QRect PasswordBox(150, 146, 170, 22);
const QRect SetButton(30, 204, 75, 25);
const QRect LoginButton(150, 204, 75, 25);
const QRect CloseButton(260, 204, 75, 25);

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Navy);
    return image;
}

void topGradient(QPainter &p, const QRect &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 96, 170));
    g.setColorAt(0.55, Navy);
    g.setColorAt(1, QColor(10, 30, 66));
    p.fillRect(r, g);
}

void label(QPainter &p, const QRect &r, const QColor &colour, const QFont &font, int flags, const QString &text)
{
    p.setPen(colour);
    p.setFont(font);
    p.drawText(r, flags, text);
}

void verticalFill(QPainter &p, const QRect &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

// The platform's mark: three stacked rounded bars.
void emblem(QPainter &p, const QRectF &r)
{
    const qreal h = r.height() / 4;
    const QColor colours[] = {Gold, Sky, Ice};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(r.left() + i * h * 0.45, r.top() + i * h * 1.25, r.width() - i * h * 0.9, h);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawRoundedRect(bar, h / 2, h / 2);
    }
}

void writeBlob(TIBSQL &sql, const char *table, const char *column, const QByteArray &bytes)
{
    sql.setSQL(QStringLiteral("Update %1 Set %2 = :bico where id=:sid").arg(QLatin1String(table), QLatin1String(column)));
    sql.setParamInteger(QStringLiteral("sid"), 1);
    sql.setParamBlob(QStringLiteral("bico"), bytes);
    sql.execQuery();
}

void writeInteger(TIBSQL &sql, const char *table, const char *column, int value)
{
    sql.setSQL(QStringLiteral("Update %1 Set %2 = :iFlg where id=:sid").arg(QLatin1String(table), QLatin1String(column)));
    sql.setParamInteger(QStringLiteral("sid"), 1);
    sql.setParamInteger(QStringLiteral("iFlg"), value);
    sql.execQuery();
}

void writeText(TIBSQL &sql, const char *table, const char *column, const QString &value)
{
    sql.setSQL(QStringLiteral("Update %1 Set %2 = :sText where id=:sid").arg(QLatin1String(table), QLatin1String(column)));
    sql.setParamInteger(QStringLiteral("sid"), 1);
    sql.setParamString(QStringLiteral("sText"), value);
    sql.execQuery();
}

} // namespace

QByteArray SampleLook::encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setQuality(92);
    if (!writer.write(image))
        throw Exception(QStringLiteral("Cannot encode a sample picture as %1: %2")
                            .arg(QLatin1String(format), writer.errorString()));
    return bytes;
}

QImage SampleLook::logo(int height)
{
    QImage image = canvas(369, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    topGradient(p, image.rect());
    emblem(p, QRectF(14, height * 0.2, height * 0.75, height * 0.6));
    const int textLeft = 14 + int(height * 0.9);
    label(p, QRect(textLeft, 0, 369 - textLeft, height * 0.68), Qt::white, uiFont(height * 0.42, true),
          Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Tremlin 开发平台"));
    label(p, QRect(textLeft + 2, height * 0.68, 369 - textLeft, height * 0.3), QColor(170, 200, 236), uiFont(height * 0.2), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("企业应用 · 统一门户"));
    return image;
}

QImage SampleLook::topMiddle(int height)
{
    QImage image = canvas(64, height);
    QPainter p(&image);
    topGradient(p, image.rect());
    return image;
}

QImage SampleLook::topRight(int height)
{
    QImage image = canvas(219, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    topGradient(p, image.rect());
    // Soft arcs fading in towards the right edge.
    for (int i = 0; i < 5; ++i) {
        QColor c = Sky;
        c.setAlpha(40 + i * 22);
        p.setPen(QPen(c, 2));
        p.setBrush(Qt::NoBrush);
        const int r = 40 + i * 28;
        p.drawEllipse(QPoint(219 + 20, height / 2), r, r);
    }
    label(p, QRect(0, height - 22, 205, 18), QColor(200, 220, 245), uiFont(13), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("欢迎使用"));
    return image;
}

QImage SampleLook::barBackground()
{
    QImage image = canvas(400, 58);
    QPainter p(&image);
    verticalFill(p, image.rect(), QColor(70, 140, 210), QColor(28, 78, 148));
    p.setPen(QColor(120, 180, 235));
    p.drawLine(0, 0, 400, 0);
    return image;
}

QImage SampleLook::hostBackground()
{
    QImage image = canvas(800, 500);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalFill(p, image.rect(), QColor(248, 251, 255), QColor(214, 230, 248));
    // A light diagonal weave.
    p.setPen(QPen(QColor(200, 218, 240), 1));
    for (int x = -500; x < 800; x += 24)
        p.drawLine(x, 500, x + 500, 0);
    return image;
}

QImage SampleLook::hostForeground()
{
    QImage image = canvas(480, 300);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(240, 150, 300);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(222, 236, 250));
    p.fillRect(image.rect(), g);
    emblem(p, QRectF(190, 40, 100, 80));
    label(p, QRect(0, 140, 480, 50), Navy, uiFont(34, true), Qt::AlignCenter, QStringLiteral("欢迎使用 Tremlin"));
    label(p, QRect(0, 196, 480, 30), QColor(80, 110, 150), uiFont(17), Qt::AlignCenter, QStringLiteral("请从左侧导航选择功能模块"));
    return image;
}

QImage SampleLook::closeButton(bool hot)
{
    QImage image(49, 21, QImage::Format_RGB32);
    image.fill(Olive);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, -4.5, 48, 25);
    QLinearGradient g(0, 0, 0, 21);
    g.setColorAt(0, hot ? QColor(240, 110, 90) : QColor(90, 130, 190));
    g.setColorAt(1, hot ? QColor(196, 40, 30) : QColor(40, 74, 130));
    p.setPen(QPen(hot ? QColor(150, 30, 20) : QColor(20, 44, 90), 1));
    p.setBrush(g);
    p.drawRoundedRect(face, 5, 5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 5.5), QPointF(29.5, 15.5));
    p.drawLine(QPointF(29.5, 5.5), QPointF(19.5, 15.5));
    return image;
}

QImage SampleLook::loginBackground()
{
    QImage image = canvas(375, 255);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalFill(p, image.rect(), QColor(242, 247, 253), QColor(206, 224, 246));
    const QRect header(0, 0, 375, 86);
    topGradient(p, header);
    emblem(p, QRectF(22, 20, 56, 44));
    label(p, QRect(92, 14, 270, 36), Qt::white, uiFont(24, true), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tremlin 开发平台"));
    label(p, QRect(94, 50, 270, 22), QColor(190, 214, 242), uiFont(13), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("欢迎登录，请输入您的账号"));

    label(p, QRect(50, NameBox.top(), 94, NameBox.height()), Navy, uiFont(14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("用户名："));
    p.drawText(QRect(50, PasswordBox.top(), 94, PasswordBox.height()), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("密  码："));
    // Frames just outside the boxes, so the window looks right behind them.
    p.setPen(QColor(120, 150, 190));
    p.setBrush(Qt::white);
    for (const QRect &box : {NameBox, PasswordBox})
        p.drawRoundedRect(QRectF(box).adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    p.setPen(QColor(170, 190, 220));
    p.drawLine(20, 190, 355, 190);
    return image;
}

QImage SampleLook::setButton()
{
    return button(QStringLiteral("设置"), QColor(96, 120, 150));
}

QImage SampleLook::loginButton()
{
    return button(QStringLiteral("登录"), QColor(36, 110, 200));
}

QImage SampleLook::closeLoginButton()
{
    return button(QStringLiteral("关闭"), QColor(170, 70, 60));
}

QImage SampleLook::button(const QString &text, const QColor &base)
{
    QImage image(75, 25, QImage::Format_RGB32);
    image.fill(QColor(206, 224, 246));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 25);
    g.setColorAt(0, base.lighter(140));
    g.setColorAt(1, base);
    p.setPen(QPen(base.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 74, 24), 6, 6);
    label(p, QRect(0, 0, 75, 25), Qt::white, uiFont(14, true), Qt::AlignCenter, text);
    return image;
}

QByteArray SampleLook::icon()
{
    // Qt writes one frame per ICO file: join 16, 32 and 48 pixel frames into
    // one file (header, one directory entry per frame, then the frames).
    QByteArray directory;
    QByteArray data;
    const QList<int> sizes{16, 32, 48};
    const int dataStart = 6 + 16 * sizes.size();
    for (int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Navy);
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 5.0, size / 5.0);
        emblem(p, QRectF(size * 0.16, size * 0.2, size * 0.68, size * 0.62));
        p.end();
        const QByteArray single = encode(image, "ico");
        if (single.size() < 22)
            throw Exception(QStringLiteral("Cannot encode the sample icon"));
        QByteArray entry = single.mid(6, 16);
        const quint32 offset = quint32(dataStart + data.size());
        qToLittleEndian(offset, reinterpret_cast<uchar *>(entry.data()) + 12);
        directory += entry;
        data += single.mid(int(qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(single.constData()) + 18)));
    }
    QByteArray header(6, '\0');
    qToLittleEndian(quint16(1), reinterpret_cast<uchar *>(header.data()) + 2);
    qToLittleEndian(quint16(sizes.size()), reinterpret_cast<uchar *>(header.data()) + 4);
    return header + directory + data;
}

void SampleLook::savePictures(const QString &folder)
{
    const QList<QPair<const char *, QImage>> pictures{
        {"logo", logo(TopHeight)},
        {"top_bg_ground", topMiddle(TopHeight)},
        {"top_right", topRight(TopHeight)},
        {"btn_background", barBackground()},
        {"sys_ground", hostBackground()},
        {"sys_show", hostForeground()},
        {"form_ico_close", closeButton(false)},
        {"form_ico_min", closeButton(true)},
        {"background", loginBackground()},
        {"btn_set_img", setButton()},
        {"btn_login_img", loginButton()},
        {"btn_close_img", closeLoginButton()},
    };
    for (const auto &picture : pictures) {
        const QString file = folder + QLatin1Char('/') + QLatin1String(picture.first) + QStringLiteral(".png");
        if (!picture.second.save(file, "PNG"))
            throw Exception(QStringLiteral("Cannot save %1").arg(file));
    }
}

void SampleLook::fill(TIBDatabase &database)
{
    namespace C = DbNames::ClientInfo;
    namespace L = DbNames::LoginInfo;
    TIBSQL sql(&database, database.defaultTransaction());

    writeText(sql, C::Table, C::SysCaption, QStringLiteral("Tremlin 开发平台 — 欢迎使用"));
    writeText(sql, C::Table, C::Copyright, QStringLiteral("Tremlin 软件工作室 版权所有"));
    writeBlob(sql, C::Table, C::SysIco, icon());
    writeInteger(sql, C::Table, C::FormState, 0);
    writeInteger(sql, C::Table, C::FormStyle, 0);
    writeInteger(sql, C::Table, C::TopOpen, 1);
    sql.setSQL(QStringLiteral("Update CLIENT_INFO Set TOP_HEIGHT = :iHeight where id=:sid"));
    sql.setParamInteger(QStringLiteral("sid"), 1);
    sql.setParamDouble(QStringLiteral("iHeight"), TopHeight);
    sql.execQuery();
    writeBlob(sql, C::Table, C::Logo, encode(logo(TopHeight), "bmp"));
    writeBlob(sql, C::Table, C::TopBgGround, encode(topMiddle(TopHeight), "bmp"));
    writeBlob(sql, C::Table, C::TopRight, encode(topRight(TopHeight), "bmp"));
    writeBlob(sql, C::Table, C::BtnBackground, encode(barBackground(), "bmp"));
    // Two of the pictures as JPEG, as an administrator may choose them.
    writeBlob(sql, C::Table, C::SysGround, encode(hostBackground(), "jpeg"));
    writeBlob(sql, C::Table, C::SysShow, encode(hostForeground(), "jpeg"));
    writeBlob(sql, C::Table, C::FormIcoClose, encode(closeButton(false), "bmp"));
    writeBlob(sql, C::Table, C::FormIcoMin, encode(closeButton(true), "bmp"));
    for (const char *mode : {C::LogoShowModule, C::TopBgShowModule, C::TopRightShowModule, C::SysGroundModule})
        writeInteger(sql, C::Table, mode, 1);
    writeInteger(sql, C::Table, C::SysShowModule, 1);

    writeBlob(sql, L::Table, L::Background, encode(loginBackground(), "jpeg"));
    writeInteger(sql, L::Table, L::BgFlg, 0);
    writeBlob(sql, L::Table, L::BtnSetImg, encode(setButton(), "bmp"));
    writeBlob(sql, L::Table, L::BtnLoginImg, encode(loginButton(), "bmp"));
    writeBlob(sql, L::Table, L::BtnCloseImg, encode(closeLoginButton(), "bmp"));
    const auto position = [](const QRect &r) { return PositionString::format(r); };
    writeText(sql, L::Table, L::TxtNameLtwh, position(NameBox));
    writeText(sql, L::Table, L::TxtPwdLtwh, position(PasswordBox));
    writeText(sql, L::Table, L::BtnSetLtwh, position(SetButton));
    writeText(sql, L::Table, L::BtnLoginLtwh, position(LoginButton));
    writeText(sql, L::Table, L::BtnCloseLtwh, position(CloseButton));
    database.defaultTransaction()->commit();
}
