#include "common/programlayout.h"

#include "common/bundledtables.h"
#include "common/error.h"

#include <QDir>
#include <QFileInfo>

namespace zk {
namespace {

QString folderOf(const QString &path) {
    const QString clean = QDir::cleanPath(path);
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

} // namespace

ProgramLayout ProgramLayout::of(const QString &executableFolder, const QString &home,
                                const QString &xdgDataHome) {
    ProgramLayout layout;
    const QString program = folderOf(executableFolder);
    if (QFileInfo(program + QStringLiteral("setting")).isDir() ||
        QFileInfo(program + QStringLiteral("data")).isDir()) {
        layout.userFolder = layout.sharedFolder = program;
        return layout;
    }
    layout.installed = true;
    layout.sharedFolder = folderOf(program + QStringLiteral("../../share/zenkarta"));
    QString dataHome;
    if (QDir::isAbsolutePath(xdgDataHome))
        dataHome = xdgDataHome;
    else if (QDir::isAbsolutePath(home))
        dataHome = home + QStringLiteral("/.local/share");
    if (!dataHome.isEmpty())
        layout.userFolder = folderOf(dataHome + QStringLiteral("/zenkarta"));
    return layout;
}

QString PrepareProgramLayout(const ProgramLayout &layout) {
    if (!layout.installed)
        return {};
    const QString user = layout.userFolder;
    auto cannot = [&](const QString &reason) {
        return Error(QStringLiteral("記録や設定を置くフォルダ %1 が使えません（%2）。終了します。")
                         .arg(QDir::toNativeSeparators(user), reason));
    };
    if (user.isEmpty())
        throw Error(QStringLiteral(
            "ホームフォルダが決まっていないため、記録や設定を置くフォルダが"
            "ありません（環境変数 HOME も XDG_DATA_HOME もありません）。終了します。"));
    // A portable copy installed there (by install.sh of an earlier version)
    // keeps its own files: the installed program does not share them.
    if (QFileInfo(user + QStringLiteral("zenkarta")).isFile())
        throw cannot(QStringLiteral(
            "別にインストールしたZenkartaのフォルダです。そのフォルダの zenkarta を使うか、"
            "フォルダをほかへ移してください"));
    for (const QLatin1String sub :
         {QLatin1String("data"), QLatin1String("record"), QLatin1String("setting")})
        if (!QDir().mkpath(user + sub))
            throw cannot(QStringLiteral("フォルダ %1 を作れません").arg(sub));
    if (!QFileInfo(user).isWritable())
        throw cannot(QStringLiteral("書き込めません"));
    try {
        AddBundledTables(layout.sharedFolder + QStringLiteral("data"), user);
    } catch (const Error &e) {
        return QStringLiteral("標準の食品表を追加できませんでした（%1）。").arg(e.text());
    }
    return {};
}

} // namespace zk
