#include "app/ui/trestore.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/textutil.h"
#include "common/ui/windowprompt.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zk {
namespace {

QTreeWidget *makeList(const char *name, const QString &accessible, const QStringList &headers,
                      QWidget *parent) {
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessible);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QString sizeText(qint64 bytes) {
    return splitdigit(QString::number((bytes + 1023) / 1024)) + QStringLiteral(" KB");
}

QString kindText(BackupDifference::Kind kind) {
    switch (kind) {
    case BackupDifference::Changed:
        return QStringLiteral("変更されています");
    case BackupDifference::Missing:
        return QStringLiteral("なくなっています");
    case BackupDifference::Added:
        return QStringLiteral("後から作られました（復元しても残ります）");
    }
    return {};
}

} // namespace

TRestore::TRestore(QWidget *parent)
    : QDialog(parent)
    , m_backups(ProgramFolder::path()) {
    setObjectName(QStringLiteral("Restore"));
    setWindowTitle(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟから復元"));
    resize(640, 480);

    lsvBackups = makeList("lsvBackups", QStringLiteral("バックアップ"),
                          {QStringLiteral("日付"), QStringLiteral("時刻"),
                           QStringLiteral("きっかけ"), QStringLiteral("大きさ")},
                          this);
    lsvFiles = makeList("lsvFiles", QStringLiteral("今と違うファイル"),
                        {QStringLiteral("ﾌｧｲﾙ"), QStringLiteral("今の状態")}, this);
    auto *backupsLabel = new QLabel(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ(&B):"), this);
    backupsLabel->setBuddy(lsvBackups);
    auto *filesLabel = new QLabel(QStringLiteral("今と違うﾌｧｲﾙ(&L):"), this);
    filesLabel->setBuddy(lsvFiles);

    auto *buttons = new QDialogButtonBox(this);
    btnRestoreAll =
        buttons->addButton(QStringLiteral("すべて復元(&A)"), QDialogButtonBox::ActionRole);
    btnRestoreAll->setObjectName(QStringLiteral("btnRestoreAll"));
    btnRestoreChosen =
        buttons->addButton(QStringLiteral("選んだﾌｧｲﾙを復元(&R)"), QDialogButtonBox::ActionRole);
    btnRestoreChosen->setObjectName(QStringLiteral("btnRestoreChosen"));
    QPushButton *close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnRestoreAll, &QPushButton::clicked, this, [this] { restore(true); });
    connect(btnRestoreChosen, &QPushButton::clicked, this, [this] { restore(false); });
    connect(lsvBackups, &QTreeWidget::currentItemChanged, this, &TRestore::showFiles);
    connect(lsvFiles, &QTreeWidget::itemChanged, this, [this] {
        bool any = false;
        for (int i = 0; i < lsvFiles->topLevelItemCount(); ++i)
            any = any || lsvFiles->topLevelItem(i)->checkState(0) == Qt::Checked;
        btnRestoreChosen->setEnabled(any);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(backupsLabel);
    layout->addWidget(lsvBackups, 1);
    layout->addWidget(filesLabel);
    layout->addWidget(lsvFiles, 2);
    layout->addWidget(buttons);
    fillBackups();
    lsvBackups->setFocus();
}

void TRestore::fillBackups() {
    const QSignalBlocker blocker(lsvBackups);
    lsvBackups->clear();
    m_entries = m_backups.list();
    for (const BackupEntry &e : std::as_const(m_entries)) {
        auto *item = new QTreeWidgetItem(lsvBackups);
        item->setText(0, e.made.date().toString(Regional::current().shortDatePattern()));
        item->setText(1, e.made.time().toString(QStringLiteral("HH:mm:ss")));
        item->setText(2, e.damaged ? QStringLiteral("壊れています（復元できません）") : e.cause);
        item->setText(3, sizeText(e.size()));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lsvBackups->topLevelItemCount() > 0)
        lsvBackups->setCurrentItem(lsvBackups->topLevelItem(0));
    showFiles();
}

const BackupEntry *TRestore::chosen() const {
    const int r = lsvBackups->indexOfTopLevelItem(lsvBackups->currentItem());
    return r < 0 ? nullptr : &m_entries[r];
}

void TRestore::showFiles() {
    const QSignalBlocker blocker(lsvFiles);
    lsvFiles->clear();
    const BackupEntry *entry = chosen();
    bool restorable = false;
    if (entry && !entry->damaged) {
        for (const BackupDifference &d : m_backups.compare(*entry)) {
            auto *item = new QTreeWidgetItem(lsvFiles, {d.path, kindText(d.kind)});
            if (d.kind != BackupDifference::Added) {
                item->setCheckState(0, Qt::Unchecked);
                restorable = true;
            }
        }
        for (const QString &path : entry->unreadable) {
            new QTreeWidgetItem(
                lsvFiles, {path, QStringLiteral("読めなかったため、このﾊﾞｯｸｱｯﾌﾟにありません")});
        }
    }
    btnRestoreAll->setEnabled(restorable);
    btnRestoreChosen->setEnabled(false);
}

void TRestore::restore(bool all) {
    const BackupEntry *entry = chosen();
    if (!entry)
        return;
    QStringList paths;
    for (int i = 0; i < lsvFiles->topLevelItemCount() && !all; ++i) {
        if (lsvFiles->topLevelItem(i)->checkState(0) == Qt::Checked)
            paths.append(lsvFiles->topLevelItem(i)->text(0));
    }
    if (!all && paths.isEmpty())
        return;
    WindowPrompt &prompt = WindowPrompt::of(this);
    const QString when =
        lsvBackups->currentItem()->text(0) + u' ' + lsvBackups->currentItem()->text(1);
    const QString what =
        all ? QStringLiteral("%1のﾊﾞｯｸｱｯﾌﾟの、今と違うﾌｧｲﾙをすべて").arg(when)
            : QStringLiteral("%1のﾊﾞｯｸｱｯﾌﾟから%2個のﾌｧｲﾙを").arg(when).arg(paths.size());
    if (!prompt.question(what +
                         QStringLiteral("元に戻しますか？\n今の状態はﾊﾞｯｸｱｯﾌﾟしてから戻します。")))
        return;
    try {
        m_backups.restore(*entry, paths,
                          QDateTime(Regional::current().today(), QTime::currentTime()));
    } catch (const Error &e) {
        prompt.error(e.text());
    }
    Q_EMIT restored();
    fillBackups();
}

} // namespace zk
