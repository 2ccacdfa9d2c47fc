#pragma once

#include "records/recorditemtable.h"

#include <QWidget>

class QPushButton;
class QTreeView;

namespace zk {

// The settings dialog's "ｸﾞﾗﾌ" page: the record items, added and changed
// through TfrmGraph. load() and save() read and write setting/graph.dat.
class RecordItemsPage : public QWidget {
    Q_OBJECT
public:
    explicit RecordItemsPage(QWidget *parent = nullptr);

    void load();
    void save() const;

    RecordItemTable items;

private:
    void updateButtons();
    void spdAddClick();
    void spdChangeClick();
    void spdDeleteClick();

    QTreeView *lsvGraph;
    QPushButton *spdAdd;
    QPushButton *spdChange;
    QPushButton *spdDelete;
    QPushButton *spdUp;
    QPushButton *spdDown;
};

} // namespace zk
