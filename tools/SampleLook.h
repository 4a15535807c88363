#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class TIBDatabase;

// The demo look of both settings rows, drawn here: top bar, quick-launch bar,
// host backgrounds, close button, icon, texts and the login window.
class SampleLook
{
public:
    // Writes every column of row 1 of both tables and commits.
    static void fill(TIBDatabase &database);

    // The pictures, exposed for looking at them.
    static QImage logo(int height);
    static QImage topMiddle(int height);
    static QImage topRight(int height);
    static QImage barBackground();
    static QImage hostBackground();
    static QImage hostForeground();
    static QImage closeButton(bool hot);
    static QImage loginBackground();
    static QImage setButton();
    static QImage loginButton();
    static QImage closeLoginButton();
    static QByteArray icon();

    static QByteArray encode(const QImage &image, const char *format);
    // Saves every sample picture as PNG into the folder, for a look at them.
    static void savePictures(const QString &folder);

private:
    static QImage button(const QString &text, const QColor &base);
};
