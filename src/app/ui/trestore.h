#pragma once

#include "common/backups.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace zk {

// "ﾊﾞｯｸｱｯﾌﾟから復元": the backups of the program folder, newest first, and
// for the one chosen the files that differ from the folder now. The user
// puts back the whole backup or the files ticked; the present state is
// backed up first.
class TRestore : public QDialog {
    Q_OBJECT
public:
    explicit TRestore(QWidget *parent = nullptr);

Q_SIGNALS:
    // Files of the program folder were put back: the windows read them again.
    void restored();

private:
    void fillBackups();
    void showFiles();
    void restore(bool all);
    const BackupEntry *chosen() const;

    Backups m_backups;
    QList<BackupEntry> m_entries;
    QTreeWidget *lsvBackups;
    QTreeWidget *lsvFiles;
    QPushButton *btnRestoreAll;
    QPushButton *btnRestoreChosen;
};

} // namespace zk
