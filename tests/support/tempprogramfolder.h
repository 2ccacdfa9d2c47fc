#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace zk::test {

// A fresh program folder for one test: set as the program's folder while the
// object lives.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path(const QString &relative = {}) const;
    void write(const QString &relative, const QByteArray &bytes) const; // creates folders
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

} // namespace zk::test
