#include "DemoContent.h"

#include "DemoIcons.h"
#include "ServerDatabase.h"

#include <QStringList>

namespace {

using Shape = DemoIcons::Shape;

const char *const ToolbarButtons[] = {"BtnNew", "BtnDelete", "BtnEdit", "BtnSave", "BtnInsertUser", "BtnDeleteUser"};

QString grantAll(const QList<int> &ids)
{
    QStringList entries;
    for (int id : ids)
        entries << QStringLiteral("md%1").arg(id);
    return entries.join(QLatin1Char(','));
}

void addUsers(ServerDatabase &db, const QString &demoRights, const QString &guestRights)
{
    db.addUser(QStringLiteral("demo"), QStringLiteral("demo"), 1, QStringLiteral("demo"), QStringLiteral("演示部门"),
               QStringLiteral("演示用户"), QStringLiteral("欢迎使用 Tremlin 开发平台"), demoRights);
    db.addUser(QStringLiteral("guest"), QStringLiteral("guest"), 2, QStringLiteral("guest"), QString(),
               QStringLiteral("访客"), QStringLiteral("欢迎光临"), guestRights);
}

} // namespace

void DemoContent::fill(ServerDatabase &db)
{
    const QList<CatalogueRow> rows = {
        {1, QStringLiteral("办公"), QString(), 0, 0, 0, 0, DemoIcons::bmp(Shape::Folder, QColor(240, 180, 40))},
        {10, QStringLiteral("邮箱"), QStringLiteral("Zaskar.dll"), 1, 1, 0, 1,
         DemoIcons::bmp(Shape::Envelope, QColor(60, 130, 220))},
        {101, QString(), QStringLiteral("BtnNew"), 10, 2, 0, 0, QByteArray()},
        {102, QString(), QStringLiteral("BtnDelete"), 10, 2, 0, 0, QByteArray()},
        {103, QStringLiteral("修改"), QStringLiteral("BtnEdit"), 10, 2, 0, 0, QByteArray()},
        {104, QStringLiteral("保存"), QStringLiteral("BtnSave"), 10, 2, 0, 0, QByteArray()},
        {105, QStringLiteral("添加用户"), QStringLiteral("BtnInsertUser"), 10, 2, 0, 0, QByteArray()},
        {106, QStringLiteral("删除用户"), QStringLiteral("BtnDeleteUser"), 10, 2, 0, 0, QByteArray()},
        {11, QStringLiteral("通讯录"), QStringLiteral("Contacts.dll"), 1, 1, 0, 1,
         DemoIcons::bmp(Shape::Document, QColor(90, 170, 90))},
        {12, QStringLiteral("日程安排"), QString(), 1, 1, 0, 0, DemoIcons::bmp(Shape::Circle, QColor(220, 90, 90), 48)},
        {2, QStringLiteral("系统管理"), QString(), 0, 0, 0, 0, DemoIcons::bmp(Shape::Folder, QColor(150, 150, 160))},
        {20, QStringLiteral("用户管理"), QStringLiteral("Users.dll"), 2, 1, 1, 0, QByteArray()},
        {21, QStringLiteral("参数设置"), QString(), 2, 0, 0, 0, DemoIcons::bmp(Shape::Gear, QColor(120, 120, 200))},
        {22, QStringLiteral("网络参数"), QStringLiteral("Network.dll"), 21, 1, 0, 0,
         DemoIcons::bmp(Shape::Square, QColor(200, 120, 200))},
        {3, QStringLiteral("帮助"), QString(), 0, 3, 0, 0, DemoIcons::bmp(Shape::Square, QColor(100, 200, 200))},
    };
    QList<int> all;
    for (const CatalogueRow &row : rows) {
        db.addCatalogueRow(row);
        if (row.type <= 2)
            all << row.id;
    }
    addUsers(db, grantAll(all), QStringLiteral("md1,md10,md101"));
    db.commit();
}

void DemoContent::generate(ServerDatabase &db, int rows)
{
    QList<int> all;
    int group = 0, mailbox = 0;
    for (int i = 0; i < rows; ++i) {
        const int id = i + 1;
        CatalogueRow row;
        row.id = id;
        const int k = i % 10;
        if (k == 0) {
            group = id;
            row.cap = QStringLiteral("分组 %1").arg(id);
        } else if (k <= 3) {
            row.type = 1;
            row.fid = group;
            row.cap = QStringLiteral("模块 %1").arg(id);
            row.objName = k == 1 ? QStringLiteral("Zaskar.dll") : QStringLiteral("Module%1.dll").arg(id);
            row.onbar = k == 1 ? 1 : 0;
            if (k == 1)
                mailbox = id;
        } else {
            row.type = 2;
            row.fid = mailbox;
            row.objName = QString::fromLatin1(ToolbarButtons[k - 4]);
            row.cap = QStringLiteral("控件 %1").arg(id);
        }
        if (i % 50 != 13)
            row.ico = DemoIcons::numbered(id, i % 50 == 7 ? 48 : 24);
        db.addCatalogueRow(row);
        all << id;
    }
    addUsers(db, grantAll(all), QString());
    db.commit();
}
