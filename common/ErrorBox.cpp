#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace ErrorBox {

namespace {
Presenter &presenter()
{
    static Presenter p;
    return p;
}

void present(Kind kind, const QString &caption, const QString &text)
{
    if (presenter()) {
        presenter()(kind, caption, text);
        return;
    }
    QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
} // namespace

void setPresenter(Presenter p)
{
    presenter() = std::move(p);
}

QString errorText(const QString &message)
{
    if (!message.isEmpty() && message.at(message.size() - 1) > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showError(const QString &message)
{
    QString title = QApplication::applicationDisplayName();
    if (title.isEmpty())
        title = QCoreApplication::applicationName();
    present(Kind::Error, title, errorText(message));
}

void showInfo(const QString &text)
{
    present(Kind::Information, QStringLiteral("提示"), text);
}

} // namespace ErrorBox
