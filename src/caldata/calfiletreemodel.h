#pragma once

#include "caldata/calfiletree.h"
#include "caldata/forestmodel.h"

namespace zk {

// The folders and tables of a scan, one column of names. The window adds
// the icons for the two kinds.
class CalFileTreeModel : public ForestModel<CalFileTree> {
    Q_OBJECT
public:
    enum Role {
        KindRole = Qt::UserRole + 1, // int: CalFileNode::Kind
        PathRole,                    // QString: the full path as found on disk
    };

    explicit CalFileTreeModel(QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
};

} // namespace zk
