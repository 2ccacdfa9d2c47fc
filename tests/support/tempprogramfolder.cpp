#include "support/tempprogramfolder.h"

#include "common/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zk::test {

TempProgramFolder::TempProgramFolder() {
    ProgramFolder::set(m_dir.path());
}

TempProgramFolder::~TempProgramFolder() = default;

QString TempProgramFolder::path(const QString &relative) const {
    return m_dir.path() + u'/' + relative;
}

void TempProgramFolder::write(const QString &relative, const QByteArray &bytes) const {
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempProgramFolder::read(const QString &relative) const {
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempProgramFolder::exists(const QString &relative) const {
    return QFileInfo::exists(path(relative));
}

} // namespace zk::test
