#pragma once

#include <QByteArray>
#include <QString>

class TOpenDialog;

// Picture files chosen for a picture column: the extension decides how the
// file is read (".BMP" a bitmap, ".JPG" JPEG data, any case); the BLOB is
// the file's picture data without a type mark.
namespace PictureFile {

enum class Kind { Bmp, Jpeg, Other };

// Extension from the file name's last dot, dot included, upper-cased.
QString extensionOf(const QString &fileName);
Kind kindOf(const QString &fileName);

// The file's data after checking it is a whole picture of that kind;
// throws Exception naming the file and the cause.
QByteArray read(const QString &fileName, Kind kind);

// The image pick of the pages: runs the dialog; on Cancel returns false; on
// a wrong extension shows "格式错误！" and returns false; a file that does not
// load throws. On success *blob holds the picture data.
bool choose(TOpenDialog &dialog, QByteArray *blob);

// Filter and default extension of the pages' picture dialog.
constexpr const char DialogFilter[] = "位图 (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg";
constexpr const char DialogDefaultExt[] = ".bmp";

} // namespace PictureFile
