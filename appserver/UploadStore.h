#pragma once

#include <QString>

// Files sent with UpFile, kept under one root directory. Every name is
// resolved inside the root: a name or directory that would leave it (an
// absolute path, "..") is refused. Errors throw Exception.
class UploadStore
{
public:
    explicit UploadStore(const QString &root);

    const QString &root() const { return m_root; }

    // Stores the decoded content as saveDir/fileName; when that file exists
    // a free name "stem(n).ext" is taken. Returns the name used (without
    // the directory).
    QString store(const QString &base64, const QString &saveDir, const QString &fileName);
    // False when there is no such file.
    bool remove(const QString &fileName);

private:
    QString resolve(const QString &relative, bool allowEmpty) const;

    QString m_root;
};
